/* In-process benchmarks: the program's own start-up and window procedures,
   linked in as the tests do, driven by the same messages a click sends.
   Prints CSV lines "figure,index,value" on standard output; the script
   turns them into tables.

   inproc press [N]    N timed presses (10,000) of each kind, each kind
                       beside its press floor, in blocks of 10 taking turns
   inproc swap         1,000 round trips against the bare-controls floor
   inproc mem-start    memory after start-up (one sample, one process)
   inproc mem-bare     memory after a bare popup (one sample, one process)
   inproc mem-design   memory after the design floor's start-up (one sample,
                       one process)
   inproc mem-long [R [P]]  memory through R round trips (10,000), then P
                       presses (100,000), half of each kind
   inproc stages       where a press and a round trip spend their time
   inproc startup-stages  where start-up spends its time (one process) */
#include "ombex.h"
#include "resource.h"
#include "numbers.h"
#include "design_floor.h"

#include <psapi.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

static LARGE_INTEGER Frequency;
static int QuitsSeen;

static double Now(void)
{
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return (double)t.QuadPart * 1e6 / (double)Frequency.QuadPart;   /* microseconds */
}

static void Fail(const char *what)
{
    fprintf(stderr, "inproc: %s\n", what);
    fflush(stdout);
    ExitProcess(2);
}

/* Runs everything that is queued, paints included, as the message loop
   would before it waits again. A fixed program may post a quit message as
   an old panel goes; the loop here keeps going. */
static void Settle(void)
{
    MSG msg;
    while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            QuitsSeen++;
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    GdiFlush();
}

static void Click(HWND control)
{
    SendMessageA(control, BM_CLICK, 0, 0);
}

static std::string Text(HWND window);
static int CompareDoubles(const void *a, const void *b);

static void Start(void)
{
    if (!StartUp(GetModuleHandleA(NULL), SW_SHOWNORMAL))
        Fail("StartUp failed");
    Settle();
}

static HWND ShownPanel(void)
{
    for (HWND w = GetWindow(App.mainFrame, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
        char name[32];
        GetClassNameA(w, name, sizeof name);
        if ((!strcmp(name, CALCULATOR_CLASS) || !strcmp(name, CONVERTER_CLASS)) && IsWindowVisible(w))
            return w;
    }
    return NULL;
}

static int CountChildren(HWND parent)
{
    int n = 0;
    for (HWND w = GetWindow(parent, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
        n++;
    return n;
}

/* The calculator, ready for "12 * 5". */
static void PrepareCalculator(void)
{
    SetWindowTextA(App.calculatorFirstEdit, "12");
    SetWindowTextA(App.calculatorSecondEdit, "5");
    Click(GetDlgItem(ShownPanel(), IDC_MULTIPLY));
    Settle();
}

/* The converter, ready for 100 degrees both ways: a paired result. */
static void PrepareConverter(void)
{
    Click(App.calculatorSwitchButton);
    Settle();
    HWND panel = ShownPanel();
    if (panel != App.converterPanel)
        Fail("the switch did not show a converter");
    SetWindowTextA(App.converterValueEdit, "100");
    Click(GetDlgItem(panel, IDC_CELSIUS_TO_FAHRENHEIT));
    Click(GetDlgItem(panel, IDC_FAHRENHEIT_TO_CELSIUS));
    Settle();
}

static std::string Text(HWND window)
{
    char text[256];
    GetWindowTextA(window, text, sizeof text);
    return text;
}

static double CalculatorPress(void)
{
    double t0 = Now();
    Click(App.calculatorCalculateButton);
    Settle();
    double t1 = Now();
    if (Text(App.calculatorResultEdit) != "60")
        Fail("the calculator press did not show 60");
    return t1 - t0;
}

static double ConverterPress(void)
{
    double t0 = Now();
    Click(App.converterCalculateButton);
    Settle();
    double t1 = Now();
    if (Text(App.converterResultEdit) != "212" || Text(App.converterSecondResultEdit) != "37.78" ||
        !IsWindowVisible(App.converterSecondResultEdit))
        Fail("the converter press did not show 212 and 37.78");
    return t1 - t0;
}

/* Calculator -> converter painted -> a calculator painted again. */
static double RoundTrip(void)
{
    double t0 = Now();
    Click(App.calculatorSwitchButton);
    Settle();
    Click(App.converterSwitchButton);
    Settle();
    double t1 = Now();
    return t1 - t0;
}

/* The floor of a round trip: the same number of windows of the same
   classes created, shown and destroyed, without skin, region or bitmaps,
   in a bare popup of its own; version 6 controls, as this process runs
   with the program's manifest. */
static HWND FloorFrame, FloorBox;

static LRESULT CALLBACK FloorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(window, message, wParam, lParam);
}

static HWND FloorPanel(const char *const *classes, int count)
{
    HINSTANCE instance = GetModuleHandleA(NULL);
    HWND box = CreateWindowExA(0, "BenchFloorBox", "", WS_CHILD, 18, -10, 330, 330, FloorFrame,
                               NULL, instance, NULL);
    for (int i = 0; i < count; i++)
        CreateWindowExA(WS_EX_WINDOWEDGE, classes[i], "", WS_CHILD | WS_VISIBLE, 20 + (i % 4) * 70,
                        40 + (i / 4) * 40, 60, 20, box, NULL, instance, NULL);
    ShowWindow(box, SW_SHOW);
    return box;
}

/* A converter's twelve controls (switch, three edits, group, six boxes,
   Calculate) and a calculator's ten (Calculate, three edits, group,
   switch, four radios), by class. */
static const char *const ConverterClasses[] = { "BUTTON", "EDIT", "EDIT", "BUTTON", "BUTTON", "BUTTON",
                                                "BUTTON", "BUTTON", "BUTTON", "BUTTON", "EDIT", "BUTTON" };
static const char *const CalculatorClasses[] = { "BUTTON", "EDIT", "EDIT", "EDIT", "BUTTON", "BUTTON",
                                                 "BUTTON", "BUTTON", "BUTTON", "BUTTON" };

static void StartFloor(void)
{
    HINSTANCE instance = GetModuleHandleA(NULL);
    WNDCLASSEXA wnd;
    ZeroMemory(&wnd, sizeof wnd);
    wnd.cbSize = sizeof wnd;
    wnd.lpfnWndProc = FloorProc;
    wnd.hInstance = instance;
    wnd.hbrBackground = (HBRUSH)GetStockObject(WHITE_BRUSH);
    wnd.lpszClassName = "BenchFloor";
    RegisterClassExA(&wnd);
    wnd.lpszClassName = "BenchFloorBox";
    RegisterClassExA(&wnd);
    FloorFrame = CreateWindowExA(0, "BenchFloor", "Floor", WS_POPUP, 340, 0, 330, 330, NULL, NULL,
                                 instance, NULL);
    ShowWindow(FloorFrame, SW_SHOWNORMAL);
    UpdateWindow(FloorFrame);
    FloorBox = FloorPanel(CalculatorClasses, COUNT(CalculatorClasses));
    Settle();
}

static double FloorRoundTrip(void)
{
    double t0 = Now();
    HWND converter = FloorPanel(ConverterClasses, COUNT(ConverterClasses));
    DestroyWindow(FloorBox);
    Settle();
    FloorBox = FloorPanel(CalculatorClasses, COUNT(CalculatorClasses));
    DestroyWindow(converter);
    Settle();
    return Now() - t0;
}

static void Memory(const char *figure, int index)
{
    PROCESS_MEMORY_COUNTERS_EX pmc;
    ZeroMemory(&pmc, sizeof pmc);
    pmc.cb = sizeof pmc;
    if (!GetProcessMemoryInfo(GetCurrentProcess(), (PROCESS_MEMORY_COUNTERS *)&pmc, sizeof pmc))
        Fail("GetProcessMemoryInfo failed");
    printf("%s_private,%d,%lu\n", figure, index, (unsigned long)pmc.PrivateUsage);
    printf("%s_resident,%d,%lu\n", figure, index, (unsigned long)pmc.WorkingSetSize);
    printf("%s_pagefile,%d,%lu\n", figure, index, (unsigned long)pmc.PagefileUsage);
}

/* Presses beside their floor. The press floor makes, on the design floor's
   copy of the same panel, the platform calls that a press makes, in the
   same order, without the program's logic: no check of the panel or of the
   boxes, no text blocks, no number read or formatted, each box written
   once with the text the program would show. A subclass round the
   program's panel, and the floor's own command, stamp the time at the
   command's start and end, so that both presses fall into the same
   stages: the button's press drawing up to the command, the command, the
   button's release after it, and the paints left queued (run by Settle). */
enum PressKind { CALCULATOR_PRESS, CONVERTER_SINGLE, CONVERTER_PAIRED, PRESS_KINDS };

static const char *const PressNames[PRESS_KINDS] = { "calculator", "converter_single", "converter_paired" };

/* The floor command's steps, each timed; a press kind uses those in its
   list, in its order. */
enum FloorStep {
    STEP_HIDE_SECOND, STEP_EMPTY_RESULT, STEP_GETDC, STEP_REPAINT, STEP_READ, STEP_SHOW_SECOND,
    STEP_WRITE, STEP_LABELS, STEP_RELEASEDC, FLOOR_STEPS
};

static const char *const StepNames[FLOOR_STEPS] = {
    "hide_second", "empty_result", "getdc", "repaint_now", "read_boxes", "show_second",
    "write_results", "paint_labels", "releasedc",
};

static double CommandIn, CommandOut;
static double StepTime[FLOOR_STEPS];
static double StepMark;
static PressKind FloorKind;
static HWND TimedButton;
static WNDPROC ProgramPanelProc;

static void StepDone(FloorStep step)
{
    double t = Now();
    StepTime[step] = t - StepMark;
    StepMark = t;
}

static void FloorPress(HWND panel)
{
    static const Label Paired[] = {
        { "\xB0" "C=", 65, 235, RGB(185, 39, 233) },
        { "\xB0" "F=", 65, MESSAGE_Y, RGB(185, 39, 233) },
    };
    char first[32], second[32];
    BOOL converter = FloorKind != CALCULATOR_PRESS;
    HWND result = converter ? Floor.converterResultEdit : Floor.resultEdit;

    StepMark = Now();
    if (converter) {
        ShowWindow(Floor.secondResultEdit, SW_HIDE);
        StepDone(STEP_HIDE_SECOND);
    }
    SetWindowTextA(result, converter ? NULL : "");
    StepDone(STEP_EMPTY_RESULT);
    HDC dc = GetDC(panel);
    StepDone(STEP_GETDC);
    RedrawWindow(panel, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    StepDone(STEP_REPAINT);
    if (converter) {
        int length = GetWindowTextLengthA(Floor.valueEdit);
        GetWindowTextA(Floor.valueEdit, first, length < 31 ? length + 1 : 32);
    } else {
        int firstLength = GetWindowTextLengthA(Floor.firstEdit);
        int secondLength = GetWindowTextLengthA(Floor.secondEdit);
        GetWindowTextA(Floor.firstEdit, first, firstLength < 31 ? firstLength + 1 : 32);
        GetWindowTextA(Floor.secondEdit, second, secondLength < 31 ? secondLength + 1 : 32);
    }
    StepDone(STEP_READ);
    if (FloorKind == CONVERTER_PAIRED) {
        ShowWindow(Floor.secondResultEdit, SW_SHOW);
        StepDone(STEP_SHOW_SECOND);
    }
    SetWindowTextA(result, converter ? "212" : "60");
    if (FloorKind == CONVERTER_PAIRED)
        SetWindowTextA(Floor.secondResultEdit, "37.78");
    StepDone(STEP_WRITE);
    if (FloorKind == CONVERTER_PAIRED) {
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, Paired[0].colour);
        for (unsigned i = 0; i < COUNT(Paired); i++)
            TextOutA(dc, Paired[i].x, Paired[i].y, Paired[i].text, lstrlenA(Paired[i].text));
        StepDone(STEP_LABELS);
    }
    ReleaseDC(panel, dc);
    StepDone(STEP_RELEASEDC);
}

static void FloorCommand(HWND panel, WPARAM wParam, LPARAM lParam)
{
    (void)wParam;
    if ((HWND)lParam != TimedButton)
        return;
    CommandIn = Now();
    FloorPress(panel);
    CommandOut = Now();
}

static LRESULT CALLBACK TimedPanelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_COMMAND || (HWND)lParam != TimedButton)
        return CallWindowProcA(ProgramPanelProc, window, message, wParam, lParam);
    CommandIn = Now();
    LRESULT r = CallWindowProcA(ProgramPanelProc, window, message, wParam, lParam);
    CommandOut = Now();
    return r;
}

/* The whole press and its stages, of the program or of the floor. */
enum PressStage { STAGE_CLICK, STAGE_COMMAND, STAGE_RELEASE, STAGE_SETTLE, PRESS_STAGES };
static const char *const StageNames[PRESS_STAGES] = { "click_to_command", "command", "release",
                                                      "settle" };

struct PressRecord {
    std::vector<double> total, stage[PRESS_STAGES], step[FLOOR_STEPS];
};

static double TimedPress(HWND button, PressRecord *record)
{
    TimedButton = button;
    CommandIn = CommandOut = 0;
    double t0 = Now();
    Click(button);
    double t1 = Now();
    Settle();
    double t2 = Now();
    if (!CommandIn)
        Fail("a press reached no command");
    if (record) {
        record->total.push_back(t2 - t0);
        record->stage[STAGE_CLICK].push_back(CommandIn - t0);
        record->stage[STAGE_COMMAND].push_back(CommandOut - CommandIn);
        record->stage[STAGE_RELEASE].push_back(t1 - CommandOut);
        record->stage[STAGE_SETTLE].push_back(t2 - t1);
    }
    return t2 - t0;
}

/* What each press must show, on the program's boxes or the floor's. */
static void CheckShown(PressKind kind, HWND result, HWND second, const char *who)
{
    static const char *const Shown[PRESS_KINDS] = { "60", "212", "212" };
    bool paired = kind == CONVERTER_PAIRED;
    if (Text(result) != Shown[kind] || (second && paired != (IsWindowVisible(second) != 0)) ||
        (paired && Text(second) != "37.78")) {
        fprintf(stderr, "inproc: the %s %s press did not show %s%s\n", who, PressNames[kind], Shown[kind],
                paired ? " and 37.78" : "");
        Fail("wrong result");
    }
}

static void ProgramPress(PressKind kind, PressRecord *record)
{
    bool calculator = kind == CALCULATOR_PRESS;
    TimedPress(calculator ? App.calculatorCalculateButton : App.converterCalculateButton, record);
    CheckShown(kind, calculator ? App.calculatorResultEdit : App.converterResultEdit,
               calculator ? NULL : App.converterSecondResultEdit, "program's");
}

static void FloorPressOnce(PressKind kind, PressRecord *record)
{
    bool calculator = kind == CALCULATOR_PRESS;
    FloorKind = kind;
    for (int i = 0; i < FLOOR_STEPS; i++)
        StepTime[i] = -1;
    TimedPress(calculator ? Floor.calculate : Floor.converterCalculate, record);
    if (record)
        for (int i = 0; i < FLOOR_STEPS; i++)
            if (StepTime[i] >= 0)
                record->step[i].push_back(StepTime[i]);
    CheckShown(kind, calculator ? Floor.resultEdit : Floor.converterResultEdit,
               calculator ? NULL : Floor.secondResultEdit, "floor's");
}

static void Subclass(HWND panel)
{
    ProgramPanelProc = (WNDPROC)SetWindowLongPtrA(panel, GWLP_WNDPROC, (LONG_PTR)TimedPanelProc);
}

static void Unsubclass(HWND panel)
{
    SetWindowLongPtrA(panel, GWLP_WNDPROC, (LONG_PTR)ProgramPanelProc);
}

static double Median(std::vector<double> v)
{
    qsort(v.data(), v.size(), sizeof v[0], CompareDoubles);
    return v[v.size() / 2];
}

static double Percentile99(std::vector<double> v)
{
    qsort(v.data(), v.size(), sizeof v[0], CompareDoubles);
    return v[v.size() * 99 / 100];
}

static void PrintStage(const char *kind, const char *who, const char *stage, const std::vector<double> &v)
{
    if (v.empty())
        return;
    printf("pressstage_%s_%s_%s_us,0,%.1f\n", kind, who, stage, Median(v));
    printf("pressstage_%s_%s_%s_p99_us,0,%.1f\n", kind, who, stage, Percentile99(v));
}

/* One kind of press, the program and its floor in short blocks taking
   turns, so that other work on the machine falls on both alike. Each
   block opens with a press that is not reported: the first press after
   the other's takes the keyboard over from the other frame. */
static const int PressBlock = 10;

static void PressKindBesideFloor(PressKind kind, int presses)
{
    PressRecord program, floor;
    for (int i = 0; i < 200; i++) {    /* warm-up, not reported */
        ProgramPress(kind, NULL);
        FloorPressOnce(kind, NULL);
    }
    for (int done = 0; done < presses; done += PressBlock) {
        int n = presses - done < PressBlock ? presses - done : PressBlock;
        ProgramPress(kind, NULL);
        for (int i = 0; i < n; i++)
            ProgramPress(kind, &program);
        FloorPressOnce(kind, NULL);
        for (int i = 0; i < n; i++)
            FloorPressOnce(kind, &floor);
    }
    const char *name = PressNames[kind];
    for (size_t i = 0; i < program.total.size(); i++)
        printf("press_%s_us,%u,%.1f\n", name, (unsigned)i, program.total[i]);
    for (size_t i = 0; i < floor.total.size(); i++)
        printf("press_%s_floor_us,%u,%.1f\n", name, (unsigned)i, floor.total[i]);
    for (int i = 0; i < PRESS_STAGES; i++) {
        PrintStage(name, "program", StageNames[i], program.stage[i]);
        PrintStage(name, "floor", StageNames[i], floor.stage[i]);
    }
    for (int i = 0; i < FLOOR_STEPS; i++)
        PrintStage(name, "floor", StepNames[i], floor.step[i]);

    /* Two of the floor's calls alone, each with the paints it leaves
       queued: which of them the queued paints belong to. */
    HWND panel = kind == CALCULATOR_PRESS ? Floor.calculatorPanel : Floor.converterPanel;
    HWND result = kind == CALCULATOR_PRESS ? Floor.resultEdit : Floor.converterResultEdit;
    std::vector<double> repaint, write;
    for (int i = 0; i < 500; i++) {
        double t0 = Now();
        RedrawWindow(panel, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        Settle();
        double t1 = Now();
        SetWindowTextA(result, kind == CALCULATOR_PRESS ? "60" : "212");
        Settle();
        double t2 = Now();
        repaint.push_back(t1 - t0);
        write.push_back(t2 - t1);
    }
    PrintStage(name, "floor", "repaint_now_and_its_paints", repaint);
    PrintStage(name, "floor", "result_write_and_its_paint", write);
}

/* The floor's boxes as the program's: the same texts and checks, so that
   the same repaint paints the same things. */
static void PrepareFloorCalculator(void)
{
    SetWindowTextA(Floor.firstEdit, "12");
    SetWindowTextA(Floor.secondEdit, "5");
    Click(GetDlgItem(Floor.calculatorPanel, IDC_MULTIPLY));
    Settle();
}

static void PrepareFloorConverter(void)
{
    if (!DesignFloorShowConverter(GetModuleHandleA(NULL)))
        Fail("the design floor made no converter");
    Settle();
    SetWindowTextA(Floor.valueEdit, "100");
    Click(GetDlgItem(Floor.converterPanel, IDC_CELSIUS_TO_FAHRENHEIT));
    Settle();
}

static void Press(int presses)
{
    Start();
    if (!DesignFloorStart(GetModuleHandleA(NULL), SW_SHOWNORMAL))
        Fail("the design floor did not start");
    /* Beside the program's frame, not over it. */
    SetWindowPos(Floor.frame, NULL, FRAME_SIZE + 10, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    DesignFloorCommand = FloorCommand;
    Settle();

    PrepareCalculator();
    PrepareFloorCalculator();
    HWND calculator = ShownPanel();
    Subclass(calculator);
    PressKindBesideFloor(CALCULATOR_PRESS, presses);
    Unsubclass(calculator);

    /* The converter, 100 with the first temperature box alone, then with
       both: a paired result. */
    Click(App.calculatorSwitchButton);
    Settle();
    if (ShownPanel() != App.converterPanel)
        Fail("the switch did not show a converter");
    SetWindowTextA(App.converterValueEdit, "100");
    Click(GetDlgItem(App.converterPanel, IDC_CELSIUS_TO_FAHRENHEIT));
    Settle();
    PrepareFloorConverter();
    Subclass(App.converterPanel);
    PressKindBesideFloor(CONVERTER_SINGLE, presses);

    Click(GetDlgItem(App.converterPanel, IDC_FAHRENHEIT_TO_CELSIUS));
    Click(GetDlgItem(Floor.converterPanel, IDC_FAHRENHEIT_TO_CELSIUS));
    Settle();
    PressKindBesideFloor(CONVERTER_PAIRED, presses);
    printf("press_count,0,%d\n", presses);
    printf("press_block,0,%d\n", PressBlock);
    printf("press_quits_seen,0,%d\n", QuitsSeen);
}
/* A program that still leaves a hidden calculator panel behind at every
   round trip; Wine's server gives out near 3,000 of them. */
static bool Leaking(void)
{
    return CountChildren(App.mainFrame) > 3 /* title buttons */ + 2;
}

static void Swap(void)
{
    Start();
    StartFloor();
    for (int i = 0; i < 20; i++) {     /* warm-up, not reported */
        RoundTrip();
        FloorRoundTrip();
    }
    /* Blocks of 50, the program and the floor in turn. */
    for (int block = 0; block < 20; block++) {
        for (int i = 0; i < 50; i++)
            printf("swap_program_us,%d,%.1f\n", block * 50 + i, RoundTrip());
        for (int i = 0; i < 50; i++)
            printf("swap_floor_us,%d,%.1f\n", block * 50 + i, FloorRoundTrip());
    }
    printf("swap_frame_children_after,0,%d\n", CountChildren(App.mainFrame));
    printf("swap_leaking,0,%d\n", Leaking() ? 1 : 0);
    /* One process, one manifest: the floor's controls are version 6 too. */
    printf("swap_comctl32,0,%d\n", GetModuleHandleA("comctl32.dll") != NULL);
}

/* After one start-up in a fresh process: its time, its memory, and
   whether version 6 controls are in (the manifest makes the first control
   load comctl32, whose classes stand in for user32's). */
static void AfterStart(const char *timeFigure, const char *memoryFigure, double t0)
{
    printf("%s,0,%.1f\n", timeFigure, Now() - t0);
    Memory(memoryFigure, 0);
    printf("%s_comctl32,0,%d\n", memoryFigure, GetModuleHandleA("comctl32.dll") != NULL);
}

static void MemStart(void)
{
    double t0 = Now();
    Start();
    AfterStart("startup_inproc_us", "mem_start", t0);
}

static void MemDesign(void)
{
    double t0 = Now();
    if (!DesignFloorStart(GetModuleHandleA(NULL), SW_SHOWNORMAL))
        Fail("the design floor did not start");
    Settle();
    AfterStart("startup_inproc_design_us", "mem_design", t0);
}

static LRESULT CALLBACK BareProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(window, message, wParam, lParam);
}

static void MemBare(void)
{
    double t0 = Now();
    WNDCLASSEXA wnd;
    ZeroMemory(&wnd, sizeof wnd);
    wnd.cbSize = sizeof wnd;
    wnd.lpfnWndProc = BareProc;
    wnd.hInstance = GetModuleHandleA(NULL);
    wnd.hCursor = LoadCursorA(NULL, IDC_ARROW);
    wnd.hbrBackground = (HBRUSH)GetStockObject(WHITE_BRUSH);
    wnd.lpszClassName = "BenchBare";
    RegisterClassExA(&wnd);
    HWND window = CreateWindowExA(0, "BenchBare", "Bare", WS_POPUP, CW_USEDEFAULT, CW_USEDEFAULT,
                                  330, 330, NULL, NULL, wnd.hInstance, NULL);
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    Settle();
    AfterStart("startup_inproc_bare_us", "mem_bare", t0);
}

static void MemLong(int roundTrips, int presses)
{
    Start();
    Memory("mem_long_start", 0);
    int done = 0;
    for (; done < roundTrips; done++) {
        /* A leaking program is stopped well before Wine's server would. */
        if (done == 2000 && Leaking())
            break;
        RoundTrip();
        if ((done + 1) % 1000 == 0)
            Memory("mem_long_roundtrips", done + 1);
    }
    printf("mem_long_roundtrips_done,0,%d\n", done);
    printf("mem_long_frame_children,0,%d\n", CountChildren(App.mainFrame));
    Memory("mem_long_after_roundtrips", done);

    PrepareCalculator();
    int half = presses / 2;
    for (int i = 1; i <= half; i++) {
        CalculatorPress();
        if (i % 10000 == 0)
            Memory("mem_long_presses", i);
    }
    PrepareConverter();
    for (int i = 1; i <= half; i++) {
        ConverterPress();
        if (i % 10000 == 0)
            Memory("mem_long_presses", half + i);
    }
    Memory("mem_long_after_presses", 2 * half);
    printf("mem_long_quits_seen,0,%d\n", QuitsSeen);
}

/* A press and a round trip taken apart: each stage alone, median of many. */
static int CompareDoubles(const void *a, const void *b)
{
    double x = *(const double *)a, y = *(const double *)b;
    return x < y ? -1 : x > y;
}

template <typename F> static void Stage(const char *name, int runs, F step)
{
    double *t = (double *)malloc(sizeof(double) * runs);
    for (int i = 0; i < runs; i++) {
        double t0 = Now();
        step();
        t[i] = Now() - t0;
    }
    qsort(t, runs, sizeof *t, CompareDoubles);
    printf("stage_%s_us,0,%.1f\n", name, t[runs / 2]);
    printf("stage_%s_p99_us,0,%.1f\n", name, t[runs * 99 / 100]);
    free(t);
}

static void Stages(void)
{
    Start();
    PrepareCalculator();
    HWND panel = ShownPanel();
    HWND calculate = App.calculatorCalculateButton;
    Stage("calc_press_total", 2000, [] { Click(App.calculatorCalculateButton); Settle(); });
    Stage("calc_command_only", 2000, [&] {
        SendMessageA(panel, WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), (LPARAM)calculate);
        Settle();
    });
    Stage("calc_button_click_no_command", 2000, [&] {
        /* A button's own press and release drawing with a command that
           costs nothing: the radio button that is already checked. */
        Click(GetDlgItem(panel, IDC_MULTIPLY));
        Settle();
    });
    Stage("panel_redraw_now", 2000, [&] {
        RedrawWindow(panel, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    });
    Stage("panel_redraw_no_children", 2000, [&] {
        RedrawWindow(panel, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_NOCHILDREN);
    });
    Stage("result_set_text_and_paint", 2000, [] {
        SetWindowTextA(App.calculatorResultEdit, "60");
        Settle();
    });
    Stage("settle_idle", 2000, [] { Settle(); });
    Stage("panel_redraw_then_settle", 2000, [&] {
        RedrawWindow(panel, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        Settle();
    });
    Stage("panel_invalidate_small_then_settle", 2000, [&] {
        RECT r = { 100, 100, 110, 110 };
        RedrawWindow(panel, &r, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        Settle();
    });
    /* OnCalculate's own steps, one by one, each left unsettled. */
    Stage("step_empty_result_text", 2000, [] { SetWindowTextA(App.calculatorResultEdit, ""); });
    Stage("step_getdc_releasedc", 2000, [&] { ReleaseDC(panel, GetDC(panel)); });
    Stage("step_text_lengths_and_reads", 2000, [] {
        char a[32], b[32];
        GetWindowTextLengthA(App.calculatorFirstEdit);
        GetWindowTextLengthA(App.calculatorSecondEdit);
        GetWindowTextA(App.calculatorFirstEdit, a, sizeof a);
        GetWindowTextA(App.calculatorSecondEdit, b, sizeof b);
    });
    Stage("step_format_arithmetic", 2000, [] {
        char results[ARITHMETIC_COUNT][RESULT_TEXT_SIZE];
        FormatArithmetic(ReadNumber("12"), ReadNumber("5"), results);
    });
    Stage("step_set_result_text", 2000, [] { SetWindowTextA(App.calculatorResultEdit, "60"); });
    Stage("step_redraw_after_empty_text", 2000, [&] {
        SetWindowTextA(App.calculatorResultEdit, "");
        RedrawWindow(panel, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    });
    Stage("step_command_then_no_settle", 2000, [&] {
        SendMessageA(panel, WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), (LPARAM)calculate);
    });
    {
        /* The settle alone that follows a command: the panel's children
           repaint here. */
        double t[2000];
        for (int i = 0; i < 2000; i++) {
            SendMessageA(panel, WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), (LPARAM)calculate);
            double t0 = Now();
            Settle();
            t[i] = Now() - t0;
        }
        qsort(t, 2000, sizeof *t, CompareDoubles);
        printf("stage_step_settle_after_command_us,0,%.1f\n", t[1000]);
    }

    /* The parts of a round trip. */
    Stage("roundtrip_total", 200, [] { RoundTrip(); });
    Stage("create_converter_panel", 200, [] {
        HWND p = CreatePanel(CONVERTER_CLASS);
        DestroyWindow(p);
    });
    Stage("create_calculator_panel_destroyed", 200, [] {
        /* Its destruction posts a quit message, which Settle drops. */
        HWND p = CreatePanel(CALCULATOR_CLASS);
        DestroyWindow(p);
        Settle();
    });
    Stage("create_destroy_round_region", 200, [] {
        HRGN r = CreateRoundRectRgn(0, 30, 300, 500, 147, 147);
        DeleteObject(r);
    });
    Stage("load_switch_bitmap", 200, [] {
        HBITMAP b = LoadBitmapA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(IDB_CONVERTER_SWITCH));
        DeleteObject(b);
    });
    printf("stages_frame_children,0,%d\n", CountChildren(App.mainFrame));
}

/* Start-up taken apart in a fresh process: each piece first on its own,
   then StartUp() with those costs already paid. */
static void StartupStages(void)
{
    HINSTANCE instance = GetModuleHandleA(NULL);
    double t0 = Now();
    HWND probe = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, NULL, NULL, instance, NULL);
    printf("startup_stage_first_window_us,0,%.1f\n", Now() - t0);
    t0 = Now();
    HWND button = CreateWindowExA(0, "BUTTON", "", WS_CHILD, 0, 0, 1, 1, probe, NULL, instance, NULL);
    CreateWindowExA(0, "EDIT", "", WS_CHILD, 0, 0, 1, 1, probe, NULL, instance, NULL);
    printf("startup_stage_first_button_and_edit_us,0,%.1f\n", Now() - t0);
    (void)button;
    t0 = Now();
    static const int Pictures[] = { IDB_FRAME, IDB_PANEL, IDB_PANEL, IDB_CLOSE, IDB_MINIMIZE, IDB_ABOUT,
                                    IDB_CALCULATOR_SWITCH };
    for (unsigned i = 0; i < COUNT(Pictures); i++)
        DeleteObject(LoadBitmapA(instance, MAKEINTRESOURCEA(Pictures[i])));
    printf("startup_stage_load_bitmaps_us,0,%.1f\n", Now() - t0);
    t0 = Now();
    for (int i = 0; i < 6; i++)
        LoadIconA(instance, MAKEINTRESOURCEA(IDI_OMBEX));
    for (int i = 0; i < 3; i++)
        LoadCursorA(instance, MAKEINTRESOURCEA(IDC_POINTER));
    printf("startup_stage_icons_cursors_us,0,%.1f\n", Now() - t0);
    DestroyWindow(probe);
    t0 = Now();
    if (!StartUp(instance, SW_SHOWNORMAL))
        Fail("StartUp failed");
    printf("startup_stage_startup_after_those_us,0,%.1f\n", Now() - t0);
    t0 = Now();
    Settle();
    printf("startup_stage_first_settle_us,0,%.1f\n", Now() - t0);
}

int main(int argc, char **argv)
{
    QueryPerformanceFrequency(&Frequency);
    const char *mode = argc > 1 ? argv[1] : "";
    if (!strcmp(mode, "press"))
        Press(argc > 2 ? atoi(argv[2]) : 10000);
    else if (!strcmp(mode, "swap"))
        Swap();
    else if (!strcmp(mode, "mem-start"))
        MemStart();
    else if (!strcmp(mode, "mem-bare"))
        MemBare();
    else if (!strcmp(mode, "mem-design"))
        MemDesign();
    else if (!strcmp(mode, "mem-long"))
        MemLong(argc > 2 ? atoi(argv[2]) : 10000, argc > 3 ? atoi(argv[3]) : 100000);
    else if (!strcmp(mode, "stages"))
        Stages();
    else if (!strcmp(mode, "startup-stages"))
        StartupStages();
    else
        Fail("usage: inproc press [N]|swap|mem-start|mem-bare|mem-design|mem-long [R [P]]|stages|startup-stages");
    fflush(stdout);
    return 0;
}
