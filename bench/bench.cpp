// The bench's in-process half: the program's own code, linked in as the
// in-process tests link it, each figure beside a floor. Prints raw samples,
// "figure,side,value": bench presses N | swaps N (N of each kind and of its
// floor, in turns) | memory program|floor | keep (a window never shown, which
// keeps Wine's desktop process up; says "ready" once it is made).
#include "harness.h"
#include "ombex.h"
#include "resource.h"

#include <psapi.h>
#include <stdio.h>
#include <stdlib.h>

#include <string>
#include <vector>

extern "C" HWND BarePopup(HINSTANCE instance, int showCommand);

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

// The program's start-up, or the bare popup's.
static void Start(bool floor)
{
    HINSTANCE instance = GetModuleHandleA(NULL);
    if (!(floor ? BarePopup(instance, SW_SHOWNORMAL) != NULL : StartUp(instance, SW_SHOWNORMAL)))
        Fail(floor ? "the bare popup did not start" : "the program did not start");
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
    Start(false);
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

// The swap floor: a plain popup beside the program's frame, whose panels
// are plain windows carrying controls of the classes, texts, styles and
// places read from the program's own panels: the same kind of windows,
// made, shown and destroyed through the platform alone, without skin,
// region, pictures or logic.
struct Control { std::string className, text; DWORD style, exStyle; RECT place; };

static HWND FloorFrame, FloorShown;
static std::vector<Control> FloorCalculator, FloorConverter;

static std::vector<Control> ReadControls(HWND panel)
{
    std::vector<Control> found;
    for (HWND w : Children(panel))
        found.push_back({ ClassName(w), WindowText(w), (DWORD)GetWindowLongA(w, GWL_STYLE),
                          (DWORD)GetWindowLongA(w, GWL_EXSTYLE), ChildRect(w) });
    return found;
}

static HWND FloorPanel(const std::vector<Control> &controls)
{
    HINSTANCE instance = GetModuleHandleA(NULL);
    HWND panel = CreateWindowExA(0, "BenchPanel", "", WS_CHILD, PANEL_X, PANEL_Y, FRAME_SIZE,
                                 FRAME_SIZE, FloorFrame, NULL, instance, NULL);
    for (const Control &c : controls)
        CreateWindowExA(c.exStyle, c.className.c_str(), c.text.c_str(), c.style, c.place.left, c.place.top,
                        c.place.right - c.place.left, c.place.bottom - c.place.top, panel, NULL, instance, NULL);
    return panel;
}

// Calculator to converter, painted; back to a fresh calculator, painted;
// the hidden calculator goes.
static double RoundTrip(bool floor)
{
    double t0 = NowMs();
    if (!floor) {
        Click(App.calculatorSwitchButton);
        Click(App.converterSwitchButton);
        return NowMs() - t0;
    }
    HWND converter = FloorPanel(FloorConverter), hidden = FloorShown;
    ShowWindow(hidden, SW_HIDE);
    ShowWindow(converter, SW_SHOW);
    Settle();
    FloorShown = FloorPanel(FloorCalculator);
    DestroyWindow(converter);
    ShowWindow(FloorShown, SW_SHOW);
    UpdateWindow(FloorShown);
    DestroyWindow(hidden);
    Settle();
    return NowMs() - t0;
}

static void Swaps(int roundTrips)
{
    Start(false);
    FloorCalculator = ReadControls(App.firstCalculatorPanel);
    Click(App.calculatorSwitchButton);
    FloorConverter = ReadControls(App.converterPanel);
    Click(App.converterSwitchButton);
    WNDCLASSEXA wnd = { sizeof wnd, 0, DefWindowProcA, 0, 0, GetModuleHandleA(NULL), NULL, NULL,
                        (HBRUSH)GetStockObject(WHITE_BRUSH), NULL, "BenchPanel", NULL };
    RegisterClassExA(&wnd);
    FloorFrame = CreateWindowExA(0, "BenchPanel", "", WS_POPUP | WS_VISIBLE, FRAME_SIZE + 10, 0,
                                 FRAME_SIZE, FRAME_SIZE, NULL, NULL, wnd.hInstance, NULL);
    ShowWindow(FloorShown = FloorPanel(FloorCalculator), SW_SHOW);
    InTurns("swap", roundTrips, RoundTrip);
    // Three title buttons and the calculator: no panel left behind.
    if (Children(App.mainFrame).size() != 4 || Children(FloorFrame).size() != 1)
        Fail("a round trip left a panel behind");
}

static void Memory(bool floor)
{
    Start(floor);
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(GetCurrentProcess(), (PROCESS_MEMORY_COUNTERS *)&counters, sizeof counters))
        Fail("GetProcessMemoryInfo failed");
    // Wine 8 leaves PrivateUsage at 0 and gives the private commit in
    // PagefileUsage, which Windows defines as the same.
    printf("memory,%s,%.4f\n", floor ? "floor" : "program",
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
    if (mode == "memory" && argc > 2)
        Memory(std::string(argv[2]) == "floor");
    else if (mode == "keep")
        Keep();
    else if (count > 0 && (mode == "presses" || mode == "swaps"))
        mode == "presses" ? Presses(count) : Swaps(count);
    else
        Fail("usage: bench presses N | swaps N | memory program|floor | keep");
    return fflush(stdout);
}
