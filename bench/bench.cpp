// The bench's in-process half: the program's own code, linked in as the
// in-process tests link it, each figure beside a floor. Prints raw samples,
// "figure,side,value": bench presses N | swaps N FACTS (N of each kind and
// of its floor, in turns) | memory program|floor|bare FACTS | facts FACTS
// (writes the floors' facts) | keep (a window never shown, which keeps
// Wine's desktop process up; says "ready" once it is made).
#include "harness.h"
#include "ombex.h"
#include "resource.h"

#include <psapi.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

extern "C" {
HWND BarePopup(HINSTANCE instance, int showCommand);
int FloorRead(const char *file);
HWND FloorStart(HINSTANCE instance, int showCommand);
HWND FloorPanel(int which, HWND frame);
extern HWND FloorFocus;
}

static double NowMs()
{
    LARGE_INTEGER t, frequency;
    QueryPerformanceCounter(&t), QueryPerformanceFrequency(&frequency);
    return (double)t.QuadPart * 1000.0 / (double)frequency.QuadPart;
}

static void Fail(const std::string &what)
{
    fprintf(stderr, "bench: %s\n", what.c_str());
    fflush(stdout);
    ExitProcess(2);
}

// Runs what a click left queued, paints included, as the message loop
// would; the quit message a retired panel may post is dropped.
static void Settle()
{
    PumpMessages();
    TakeQuit(NULL);
    GdiFlush();
}

static void Click(HWND button)
{
    SendMessageA(button, BM_CLICK, 0, 0);
    Settle();
}

// COUNT of each side in blocks of ten, the two taking turns, the other side
// first in each block; after a warm-up that is not reported.
static void InTurns(const char *figure, int count, double (*measure)(bool floor))
{
    for (int i = 0; i < 20; i++)
        measure(i % 2);
    for (int i = 0; i < 2 * count; i++) {
        bool floor = (i / 10 + i / 20) % 2;
        printf("%s,%s,%.4f\n", figure, floor ? "floor" : "program", measure(floor));
    }
}

static void Start()
{
    if (!StartUp(GetModuleHandleA(NULL), SW_SHOWNORMAL))
        Fail("the program did not start");
    Settle();
}

enum PressKind { CALCULATOR, CONVERTER_SINGLE, CONVERTER_PAIRED, PRESS_KINDS };

// What each press shows in the result box and the second box (empty when
// hidden); the floor writes the same.
static const struct { const char *figure, *result, *second; } Shown[PRESS_KINDS] = {
    { "press_calculator", "60", "" },
    { "press_converter_single", "212", "" },
    { "press_converter_paired", "212", "37.78" },
};

static PressKind Kind;
static bool FloorTurn;
static WNDPROC PanelProc;      // the program's own, under the bench's subclass

struct PressBoxes { HWND panel, calculate, first, second, result, secondResult; };

static PressBoxes Boxes()
{
    if (Kind == CALCULATOR)
        return { App.firstCalculatorPanel, App.calculatorCalculateButton, App.calculatorFirstEdit,
                 App.calculatorSecondEdit, App.calculatorResultEdit, NULL };
    return { App.converterPanel, App.converterCalculateButton, App.converterValueEdit, NULL,
             App.converterResultEdit, App.converterSecondResultEdit };
}

// A box read as the program reads one: its length, a block, the text.
static void ReadText(HWND box)
{
    int length = GetWindowTextLengthA(box);
    HGLOBAL block = GlobalAlloc(GPTR, length + 1);
    GetWindowTextA(box, (char *)block, length + 1);
    GlobalFree(block);
}

// The press floor: on the program's own panel and boxes, the platform calls
// that its press makes, in its order, without its logic: no rule checked,
// no number read or formatted.
static void FloorPress(const PressBoxes &b)
{
    bool converter = Kind != CALCULATOR, paired = Kind == CONVERTER_PAIRED;
    if (converter)
        ShowWindow(b.secondResult, SW_HIDE);
    SetWindowTextA(b.result, converter ? NULL : "");
    HDC dc = GetDC(b.panel);
    RedrawWindow(b.panel, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    ReadText(b.first);
    for (int id = IDC_CELSIUS_TO_FAHRENHEIT; converter && id <= IDC_MILES_TO_METRES; id++)
        IsDlgButtonChecked(b.panel, id);
    if (!converter)
        ReadText(b.second);
    if (paired)
        ShowWindow(b.secondResult, SW_SHOW);
    SetWindowTextA(b.result, Shown[Kind].result);
    if (paired) {
        SetWindowTextA(b.secondResult, Shown[Kind].second);
        for (HWND box : { b.result, b.secondResult }) {   // a unit label on each box's row, to its left
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, RGB(185, 39, 233));
            TextOutA(dc, ChildRect(box).left - 28, ChildRect(box).top + 5, "\xB0" "C=", 3);
        }
    }
    ReleaseDC(b.panel, dc);
}

// Both sides' presses pass through here, so that the subclass costs both
// alike; on the floor's turn the floor answers the Calculate button.
static LRESULT CALLBACK TimedPanelProc(HWND panel, UINT message, WPARAM wParam, LPARAM lParam)
{
    PressBoxes b = Boxes();
    if (!FloorTurn || message != WM_COMMAND || (HWND)lParam != b.calculate)
        return CallWindowProcA(PanelProc, panel, message, wParam, lParam);
    FloorPress(b);
    return 0;
}

static double Press(bool floor)
{
    PressBoxes b = Boxes();
    FloorTurn = floor;
    double t0 = NowMs();
    Click(b.calculate);
    double t = NowMs() - t0;
    std::string second = b.secondResult && IsWindowVisible(b.secondResult) ? WindowText(b.secondResult) : "";
    if (WindowText(b.result) != Shown[Kind].result || second != Shown[Kind].second)
        Fail(std::string(floor ? "the floor's " : "the program's ") + Shown[Kind].figure + " showed '" +
             WindowText(b.result) + "' '" + second + "', not '" + Shown[Kind].result + "' '" + Shown[Kind].second + "'");
    return t;
}

static void PressesOfKind(PressKind kind, int presses)
{
    Kind = kind;
    PanelProc = (WNDPROC)SetWindowLongPtrA(Boxes().panel, GWLP_WNDPROC, (LONG_PTR)TimedPanelProc);
    InTurns(Shown[kind].figure, presses, Press);
    SetWindowLongPtrA(Boxes().panel, GWLP_WNDPROC, (LONG_PTR)PanelProc);
}

static void Presses(int presses)
{
    Start();
    SetWindowTextA(App.calculatorFirstEdit, "12");
    SetWindowTextA(App.calculatorSecondEdit, "5");
    Click(GetDlgItem(App.firstCalculatorPanel, IDC_MULTIPLY));
    PressesOfKind(CALCULATOR, presses);
    // 100 degrees, Celsius alone, then both ways: a paired result.
    Click(App.calculatorSwitchButton);
    if (!App.converterPanel || !IsWindowVisible(App.converterPanel))
        Fail("the switch showed no converter");
    SetWindowTextA(App.converterValueEdit, "100");
    Click(GetDlgItem(App.converterPanel, IDC_CELSIUS_TO_FAHRENHEIT));
    PressesOfKind(CONVERTER_SINGLE, presses);
    Click(GetDlgItem(App.converterPanel, IDC_FAHRENHEIT_TO_CELSIUS));
    PressesOfKind(CONVERTER_PAIRED, presses);
}

// The bitmap resource that holds the same picture, or 0: how the facts
// name the pictures that the program's windows were given.
struct Search { std::string bits; INT_PTR found; };

static std::string Bits(HBITMAP picture)
{
    BITMAP b = {};
    if (!picture || !GetObjectA(picture, sizeof b, &b))
        return "";
    std::string bits(b.bmWidthBytes * b.bmHeight + 8, '\0');
    memcpy(&bits[0], &b.bmWidth, 8);
    GetBitmapBits(picture, bits.size() - 8, &bits[8]);
    return bits;
}

static BOOL CALLBACK SamePicture(HMODULE module, LPCSTR, LPSTR name, LONG_PTR search)
{
    Search *s = (Search *)search;
    HBITMAP candidate = LoadBitmapA(module, name);
    if (Bits(candidate) == s->bits)
        s->found = (INT_PTR)name;
    DeleteObject(candidate);
    return !s->found;
}

static int PictureResource(HBITMAP picture)
{
    Search search = { Bits(picture), 0 };
    if (!search.bits.empty())
        EnumResourceNamesA(NULL, (LPCSTR)RT_BITMAP, SamePicture, (LONG_PTR)&search);
    return (int)search.found;
}

// One line of facts for WINDOW, then one for each window below it, for the
// floors to make the same; PARENT is its parent's line, LINES the count.
static void Record(FILE *facts, HWND window, int parent, int &lines)
{
    // The program's own classes are those with a picture for background.
    LOGBRUSH pattern = {};
    GetObjectA((HBRUSH)GetClassLongPtrA(window, GCLP_HBRBACKGROUND), sizeof pattern, &pattern);
    bool own = pattern.lbStyle == BS_PATTERN;
    HBITMAP picture = own ? (HBITMAP)pattern.lbHatch : (HBITMAP)SendMessageA(window, BM_GETIMAGE, IMAGE_BITMAP, 0);
    RECT r = ChildRect(window);
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    std::vector<DWORD> data(GetWindowRgn(window, region) == ERROR ? 0 : GetRegionData(region, 0, NULL) / 4);
    GetRegionData(region, data.size() * 4, (RGNDATA *)data.data());
    DeleteObject(region);
    fprintf(facts, "%d %d %d %d %d %lu %lu %lu %ld %ld %ld %ld %u", parent, own, parent < 0 ? 0 : GetDlgCtrlID(window),
            PictureResource(picture), GetFocus() == window, GetClassLongA(window, GCL_STYLE),
            GetWindowLongA(window, GWL_STYLE), GetWindowLongA(window, GWL_EXSTYLE), r.left, r.top,
            r.right - r.left, r.bottom - r.top, (unsigned)data.size());
    for (DWORD d : data)
        fprintf(facts, " %lu", d);
    fprintf(facts, " %s%s|%s\n", own ? "Floor" : "", ClassName(window).c_str(), WindowText(window).c_str());
    int line = lines++;
    for (HWND child : Children(window))
        Record(facts, child, line, lines);
}

// The facts of the frame and its calculator, then of the converter, each
// as a round trip leaves it (with the keyboard on its first box).
static void Facts(const char *file)
{
    FILE *facts = fopen(file, "w");
    int lines = 0;
    Start();
    Click(App.calculatorSwitchButton);
    Click(App.converterSwitchButton);
    if (!facts)
        Fail(std::string("cannot write ") + file);
    Record(facts, App.mainFrame, -1, lines);
    Click(App.calculatorSwitchButton);
    Record(facts, App.converterPanel, 0, lines);
    if (fclose(facts))
        Fail(std::string("cannot write ") + file);
}

// The swap floor: the same-work floor's frame beside the program's, whose
// panels are made, shown and destroyed as the program's are.
static HWND FloorFrame, FloorShown;

static void RoundTripFloor()
{
    HWND converter = FloorPanel(1, FloorFrame), hidden = FloorShown;
    ShowWindow(hidden, SW_HIDE);
    ShowWindow(converter, SW_SHOW);
    SetFocus(FloorFocus);
    Settle();
    FloorShown = FloorPanel(0, FloorFrame);
    HWND focus = FloorFocus;
    DestroyWindow(converter);
    ShowWindow(FloorShown, SW_SHOW);
    UpdateWindow(FloorShown);
    SetFocus(focus);
    DestroyWindow(hidden);
    Settle();
}

// Calculator to converter, painted; back to a fresh calculator, painted;
// the hidden calculator goes.
static double RoundTrip(bool floor)
{
    double t0 = NowMs();
    if (floor) {
        RoundTripFloor();
    } else {
        Click(App.calculatorSwitchButton);
        Click(App.converterSwitchButton);
    }
    return NowMs() - t0;
}

static void Swaps(int roundTrips, const char *facts)
{
    Start();
    if (!FloorRead(facts) || !(FloorShown = FloorStart(GetModuleHandleA(NULL), SW_SHOWNORMAL)))
        Fail(std::string("the floor did not start from ") + facts);
    FloorFrame = GetParent(FloorShown);
    SetWindowPos(FloorFrame, NULL, FRAME_SIZE + 10, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    InTurns("swap", roundTrips, RoundTrip);
    // Three title buttons and the calculator: no panel left behind.
    if (Children(App.mainFrame).size() != 4 || Children(FloorFrame).size() != 4)
        Fail("a round trip left a panel behind");
}

// After the start-up of SIDE: the program's, the same-work floor's or the
// bare popup's.
static void Memory(const std::string &side, const char *facts)
{
    HINSTANCE instance = GetModuleHandleA(NULL);
    if (side == "program")
        Start();
    else if (side == "floor" ? !FloorRead(facts) || !FloorStart(instance, SW_SHOWNORMAL) : !BarePopup(instance, SW_SHOWNORMAL))
        Fail("the " + side + " did not start");
    Settle();
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(GetCurrentProcess(), (PROCESS_MEMORY_COUNTERS *)&counters, sizeof counters))
        Fail("GetProcessMemoryInfo failed");
    // Wine 8 leaves PrivateUsage at 0 and gives the private commit in
    // PagefileUsage, which Windows defines as the same.
    printf("memory,%s,%.4f\n", side.c_str(),
           (counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage) / 1048576.0);
}

static void Keep()
{
    if (!CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, NULL, NULL, GetModuleHandleA(NULL), NULL))
        Fail("the keeper made no window");
    puts("ready");
    fflush(stdout);
    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0) > 0)
        DispatchMessageA(&msg);
}

int main(int argc, char **argv)
{
    std::string mode = argc > 1 ? argv[1] : "";
    int count = argc > 2 ? atoi(argv[2]) : 0;
    if (mode == "memory" && argc > 3)
        Memory(argv[2], argv[3]);
    else if (mode == "facts" && argc > 2)
        Facts(argv[2]);
    else if (mode == "keep")
        Keep();
    else if (count > 0 && (mode == "presses" || (mode == "swaps" && argc > 3)))
        mode == "presses" ? Presses(count) : Swaps(count, argv[3]);
    else
        Fail("usage: bench presses N | swaps N FACTS | memory program|floor|bare FACTS | facts FACTS | keep");
    return fflush(stdout);
}
