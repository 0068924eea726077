/* The floors. The same-work floor makes the program's windows from facts read
   off the program's own: its classes, with the icon, cursor and pattern brushes
   loaded from its resources, frame, title buttons, panels, controls, pictures
   and regions, answering every message as the platform does; none of the
   program's code runs. The bare popup: one class, one plain window. */
#include "../res/resource.h"
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

/* A window as the program made it: its parent's place (-1: none), whether its
   class is the program's, its picture (pattern or image), keyboard, region. */
static struct Fact {
    int parent, own, id, picture, focused, regionSize;
    DWORD classStyle, style, exStyle;
    long x, y, width, height;
    char className[64], text[64];
    HBITMAP loaded;    /* by the first window that shows it, as the program does */
    DWORD region[400];
} *Facts;              /* 32 of them, made when read or recorded */
static int FactCount;
HWND FloorFocus;       /* the control of the panel made last that had the keyboard */

int FloorRead(const char *file)
{
    FILE *f = fopen(file, "rb");
    FactCount = f && (Facts = calloc(32, sizeof *Facts)) ? (int)fread(Facts, sizeof *Facts, 32, f) : 0;
    return f && !fclose(f) && FactCount;
}

static HBITMAP Picture(struct Fact *w)
{
    if (!w->loaded && w->picture)
        w->loaded = LoadBitmapA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(w->picture));
    return w->loaded;
}

/* Fact AT's window and the controls made with it; the program's start hidden. */
static HWND Make(int at, HWND parent)
{
    struct Fact *w = &Facts[at];
    HWND made = CreateWindowExA(w->exStyle, w->className, w->text, w->own ? w->style & ~WS_VISIBLE : w->style,
                                parent ? w->x : CW_USEDEFAULT, parent ? w->y : CW_USEDEFAULT, w->width,
                                w->height, parent, (HMENU)(INT_PTR)w->id, GetModuleHandleA(NULL), NULL);
    FloorFocus = made && w->focused ? made : FloorFocus;
    if (made && !w->own && w->picture)
        SendMessageA(made, BM_SETIMAGE, IMAGE_BITMAP, (LPARAM)Picture(w));
    for (int i = at + 1; made && i < FactCount; i++)
        if (Facts[i].parent == at && !Facts[i].own)
            Make(i, made);
    if (made && w->regionSize)
        SetWindowRgn(made, ExtCreateRegion(NULL, w->regionSize, (RGNDATA *)w->region), TRUE);
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

static HWND Show(HWND window, int showCommand)
{
    if (window)
        ShowWindow(window, showCommand), UpdateWindow(window);
    return window;
}

/* As the program starts: classes, frame, first panel (which it returns). */
HWND FloorStart(HINSTANCE instance, int showCommand)
{
    for (struct Fact *w = Facts; w < Facts + FactCount; w++)
        if (w->own && !RegisterClassExA(&(WNDCLASSEXA){ sizeof(WNDCLASSEXA), w->classStyle, DefWindowProcA, 0, 0,
                instance, LoadIconA(instance, MAKEINTRESOURCEA(IDI_OMBEX)), LoadCursorA(instance,
                MAKEINTRESOURCEA(IDC_POINTER)), CreatePatternBrush(Picture(w)), NULL, w->className,
                LoadIconA(instance, MAKEINTRESOURCEA(IDI_OMBEX)) }))
            return NULL;
    HWND frame = Show(Make(0, NULL), showCommand);
    return frame ? Show(FloorPanel(0, frame), showCommand) : NULL;
}

HWND BarePopup(HINSTANCE instance, int showCommand)
{
    WNDCLASSEXA wnd = { sizeof wnd, 0, DefWindowProcA, 0, 0, instance, NULL, LoadCursorA(NULL, IDC_ARROW),
                        (HBRUSH)GetStockObject(WHITE_BRUSH), NULL, "BenchBare", NULL };
    return Show(RegisterClassExA(&wnd) ? CreateWindowExA(0, "BenchBare", "Bare", WS_POPUP, CW_USEDEFAULT,
                CW_USEDEFAULT, 330, 330, NULL, NULL, instance, NULL) : NULL, showCommand);
}

#ifdef FLOOR_IN_BENCH   /* which writes the facts, and has the program's WinMain */
/* A picture is named by the bitmap resource with the same pixels. */
static HBITMAP Sought;

static BOOL CALLBACK SamePicture(HMODULE module, LPCSTR type, LPSTR name, LONG_PTR found)
{
    HBITMAP candidate = LoadBitmapA(module, name);
    char *a = malloc(2 << 20), *b = a + (1 << 20);
    LONG size = GetBitmapBits(candidate, 1 << 20, a);
    if (size == GetBitmapBits(Sought, 1 << 20, b) && !memcmp(a, b, size))
        *(int *)found = (int)(INT_PTR)name;
    free(a), DeleteObject(candidate), (void)type;
    return TRUE;
}

/* WINDOW and the windows below it, PARENT its parent's place; FALSE if they
   do not fit. The program's classes are those with pictures for brushes. */
int FloorRecord(HWND window, int parent)
{
    if (!(Facts = Facts ? Facts : calloc(32, sizeof *Facts)) || FactCount == 32)
        return 0;
    struct Fact *w = &Facts[FactCount++];
    LOGBRUSH pattern = { 0 };
    RECT r;
    char name[32] = "";
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    int fits = GetClassNameA(window, name, sizeof name) > 0;
    GetObjectA((HBRUSH)GetClassLongPtrA(window, GCLP_HBRBACKGROUND), sizeof pattern, &pattern);
    w->parent = parent, w->own = pattern.lbStyle == BS_PATTERN, w->focused = GetFocus() == window;
    snprintf(w->className, sizeof w->className, "%s%s", w->own ? "Floor" : "", name);
    Sought = w->own ? (HBITMAP)pattern.lbHatch : (HBITMAP)SendMessageA(window, BM_GETIMAGE, IMAGE_BITMAP, 0);
    EnumResourceNamesA(NULL, (LPCSTR)RT_BITMAP, SamePicture, (LONG_PTR)&w->picture);
    w->id = parent < 0 ? 0 : GetDlgCtrlID(window), w->classStyle = GetClassLongA(window, GCL_STYLE);
    w->style = GetWindowLongA(window, GWL_STYLE), w->exStyle = GetWindowLongA(window, GWL_EXSTYLE);
    GetWindowRect(window, &r), MapWindowPoints(NULL, GetParent(window), (POINT *)&r, 2);
    w->x = r.left, w->y = r.top, w->width = r.right - r.left, w->height = r.bottom - r.top;
    GetWindowTextA(window, w->text, sizeof w->text);
    if (GetWindowRgn(window, region) != ERROR)
        fits &= (w->regionSize = GetRegionData(region, sizeof w->region, (RGNDATA *)w->region)) > 0;
    DeleteObject(region);
    for (HWND child = GetWindow(window, GW_CHILD); fits && child; child = GetWindow(child, GW_HWNDNEXT))
        fits = FloorRecord(child, w - Facts);
    return fits;
}

int FloorWrite(const char *file)
{
    FILE *f = fopen(file, "wb");
    return f && fwrite(Facts, sizeof *Facts, FactCount, f) == (size_t)FactCount && !fclose(f);
}

#else
/* With a file of facts, the same-work floor; without, the bare popup. */
int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR facts, int showCommand)
{
    MSG msg;
    (void)previous;
    if (*facts ? !FloorRead(facts) || !FloorStart(instance, showCommand) : !BarePopup(instance, showCommand))
        return 1;
    while (GetMessageA(&msg, NULL, 0, 0) > 0)
        TranslateMessage(&msg), DispatchMessageA(&msg);
    return 0;
}
#endif
