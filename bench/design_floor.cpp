/* The design floor for start-up: the platform work that the program's
   design makes it do, without the program's own logic. Linked with the same
   resources (so the same manifest, and so version 6 controls), it registers
   three classes with the same icon, cursor and pattern-brush backgrounds,
   creates the same popup with its three bitmap title buttons, the same
   rounded panel with the calculator's ten controls and switch bitmap, and
   paints the same three labels. No AppState, no commands, no calculation:
   a plain message loop. What OmbeX+ takes beyond this is what the program
   itself adds.

   The layout is the program's, copied: bench/measure checks that this
   settles on the same picture as OmbeX+, pixel for pixel. The converter's
   panel, made only by the in-process benchmarks, is a copy too: the press
   floor presses on it. */
#include "design_floor.h"

#include "ombex.h"
#include "resource.h"

#define RADIO              (WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON)
#define CHECK_BOX          (WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX)
#define SECOND_BOX         (WS_CHILD | WS_DISABLED | WS_DLGFRAME | ES_CENTER)
#define DEGREE             "\xB0"

DesignFloorWindows Floor;
void (*DesignFloorCommand)(HWND panel, WPARAM wParam, LPARAM lParam);

static LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
static LRESULT CALLBACK CalculatorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
static LRESULT CALLBACK ConverterProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

static const struct {
    const char *name;
    WNDPROC proc;
    UINT style;
    int background;
} Classes[] = {
    { "FloorFrame",      FrameProc,      CS_DROPSHADOW | CS_HREDRAW | CS_VREDRAW, IDB_FRAME },
    { "FloorCalculator", CalculatorProc, CS_HREDRAW | CS_VREDRAW,                 IDB_PANEL },
    { "FloorConverter",  ConverterProc,  CS_HREDRAW | CS_VREDRAW,                 IDB_PANEL },
};

static const struct {
    int x, y, image;
} TitleButtons[] = {
    { 309, 23, IDB_ABOUT },
    { 309,  7, IDB_CLOSE },
    { 292,  7, IDB_MINIMIZE },
};

static HWND SwitchButton, ConverterSwitchButton;

static const ChildControl Controls[] = {
    { "BUTTON", "Calculate", PUSH_BUTTON, 103, 289, 100, 25, 0, &Floor.calculate },
    { "EDIT", "", NUMBER_BOX, 55, 75, 200, 20, 0, &Floor.firstEdit },
    { "EDIT", "", NUMBER_BOX, 55, 125, 200, 20, 0, &Floor.secondEdit },
    { "EDIT", "", RESULT_BOX, 93, 230, 120, 20, 0, &Floor.resultEdit },
    { "BUTTON", "Choose Operation", GROUP_BOX, 38, 155, 240, 50, 0, NULL },
    { "BUTTON", "", BITMAP_BUTTON, 17, 35, 88, 18, 0, &SwitchButton },
    { "BUTTON", "+", RADIO | WS_GROUP, 60, 175, 40, 20, IDC_ADD, NULL },
    { "BUTTON", "-", RADIO, 100, 175, 40, 20, IDC_SUBTRACT, NULL },
    { "BUTTON", "*", RADIO, 140, 175, 40, 20, IDC_MULTIPLY, NULL },
    { "BUTTON", "/", RADIO, 180, 175, 40, 20, IDC_DIVIDE, NULL },
};

static const Label Labels[] = {
    { "Enter 2nd Number:", 100, 110, RGB(185, 39, 233) },
    { "Result", 131, 215, RGB(255, 100, 0) },
    { "Enter 1st Number:", 100, 60, RGB(41, 126, 233) },
};

/* The converter's switch button comes first, its image right after it. */
static const ChildControl ConverterSwitch = {
    "BUTTON", "", BITMAP_BUTTON, 17, 35, 88, 18, 0, &ConverterSwitchButton
};

static const ChildControl ConverterControls[] = {
    { "EDIT", "", NUMBER_BOX, 55, 75, 200, 20, 0, &Floor.valueEdit },
    { "EDIT", "", RESULT_BOX, 93, 230, 120, 20, 0, &Floor.converterResultEdit },
    { "BUTTON", "Choose Conversion", GROUP_BOX, 38, 105, 240, 100, 0, NULL },
    { "BUTTON", DEGREE "C to " DEGREE "F", CHECK_BOX | WS_GROUP, 60, 180, 70, 20, IDC_CELSIUS_TO_FAHRENHEIT, NULL },
    { "BUTTON", DEGREE "F to " DEGREE "C", CHECK_BOX, 160, 180, 70, 20, IDC_FAHRENHEIT_TO_CELSIUS, NULL },
    { "BUTTON", "inch to cm", CHECK_BOX, 60, 150, 90, 20, IDC_INCH_TO_CM, NULL },
    { "BUTTON", "cm to inch", CHECK_BOX, 160, 150, 90, 20, IDC_CM_TO_INCH, NULL },
    { "BUTTON", "m to miles", CHECK_BOX, 60, 120, 90, 20, IDC_METRES_TO_MILES, NULL },
    { "BUTTON", "miles to m", CHECK_BOX, 160, 120, 90, 20, IDC_MILES_TO_METRES, NULL },
    { "EDIT", "", SECOND_BOX, 93, 255, 120, 20, 0, &Floor.secondResultEdit },
    { "BUTTON", "Calculate", PUSH_BUTTON, 103, 289, 100, 25, 0, &Floor.converterCalculate },
};

static const Label ConverterLabels[] = {
    { "Enter the value:", 100, 60, RGB(41, 126, 233) },
    { "Result", 131, 215, RGB(255, 100, 0) },
};

static LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY)
        PostQuitMessage(0);
    return DefWindowProcA(window, message, wParam, lParam);
}

static void PaintPanel(HWND window, const Label *labels, unsigned count)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    SetBkMode(dc, TRANSPARENT);
    for (unsigned i = 0; i < count; i++) {
        SetTextColor(dc, labels[i].colour);
        TextOutA(dc, labels[i].x, labels[i].y, labels[i].text, lstrlenA(labels[i].text));
    }
    EndPaint(window, &ps);
}

static void Command(HWND window, WPARAM wParam, LPARAM lParam)
{
    if (DesignFloorCommand)
        DesignFloorCommand(window, wParam, lParam);
}

/* The panels paint their labels and, like the program's, show their
   controls on white (the converter's texts in its own colour). */
static LRESULT CALLBACK CalculatorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        PaintPanel(window, Labels, COUNT(Labels));
        break;
    case WM_COMMAND:
        Command(window, wParam, lParam);
        break;
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
        SetBkMode((HDC)wParam, TRANSPARENT);
        return (LRESULT)GetStockObject(WHITE_BRUSH);
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

static LRESULT CALLBACK ConverterProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        PaintPanel(window, ConverterLabels, COUNT(ConverterLabels));
        break;
    case WM_COMMAND:
        Command(window, wParam, lParam);
        return 0;
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
        SetBkMode((HDC)wParam, TRANSPARENT);
        SetTextColor((HDC)wParam, RGB(255, 0, 128));
        return (LRESULT)GetStockObject(WHITE_BRUSH);
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

static void MakeControls(HWND panel, HINSTANCE instance, const ChildControl *controls, unsigned count)
{
    for (unsigned i = 0; i < count; i++) {
        const ChildControl *c = &controls[i];
        HWND control = CreateWindowExA(CONTROL_EX_STYLE, c->className, c->text, c->style, c->x, c->y,
                                       c->width, c->height, panel, (HMENU)(INT_PTR)c->id, instance, NULL);
        if (c->keptIn)
            *c->keptIn = control;
    }
}

BOOL DesignFloorStart(HINSTANCE instance, int showCommand)
{
    for (unsigned i = 0; i < COUNT(Classes); i++) {
        WNDCLASSEXA wnd;
        ZeroMemory(&wnd, sizeof wnd);
        wnd.cbSize = sizeof wnd;
        wnd.style = Classes[i].style;
        wnd.lpfnWndProc = Classes[i].proc;
        wnd.hInstance = instance;
        wnd.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_OMBEX));
        wnd.hCursor = LoadCursorA(instance, MAKEINTRESOURCEA(IDC_POINTER));
        wnd.hbrBackground = CreatePatternBrush(LoadBitmapA(instance, MAKEINTRESOURCEA(Classes[i].background)));
        wnd.lpszClassName = Classes[i].name;
        wnd.hIconSm = LoadIconA(instance, MAKEINTRESOURCEA(IDI_OMBEX));
        if (!RegisterClassExA(&wnd))
            return FALSE;
    }

    HWND frame = Floor.frame = CreateWindowExA(0, Classes[0].name, "Floor", WS_POPUP, CW_USEDEFAULT, CW_USEDEFAULT,
                                 FRAME_SIZE, FRAME_SIZE, NULL, NULL, instance, NULL);
    if (!frame)
        return FALSE;
    HWND buttons[COUNT(TitleButtons)];
    for (unsigned i = 0; i < COUNT(TitleButtons); i++)
        buttons[i] = CreateWindowExA(CONTROL_EX_STYLE, "BUTTON", "", BITMAP_BUTTON, TitleButtons[i].x,
                                     TitleButtons[i].y, TITLE_BUTTON_SIZE, TITLE_BUTTON_SIZE, frame, NULL,
                                     instance, NULL);
    for (unsigned i = 0; i < COUNT(TitleButtons); i++)
        SendMessageA(buttons[i], BM_SETIMAGE, IMAGE_BITMAP,
                     (LPARAM)LoadBitmapA(instance, MAKEINTRESOURCEA(TitleButtons[i].image)));
    ShowWindow(frame, showCommand);
    UpdateWindow(frame);

    HWND panel = Floor.calculatorPanel = CreateWindowExA(0, Classes[1].name, "Floor", WS_CHILD, PANEL_X,
                                                         PANEL_Y, FRAME_SIZE, FRAME_SIZE, frame, NULL,
                                                         instance, NULL);
    if (!panel)
        return FALSE;
    MakeControls(panel, instance, Controls, COUNT(Controls));
    SendMessageA(SwitchButton, BM_SETIMAGE, IMAGE_BITMAP,
                 (LPARAM)LoadBitmapA(instance, MAKEINTRESOURCEA(IDB_CALCULATOR_SWITCH)));
    SetWindowRgn(panel, CreateRoundRectRgn(REGION_LEFT, REGION_TOP, REGION_RIGHT, REGION_BOTTOM,
                                           REGION_CORNER, REGION_CORNER),
                 TRUE);
    ShowWindow(panel, showCommand);
    UpdateWindow(panel);
    return TRUE;
}

BOOL DesignFloorShowConverter(HINSTANCE instance)
{
    HWND panel = Floor.converterPanel = CreateWindowExA(0, Classes[2].name, "Floor", WS_CHILD, PANEL_X,
                                                        PANEL_Y, FRAME_SIZE, FRAME_SIZE, Floor.frame, NULL,
                                                        instance, NULL);
    if (!panel)
        return FALSE;
    MakeControls(panel, instance, &ConverterSwitch, 1);
    SendMessageA(ConverterSwitchButton, BM_SETIMAGE, IMAGE_BITMAP,
                 (LPARAM)LoadBitmapA(instance, MAKEINTRESOURCEA(IDB_CONVERTER_SWITCH)));
    MakeControls(panel, instance, ConverterControls, COUNT(ConverterControls));
    SetWindowRgn(panel, CreateRoundRectRgn(REGION_LEFT, REGION_TOP, REGION_RIGHT, REGION_BOTTOM,
                                           REGION_CORNER, REGION_CORNER),
                 TRUE);
    ShowWindow(Floor.calculatorPanel, SW_HIDE);
    ShowWindow(panel, SW_SHOW);
    SetFocus(Floor.valueEdit);
    return TRUE;
}

#ifndef DESIGN_FLOOR_NO_MAIN
int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showCommand)
{
    MSG msg;

    (void)previous;
    (void)commandLine;
    if (!DesignFloorStart(instance, showCommand))
        return 1;
    while (GetMessageA(&msg, NULL, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
#endif
