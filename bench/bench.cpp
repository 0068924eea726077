// The program's own code, linked as the in-process tests link it, beside the
// floors (floor.c). Prints samples, "figure,side,value": bench presses N |
// swaps N FACTS (N of each kind and of its floor, in turns) | memory
// program|floor|bare FACTS | keep FACTS (writes the floors' facts, "ready").
#include "harness.h"
#include "ombex.h"
#include "resource.h"
#include <psapi.h>
#include <stdio.h>
#include <stdlib.h>

extern "C" HWND BarePopup(HINSTANCE instance, int showCommand), FloorStart(HINSTANCE instance, int showCommand),
    FloorPanel(int which, HWND frame), FloorFocus;
extern "C" int FloorRead(const char *file), FloorRecord(HWND window, int parent), FloorWrite(const char *file);

static double NowMs()
{
    LARGE_INTEGER t, frequency;
    QueryPerformanceCounter(&t), QueryPerformanceFrequency(&frequency);
    return (double)t.QuadPart * 1000.0 / (double)frequency.QuadPart;
}

static void Fail(const std::string &what)
{
    fprintf(stderr, "bench: %s\n", what.c_str()), fflush(stdout);
    ExitProcess(2);
}

// Runs what a click left queued, paints included; a retired panel's quit is dropped.
static void Settle()
{
    PumpMessages(), TakeQuit(NULL), GdiFlush();
}

static void Click(HWND button)
{
    SendMessageA(button, BM_CLICK, 0, 0), Settle();
}

// COUNT of each side in blocks of ten, each side first in turn, after a warm-up.
static void InTurns(const char *figure, int count, double (*measure)(bool floor))
{
    for (int i = 0; i < 20; i++)
        measure(i % 2);
    for (int i = 0; i < 2 * count; i++) {
        bool floor = (i / 10 + i / 20) % 2;
        printf("%s,%s,%.4f\n", figure, floor ? "floor" : "program", measure(floor));
    }
}

// The start-up of the program, the same-work floor or the bare popup.
static HWND Start(const std::string &side = "program", const char *facts = NULL)
{
    HINSTANCE instance = GetModuleHandleA(NULL);
    HWND shown = side == "program" ? (StartUp(instance, SW_SHOWNORMAL) ? App.firstCalculatorPanel : NULL)
                 : side == "floor" ? (FloorRead(facts) ? FloorStart(instance, SW_SHOWNORMAL) : NULL)
                 : BarePopup(instance, SW_SHOWNORMAL);
    if (!shown)
        Fail("the " + side + " did not start");
    Settle();
    return shown;
}

enum PressKind { CALCULATOR, CONVERTER_SINGLE, CONVERTER_PAIRED, PRESS_KINDS };

// What each press shows in the result box and the second box ("": hidden).
static const struct { const char *figure, *result, *second; } Shown[PRESS_KINDS] = {
    { "press_calculator", "60", "" }, { "press_converter_single", "212", "" },
    { "press_converter_paired", "212", "37.78" } };

static PressKind Kind;
static bool FloorTurn;         // whether the floor answers the Calculate button
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
// of its press, in its order, with no rule checked, no number read or made.
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

// Both sides' presses pass here, so that the subclass costs both alike.
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
        Fail(std::string(floor ? "the floor's " : "the program's ") + Shown[Kind].figure + " showed '" + WindowText(b.result)
             + "' '" + second + "', not '" + Shown[Kind].result + "' '" + Shown[Kind].second + "'");
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


static HWND FloorFrame, FloorShown;   // the swap floor's, beside the program's

// Calculator to converter, painted; back to a fresh calculator, painted; the
// hidden calculator goes. The floor's steps are the program's, in its order.
static double RoundTrip(bool floor)
{
    double t0 = NowMs();
    if (!floor) {
        Click(App.calculatorSwitchButton);
        Click(App.converterSwitchButton);
        return NowMs() - t0;
    }
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
    return NowMs() - t0;
}

static void Swaps(int roundTrips, const char *facts)
{
    Start();
    FloorFrame = GetParent(FloorShown = Start("floor", facts));
    SetWindowPos(FloorFrame, NULL, FRAME_SIZE + 10, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    InTurns("swap", roundTrips, RoundTrip);
    // Three title buttons and the calculator: no panel left behind.
    if (Children(App.mainFrame).size() != 4 || Children(FloorFrame).size() != 4)
        Fail("a round trip left a panel behind");
}

static void Memory(const std::string &side, const char *facts)
{
    Start(side, facts);
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(GetCurrentProcess(), (PROCESS_MEMORY_COUNTERS *)&counters, sizeof counters))
        Fail("GetProcessMemoryInfo failed");
    // Wine 8 leaves PrivateUsage at 0; PagefileUsage is the same private commit.
    printf("memory,%s,%.4f\n", side.c_str(),
           (counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage) / 1048576.0);
}

// The floors' facts, as a round trip leaves the program's windows; then the
// program, hidden, keeps Wine's desktop process up, as a user's is.
static void Keep(const char *facts)
{
    MSG msg;
    Start();
    RoundTrip(false);
    bool recorded = FloorRecord(App.mainFrame, -1);
    Click(App.calculatorSwitchButton);
    if (!recorded || !FloorRecord(App.converterPanel, 0) || !FloorWrite(facts))
        Fail(std::string("the facts did not fit or could not be written to ") + facts);
    ShowWindow(App.mainFrame, SW_HIDE);
    puts("ready"), fflush(stdout);
    while (GetMessageA(&msg, NULL, 0, 0) > 0)
        DispatchMessageA(&msg);
}

int main(int argc, char **argv)
{
    std::string mode = argc > 1 ? argv[1] : "";
    int count = argc > 2 ? atoi(argv[2]) : 0;
    if (mode == "memory" && argc > 3)
        Memory(argv[2], argv[3]);
    else if (mode == "keep" && argc > 2)
        Keep(argv[2]);
    else if (count > 0 && (mode == "presses" || (mode == "swaps" && argc > 3)))
        mode == "presses" ? Presses(count) : Swaps(count, argv[3]);
    else
        Fail("usage: bench presses N | swaps N FACTS | memory program|floor|bare FACTS | keep FACTS");
    return fflush(stdout);
}
