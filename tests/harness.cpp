#include "harness.h"

#include <stdlib.h>
#include <string.h>

bool WaitFor(const std::function<bool()> &condition, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        PumpMessages();
        if (condition())
            return true;
        if (GetTickCount() - start > timeoutMs)
            return false;
        // Wake on new messages at once, otherwise look again shortly.
        MsgWaitForMultipleObjects(0, NULL, FALSE, 5, QS_ALLINPUT);
    }
}

void PumpMessages()
{
    MSG msg;
    while (PeekMessageA(&msg, NULL, 0, WM_QUIT - 1, PM_REMOVE) ||
           PeekMessageA(&msg, NULL, WM_QUIT + 1, 0xFFFFFFFF, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

bool TakeQuit(int *code)
{
    MSG msg;
    if (!PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE))
        return false;
    if (code)
        *code = (int)msg.wParam;
    return true;
}

std::string WindowText(HWND window)
{
    // Sent rather than read, so that it works on another process's controls.
    char text[1024] = "";
    DWORD_PTR result;
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, (LPARAM)text, SMTO_BLOCK, 5000, &result);
    return text;
}

std::string ClassName(HWND window)
{
    char name[256] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

RECT ChildRect(HWND child)
{
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(NULL, GetParent(child), (POINT *)&r, 2);
    return r;
}

std::vector<HWND> Children(HWND parent)
{
    std::vector<HWND> found;
    for (HWND w = GetWindow(parent, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
        found.push_back(w);
    return found;
}

int CountDescendants(HWND parent)
{
    int count = 0;
    for (HWND w : Children(parent))
        count += 1 + CountDescendants(w);
    return count;
}

std::vector<HWND> ProcessWindows(DWORD processId, const char *className)
{
    std::vector<HWND> found;
    for (HWND w = GetTopWindow(NULL); w; w = GetWindow(w, GW_HWNDNEXT)) {
        DWORD pid = 0;
        GetWindowThreadProcessId(w, &pid);
        if (pid == processId && ClassName(w) == className)
            found.push_back(w);
    }
    return found;
}

bool ColourNear(COLORREF a, COLORREF b, int tolerance)
{
    return abs(GetRValue(a) - GetRValue(b)) <= tolerance &&
           abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

std::vector<COLORREF> Capture(HWND window, RECT area)
{
    int width = area.right - area.left, height = area.bottom - area.top;
    HDC dc = GetDC(window);
    HDC memory = CreateCompatibleDC(dc);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;   // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void *bits = NULL;
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, NULL, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, dc, area.left, area.top, SRCCOPY);
    GdiFlush();
    std::vector<COLORREF> pixels(width * height);
    const BYTE *p = (const BYTE *)bits;
    for (size_t i = 0; i < pixels.size(); i++, p += 4)
        pixels[i] = RGB(p[2], p[1], p[0]);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(window, dc);
    return pixels;
}

int CountPixels(HWND window, RECT area, COLORREF colour, int tolerance)
{
    int count = 0;
    for (COLORREF c : Capture(window, area))
        count += ColourNear(c, colour, tolerance);
    return count;
}

BoxWatcher::BoxWatcher()
{
    stop_ = CreateEventA(NULL, TRUE, FALSE, NULL);
    thread_ = CreateThread(NULL, 0, Run, this, 0, NULL);
}

BoxWatcher::~BoxWatcher()
{
    Stop();
    CloseHandle(stop_);
}

std::vector<SeenBox> BoxWatcher::Stop()
{
    if (thread_) {
        SetEvent(stop_);
        WaitForSingleObject(thread_, INFINITE);
        CloseHandle(thread_);
        thread_ = NULL;
    }
    return seen_;
}

// Which of the system's message box icons a box's icon control shows.
static std::string IconName(HWND control)
{
    static const struct { LPCSTR id; const char *name; } icons[] = {
        { IDI_WARNING, "warning" }, { IDI_ERROR, "error" },
        { IDI_INFORMATION, "information" }, { IDI_QUESTION, "question" },
    };
    HICON shown = (HICON)SendMessageA(control, STM_GETICON, 0, 0);
    if (!shown)
        return "";
    // The system's icons are shared: loading one again gives the same handle.
    for (auto &i : icons)
        if (LoadIconA(NULL, i.id) == shown)
            return i.name;
    return "another";
}

DWORD WINAPI BoxWatcher::Run(void *self)
{
    BoxWatcher *watcher = (BoxWatcher *)self;
    while (WaitForSingleObject(watcher->stop_, 2) == WAIT_TIMEOUT) {
        for (HWND box : ProcessWindows(GetCurrentProcessId(), "#32770")) {
            if (!IsWindowVisible(box))
                continue;
            SeenBox seen;
            seen.caption = WindowText(box);
            seen.owner = GetWindow(box, GW_OWNER);
            seen.ownerDisabled = seen.owner && !IsWindowEnabled(seen.owner);
            // The message is the static control with the longest text; the
            // icon is a static control too.
            for (HWND child : Children(box)) {
                std::string name = ClassName(child);
                bool isIcon = (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON;
                if (name == "Static" && isIcon && IsWindowVisible(child))
                    seen.icon = IconName(child);
                else if (name == "Static" && WindowText(child).size() > seen.text.size())
                    seen.text = WindowText(child);
                else if (name == "Button" && IsWindowVisible(child))
                    seen.buttons.push_back(WindowText(child));
            }
            watcher->seen_.push_back(seen);
            PostMessageA(box, WM_COMMAND, IDOK, 0);
            // Wait until it has gone, so that it is counted once.
            for (int i = 0; i < 2500 && IsWindow(box) && IsWindowVisible(box); i++)
                Sleep(2);
        }
    }
    return 0;
}

