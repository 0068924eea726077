#include "program.h"

#include <atomic>

Program::Program(const char *arguments) : info_(), frame_(NULL)
{
    std::string command = "\"" + ProgramPath() + "\" " + arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    if (!CreateProcessA(NULL, &command[0], NULL, NULL, FALSE, 0, NULL, NULL, &startup, &info_)) {
        ADD_FAILURE() << "cannot start " << command << ": error " << GetLastError();
        return;
    }
    bool ready = WaitFor([&] {
        std::vector<HWND> frames = ProcessWindows(Id(), FrameClass);
        frame_ = frames.empty() ? NULL : frames[0];
        return frame_ && Panel() != NULL;
    }, 10000);
    EXPECT_TRUE(ready) << "the program showed no main frame with a panel";
}

Program::~Program()
{
    if (info_.hProcess && WaitExit(0) == -1) {
        PostMessageA(frame_, WM_CLOSE, 0, 0);
        int code = WaitExit();
        EXPECT_EQ(0, code) << "the program's exit code after a close request";
        // One that will not end must not outlive its test.
        if (code == -1 && TerminateProcess(info_.hProcess, 99))
            WaitExit(5000);
    }
    CloseHandle(info_.hProcess);
    CloseHandle(info_.hThread);
}

GUITHREADINFO Program::Gui() const
{
    GUITHREADINFO gui = {};
    gui.cbSize = sizeof gui;
    GetGUIThreadInfo(info_.dwThreadId, &gui);
    return gui;
}

int Program::WaitExit(DWORD timeoutMs)
{
    DWORD code = (DWORD)-1;
    if (WaitForSingleObject(info_.hProcess, timeoutMs) == WAIT_OBJECT_0)
        GetExitCodeProcess(info_.hProcess, &code);
    return (int)code;
}

Picture LoadPicture(int id)
{
    HMODULE module = LoadLibraryExA(ProgramPath().c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(2));
    auto header = (const BITMAPINFOHEADER *)LockResource(LoadResource(module, found));
    Picture picture = PictureOfDib(header, header ? header->biHeight : 0);
    FreeLibrary(module);
    return picture;
}

// Wine hands each press and release on to the system as device input, and
// a low-level hook of the driver's own, on a thread that does nothing else,
// sees where; it sets the point before it counts.
static POINT SeenAt;
static std::atomic<long> Seen[2];   // presses, releases

static LRESULT CALLBACK MouseHook(int code, WPARAM message, LPARAM lParam)
{
    if (code == HC_ACTION && (message == WM_LBUTTONDOWN || message == WM_LBUTTONUP)) {
        SeenAt = ((const MSLLHOOKSTRUCT *)lParam)->pt;
        Seen[message == WM_LBUTTONUP]++;
    }
    return CallNextHookEx(NULL, code, message, lParam);
}

static DWORD WINAPI HookThread(void *ready)
{
    SetWindowsHookExA(WH_MOUSE_LL, MouseHook, GetModuleHandleA(NULL), 0);
    MSG msg;
    PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE);
    SetEvent((HANDLE)ready);
    while (GetMessageA(&msg, NULL, 0, 0) > 0)
        DispatchMessageA(&msg);
    return 0;
}

// The mouse is moved and pressed through the X server, as a person's is.
// A move that SendInput makes under Wine also warps the X pointer, and the
// X server answers the warp with motion events that the program's process
// hands back late, after a later move: the cursor jumps back and the next
// press lands there. Through XTest every mouse event has one source and one
// order. A host program of ours, beside the driver, makes each event; the
// next is asked for once this one has been seen to arrive.
static void Tell(const std::string &command)
{
    static bool hooked = [] {
        HANDLE ready = CreateEventA(NULL, TRUE, FALSE, NULL);
        CloseHandle(CreateThread(NULL, 0, HookThread, ready, 0, NULL));
        return WaitForSingleObject(ready, 10000) == WAIT_OBJECT_0;
    }();
    ASSERT_TRUE(hooked) << "the driver's mouse hook was never set";
    std::string path = BesideTests("x_devices"), line = path + " " + command;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};   // which Wine leaves empty for a host program
    ASSERT_TRUE(CreateProcessA(path.c_str(), &line[0], NULL, NULL, FALSE, DETACHED_PROCESS, NULL, NULL, &startup,
                               &info)) << "cannot start " << line << ": error " << GetLastError();
}

// A screen point as the window under it sees it: its class, and the point
// in its client coordinates.
static std::string Place(POINT p)
{
    HWND w = WindowFromPoint(p);
    if (w)
        ScreenToClient(w, &p);
    return (w ? ClassName(w) + " at (" : "no window at (") + std::to_string(p.x) + ", " + std::to_string(p.y) + ")";
}

static POINT Aimed;

void MouseMove(POINT to)
{
    Aimed = to;
    Tell("move " + std::to_string(to.x) + " " + std::to_string(to.y));
    // The program's process hands the move on to the system in its own time.
    POINT p = {};
    bool there = WaitFor([&] { return GetCursorPos(&p) && p.x == to.x && p.y == to.y; });
    EXPECT_TRUE(there) << "the move to " << Place(to) << " left the cursor at " << Place(p);
}

void MouseButton(bool down)
{
    const char *what = down ? "press" : "release";
    long before = Seen[!down];
    Tell(std::string("button 1 ") + (down ? "1" : "0"));
    // Seen by the hook, it is in the system's queue before anything sent later.
    ASSERT_TRUE(WaitFor([&] { return Seen[!down] != before; }))
        << "the " << what << " aimed at " << Place(Aimed) << " never reached the system";
    EXPECT_TRUE(SeenAt.x == Aimed.x && SeenAt.y == Aimed.y)
        << "the " << what << " aimed at " << Place(Aimed) << " reached " << Place(SeenAt);
}

void MouseClick(POINT at)
{
    MouseMove(at);
    MouseButton(true);
    MouseButton(false);
}

void TypeKeys(const char *text)
{
    for (const char *c = text; *c; c++) {
        SHORT vk = VkKeyScanA(*c);
        vk & 0x100 ? PressKeys({ VK_SHIFT, LOBYTE(vk) }) : PressKeys({ LOBYTE(vk) });
    }
}

void PressKeys(std::initializer_list<WORD> keys)
{
    for (bool up : { false, true })
        for (size_t i = 0; i < keys.size(); i++) {
            INPUT in = { INPUT_KEYBOARD, {} };
            in.ki.wVk = keys.begin()[up ? keys.size() - 1 - i : i];
            in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
            SendInput(1, &in, sizeof in);
        }
}

// Input is handled in order: once a press on the minimize button has taken
// the capture, everything sent before it has been handled. Released off the
// button, the press does nothing else.
void SyncInput(Program &program)
{
    HWND minimize = program.TitleButton(MinimizeButton);
    POINT p = CentreOf(minimize);
    MouseMove(p);
    MouseButton(true);
    ASSERT_WAIT(program.Gui().hwndCapture == minimize, "the minimize button to take the press");
    MouseMove(POINT{ p.x - 150, p.y + 150 });
    MouseButton(false);
    ASSERT_WAIT(program.Gui().hwndCapture == NULL, "the minimize button to let go");
}

POINT ScreenPoint(HWND window, int x, int y)
{
    POINT p = { x, y };
    ClientToScreen(window, &p);
    return p;
}

POINT CentreOf(HWND window)
{
    RECT r;
    GetClientRect(window, &r);
    return ScreenPoint(window, r.right / 2, r.bottom / 2);
}
