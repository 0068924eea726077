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

std::string Rgb(COLORREF colour)
{
    return "(" + std::to_string(GetRValue(colour)) + "," + std::to_string(GetGValue(colour)) + "," +
           std::to_string(GetBValue(colour)) + ")";
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


const std::vector<PanelText> &FixedLabels(const std::string &panelClass)
{
    static const std::vector<PanelText> calculator = {
        { "Enter 2nd Number:", 100, 110, RGB(185, 39, 233) },
        { "Result", 131, 215, RGB(255, 100, 0) },
        { "Enter 1st Number:", 100, 60, RGB(41, 126, 233) },
    };
    static const std::vector<PanelText> converter = {
        { "Enter the value:", 100, 60, RGB(41, 126, 233) },
        { "Result", 131, 215, RGB(255, 100, 0) },
    };
    return panelClass == "Ombex" ? converter : calculator;
}

void DrawTexts(HDC dc, const std::vector<PanelText> &texts)
{
    SetBkMode(dc, TRANSPARENT);
    for (const PanelText &t : texts) {
        SetTextColor(dc, t.colour);
        TextOutA(dc, t.x, t.y, t.text, lstrlenA(t.text));
    }
}

std::string TextAt(const std::vector<PanelText> &texts, POINT at)
{
    HDC dc = CreateCompatibleDC(NULL);
    std::string found;
    for (const PanelText &t : texts) {
        SIZE size;
        GetTextExtentPoint32A(dc, t.text, lstrlenA(t.text), &size);
        RECT extent = { t.x, t.y, t.x + size.cx, t.y + size.cy };
        if (PtInRect(&extent, at)) {
            found = "in \"" + std::string(t.text) + "\" at (" + std::to_string(t.x) + ", " +
                    std::to_string(t.y) + ")";
            break;
        }
    }
    DeleteDC(dc);
    return found;
}

Picture PictureOfDib(const BITMAPINFOHEADER *header, int rows)
{
    Picture picture;
    if (!header || header->biBitCount != 32)
        return picture;
    picture.width = header->biWidth;
    picture.height = rows;
    const BYTE *bits = (const BYTE *)header + header->biSize;
    for (int y = 0; y < rows; y++)
        for (int x = 0; x < picture.width; x++) {
            const BYTE *p = bits + ((rows - 1 - y) * picture.width + x) * 4;
            picture.pixels.push_back(RGB(p[2], p[1], p[0]));
        }
    return picture;
}

Picture PictureOfBitmap(HBITMAP bitmap)
{
    Picture picture;
    BITMAP size;
    if (!bitmap || !GetObjectA(bitmap, sizeof size, &size))
        return picture;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = size.bmWidth;
    info.bmiHeader.biHeight = -size.bmHeight;   // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    std::vector<BYTE> bits(size.bmWidth * size.bmHeight * 4);
    HDC dc = GetDC(NULL);
    GetDIBits(dc, bitmap, 0, size.bmHeight, bits.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(NULL, dc);
    picture.width = size.bmWidth;
    picture.height = size.bmHeight;
    for (size_t i = 0; i < bits.size(); i += 4)
        picture.pixels.push_back(RGB(bits[i + 2], bits[i + 1], bits[i]));
    return picture;
}

Picture PictureOfCursor(HCURSOR cursor)
{
    ICONINFO info = {};
    if (!cursor || !GetIconInfo(cursor, &info))
        return Picture();
    Picture picture = PictureOfBitmap(info.hbmColor);
    if (info.hbmColor)
        DeleteObject(info.hbmColor);
    if (info.hbmMask)
        DeleteObject(info.hbmMask);
    return picture;
}

Picture PictureOfScreen(HWND window, RECT area)
{
    Picture picture;
    picture.width = area.right - area.left;
    picture.height = area.bottom - area.top;
    picture.pixels = Capture(window, area);
    return picture;
}

// The colours that the skin's pictures are made of, broadly enough that
// shading and anti-aliasing stay within them.
static int Lo(int r, int g, int b) { return r < g ? (r < b ? r : b) : (g < b ? g : b); }
static int Hi(int r, int g, int b) { return r > g ? (r > b ? r : b) : (g > b ? g : b); }
enum Hue { Light, Dark, Red, Blue, Purple, Navy, Sky, Cyan, Slate, SkyLetters, PaleBlue, Grey };
static const struct {
    const char *name;
    bool (*is)(int r, int g, int b);
} Hues[] = {
    { "light", [](int r, int g, int b) { return Lo(r, g, b) >= 160 && Hi(r, g, b) - Lo(r, g, b) <= 48; } },
    { "dark", [](int r, int g, int b) { return Hi(r, g, b) < 120; } },
    { "red", [](int r, int g, int b) { return r >= 100 && r > 2 * g && r > 2 * b; } },
    { "blue", [](int r, int g, int b) { return b > r + 50 && g > r + 30; } },
    { "purple", [](int r, int g, int b) { return r > 2 * g && b > 2 * g; } },
    { "navy", [](int r, int g, int b) { return b > r + 30 && Hi(r, g, b) < 120; } },
    { "sky blue", [](int r, int g, int b) { return b >= 220 && g >= 130 && r < 100; } },
    { "light cyan", [](int r, int g, int b) { return r >= 100 && g - r >= 40 && b > g; } },
    { "slate", [](int r, int g, int b) { return r >= 100 && g - r >= 10 && g - r < 40 && b > g && b < 210; } },
    { "light sky blue", [](int r, int g, int b) { return r >= 150 && g >= 200 && b >= 240 && b - r >= 40; } },
    { "pale blue-white", [](int r, int g, int b) { return Lo(r, g, b) >= 150 && b - r >= 15; } },
    { "grey", [](int r, int g, int b) { return Lo(r, g, b) >= 150 && Hi(r, g, b) - Lo(r, g, b) <= 6; } },
};

struct Probe {
    int x, y;
    Hue hue;
};
// What each picture is for, and the places that tell it from the others:
// the title faces by tile and glyph, the switch faces by face and letters,
// the cursors by their fill, the frame and the panel by their ground.
static const struct {
    int number;
    const char *role;
    std::vector<Probe> probes;
} Roles[] = {
    { 111, "the frame: navy at the top, sky blue at the sides below and along the bottom",
      { { 8, 50, Navy }, { 322, 50, Navy }, { 80, 10, Navy }, { 250, 10, Navy },
        { 8, 200, Sky }, { 322, 200, Sky }, { 165, 325, Sky } } },
    { 112, "the close button: a red tile with a white X",
      { { 2, 2, Red }, { 7, 2, Red }, { 7, 12, Red }, { 12, 12, Red },
        { 4, 3, Light }, { 10, 3, Light }, { 7, 7, Light }, { 5, 9, Light }, { 9, 9, Light } } },
    { 115, "the minimize button: a blue tile with a white bar",
      { { 2, 2, Blue }, { 7, 3, Blue }, { 7, 11, Blue }, { 12, 12, Blue },
        { 5, 6, Light }, { 10, 6, Light }, { 7, 7, Light }, { 5, 8, Light }, { 10, 8, Light } } },
    { 117, "the About button: a purple tile with a slanted white stroke",
      { { 2, 2, Purple }, { 6, 2, Purple }, { 9, 11, Purple }, { 12, 12, Purple },
        { 8, 2, Light }, { 8, 5, Light }, { 7, 8, Light }, { 6, 11, Light } } },
    { 122, "the calculator's switch: light cyan with dark letters",
      { { 70, 9, Cyan }, { 72, 11, Cyan }, { 70, 12, Cyan },
        { 30, 12, Dark }, { 40, 9, Dark }, { 51, 9, Dark }, { 64, 9, Dark } } },
    { 123, "the converter's switch: slate with light letters",
      { { 70, 9, Slate }, { 72, 11, Slate }, { 70, 12, Slate },
        { 30, 12, SkyLetters }, { 40, 9, SkyLetters }, { 51, 9, SkyLetters }, { 64, 9, SkyLetters } } },
    { 133, "the panel's background: light",
      { { 10, 150, Light }, { 290, 150, Light }, { 150, 100, Light }, { 20, 60, Light }, { 150, 45, Light } } },
    { 105, "the drag cursor: a pale blue-white arrow",
      { { 2, 6, PaleBlue }, { 5, 8, PaleBlue }, { 2, 12, PaleBlue } } },
    { 107, "the class cursor: a grey arrow",
      { { 2, 6, Grey }, { 5, 8, Grey }, { 2, 12, Grey } } },
};

::testing::AssertionResult ShowsItsRole(int number, const Picture &picture, POINT origin)
{
    for (auto &role : Roles) {
        if (role.number != number)
            continue;
        for (const Probe &p : role.probes) {
            int x = origin.x + p.x, y = origin.y + p.y;
            if (x < 0 || y < 0 || x >= picture.width || y >= picture.height)
                return ::testing::AssertionFailure()
                       << "resource " << number << " should show " << role.role << ", but the "
                       << picture.width << " x " << picture.height << " picture has no pixel ("
                       << p.x << ", " << p.y << ")";
            COLORREF c = picture.At(x, y);
            if (!Hues[p.hue].is(GetRValue(c), GetGValue(c), GetBValue(c)))
                return ::testing::AssertionFailure()
                       << "resource " << number << " should show " << role.role << ", but its pixel ("
                       << p.x << ", " << p.y << ") is " << Rgb(c) << ", not " << Hues[p.hue].name;
        }
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "no role is known for resource " << number;
}
