// The same-work floor makes the program's windows from the facts that the tests hold the
// program to, with pictures loaded from its resources; every message gets the platform's
// answer, and none of the program's code runs.
#include "floor.h"
#include "facts.h"

// The program's classes in its order, each with its background picture.
static const struct { const char *name; UINT style; int background; } Classes[] = {
    { FrameClass, FrameClassStyle, FrameBitmap },
    { CalculatorClass, PanelClassStyle, PanelBitmap },
    { ConverterClass, PanelClassStyle, PanelBitmap },
};
#define COUNT(table) (int)(sizeof table / sizeof *table)
// A panel as the floor makes it: its controls in order, among them the switch button with
// its picture and the box that a swap gives the keyboard.
struct FloorPanelKind {
    const ControlRow *controls, *switchButton, *firstBox;
    int count, switchImage;
};
static const FloorPanelKind FloorPanels[] = {
    { CalculatorControls, &SwitchButton, &FirstNumberBox, COUNT(CalculatorControls), CalculatorSwitchBitmap },
    { ConverterControls, &ConverterControls[0], &ValueBox, COUNT(ConverterControls), ConverterSwitchBitmap },
};
static char FloorClasses[COUNT(Classes)][32];
static HBITMAP SwitchFaces[COUNT(FloorPanels)];   // one for all panels of a kind, as the program keeps them
HWND FloorFocus;

static HBITMAP Bitmap(int number)
{
    return LoadBitmapA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(number));
}

// ROW's window, of CLASSNAME where that is the floor's own, which starts hidden as the program's do.
static HWND Make(const ControlRow &row, HWND parent, const char *className = NULL)
{
    return CreateWindowExA(row.exStyle, className ? className : row.className, row.text,
                           className ? row.style & ~WS_VISIBLE : row.style, parent ? row.x : CW_USEDEFAULT,
                           parent ? row.y : CW_USEDEFAULT, row.width, row.height, parent, (HMENU)(INT_PTR)row.id,
                           GetModuleHandleA(NULL), NULL);
}

static HWND Show(HWND window, int showCommand)
{
    if (window) {
        ShowWindow(window, showCommand);
        UpdateWindow(window);
    }
    return window;
}

HWND FloorPanel(int which, HWND frame)
{
    const FloorPanelKind &kind = FloorPanels[which];
    HWND panel = Make(CalculatorWindow, frame, FloorClasses[1 + which]);
    for (int i = 0; panel && i < kind.count; i++) {
        HWND control = Make(kind.controls[i], panel);
        if (&kind.controls[i] == kind.firstBox)
            FloorFocus = control;
        if (&kind.controls[i] != kind.switchButton)
            continue;
        SwitchFaces[which] = SwitchFaces[which] ? SwitchFaces[which] : Bitmap(kind.switchImage);
        SendMessageA(control, BM_SETIMAGE, IMAGE_BITMAP, (LPARAM)SwitchFaces[which]);
    }
    if (panel)
        SetWindowRgn(panel, CreateRoundRectRgn(PanelRegion.left, PanelRegion.top, PanelRegion.right,
                                               PanelRegion.bottom, PanelCorner, PanelCorner), TRUE);
    return panel;
}

HWND FloorStart(HINSTANCE instance, int showCommand)
{
    HICON icon = LoadIconA(instance, MAKEINTRESOURCEA(IconGroup));
    WNDCLASSEXA kind = { sizeof kind, 0, DefWindowProcA, 0, 0, instance, icon,
                         LoadCursorA(instance, MAKEINTRESOURCEA(PointerCursor)), NULL, NULL, NULL, icon };
    for (int i = 0; i < COUNT(Classes); i++) {
        snprintf(FloorClasses[i], sizeof FloorClasses[i], FLOOR_PREFIX "%s", Classes[i].name);
        kind.style = Classes[i].style;
        kind.hbrBackground = CreatePatternBrush(Bitmap(Classes[i].background));
        kind.lpszClassName = FloorClasses[i];
        RegisterClassExA(&kind);
    }
    HWND frame = Make(MainFrameWindow, NULL, FloorClasses[0]);
    for (int i = 0; frame && i < COUNT(TitleButtons); i++)
        SendMessageA(Make(TitleButtons[i].control, frame), BM_SETIMAGE, IMAGE_BITMAP,
                     (LPARAM)Bitmap(TitleButtons[i].image));
    HWND shown = Show(frame, showCommand) ? Show(FloorPanel(0, frame), showCommand) : NULL;
    if (!shown)
        BenchFail("the same-work floor did not start");
    return shown;
}

HWND BarePopup(HINSTANCE instance, int showCommand)
{
    WNDCLASSEXA kind = { sizeof kind, 0, DefWindowProcA, 0, 0, instance, NULL, LoadCursorA(NULL, IDC_ARROW),
                         (HBRUSH)GetStockObject(WHITE_BRUSH), NULL, BARE_CLASS, NULL };
    RegisterClassExA(&kind);
    HWND shown = Show(CreateWindowExA(0, BARE_CLASS, "Bare", WS_POPUP, CW_USEDEFAULT, CW_USEDEFAULT, FrameSize,
                                      FrameSize, NULL, NULL, instance, NULL), showCommand);
    if (!shown)
        BenchFail("the bare popup did not start");
    return shown;
}

#ifndef FLOOR_IN_BENCH   // bench.exe has the program's WinMain
// bench_floor.exe and bench_bare.exe: a floor's start-up, then its messages until it is ended.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand)
{
    MSG msg;
#ifdef BARE_POPUP
    BarePopup(instance, showCommand);
#else
    FloorStart(instance, showCommand);
#endif
    while (GetMessageA(&msg, NULL, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
#endif
