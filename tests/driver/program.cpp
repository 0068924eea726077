#include "program.h"

#include <string>

static std::string ProgramPath()
{
    char path[MAX_PATH];
    GetModuleFileNameA(NULL, path, sizeof path);
    std::string dir(path);
    return dir.substr(0, dir.find_last_of("\\/") + 1) + "OmbeX+.exe";
}

Program::Program(const char *arguments) : info_(), frame_(NULL)
{
    std::string command = "\"" + ProgramPath() + "\" " + arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    if (!CreateProcessA(NULL, &command[0], NULL, NULL, FALSE, 0, NULL, NULL, &startup, &info_)) {
        ADD_FAILURE() << "cannot start " << command;
        return;
    }
    // Ready once the frame shows a visible panel.
    WaitFor([&] {
        std::vector<HWND> frames = ProcessWindows(Id(), "OmbeX+");
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
        TerminateProcess(info_.hProcess, 99);
        WaitForSingleObject(info_.hProcess, 5000);
    }
    CloseHandle(info_.hProcess);
    CloseHandle(info_.hThread);
}

HWND Program::Panel() const
{
    for (HWND w : Children(frame_)) {
        std::string name = ClassName(w);
        if ((name == "Ombe" || name == "Ombex") && IsWindowVisible(w))
            return w;
    }
    return NULL;
}

HWND Program::Control(HWND parent, const char *className, int x, int y) const
{
    for (HWND w : Children(parent)) {
        RECT r = ChildRect(w);
        if (ClassName(w) == className && r.left == x && r.top == y)
            return w;
    }
    return NULL;
}

HWND Program::Capture() const
{
    GUITHREADINFO gui = {};
    gui.cbSize = sizeof gui;
    GetGUIThreadInfo(info_.dwThreadId, &gui);
    return gui.hwndCapture;
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
    Picture picture;
    HMODULE module = LoadLibraryExA(ProgramPath().c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
    HRSRC found = module ? FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(2)) : NULL;
    const BITMAPINFOHEADER *header =
        found ? (const BITMAPINFOHEADER *)LockResource(LoadResource(module, found)) : NULL;
    if (header && header->biBitCount == 32) {
        picture.width = header->biWidth;
        picture.height = header->biHeight;
        const BYTE *bits = (const BYTE *)(header + 1);
        for (int y = 0; y < picture.height; y++)
            for (int x = 0; x < picture.width; x++) {
                // Rows are stored bottom row first.
                const BYTE *p = bits + ((picture.height - 1 - y) * picture.width + x) * 4;
                picture.pixels.push_back(RGB(p[2], p[1], p[0]));
            }
    }
    if (module)
        FreeLibrary(module);
    return picture;
}

std::vector<COLORREF> Screenshot(RECT area)
{
    return Capture(NULL, area);
}

static void Send(INPUT input)
{
    SendInput(1, &input, sizeof input);
}

void MouseMove(int x, int y)
{
    INPUT in = {};
    in.type = INPUT_MOUSE;
    in.mi.dx = (x * 65536 + GetSystemMetrics(SM_CXSCREEN) - 1) / GetSystemMetrics(SM_CXSCREEN);
    in.mi.dy = (y * 65536 + GetSystemMetrics(SM_CYSCREEN) - 1) / GetSystemMetrics(SM_CYSCREEN);
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    Send(in);
    // The input is queued: wait until the system has the cursor there.
    WaitFor([&] {
        POINT p;
        GetCursorPos(&p);
        return p.x == x && p.y == y;
    }, 2000);
}

void MouseButton(bool down, bool right)
{
    INPUT in = {};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = right ? (down ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_RIGHTUP)
                          : (down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP);
    Send(in);
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
    HWND minimize = program.Control(program.Frame(), "Button", 292, 7);
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
