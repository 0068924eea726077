/* In-process benchmarks: the program's own start-up and window procedures,
   linked in as the tests do, driven by the same messages a click sends.
   Prints CSV lines "figure,index,value" on standard output; the script
   turns them into tables.

   inproc press        10,000 timed presses of each kind
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

static void Press(void)
{
    Start();
    PrepareCalculator();
    for (int i = 0; i < 200; i++)      /* warm-up, not reported */
        CalculatorPress();
    for (int i = 0; i < 10000; i++)
        printf("press_calculator_us,%d,%.1f\n", i, CalculatorPress());
    PrepareConverter();
    for (int i = 0; i < 200; i++)
        ConverterPress();
    for (int i = 0; i < 10000; i++)
        printf("press_converter_us,%d,%.1f\n", i, ConverterPress());
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
        Press();
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
        Fail("usage: inproc press|swap|mem-start|mem-bare|mem-design|mem-long [R [P]]|stages|startup-stages");
    fflush(stdout);
    return 0;
}
