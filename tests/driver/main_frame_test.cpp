// The program as another process: the roads out, the command line, and the
// drag with the real mouse.
#include "program.h"

#include <stdlib.h>
#include <string.h>

static RECT WindowRect(HWND w)
{
    RECT r;
    GetWindowRect(w, &r);
    return r;
}

// make test runs these tests with the prefix reporting each of several
// Windows versions, named by OMBEX_WINDOWS; the program started from here
// sees the same.
TEST(Program, RunsUnderTheWindowsVersionAsked)
{
    static const struct { const char *name; DWORD major, minor; } versions[] = {
        { "winxp", 5, 1 }, { "winxp64", 5, 2 }, { "win7", 6, 1 }, { "win10", 10, 0 },
    };
    const char *asked = getenv("OMBEX_WINDOWS");
    if (!asked)
        GTEST_SKIP() << "OMBEX_WINDOWS names no Windows version";
    // GetVersionEx reports less to a program without a compatibility list.
    typedef LONG(WINAPI * GetVersionCall)(RTL_OSVERSIONINFOW *);
    GetVersionCall getVersion = reinterpret_cast<GetVersionCall>(reinterpret_cast<void *>(
        GetProcAddress(GetModuleHandleA("ntdll.dll"), "RtlGetVersion")));
    ASSERT_TRUE(getVersion);
    RTL_OSVERSIONINFOW info = {};
    info.dwOSVersionInfoSize = sizeof info;
    getVersion(&info);
    for (auto &v : versions)
        if (strcmp(v.name, asked) == 0) {
            EXPECT_EQ(v.major * 100 + v.minor, info.dwMajorVersion * 100 + info.dwMinorVersion)
                << "Windows reports " << info.dwMajorVersion << "." << info.dwMinorVersion
                << ", not " << asked;
            return;
        }
    FAIL() << "no such Windows version: " << asked;
}

// Every road out ends the process with code 0 and leaves no window.
TEST(Program, EveryRoadOutEndsWithCodeZero)
{
    static const struct { const char *road; void (*take)(Program &); } roads[] = {
        { "the close title button", [](Program &p) {
              POINT close = CentreOf(p.TitleButton(CloseButton));
              MouseClick(close.x, close.y);
          } },
        { "WM_CLOSE to the main frame", [](Program &p) { PostMessageA(p.Frame(), WM_CLOSE, 0, 0); } },
        { "WM_CLOSE to the calculator panel", [](Program &p) { PostMessageA(p.Panel(), WM_CLOSE, 0, 0); } },
        { "Alt+F4 on the main frame", [](Program &p) {
              // A click on the frame's margin gives it the keyboard.
              POINT margin = ScreenPoint(p.Frame(), 5, 200);
              MouseClick(margin.x, margin.y);
              ASSERT_WAIT(GetForegroundWindow() == p.Frame(), "the frame to come to the front");
              PressKeys({ VK_MENU, VK_F4 });
          } },
    };
    for (auto &r : roads) {
        SCOPED_TRACE(r.road);
        Program program;
        DWORD id = program.Id();
        r.take(program);
        EXPECT_EQ(0, program.WaitExit());
        EXPECT_TRUE(ProcessWindows(id, FrameClass).empty());
    }
}

TEST(Program, TextOnTheCommandLineChangesNothing)
{
    struct Look { RECT frame; int windows; std::string panel; };
    auto look = [](Program &p) {
        return Look{ WindowRect(p.Frame()), CountDescendants(p.Frame()), ClassName(p.Panel()) };
    };
    Look plain;
    {
        Program program;
        plain = look(program);
    }
    for (const char *arguments : { "12 * 5", "/converter --x=1", "\"C:\\no such file.txt\"" }) {
        SCOPED_TRACE(arguments);
        Program program(arguments);
        Look seen = look(program);
        EXPECT_TRUE(EqualRect(&plain.frame, &seen.frame));
        EXPECT_EQ(plain.windows, seen.windows);
        EXPECT_EQ(plain.panel, seen.panel);
    }
}

// Presses on the exposed frame: the left margin, the top strip, the bottom.
TEST(Program, RealDragMovesTheWindowByTheMousesDisplacement)
{
    static const struct { int x, y, dx, dy; } drags[] = {
        { 5, 150, 100, 60 }, { 150, 5, -40, 25 }, { 200, 325, 37, -11 },
    };
    Program program;
    for (auto &d : drags) {
        RECT before = WindowRect(program.Frame());
        POINT start = { before.left + d.x, before.top + d.y };
        MouseMove(start.x, start.y);
        MouseButton(true);
        // The program reads the cursor when it takes the press, so a person
        // moves only once it has: when the frame holds the capture.
        ASSERT_WAIT(program.Capture() == program.Frame(), "the press to begin a drag");
        // Through several points, across the panel, to the end point.
        static const int steps[][2] = { { 1, 3 }, { 2, 3 }, { 3, 3 } };
        for (auto &step : steps) {
            int dx = d.dx * step[0] / step[1], dy = d.dy * step[0] / step[1];
            MouseMove(start.x + dx, start.y + dy);
            EXPECT_WAIT(WindowRect(program.Frame()).left == before.left + dx &&
                        WindowRect(program.Frame()).top == before.top + dy,
                        "the frame to follow the mouse to " << dx << "," << dy
                        << " from the press at " << d.x << "," << d.y);
        }
        MouseButton(false);
        ASSERT_WAIT(program.Capture() == NULL, "the release to end the drag");
        // After the release the mouse moves alone.
        RECT released = WindowRect(program.Frame());
        MouseMove(start.x + d.dx + 30, start.y + d.dy + 30);
        SyncInput(program);
        RECT after = WindowRect(program.Frame());
        EXPECT_TRUE(EqualRect(&released, &after));
    }
}

TEST(Program, PressOnATitleButtonOrThePanelMovesNothing)
{
    Program program;
    RECT before = WindowRect(program.Frame());
    HWND minimize = program.TitleButton(MinimizeButton);
    POINT places[] = { CentreOf(minimize), ScreenPoint(program.Panel(), 250, 250) };
    for (POINT p : places) {
        MouseMove(p.x, p.y);
        MouseButton(true);
        MouseMove(p.x + 60, p.y + 70);
        MouseButton(false);
        SyncInput(program);
        RECT after = WindowRect(program.Frame());
        EXPECT_TRUE(EqualRect(&before, &after));
        EXPECT_FALSE(IsIconic(program.Frame())) << "released outside, the button does nothing";
    }
}
