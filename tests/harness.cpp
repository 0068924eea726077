#include "harness.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <algorithm>

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
    bool taken = PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE) != 0;
    if (taken && code)
        *code = (int)msg.wParam;
    return taken;
}

std::string BesideTests(const char *name)
{
    char path[MAX_PATH];
    std::string self(path, GetModuleFileNameA(NULL, path, sizeof path));
    return self.substr(0, self.find_last_of("\\/") + 1) + name;
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

int CountChildren(HWND parent, const char *className)
{
    std::vector<HWND> all = Children(parent);
    return (int)std::count_if(all.begin(), all.end(), [&](HWND w) { return ClassName(w) == className; });
}

HWND ShownPanel(HWND frame)
{
    for (HWND w : Children(frame)) {
        std::string name = ClassName(w);
        if ((name == CalculatorClass || name == ConverterClass) && IsWindowVisible(w))
            return w;
    }
    return NULL;
}

HWND FindControl(HWND parent, const ControlRow &row)
{
    for (HWND w : Children(parent)) {
        RECT r = ChildRect(w);
        if (ClassName(w) == row.className && r.left == row.x && r.top == row.y)
            return w;
    }
    return NULL;
}

::testing::AssertionResult MadeAs(HWND w, const ControlRow &row)
{
    // The platform keeps WS_EX_WINDOWEDGE only on a window with a dialog
    // frame or a sizing border, and adds WS_CLIPSIBLINGS to some children.
    DWORD exStyle = row.exStyle;
    if (!(row.style & (WS_DLGFRAME | WS_THICKFRAME)))
        exStyle &= ~WS_EX_WINDOWEDGE;
    RECT r = ChildRect(w);
    auto format = [](const char *pattern, long a, long b = 0, long c = 0, long d = 0) {
        char text[48];
        snprintf(text, sizeof text, pattern, a, b, c, d);
        return std::string(text);
    };
    const char *place = "%ld,%ld %ld x %ld", *hex = "0x%08lX";
    const struct { const char *what; std::string seen, wanted; } fields[] = {
        { "class", ClassName(w), row.className },
        { "text", WindowText(w), row.text },
        { "place", format(place, r.left, r.top, r.right - r.left, r.bottom - r.top),
          format(place, row.x, row.y, row.width, row.height) },
        { "style", format(hex, GetWindowLongA(w, GWL_STYLE) & ~WS_CLIPSIBLINGS), format(hex, (long)row.style) },
        { "extended style", format(hex, GetWindowLongA(w, GWL_EXSTYLE)), format(hex, (long)exStyle) },
        { "identifier", std::to_string(GetDlgCtrlID(w)), std::to_string(row.id) },
    };
    for (auto &f : fields)
        if (f.seen != f.wanted)
            return ::testing::AssertionFailure() << "the control \"" << row.text << "\" at " << row.x << "," << row.y
                                                 << " has " << f.what << " " << f.seen << ", not " << f.wanted;
    return ::testing::AssertionSuccess();
}

// A region as far as it lies on a panel's window: beyond it, nothing shows.
static HRGN OnPanelWindow(HRGN region)
{
    HRGN window = CreateRectRgn(0, 0, FrameSize, FrameSize);
    CombineRgn(region, region, window, RGN_AND);
    DeleteObject(window);
    return region;
}

static HRGN RoundedPanelRegion()
{
    return OnPanelWindow(CreateRoundRectRgn(PanelRegion.left, PanelRegion.top, PanelRegion.right, PanelRegion.bottom,
                                            PanelCorner, PanelCorner));
}

::testing::AssertionResult ClippedToPanelRegion(HWND panel)
{
    HRGN region = CreateRectRgn(0, 0, 0, 0), wanted = RoundedPanelRegion();
    bool clipped = GetWindowRgn(panel, region) != ERROR && EqualRgn(OnPanelWindow(region), wanted);
    DeleteObject(region);
    DeleteObject(wanted);
    if (clipped)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the panel's window region is not its rounded rectangle";
}

HRGN PanelRegionInFrame()
{
    HRGN region = RoundedPanelRegion();
    OffsetRgn(region, PanelX, PanelY);
    return region;
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

BITMAPINFO TopDownHeader(int width, int height)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    return info;
}

std::vector<COLORREF> Capture(HWND window, RECT area)
{
    int width = area.right - area.left, height = area.bottom - area.top;
    HDC dc = GetDC(window), memory = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, dc, area.left, area.top, SRCCOPY);
    SelectObject(memory, old);
    std::vector<COLORREF> pixels = PictureOfBitmap(bitmap).pixels;
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

::testing::AssertionResult OneBox(const std::vector<SeenBox> &boxes, const BoxFact &box, HWND owner)
{
    if (boxes.size() != 1)
        return ::testing::AssertionFailure() << boxes.size() << " boxes, not one \"" << box.caption << "\"";
    const SeenBox &seen = boxes[0];
    if (seen.caption != box.caption || seen.text != box.text || seen.icon != box.icon)
        return ::testing::AssertionFailure() << "a box \"" << seen.caption << "\": \"" << seen.text << "\" with icon \""
                                             << seen.icon << "\", not \"" << box.caption << "\": \"" << box.text
                                             << "\" with icon \"" << box.icon << "\"";
    if (seen.buttons != std::vector<std::string>{ "OK" })
        return ::testing::AssertionFailure() << "the box \"" << box.caption << "\" has " << seen.buttons.size()
                                             << " buttons, not one \"OK\"";
    if (seen.owner != owner || (owner && !seen.ownerDisabled))
        return ::testing::AssertionFailure() << "the box \"" << box.caption << "\" is owned by " << seen.owner
                                             << (seen.ownerDisabled ? "" : " (left enabled)") << ", not by " << owner;
    return ::testing::AssertionSuccess();
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
    return panelClass == ConverterClass ? ConverterLabels : CalculatorLabels;
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
    if (!header || header->biBitCount != 32)
        return Picture();
    Picture picture = { header->biWidth, rows, {}, {} };
    for (int y = 0; y < rows; y++)
        for (int x = 0; x < picture.width; x++) {
            const BYTE *p = (const BYTE *)header + header->biSize + ((rows - 1 - y) * picture.width + x) * 4;
            picture.pixels.push_back(RGB(p[2], p[1], p[0]));
            picture.alpha.push_back(p[3]);
        }
    return picture;
}

Picture PictureOfBitmap(HBITMAP bitmap)
{
    BITMAP size = {};
    GetObjectA(bitmap, sizeof size, &size);   // which leaves 0 x 0 for no bitmap
    BITMAPINFO info = TopDownHeader(size.bmWidth, size.bmHeight);
    std::vector<BYTE> bits(size.bmWidth * size.bmHeight * 4);
    HDC dc = GetDC(NULL);
    GetDIBits(dc, bitmap, 0, size.bmHeight, bits.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(NULL, dc);
    Picture picture = { size.bmWidth, size.bmHeight, {}, {} };
    for (size_t i = 0; i < bits.size(); i += 4)
        picture.pixels.push_back(RGB(bits[i + 2], bits[i + 1], bits[i]));
    return picture;
}

Picture PictureOfCursor(HCURSOR cursor)
{
    ICONINFO info = {};
    GetIconInfo(cursor, &info);   // which leaves no bitmaps if it fails
    Picture picture = PictureOfBitmap(info.hbmColor);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return picture;
}

::testing::AssertionResult ShowsItsRole(int number, const Picture &picture, POINT origin)
{
    for (auto &role : Roles) {
        if (role.number != number)
            continue;
        for (const Probe &probe : role.probes)
            for (POINT p : probe.at) {
                const int x = origin.x + p.x, y = origin.y + p.y;
                const bool inside = x >= 0 && y >= 0 && x < picture.width && y < picture.height;
                const COLORREF c = inside ? picture.At(x, y) : 0;
                if (!inside || !Hues[probe.hue].is(GetRValue(c), GetGValue(c), GetBValue(c)))
                    return ::testing::AssertionFailure() << "resource " << number << " should show " << role.role
                           << ", but its pixel (" << p.x << ", " << p.y << ") is "
                           << (inside ? Rgb(c) + ", not " + Hues[probe.hue].name : "outside the picture");
            }
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "no role is known for resource " << number;
}
