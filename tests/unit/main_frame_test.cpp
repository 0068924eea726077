// Start-up and the main frame, in process: classes, windows, title buttons,
// the About box, the drag and the roads to the quit message.
#include "app_test.h"

#include <stdio.h>
#include <string.h>

#include <algorithm>

class MainFrameTest : public AppTest {};

static HINSTANCE Instance() { return GetModuleHandleA(NULL); }

// A class record as one line to compare, its brush as there or not: the
// skin is the class brush.
static std::string Record(const WNDCLASSEXA &w)
{
    char text[240];
    snprintf(text, sizeof text, "style 0x%X, procedure %p, extra %d + %d, instance %p, icons %p + %p, cursor %p, "
             "brush %s, menu %p", w.style, (void *)w.lpfnWndProc, w.cbClsExtra, w.cbWndExtra, (void *)w.hInstance,
             (void *)w.hIcon, (void *)w.hIconSm, (void *)w.hCursor, w.hbrBackground ? "there" : "none", w.lpszMenuName);
    return text;
}

TEST_F(MainFrameTest, ClassRecordsAreRegisteredAsLaidOut)
{
    static const struct { const char *name; WNDPROC proc; UINT style; } classes[] = {
        { FrameClass, MainFrameProc, FrameClassStyle },
        { CalculatorClass, CalculatorPanelProc, PanelClassStyle },
        { ConverterClass, ConverterPanelProc, PanelClassStyle },
    };
    HICON icon = LoadIconA(Instance(), MAKEINTRESOURCEA(IconGroup));
    HCURSOR cursor = LoadCursorA(Instance(), MAKEINTRESOURCEA(PointerCursor));
    for (auto &c : classes) {
        WNDCLASSEXA wnd = {}, wanted = { sizeof wnd, c.style, c.proc, 0, 0, Instance(), icon, cursor,
                                         (HBRUSH)GetStockObject(WHITE_BRUSH), NULL, c.name, icon };
        wnd.cbSize = sizeof wnd;
        EXPECT_TRUE(GetClassInfoExA(Instance(), c.name, &wnd)) << c.name;
        EXPECT_EQ(Record(wanted), Record(wnd)) << c.name;
    }
    EXPECT_NE((HICON)NULL, icon);
    EXPECT_TRUE(ShowsItsRole(PointerCursor, PictureOfCursor(cursor)));
}

TEST_F(MainFrameTest, BorderlessFrameShowsTheFirstCalculatorClippedToTheRoundedRegion)
{
    EXPECT_TRUE(MadeAs(App.mainFrame, MainFrameWindow));
    EXPECT_EQ(NULL, GetParent(App.mainFrame));
    RECT r;
    GetClientRect(App.mainFrame, &r);
    EXPECT_EQ(FrameSize * 1000 + FrameSize, r.right * 1000 + r.bottom) << "a border or caption takes a part";
    HWND panel = App.firstCalculatorPanel;
    EXPECT_EQ(panel, ShownPanel());
    EXPECT_TRUE(MadeAs(panel, CalculatorWindow));

    EXPECT_TRUE(ClippedToPanelRegion(panel));
}

TEST_F(MainFrameTest, TitleButtonsAreBitmapButtonsWithTheirImages)
{
    // In the order made, About, close, minimize, before any panel.
    const struct { HWND button; HBITMAP bitmap; } kept[] = {
        { App.aboutButton, App.aboutBitmap }, { App.closeButton, App.closeBitmap },
        { App.minimizeButton, App.minimizeBitmap },
    };
    std::vector<HWND> children = Children(App.mainFrame);
    ASSERT_EQ(4u, children.size());
    EXPECT_EQ(App.firstCalculatorPanel, children[3]);
    for (int i = 0; i < 3; i++) {
        const TitleButton &b = TitleButtons[i];
        SCOPED_TRACE(b.image);
        EXPECT_EQ(kept[i].button, children[i]);
        EXPECT_TRUE(MadeAs(children[i], b.control));
        EXPECT_NE((HBITMAP)NULL, kept[i].bitmap);
        EXPECT_EQ((LRESULT)kept[i].bitmap, SendMessageA(children[i], BM_GETIMAGE, IMAGE_BITMAP, 0));
        // The image held is the button's own picture, and shows its role.
        HBITMAP own = LoadBitmapA(Instance(), MAKEINTRESOURCEA(b.image));
        Picture wanted = PictureOfBitmap(own), held = PictureOfBitmap(kept[i].bitmap);
        EXPECT_EQ((size_t)(b.control.width * b.control.height), wanted.pixels.size());
        EXPECT_TRUE(wanted.pixels == held.pixels) << "the button shows another picture than bitmap " << b.image;
        EXPECT_TRUE(ShowsItsRole(b.image, held));
        DeleteObject(own);
    }
}

// About shows a box owned by the frame that ends in the version line,
// close posts the quit message and destroys nothing, minimize minimizes; a
// command with another identifier, or from another window, does nothing.
TEST_F(MainFrameTest, TitleButtonCommandsAndNoOthers)
{
    const struct { HWND from; WORD id; bool about, quits, minimizes; } commands[] = {
        { App.aboutButton, 0, true, false, false }, { App.closeButton, 0, false, true, false },
        { App.minimizeButton, 0, false, false, true }, { App.aboutButton, 5, false, false, false },
        { App.closeButton, 7, false, false, false }, { App.minimizeButton, 9, false, false, false },
        { App.firstCalculatorPanel, 0, false, false, false },
    };
    for (auto &c : commands) {
        SCOPED_TRACE(testing::Message() << "command " << c.id << " from " << ClassName(c.from));
        ShowWindow(App.mainFrame, SW_RESTORE);
        BoxWatcher watcher;
        SendMessageA(App.mainFrame, WM_COMMAND, c.id, (LPARAM)c.from);
        std::vector<SeenBox> boxes = watcher.Stop();
        const std::string text = boxes.empty() ? "" : boxes[0].text, ending = AboutEnding;
        if (!c.about) {
            EXPECT_TRUE(boxes.empty()) << "a box \"" << (boxes.empty() ? "" : boxes[0].caption) << "\"";
        } else {
            EXPECT_TRUE(OneBox(boxes, { AboutCaption, text.c_str(), "information" }, App.mainFrame));
            EXPECT_TRUE(text.size() > ending.size() && text.substr(text.size() - ending.size()) == ending &&
                        std::count(text.begin(), text.end(), '\n') == 1 && text.find('\r') == std::string::npos)
                << "the About box says \"" << text << "\", not one line, then the version";
        }
        int code = -1;
        EXPECT_EQ(c.quits, TakeQuit(&code));
        EXPECT_EQ(c.quits ? 0 : -1, code);
        EXPECT_EQ(c.minimizes, !!IsIconic(App.mainFrame));
        EXPECT_TRUE(IsWindow(App.firstCalculatorPanel));
    }
}

// Drag: a move places the frame by the cursor's displacement since the
// press; the release ends it through the capture change.
TEST_F(MainFrameTest, DragMovesTheFrameByTheCursorsDisplacement)
{
    auto frameAt = [] {
        RECT r;
        GetWindowRect(App.mainFrame, &r);
        return std::to_string(r.left) + "," + std::to_string(r.top) + " " + std::to_string(r.right - r.left);
    };
    // Left and top differ, so that mixing them up shows.
    const int left = 40, top = 70;
    SetWindowPos(App.mainFrame, NULL, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    SetCursorPos(5, 100);
    SendMessageA(App.mainFrame, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 100));
    EXPECT_EQ(App.mainFrame, GetCapture());
    EXPECT_EQ(LoadCursorA(Instance(), MAKEINTRESOURCEA(DragCursor)), GetCursor());
    EXPECT_TRUE(ShowsItsRole(DragCursor, PictureOfCursor(GetCursor())));

    static const struct { int x, y; } moves[] = { { 105, 160 }, { 0, 0 }, { -200, 40 }, { 5, 100 } };
    for (auto &m : moves) {
        SetCursorPos(m.x, m.y);
        POINT at;
        GetCursorPos(&at);  // the screen clamps the cursor; the frame follows it
        SendMessageA(App.mainFrame, WM_MOUSEMOVE, 0, 0);
        EXPECT_EQ(std::to_string(at.x - 5 + left) + "," + std::to_string(at.y - 100 + top) + " " +
                      std::to_string(FrameSize), frameAt()) << "moved to " << at.x << "," << at.y;
    }

    SendMessageA(App.mainFrame, WM_LBUTTONUP, 0, 0);
    EXPECT_EQ(NULL, GetCapture());
    std::string released = frameAt();
    SetCursorPos(300, 300);
    SendMessageA(App.mainFrame, WM_MOUSEMOVE, 0, 0);
    EXPECT_EQ(released, frameAt()) << "the frame moved after the release";
}

TEST_F(MainFrameTest, CaptureChangeDecidesWhetherADragGoesOn)
{
    static const struct { unsigned char before; bool toFrame; unsigned char after; } cases[] = {
        { 0, true, 1 }, { 1, true, 1 }, { 1, false, 0 }, { 0, false, 0 },
    };
    for (auto &c : cases) {
        App.dragging = c.before;
        SendMessageA(App.mainFrame, WM_CAPTURECHANGED, 0,
                     (LPARAM)(c.toFrame ? App.mainFrame : App.closeButton));
        EXPECT_EQ(c.after, App.dragging);
    }
    // Another window taking the capture ends a drag.
    SetCursorPos(5, 100);
    SendMessageA(App.mainFrame, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    ASSERT_EQ(1, App.dragging);
    SetCapture(App.firstCalculatorPanel);
    EXPECT_EQ(0, App.dragging);
    ReleaseCapture();
}

TEST_F(MainFrameTest, ClosingTheFrameEndsTheLoopWithCodeZero)
{
    PostMessageA(App.mainFrame, WM_CLOSE, 0, 0);
    EXPECT_EQ(0, RunMessageLoop());
    EXPECT_FALSE(IsWindow(App.mainFrame));
}

// A read that fails once, then reads the quit message: a loop that went on
// after the failure would read twice and end with the quit code.
static int Reads;
static BOOL WINAPI FailingGetMessage(LPMSG msg, HWND, UINT, UINT)
{
    memset(msg, 0, sizeof *msg);
    if (Reads++ > 0) {
        msg->message = WM_QUIT;
        return 0;
    }
    msg->wParam = 1234;   // whatever the record holds must not leak out
    return -1;
}

TEST_F(MainFrameTest, FailedMessageReadEndsTheLoopWithADefinedCode)
{
    Reads = 0;
    System.getMessage = FailingGetMessage;
    EXPECT_EQ(1, RunMessageLoop()) << "the code of a failed read";
    EXPECT_EQ(1, Reads) << "the loop read on after a failed read";
}

// How a window stands by its own flags: hidden, shown, minimized or maximized.
static std::string ShownAs(HWND window)
{
    LONG style = GetWindowLongA(window, GWL_STYLE);
    if (!(style & WS_VISIBLE))
        return "hidden";
    return style & WS_MINIMIZE ? "minimized" : style & WS_MAXIMIZE ? "maximized" : "shown";
}

// Started with a show command, as by a shortcut or another program, the
// main frame and the first panel both take that command. Not maximized: the
// 32-bit Wine 10 never comes back from the messages that follow it on a
// virtual display, which is the platform's matter, not the program's.
TEST_F(MainFrameTest, FrameAndFirstPanelBothTakeTheShowCommand)
{
    static const struct { int command; const char *name, *shownAs; } commands[] = {
        { SW_SHOWNORMAL, "SW_SHOWNORMAL", "shown" },
        { SW_HIDE, "SW_HIDE", "hidden" },
        { SW_SHOWMINNOACTIVE, "SW_SHOWMINNOACTIVE", "minimized" },
        { SW_SHOWMINIMIZED, "SW_SHOWMINIMIZED", "minimized" },
        { SW_SHOWNOACTIVATE, "SW_SHOWNOACTIVATE", "shown" },
    };
    for (auto &c : commands) {
        SCOPED_TRACE(c.name);
        AppTest::ResetProgram();
        ASSERT_TRUE(StartUp(Instance(), c.command));
        PumpMessages();
        EXPECT_EQ(c.shownAs, ShownAs(App.mainFrame)) << "the main frame was not shown with " << c.name;
        EXPECT_EQ(c.shownAs, ShownAs(App.firstCalculatorPanel))
            << "the first panel was not shown with " << c.name << ", the command that the frame was given";
    }
    AppTest::ResetProgram();
}

// Start-up that fails: the second class already taken, so that registering
// it fails as it would on a broken system, or the system refusing the main
// frame or the first panel. One box says so, no window is left behind, and
// WinMain returns 0.
TEST_F(MainFrameTest, FailedStartWarnsOnceAndLeavesNoWindow)
{
    static const struct { const char *taken, *refused; const BoxFact &box; } failures[] = {
        { CalculatorClass, NULL, RegistrationFailedBox },
        { NULL, FrameClass, CreationFailedBox },
        { NULL, CalculatorClass, CreationFailedBox },
    };
    for (auto &f : failures) {
        SCOPED_TRACE(f.taken ? std::string(f.taken) + " taken" : std::string(f.refused) + " refused");
        AppTest::ResetProgram();
        WNDCLASSEXA wnd = { sizeof wnd, 0, DefWindowProcA, 0, 0, Instance(), NULL, NULL, NULL, NULL, f.taken, NULL };
        ASSERT_TRUE(!f.taken || RegisterClassExA(&wnd));
        std::vector<SeenBox> boxes;
        int code;
        {
            CreationRefused refusal(f.refused ? f.refused : "");
            BoxWatcher watcher;
            code = WinMain(Instance(), NULL, (LPSTR) "", SW_SHOWNORMAL);
            boxes = watcher.Stop();
        }
        EXPECT_EQ(0, code);
        EXPECT_TRUE(OneBox(boxes, f.box, NULL));
        EXPECT_TRUE(ProcessWindows(GetCurrentProcessId(), FrameClass).empty()) << "no window is left behind";
        if (f.taken) {
            EXPECT_TRUE(GetClassInfoExA(Instance(), FrameClass, &wnd)) << "the first class stays registered";
            EXPECT_FALSE(GetClassInfoExA(Instance(), ConverterClass, &wnd)) << "the third is not tried";
            EXPECT_EQ(NULL, App.mainFrame);
        }
    }
    AppTest::ResetProgram();
}
