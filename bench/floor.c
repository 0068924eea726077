/* The floors of start-up, the swap and memory. The same-work floor makes
   the program's windows from facts that bench.exe read off the program's
   own at run time (bench.exe facts FILE): its three classes, with the icon,
   cursor and pattern brushes loaded from the program's resources; the frame
   with its title buttons; each panel with its controls, their pictures and
   its region. None of the program's code runs: the windows answer with the
   platform's defaults, and the controls' colours on white as the panels
   answer them. The bare popup: one class and one plain window. Built alone
   as bench_bare.exe, with the program's resources and manifest as
   bench_floor.exe FILE, and into bench.exe (FLOOR_IN_BENCH). */
#include "resource.h"
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

/* A window as the program made it: its parent's place among the facts
   (-1: none), whether its class is the program's own, its picture's
   resource (the class's pattern, or a button's image), whether it had the
   keyboard, and its region's data in DWORDs. */
static struct Fact {
    int parent, own, id, picture, focused, regionSize;
    unsigned long classStyle, style, exStyle, *region;
    long x, y, width, height;
    char className[64], text[64];
    HBITMAP loaded;
} Facts[48];
static int FactCount;
HWND FloorFocus;    /* the control of the last panel made that had the keyboard */

int FloorRead(const char *file)
{
    FILE *f = fopen(file, "r");
    for (struct Fact *w = Facts; f && FactCount < 48; w = &Facts[++FactCount]) {
        if (fscanf(f, "%d %d %d %d %d %lu %lu %lu %ld %ld %ld %ld %d", &w->parent, &w->own, &w->id,
                   &w->picture, &w->focused, &w->classStyle, &w->style, &w->exStyle, &w->x, &w->y,
                   &w->width, &w->height, &w->regionSize) != 13)
            break;
        w->region = calloc(w->regionSize + 1, sizeof *w->region);
        for (int i = 0; i < w->regionSize; i++)
            fscanf(f, "%lu", &w->region[i]);
        if (fscanf(f, " %63[^|]|", w->className) != 1 || !fgets(w->text, sizeof w->text, f))
            break;
        w->text[strcspn(w->text, "\n")] = 0;
    }
    if (f)
        fclose(f);
    return FactCount;
}

static LRESULT CALLBACK FloorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_CTLCOLORBTN && message != WM_CTLCOLORSTATIC)
        return DefWindowProcA(window, message, wParam, lParam);
    SetBkMode((HDC)wParam, TRANSPARENT);
    return (LRESULT)GetStockObject(WHITE_BRUSH);
}

/* Each picture is loaded once, by the first window that needs it. */
static HBITMAP Picture(struct Fact *w)
{
    if (!w->loaded && w->picture)
        w->loaded = LoadBitmapA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(w->picture));
    return w->loaded;
}

/* The window of fact AT, with the controls made with it; the program's
   classes' windows start hidden. */
static HWND Make(int at, HWND parent)
{
    struct Fact *w = &Facts[at];
    HWND made = CreateWindowExA(w->exStyle, w->className, w->text, w->own ? w->style & ~WS_VISIBLE : w->style,
                                parent ? w->x : CW_USEDEFAULT, parent ? w->y : CW_USEDEFAULT, w->width,
                                w->height, parent, (HMENU)(INT_PTR)w->id, GetModuleHandleA(NULL), NULL);
    if (made && w->focused)
        FloorFocus = made;
    if (made && !w->own && w->picture)
        SendMessageA(made, BM_SETIMAGE, IMAGE_BITMAP, (LPARAM)Picture(w));
    for (int i = at + 1; made && i < FactCount; i++)
        if (Facts[i].parent == at && !Facts[i].own)
            Make(i, made);
    if (made && w->regionSize)
        SetWindowRgn(made, ExtCreateRegion(NULL, w->regionSize * 4, (RGNDATA *)w->region), TRUE);
    return made;
}

/* Panel WHICH (0 the calculator, 1 the converter), made hidden in FRAME. */
HWND FloorPanel(int which, HWND frame)
{
    for (int i = 1; i < FactCount; i++)
        if (Facts[i].own && which-- == 0)
            return Make(i, frame);
    return NULL;
}

/* As the program starts: its classes, then the frame shown, then the first
   panel. Returns that panel. */
HWND FloorStart(HINSTANCE instance, int showCommand)
{
    HWND frame = NULL, panel = NULL;
    for (int i = 0; i < FactCount; i++) {
        struct Fact *w = &Facts[i];
        if (!w->own)
            continue;
        WNDCLASSEXA wnd = { sizeof wnd, w->classStyle, FloorProc, 0, 0, instance,
                            LoadIconA(instance, MAKEINTRESOURCEA(IDI_OMBEX)),
                            LoadCursorA(instance, MAKEINTRESOURCEA(IDC_POINTER)),
                            CreatePatternBrush(Picture(w)), NULL, w->className,
                            LoadIconA(instance, MAKEINTRESOURCEA(IDI_OMBEX)) };
        if (!RegisterClassExA(&wnd))
            return NULL;
    }
    if (FactCount && (frame = Make(0, NULL))) {
        ShowWindow(frame, showCommand);
        UpdateWindow(frame);
    }
    if (frame && (panel = FloorPanel(0, frame))) {
        ShowWindow(panel, showCommand);
        UpdateWindow(panel);
    }
    return panel;
}

static LRESULT CALLBACK BareProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY)
        PostQuitMessage(0);
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND BarePopup(HINSTANCE instance, int showCommand)
{
    WNDCLASSEXA wnd = { sizeof wnd, 0, BareProc, 0, 0, instance, NULL, LoadCursorA(NULL, IDC_ARROW),
                        (HBRUSH)GetStockObject(WHITE_BRUSH), NULL, "BenchBare", NULL };
    HWND window = NULL;
    if (RegisterClassExA(&wnd))
        window = CreateWindowExA(0, "BenchBare", "Bare", WS_POPUP, CW_USEDEFAULT, CW_USEDEFAULT,
                                 330, 330, NULL, NULL, instance, NULL);
    if (window) {
        ShowWindow(window, showCommand);
        UpdateWindow(window);
    }
    return window;
}

#ifndef FLOOR_IN_BENCH
/* With a file of facts, the same-work floor; without, the bare popup. */
int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showCommand)
{
    MSG msg;
    (void)previous;
    if (*commandLine ? !FloorRead(commandLine) || !FloorStart(instance, showCommand)
                     : !BarePopup(instance, showCommand))
        return 1;
    while (GetMessageA(&msg, NULL, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
#endif
