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
   settles on the same picture as OmbeX+, pixel for pixel. */
#include "design_floor.h"

#include "ombex.h"
#include "resource.h"

#define RADIO              (WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON)

static const struct {
    const char *name;
    UINT style;
    int background;
} Classes[] = {
    { "FloorFrame",      CS_DROPSHADOW | CS_HREDRAW | CS_VREDRAW, IDB_FRAME },
    { "FloorCalculator", CS_HREDRAW | CS_VREDRAW,                 IDB_PANEL },
    { "FloorConverter",  CS_HREDRAW | CS_VREDRAW,                 IDB_PANEL },
};

static const struct {
    int x, y, image;
} TitleButtons[] = {
    { 309, 23, IDB_ABOUT },
    { 309,  7, IDB_CLOSE },
    { 292,  7, IDB_MINIMIZE },
};

static HWND SwitchButton;

static const ChildControl Controls[] = {
    { "BUTTON", "Calculate", PUSH_BUTTON, 103, 289, 100, 25, 0, NULL },
    { "EDIT", "", NUMBER_BOX, 55, 75, 200, 20, 0, NULL },
    { "EDIT", "", NUMBER_BOX, 55, 125, 200, 20, 0, NULL },
    { "EDIT", "", RESULT_BOX, 93, 230, 120, 20, 0, NULL },
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

static LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY)
        PostQuitMessage(0);
    return DefWindowProcA(window, message, wParam, lParam);
}

/* The panel paints its labels and, like the program's, shows its
   controls on white. */
static LRESULT CALLBACK PanelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window, &ps);
        SetBkMode(dc, TRANSPARENT);
        for (unsigned i = 0; i < COUNT(Labels); i++) {
            SetTextColor(dc, Labels[i].colour);
            TextOutA(dc, Labels[i].x, Labels[i].y, Labels[i].text, lstrlenA(Labels[i].text));
        }
        EndPaint(window, &ps);
        break;
    }
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
        SetBkMode((HDC)wParam, TRANSPARENT);
        return (LRESULT)GetStockObject(WHITE_BRUSH);
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

BOOL DesignFloorStart(HINSTANCE instance, int showCommand)
{
    for (unsigned i = 0; i < COUNT(Classes); i++) {
        WNDCLASSEXA wnd;
        ZeroMemory(&wnd, sizeof wnd);
        wnd.cbSize = sizeof wnd;
        wnd.style = Classes[i].style;
        wnd.lpfnWndProc = i == 0 ? FrameProc : PanelProc;
        wnd.hInstance = instance;
        wnd.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_OMBEX));
        wnd.hCursor = LoadCursorA(instance, MAKEINTRESOURCEA(IDC_POINTER));
        wnd.hbrBackground = CreatePatternBrush(LoadBitmapA(instance, MAKEINTRESOURCEA(Classes[i].background)));
        wnd.lpszClassName = Classes[i].name;
        wnd.hIconSm = LoadIconA(instance, MAKEINTRESOURCEA(IDI_OMBEX));
        if (!RegisterClassExA(&wnd))
            return FALSE;
    }

    HWND frame = CreateWindowExA(0, Classes[0].name, "Floor", WS_POPUP, CW_USEDEFAULT, CW_USEDEFAULT,
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

    HWND panel = CreateWindowExA(0, Classes[1].name, "Floor", WS_CHILD, PANEL_X, PANEL_Y, FRAME_SIZE,
                                 FRAME_SIZE, frame, NULL, instance, NULL);
    if (!panel)
        return FALSE;
    for (unsigned i = 0; i < COUNT(Controls); i++) {
        const ChildControl *c = &Controls[i];
        HWND control = CreateWindowExA(CONTROL_EX_STYLE, c->className, c->text, c->style, c->x, c->y,
                                       c->width, c->height, panel, (HMENU)(INT_PTR)c->id, instance, NULL);
        if (c->keptIn)
            *c->keptIn = control;
    }
    SendMessageA(SwitchButton, BM_SETIMAGE, IMAGE_BITMAP,
                 (LPARAM)LoadBitmapA(instance, MAKEINTRESOURCEA(IDB_CALCULATOR_SWITCH)));
    SetWindowRgn(panel, CreateRoundRectRgn(REGION_LEFT, REGION_TOP, REGION_RIGHT, REGION_BOTTOM,
                                           REGION_CORNER, REGION_CORNER),
                 TRUE);
    ShowWindow(panel, showCommand);
    UpdateWindow(panel);
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
