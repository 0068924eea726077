// The program's code, linked as the tests link it, beside the floors; prints samples
// "figure,side,answerer,value", the answerer whose code answered; the keeper "ready".
#include "harness.h"
#include "ombex.h"
#include "floor.h"
#include <psapi.h>
#include <chrono>

#define WARM_UP     20
#define BLOCK       10   // samples of one side in a row
#define MEGABYTE    1048576.0
#define FLOOR_GAP   10   // between the program's frame and the swap floor's

static const char *Answered;   // by the code that answered the sample taken last

// Whose code made a panel, known by its class.
static const char *Whose(HWND panel)
{
    std::string name = ClassName(panel), floor = FLOOR_PREFIX + std::string(CalculatorClass);
    return name == CalculatorClass ? "program" : name == floor ? "floor" : name == BARE_CLASS ? "bare" : "nobody";
}

static double NowMs()
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
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

// The start-up of the program, the same-work floor or the bare popup: the panel shown.
static HWND Start(const std::string &side = "program")
{
    HINSTANCE instance = GetModuleHandleA(NULL);
    HWND shown = side == "floor" ? FloorStart(instance, SW_SHOWNORMAL)
                 : side == "bare" ? BarePopup(instance, SW_SHOWNORMAL)
                 : StartUp(instance, SW_SHOWNORMAL) ? App.firstCalculatorPanel : NULL;
    if (!shown)
        BenchFail("the program did not start");
    Settle();
    return shown;
}

// What a window shows: its class's pattern for the program's own classes, else its button's image.
static std::vector<COLORREF> Shown(HWND window, bool own)
{
    LOGBRUSH brush = {};
    GetObjectA((HBRUSH)GetClassLongPtrA(window, GCLP_HBRBACKGROUND), sizeof brush, &brush);
    HBITMAP picture = own ? (HBITMAP)brush.lbHatch : (HBITMAP)SendMessageA(window, BM_GETIMAGE, IMAGE_BITMAP, 0);
    return PictureOfBitmap(picture).pixels;
}

// The floor's window and those below it, read back against the program's as they stand:
// the first difference ends the bench, naming the window and the part.
static void Compare(HWND floor, HWND program)
{
    std::string name = ClassName(floor);
    bool own = name != ClassName(program);   // the floor's own classes carry its prefix
    RECT f = ChildRect(floor), p = ChildRect(program);
    if (!GetParent(floor)) {   // the frames stand apart: their sizes alone
        OffsetRect(&f, -f.left, -f.top);
        OffsetRect(&p, -p.left, -p.top);
    }
    HRGN floorRegion = CreateRectRgn(0, 0, 0, 0), programRegion = CreateRectRgn(0, 0, 0, 0);
    int shape = GetWindowRgn(floor, floorRegion);
    bool sameRegion = shape == GetWindowRgn(program, programRegion) && (shape == ERROR || EqualRgn(floorRegion, programRegion));
    DeleteObject(floorRegion);
    DeleteObject(programRegion);
    std::vector<HWND> below = Children(floor), programs = Children(program);
    const struct { const char *part; bool same; } parts[] = {
        { "class", name == (own ? FLOOR_PREFIX : "") + ClassName(program) },
        { "class style", GetClassLongA(floor, GCL_STYLE) == GetClassLongA(program, GCL_STYLE) },
        { "picture", Shown(floor, own) == Shown(program, own) },
        { "text", WindowText(floor) == WindowText(program) },
        { "style", GetWindowLongA(floor, GWL_STYLE) == GetWindowLongA(program, GWL_STYLE) },
        { "extended style", GetWindowLongA(floor, GWL_EXSTYLE) == GetWindowLongA(program, GWL_EXSTYLE) },
        { "identifier", GetDlgCtrlID(floor) == GetDlgCtrlID(program) },
        { "rectangle", EqualRect(&f, &p) != 0 },
        { "region", sameRegion },
        { "number of windows", below.size() == programs.size() },
    };
    for (const auto &part : parts)
        if (!part.same)
            BenchFail("the same-work floor's %s '%s' at (%ld, %ld) has another %s than the program's", name.c_str(),
                      WindowText(floor).c_str(), f.left, f.top, part.part);
    for (size_t i = 0; i < below.size(); i++)
        Compare(below[i], programs[i]);
}

// Each press: what it types, what the result box and the second show ("": hidden).
static const struct PressKind {
    const char *figure, *first, *second, *result, *secondResult;
    bool converter;   // else the calculator
    int pick;
} Kinds[] = {
    { "press_calculator", "12", "5", "60", "", false, Multiply },
    { "press_converter_single", "100", "", "212", "", true, CtoF },
    { "press_converter_paired", "100", "", "212", "37.78", true, FtoC },
};

static const PressKind *Kind;
static struct { HWND panel, calculate, first, second, result, secondResult; } Boxes;
static bool FloorTurn;      // whether the floor answers the Calculate button
static WNDPROC PanelProc;   // the program's own, under the bench's subclass

// A box read as the program reads one: its length, a block, the text.
static void ReadText(HWND box)
{
    int length = GetWindowTextLengthA(box);
    HGLOBAL block = GlobalAlloc(GPTR, length + 1);
    GetWindowTextA(box, (char *)block, length + 1);
    GlobalFree(block);
}

// The press floor: on the program's own boxes, its press's platform calls in its order,
// no rule checked, no number read or made; a pair's units are the temperatures'.
static LRESULT FloorPress()
{
    bool paired = *Kind->secondResult;
    Answered = "floor";
    if (Kind->converter)
        ShowWindow(Boxes.secondResult, SW_HIDE);
    SetWindowTextA(Boxes.result, "");
    HDC dc = GetDC(Boxes.panel);
    RedrawWindow(Boxes.panel, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    ReadText(Boxes.first);
    for (int id = CtoF; Kind->converter && id <= MilesToM; id++)
        IsDlgButtonChecked(Boxes.panel, id);
    if (!Kind->converter)
        ReadText(Boxes.second);
    if (paired)
        ShowWindow(Boxes.secondResult, SW_SHOW);
    SetWindowTextA(Boxes.result, Kind->result);
    if (paired) {
        SetWindowTextA(Boxes.secondResult, Kind->secondResult);
        for (const PanelText &unit : { CelsiusLabel, FahrenheitLabel }) {
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, unit.colour);
            TextOutA(dc, unit.x, unit.y, unit.text, lstrlenA(unit.text));
        }
    }
    ReleaseDC(Boxes.panel, dc);
    return 0;
}

// Both sides' presses pass here, so that the subclass costs both alike.
static LRESULT CALLBACK TimedPanelProc(HWND panel, UINT message, WPARAM wParam, LPARAM lParam)
{
    bool calculate = message == WM_COMMAND && (HWND)lParam == Boxes.calculate;
    if (calculate && FloorTurn)
        return FloorPress();
    if (calculate)
        Answered = "program";
    return CallWindowProcA(PanelProc, panel, message, wParam, lParam);
}

static double Press(bool floor)
{
    FloorTurn = floor;
    Answered = "nobody";
    double t0 = NowMs();
    Click(Boxes.calculate);
    double t = NowMs() - t0;
    std::string shown = WindowText(Boxes.result) + "' '";
    if (IsWindowVisible(Boxes.secondResult))
        shown += WindowText(Boxes.secondResult);
    if (shown != std::string(Kind->result) + "' '" + Kind->secondResult)
        BenchFail("%s's %s showed '%s'", Answered, Kind->figure, shown.c_str());
    return t;
}

static void Presses(int presses)
{
    for (const PressKind &kind : Kinds) {
        Kind = &kind;
        if (kind.converter && !App.converterPanel)
            Click(App.calculatorSwitchButton);
        if (kind.converter)
            Boxes = { App.converterPanel, App.converterCalculateButton, App.converterValueEdit, NULL,
                      App.converterResultEdit, App.converterSecondResultEdit };
        else
            Boxes = { App.firstCalculatorPanel, App.calculatorCalculateButton, App.calculatorFirstEdit,
                      App.calculatorSecondEdit, App.calculatorResultEdit, NULL };
        SetWindowTextA(Boxes.first, kind.first);
        SetWindowTextA(Boxes.second, kind.second);
        Click(GetDlgItem(Boxes.panel, kind.pick));
        PanelProc = (WNDPROC)SetWindowLongPtrA(Boxes.panel, GWLP_WNDPROC, (LONG_PTR)TimedPanelProc);
        InTurns(kind.figure, presses, Press);
        SetWindowLongPtrA(Boxes.panel, GWLP_WNDPROC, (LONG_PTR)PanelProc);
    }
    Click(App.converterSwitchButton);   // back to a calculator, for the swaps
}

static HWND FloorFrame, FloorShown;   // the swap floor's, beside the program's

// The floor's round trip, in the program's steps and order; checked on its first.
static void FloorRoundTrip(bool check)
{
    HWND converter = FloorPanel(1, FloorFrame);
    ShowWindow(FloorShown, SW_HIDE);
    ShowWindow(converter, SW_SHOW);
    SetFocus(FloorFocus);
    Settle();
    if (check) {
        Click(App.calculatorSwitchButton);
        Compare(converter, App.converterPanel);
        Click(App.converterSwitchButton);
    }
    HWND hidden = FloorShown;
    FloorShown = FloorPanel(0, FloorFrame);
    DestroyWindow(converter);
    ShowWindow(FloorShown, SW_SHOW);
    UpdateWindow(FloorShown);
    SetFocus(FloorFocus);
    DestroyWindow(hidden);
    Settle();
}

// Calculator to converter, painted; back to a fresh calculator, painted.
static double RoundTrip(bool floor)
{
    double t0 = NowMs();
    if (floor) {
        FloorRoundTrip(false);
    } else {
        Click(App.calculatorSwitchButton);
        Click(App.converterSwitchButton);
    }
    double t = NowMs() - t0;
    Answered = Whose(floor ? FloorShown : GetParent(App.calculatorSwitchButton));
    return t;
}

static void Swaps(int roundTrips)
{
    FloorShown = Start("floor");
    FloorFrame = GetParent(FloorShown);
    Compare(FloorFrame, App.mainFrame);
    SetWindowPos(FloorFrame, NULL, FrameSize + FLOOR_GAP, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    FloorRoundTrip(true);
    InTurns("swap", roundTrips, RoundTrip);
    // Three title buttons and the calculator: no panel left behind.
    if (Children(App.mainFrame).size() != 4 || Children(FloorFrame).size() != 4)
        BenchFail("a round trip left a panel behind");
}

static void Memory(const std::string &side)
{
    HWND shown = Start(side);
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(GetCurrentProcess(), (PROCESS_MEMORY_COUNTERS *)&counters, sizeof counters))
        BenchFail("GetProcessMemoryInfo failed");
    if (side == "floor")
        Compare(GetParent(shown), GetParent(Start()));
    // Wine 8 leaves PrivateUsage at 0; PagefileUsage is the same private commit.
    printf("memory,%s,%s,%.4f\n", side.c_str(), Whose(shown),
           (counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage) / MEGABYTE);
}

int main(int argc, char **argv)
{
    std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "memory" && argc > 2) {
        Memory(argv[2]);
    } else if (mode == "timed" && argc > 3) {
        Start();
        Presses(atoi(argv[2]));
        Swaps(atoi(argv[3]));
    } else if (mode == "keep") {
        // Keeps Wine's desktop process up throughout, as a user's is, with the program hidden.
        ShowWindow(GetParent(Start()), SW_HIDE);
        puts("ready");
        fflush(stdout);
        return RunMessageLoop();
    } else {
        BenchFail("usage: bench timed PRESSES SWAPS | memory program|floor|bare | keep");
    }
    return fflush(stdout);
}
