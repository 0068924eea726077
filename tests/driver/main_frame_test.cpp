// The program as another process: the roads out, the command line, and the
// drag with the real mouse.
#include "program.h"

#include <stdlib.h>

#include <map>

static std::string Text(POINT p)
{
    return std::to_string(p.x) + "," + std::to_string(p.y);
}

// make test runs these tests with the prefix reporting the Windows version
// named by OMBEX_WINDOWS; the program started from here sees the same.
TEST(MainFrameTest, RunsUnderTheWindowsVersionAsked)
{
    static const std::map<std::string, DWORD> versions = {
        { "winxp", 0x501 }, { "winxp64", 0x502 }, { "win7", 0x601 }, { "win10", 0xA00 },
    };
    const char *asked = getenv("OMBEX_WINDOWS");
    if (!asked)
        GTEST_SKIP() << "OMBEX_WINDOWS names no Windows version";
    ASSERT_TRUE(versions.count(asked)) << "no such Windows version: " << asked;
    // GetVersionEx reports less to a program without a compatibility list.
    auto getVersion =
        (LONG(WINAPI *)(RTL_OSVERSIONINFOW *))(void *)GetProcAddress(GetModuleHandleA("ntdll"), "RtlGetVersion");
    ASSERT_TRUE(getVersion);
    RTL_OSVERSIONINFOW info = { sizeof info, 0, 0, 0, 0, {} };
    getVersion(&info);
    EXPECT_EQ(versions.at(asked), info.dwMajorVersion << 8 | info.dwMinorVersion)
        << "Windows reports " << info.dwMajorVersion << "." << info.dwMinorVersion << ", not " << asked;
}

// Every road out ends the process with code 0 and leaves no window.
TEST(MainFrameTest, EveryRoadOutEndsWithCodeZero)
{
    static const struct { const char *road; void (*take)(Program &); } roads[] = {
        { "the close title button", [](Program &p) { MouseClick(CentreOf(p.TitleButton(CloseButton))); } },
        { "WM_CLOSE to the main frame", [](Program &p) { PostMessageA(p.Frame(), WM_CLOSE, 0, 0); } },
        { "WM_CLOSE to the calculator panel", [](Program &p) { PostMessageA(p.Panel(), WM_CLOSE, 0, 0); } },
        { "Alt+F4 on the main frame", [](Program &p) {
              // A click on the frame's margin gives it the keyboard.
              MouseClick(ScreenPoint(p.Frame(), 5, 200));
              ASSERT_WAIT(GetForegroundWindow() == p.Frame(), "the frame to come to the front");
              PressKeys({ VK_MENU, VK_F4 });
          } },
    };
    for (auto &r : roads) {
        SCOPED_TRACE(r.road);
        Program program;
        r.take(program);
        EXPECT_EQ(0, program.WaitExit());
        EXPECT_TRUE(ProcessWindows(program.Id(), FrameClass).empty());
    }
}

TEST(MainFrameTest, TextOnTheCommandLineChangesNothing)
{
    auto look = [](const char *arguments) {
        Program p(arguments);
        RECT r = ChildRect(p.Frame());   // a top-level window's place on the screen
        return Text({ r.left, r.top }) + " to " + Text({ r.right, r.bottom }) + ", " +
               std::to_string(CountDescendants(p.Frame())) + " windows, " + ClassName(p.Panel());
    };
    std::string plain = look("");
    for (const char *arguments : { "12 * 5", "/converter --x=1", "\"C:\\no such file.txt\"" })
        EXPECT_EQ(plain, look(arguments)) << arguments;
}

// A press on the exposed frame (the left margin, the top strip, the bottom)
// drags it by the mouse's displacement. One on a title button or on the
// panel moves nothing, and the button, released off it, does nothing.
TEST(MainFrameTest, RealDragMovesTheWindowOnlyFromTheFrame)
{
    static const struct { int x, y, dx, dy; bool drags; } presses[] = {
        { 5, 150, 100, 60, true }, { 150, 5, -40, 25, true }, { 200, 325, 37, -11, true },
        { MinimizeButton.x + 7, MinimizeButton.y + 7, 60, 70, false }, { PanelX + 250, PanelY + 250, 60, 70, false },
    };
    Program program;
    for (auto &p : presses) {
        POINT was = ScreenPoint(program.Frame(), 0, 0), start = { was.x + p.x, was.y + p.y };
        // Where the frame's corner is, and where the mouse moved this far must put it.
        auto corner = [&] { return Text(ScreenPoint(program.Frame(), 0, 0)); };
        auto movedBy = [&](int dx, int dy) { return Text({ was.x + dx * p.drags, was.y + dy * p.drags }); };
        MouseMove(start);
        MouseButton(true);
        // The program reads the cursor when it takes the press, so a person
        // moves only once it has: when the frame holds the capture.
        ASSERT_WAIT(!p.drags || program.Gui().hwndCapture == program.Frame(), "the press to begin a drag");
        // Through several points, across the panel, to the end point.
        for (int third = 1; third <= 3; third++) {
            int dx = p.dx * third / 3, dy = p.dy * third / 3;
            MouseMove(POINT{ start.x + dx, start.y + dy });
            EXPECT_WAIT(corner() == movedBy(dx, dy), "the frame at " << corner() << " to go to " << movedBy(dx, dy)
                        << ", the mouse " << dx << "," << dy << " from the press at " << p.x << "," << p.y);
        }
        MouseButton(false);
        ASSERT_WAIT(program.Gui().hwndCapture == NULL, "the release to end the press");
        // After the release the mouse moves alone.
        MouseMove(POINT{ start.x + p.dx + 30, start.y + p.dy + 30 });
        SyncInput(program);
        EXPECT_EQ(movedBy(p.dx, p.dy), corner()) << "the frame's corner after the press at " << p.x << "," << p.y;
        EXPECT_FALSE(IsIconic(program.Frame())) << "released off it, the minimize button does nothing";
    }
}
