// Sockets first: windows.h would bring the older ones.
#include <winsock2.h>

#include "program.h"

#include <string>

Program::Program(const char *arguments) : info_(), frame_(NULL)
{
    std::string command = "\"" + ProgramPath() + "\" " + arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    if (!CreateProcessA(NULL, &command[0], NULL, NULL, FALSE, 0, NULL, NULL, &startup, &info_)) {
        ADD_FAILURE() << "cannot start " << command << ": error " << GetLastError();
        return;
    }
    // Ready once the frame shows a visible panel.
    WaitFor([&] {
        std::vector<HWND> frames = ProcessWindows(Id(), FrameClass);
        frame_ = frames.empty() ? NULL : frames[0];
        return frame_ && Panel() != NULL;
    }, 10000);
    if (!frame_ || !Panel())
        ADD_FAILURE() << "the program showed no main frame with a panel";
}

Program::~Program()
{
    if (!info_.hProcess)
        return;
    if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
        PostMessageA(frame_, WM_CLOSE, 0, 0);
        EXPECT_EQ(0, WaitExit()) << "the program's exit code after a close request";
    }
    if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(info_.hProcess, 99);
        WaitForSingleObject(info_.hProcess, 5000);
    }
    CloseHandle(info_.hProcess);
    CloseHandle(info_.hThread);
}

static GUITHREADINFO GuiOf(DWORD thread)
{
    GUITHREADINFO gui = {};
    gui.cbSize = sizeof gui;
    GetGUIThreadInfo(thread, &gui);
    return gui;
}

HWND Program::Capture() const
{
    return GuiOf(info_.dwThreadId).hwndCapture;
}

HWND Program::Focus() const
{
    return GuiOf(info_.dwThreadId).hwndFocus;
}

int Program::WaitExit(DWORD timeoutMs)
{
    if (WaitForSingleObject(info_.hProcess, timeoutMs) != WAIT_OBJECT_0)
        return -1;
    DWORD code = 0;
    GetExitCodeProcess(info_.hProcess, &code);
    return (int)code;
}

Picture LoadPicture(int id)
{
    HMODULE module = LoadLibraryExA(ProgramPath().c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
    HRSRC found = module ? FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(2)) : NULL;
    const BITMAPINFOHEADER *header =
        found ? (const BITMAPINFOHEADER *)LockResource(LoadResource(module, found)) : NULL;
    Picture picture = PictureOfDib(header, header ? header->biHeight : 0);
    if (module)
        FreeLibrary(module);
    return picture;
}

static void Send(INPUT input)
{
    SendInput(1, &input, sizeof input);
}

// The mouse is moved and pressed through the X server, as a person's is.
// A move that SendInput makes under Wine also warps the X pointer, and the
// X server answers the warp with motion events that the program's process
// hands back late, after a later move: the cursor jumps back and the next
// press lands there. Through XTest every mouse event has one source and one
// order. A host program of ours, beside the driver, speaks XTest for it.
static SOCKET Devices = INVALID_SOCKET;

// Starts x_devices, from the driver's own folder, and waits until it has
// connected back on the loopback address.
static bool StartDevices()
{
    if (Devices != INVALID_SOCKET)
        return true;
    WSADATA winsock;
    WSAStartup(MAKEWORD(2, 2), &winsock);
    SOCKET listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in at = {};
    at.sin_family = AF_INET;
    at.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int size = sizeof at;
    bind(listener, (sockaddr *)&at, sizeof at);
    listen(listener, 1);
    getsockname(listener, (sockaddr *)&at, &size);
    std::string path = BesideTests("x_devices");
    std::string command = path + " " + std::to_string(ntohs(at.sin_port));
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    // Wine runs a host program by forking it, and hands back no handles.
    if (CreateProcessA(path.c_str(), &command[0], NULL, NULL, FALSE, DETACHED_PROCESS, NULL, NULL,
                       &startup, &info)) {
        fd_set ready;
        FD_ZERO(&ready);
        FD_SET(listener, &ready);
        timeval wait = { 10, 0 };
        if (select(0, &ready, NULL, NULL, &wait) == 1)
            Devices = accept(listener, NULL, NULL);
    }
    closesocket(listener);
    EXPECT_NE(INVALID_SOCKET, Devices) << path << " did not start and connect within 10 s";
    return Devices != INVALID_SOCKET;
}

// Hands one command to the X server and waits until it has been handled.
static void Tell(const std::string &command)
{
    ASSERT_TRUE(StartDevices());
    std::string line = command + "\n", answer;
    send(Devices, line.data(), (int)line.size(), 0);
    char c;
    while (recv(Devices, &c, 1, 0) == 1 && c != '\n')
        answer += c;
    ASSERT_EQ("ok", answer) << "x_devices, told to " << command;
}

// Wine hands each press on to the system as device input, and a low-level
// hook of the driver's own, on a thread that does nothing else, sees where.
namespace {
struct SeenPresses {
    CRITICAL_SECTION lock;
    LONG count[WM_MOUSEWHEEL - WM_MOUSEFIRST];   // by message
    POINT at;                                    // the last one's point
};
SeenPresses Seen;
}

static LRESULT CALLBACK MouseHook(int code, WPARAM message, LPARAM lParam)
{
    if (code == HC_ACTION && message > WM_MOUSEMOVE && message < WM_MOUSEWHEEL) {
        EnterCriticalSection(&Seen.lock);
        Seen.count[message - WM_MOUSEFIRST]++;
        Seen.at = ((const MSLLHOOKSTRUCT *)lParam)->pt;
        LeaveCriticalSection(&Seen.lock);
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

static void WatchPresses()
{
    static bool watching;
    if (watching)
        return;
    watching = true;
    InitializeCriticalSection(&Seen.lock);
    HANDLE ready = CreateEventA(NULL, TRUE, FALSE, NULL);
    CloseHandle(CreateThread(NULL, 0, HookThread, ready, 0, NULL));
    WaitForSingleObject(ready, INFINITE);
    CloseHandle(ready);
}

static std::string Describe(POINT p)
{
    return "(" + std::to_string(p.x) + ", " + std::to_string(p.y) + ")";
}

// A screen point as the window under it sees it: its class, and the point
// in its client coordinates.
static std::string Place(POINT p)
{
    HWND w = WindowFromPoint(p);
    if (!w)
        return "no window at " + Describe(p);
    POINT client = p;
    ScreenToClient(w, &client);
    return ClassName(w) + " at " + Describe(client);
}

static POINT Aimed;

void MouseMove(int x, int y)
{
    Aimed = { x, y };
    Tell("move " + std::to_string(x) + " " + std::to_string(y));
    // The program's process hands the move on to the system in its own time.
    POINT p;
    bool there = WaitFor([&] {
        GetCursorPos(&p);
        return p.x == x && p.y == y;
    }, 5000);
    EXPECT_TRUE(there) << "the move to " << Describe(Aimed) << " left the cursor at " << Describe(p);
}

void MouseButton(bool down, bool right)
{
    WatchPresses();
    UINT message = right ? (down ? WM_RBUTTONDOWN : WM_RBUTTONUP) : (down ? WM_LBUTTONDOWN : WM_LBUTTONUP);
    const char *what = right ? (down ? "right press" : "right release") : (down ? "press" : "release");
    LONG before = Seen.count[message - WM_MOUSEFIRST];
    Tell("button " + std::to_string(right ? 3 : 1) + (down ? " 1" : " 0"));
    // Seen by the hook, it is in the system's queue before anything sent later.
    bool seen = WaitFor([&] {
        EnterCriticalSection(&Seen.lock);
        bool changed = Seen.count[message - WM_MOUSEFIRST] != before;
        LeaveCriticalSection(&Seen.lock);
        return changed;
    }, 5000);
    ASSERT_TRUE(seen) << "the " << what << " aimed at " << Place(Aimed) << " never reached the system";
    EnterCriticalSection(&Seen.lock);
    POINT at = Seen.at;
    LeaveCriticalSection(&Seen.lock);
    EXPECT_TRUE(at.x == Aimed.x && at.y == Aimed.y)
        << "the " << what << " aimed at " << Place(Aimed) << " reached " << Place(at);
}

void MouseClick(int x, int y, bool right)
{
    MouseMove(x, y);
    MouseButton(true, right);
    MouseButton(false, right);
}

void TypeKeys(const char *text)
{
    for (const char *c = text; *c; c++) {
        SHORT vk = VkKeyScanA(*c);
        bool shift = (vk >> 8) & 1;
        INPUT in = {};
        in.type = INPUT_KEYBOARD;
        if (shift) {
            in.ki.wVk = VK_SHIFT;
            Send(in);
        }
        in.ki.wVk = LOBYTE(vk);
        Send(in);
        in.ki.dwFlags = KEYEVENTF_KEYUP;
        Send(in);
        if (shift) {
            in.ki.wVk = VK_SHIFT;
            Send(in);
        }
    }
}

void PressKeys(std::initializer_list<WORD> keys)
{
    for (bool up : { false, true })
        for (size_t i = 0; i < keys.size(); i++) {
            INPUT in = {};
            in.type = INPUT_KEYBOARD;
            in.ki.wVk = up ? keys.begin()[keys.size() - 1 - i] : keys.begin()[i];
            in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
            Send(in);
        }
}

// Input is handled in order: once a press on the minimize button has taken
// the capture, everything sent before it has been handled. Released off the
// button, the press does nothing else.
void SyncInput(Program &program)
{
    HWND minimize = program.TitleButton(MinimizeButton);
    POINT p = CentreOf(minimize);
    MouseMove(p.x, p.y);
    MouseButton(true);
    ASSERT_WAIT(program.Capture() == minimize, "the minimize button to take the press");
    MouseMove(p.x - 150, p.y + 150);
    MouseButton(false);
    ASSERT_WAIT(program.Capture() == NULL, "the minimize button to let go");
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
