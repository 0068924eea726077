// The program's own code, linked as the in-process tests link it, beside the
// floors. Prints samples, "figure,side,answerer,value", the answerer being
// whose code answered: bench presses N | swaps N FACTS (N of each kind and of
// its floor, in turns) | memory program|floor|bare FACTS | keep FACTS (writes
// the floors' facts, then says "ready").
#include "floor.h"
#include "harness.h"
#include "layout.h"
#include "ombex.h"
#include "resource.h"
#include <psapi.h>
#include <stdio.h>
#include <stdlib.h>

#define WARM_UP    20
#define BLOCK      10        // samples of one side in a row
#define MEGABYTE   1048576.0
#define FLOOR_GAP  10        // between the program's frame and the swap floor's
#define UNIT_LENGTH 3        // characters in a paired result's unit label

static const char *Answered;

// Whose code made a panel, known by its class.
static const struct { const char *className, *side; } Sides[] = {
    { CALCULATOR_CLASS, "program" },
    { FLOOR_PREFIX CALCULATOR_CLASS, "floor" },
    { BARE_CLASS, "bare" },
};

static const char *Whose(HWND panel)
{
    for (const auto &side : Sides)
        if (ClassName(panel) == side.className)
            return side.side;
    return "nobody";
}

static double NowMs()
{
    LARGE_INTEGER t, frequency;
    QueryPerformanceCounter(&t);
    QueryPerformanceFrequency(&frequency);
    return (double)t.QuadPart * 1000.0 / (double)frequency.QuadPart;
}

static void Fail(const std::string &what)
{
    fflush(stdout);
    fprintf(stderr, "bench: %s\n", what.c_str());
    ExitProcess(2);
}

// A floor that does not do the program's platform work ends the run.
static void Check(const char *difference)
{
    if (difference)
        Fail(std::string("the same-work floor's ") + difference);
}

// Runs what a click left queued, paints included; a retired panel's quit is dropped.
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

// COUNT of each side in blocks, each side first in turn, after a warm-up.
static void InTurns(const char *figure, int count, double (*measure)(bool floor))
{
    for (int i = 0; i < WARM_UP; i++)
        measure(i % 2);
    for (int i = 0; i < 2 * count; i++) {
        bool floor = (i / BLOCK + i / (2 * BLOCK)) % 2;
        double ms = measure(floor);
        printf("%s,%s,%s,%.4f\n", figure, floor ? "floor" : "program", Answered, ms);
    }
}

// The start-up of the program, the same-work floor or the bare popup.
static HWND Start(const std::string &side = "program", const char *facts = NULL)
{
    HINSTANCE instance = GetModuleHandleA(NULL);
    HWND shown = NULL;
    if (side == "program")
        shown = StartUp(instance, SW_SHOWNORMAL) ? App.firstCalculatorPanel : NULL;
    else if (side == "floor")
        shown = FloorRead(facts) ? FloorStart(instance, SW_SHOWNORMAL) : NULL;
    else
        shown = BarePopup(instance, SW_SHOWNORMAL);
    if (!shown)
        Fail("the " + side + " did not start");
    Settle();
    return shown;
}

enum PressKind { CALCULATOR, CONVERTER_SINGLE, CONVERTER_PAIRED, PRESS_KINDS };

// Each press: what it shows in the result box and the second box ("": hidden).
static const struct { const char *figure, *result, *second; } Shown[PRESS_KINDS] = {
    { "press_calculator", "60", "" },
    { "press_converter_single", "212", "" },
    { "press_converter_paired", "212", "37.78" },
};

static PressKind Kind;
static bool FloorTurn;      // whether the floor answers the Calculate button
static WNDPROC PanelProc;   // the program's own, under the bench's subclass
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

// A label in the labels' colour on each result box's row, left of the box,
// as a paired result paints its units: as long as one, the result's first three.
static void PaintUnits(HDC dc, const PressBoxes &b)
{
    for (HWND box : { b.result, b.secondResult }) {
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, LABEL_COLOUR);
        TextOutA(dc, 0, ChildRect(box).top, Shown[Kind].result, UNIT_LENGTH);
    }
}

// The press floor: on the program's own panel and boxes, the platform calls
// of its press, in its order, with no rule checked, no number read or made.
static void FloorPress(const PressBoxes &b)
{
    bool converter = Kind != CALCULATOR;
    Answered = "floor";
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
    if (Kind == CONVERTER_PAIRED)
        ShowWindow(b.secondResult, SW_SHOW);
    SetWindowTextA(b.result, Shown[Kind].result);
    if (Kind == CONVERTER_PAIRED) {
        SetWindowTextA(b.secondResult, Shown[Kind].second);
        PaintUnits(dc, b);
    }
    ReleaseDC(b.panel, dc);
}

// Both sides' presses pass here, so that the subclass costs both alike.
static LRESULT CALLBACK TimedPanelProc(HWND panel, UINT message, WPARAM wParam, LPARAM lParam)
{
    PressBoxes b = Boxes();
    bool calculate = message == WM_COMMAND && (HWND)lParam == b.calculate;
    if (calculate && FloorTurn) {
        FloorPress(b);
        return 0;
    }
    if (calculate)
        Answered = "program";
    return CallWindowProcA(PanelProc, panel, message, wParam, lParam);
}

static double Press(bool floor)
{
    PressBoxes b = Boxes();
    FloorTurn = floor;
    Answered = "nobody";
    double t0 = NowMs();
    Click(b.calculate);
    double t = NowMs() - t0;
    std::string shown = WindowText(b.result) + "' '";
    if (b.secondResult && IsWindowVisible(b.secondResult))
        shown += WindowText(b.secondResult);
    if (shown != std::string(Shown[Kind].result) + "' '" + Shown[Kind].second)
        Fail(std::string(Answered) + "'s " + Shown[Kind].figure + " showed '" + shown + "'");
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

// The floor's swap to its converter, in the program's steps and order.
static HWND FloorToConverter()
{
    HWND converter = FloorPanel(1, FloorFrame);
    ShowWindow(FloorShown, SW_HIDE);
    ShowWindow(converter, SW_SHOW);
    SetFocus(FloorFocus);
    Settle();
    return converter;
}

// And back to a fresh calculator; the hidden one goes.
static void FloorBack(HWND converter)
{
    HWND hidden = FloorShown;
    FloorShown = FloorPanel(0, FloorFrame);
    HWND focus = FloorFocus;
    DestroyWindow(converter);
    ShowWindow(FloorShown, SW_SHOW);
    UpdateWindow(FloorShown);
    SetFocus(focus);
    DestroyWindow(hidden);
    Settle();
}

// Calculator to converter, painted; back to a fresh calculator, painted.
static double RoundTrip(bool floor)
{
    double t0 = NowMs();
    HWND shown;
    if (floor) {
        FloorBack(FloorToConverter());
        shown = FloorShown;
    } else {
        Click(App.calculatorSwitchButton);
        Click(App.converterSwitchButton);
        shown = GetParent(App.calculatorSwitchButton);
    }
    double t = NowMs() - t0;
    Answered = Whose(shown);
    return t;
}

static void Swaps(int roundTrips, const char *facts)
{
    Start();
    FloorShown = Start("floor", facts);
    FloorFrame = GetParent(FloorShown);
    SetWindowPos(FloorFrame, NULL, FRAME_SIZE + FLOOR_GAP, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Check(FloorCheck(FloorFrame, 0));
    HWND converter = FloorToConverter();
    Check(FloorCheck(converter, 1));
    FloorBack(converter);
    InTurns("swap", roundTrips, RoundTrip);
    // Three title buttons and the calculator: no panel left behind.
    if (Children(App.mainFrame).size() != 4 || Children(FloorFrame).size() != 4)
        Fail("a round trip left a panel behind");
}

static void Memory(const std::string &side, const char *facts)
{
    HWND shown = Start(side, facts);
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(GetCurrentProcess(), (PROCESS_MEMORY_COUNTERS *)&counters, sizeof counters))
        Fail("GetProcessMemoryInfo failed");
    if (side == "floor")
        Check(FloorCheck(GetParent(shown), 0));
    // Wine 8 leaves PrivateUsage at 0; PagefileUsage is the same private commit.
    SIZE_T bytes = counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage;
    printf("memory,%s,%s,%.4f\n", side.c_str(), Whose(shown), bytes / MEGABYTE);
}

// The floors' facts, as a round trip leaves the program's windows; then the
// program, hidden, keeps Wine's desktop process up, as a user's is.
static void Keep(const char *facts)
{
    MSG msg;
    Start();
    RoundTrip(false);
    bool recorded = FloorRecord(App.mainFrame);
    Click(App.calculatorSwitchButton);
    if (!recorded || !FloorRecord(App.converterPanel) || !FloorWrite(facts))
        Fail(std::string("the facts did not fit or could not be written to ") + facts);
    ShowWindow(App.mainFrame, SW_HIDE);
    puts("ready");
    fflush(stdout);
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
    else if (mode == "presses" && count > 0)
        Presses(count);
    else if (mode == "swaps" && count > 0 && argc > 3)
        Swaps(count, argv[3]);
    else
        Fail("usage: bench presses N | swaps N FACTS | memory program|floor|bare FACTS | keep FACTS");
    return fflush(stdout);
}
