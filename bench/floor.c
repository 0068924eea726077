/* The same-work floor makes the program's windows, from facts read off its
   own, with pictures loaded from its resources; every message gets the
   platform's answer, and none of the program's code runs. */
#include "floor.h"
#include "../res/layout.h"
#include "../res/resource.h"
#include <stddef.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#define MOST_WINDOWS   32
#define REGION_WORDS   400
#define PICTURE_BYTES  (1 << 20)

/* A window in the parts that the check compares: its parent's place (-1: a root); its
   class, whether the program's (by its pattern brush); its picture, by the bitmap resource. */
struct Fact {
    int parent;
    char className[64];
    DWORD classStyle;
    int own, picture;
    char text[64];
    DWORD style, exStyle;
    int id;
    RECT place;
    int regionSize;
    DWORD region[REGION_WORDS];
    int focused;
};

#define PART(name, first, next) \
    { name, offsetof(struct Fact, first), offsetof(struct Fact, next) - offsetof(struct Fact, first) }
static const struct { const char *name; size_t offset, size; } Parts[] = {
    PART("place among the windows", parent, className),
    PART("class", className, picture),
    PART("picture", picture, text),
    PART("text", text, style),
    PART("style", style, id),
    PART("identifier", id, place),
    PART("rectangle", place, regionSize),
    PART("region", regionSize, focused),
};

/* The program's windows, as recorded or read; the floor's, as read back. */
static struct FactSet {
    int count;
    struct Fact fact[MOST_WINDOWS];
} Facts, Made;
static HBITMAP Loaded[MOST_WINDOWS];   /* kept, as the program keeps its pictures */
static HBITMAP Sought;
static char SoughtBits[PICTURE_BYTES], CandidateBits[PICTURE_BYTES];
HWND FloorFocus;

static BOOL CALLBACK SamePicture(HMODULE module, LPCSTR type, LPSTR name, LONG_PTR found)
{
    HBITMAP candidate = LoadBitmapA(module, name);
    LONG size = GetBitmapBits(candidate, PICTURE_BYTES, CandidateBits);
    if (size == GetBitmapBits(Sought, PICTURE_BYTES, SoughtBits) && !memcmp(SoughtBits, CandidateBits, size))
        *(int *)found = (int)(INT_PTR)name;
    DeleteObject(candidate);
    (void)type;
    return TRUE;
}

/* WINDOW's tree into SET, FALSE where it does not fit; class names prefixed as the floor's. */
static int Record(struct FactSet *set, HWND window, int parent)
{
    if (set->count == MOST_WINDOWS)
        return FALSE;
    LOGBRUSH pattern = { 0 };
    HWND above = GetParent(window);
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    int at = set->count++;
    struct Fact *w = &set->fact[at];
    char name[sizeof w->className - sizeof FLOOR_PREFIX] = "";
    memset(w, 0, sizeof *w);
    w->parent = parent;
    GetClassNameA(window, name, sizeof name);
    GetObjectA((HBRUSH)GetClassLongPtrA(window, GCLP_HBRBACKGROUND), sizeof pattern, &pattern);
    w->own = pattern.lbStyle == BS_PATTERN;
    int prefix = w->own && strncmp(name, FLOOR_PREFIX, strlen(FLOOR_PREFIX));
    snprintf(w->className, sizeof w->className, "%s%s", prefix ? FLOOR_PREFIX : "", name);
    w->classStyle = GetClassLongA(window, GCL_STYLE);
    Sought = w->own ? (HBITMAP)pattern.lbHatch : (HBITMAP)SendMessageA(window, BM_GETIMAGE, IMAGE_BITMAP, 0);
    if (Sought)
        EnumResourceNamesA(NULL, (LPCSTR)RT_BITMAP, SamePicture, (LONG_PTR)&w->picture);
    GetWindowTextA(window, w->text, sizeof w->text);
    w->style = GetWindowLongA(window, GWL_STYLE);
    w->exStyle = GetWindowLongA(window, GWL_EXSTYLE);
    w->id = above ? GetDlgCtrlID(window) : 0;
    GetWindowRect(window, &w->place);
    MapWindowPoints(NULL, above, (POINT *)&w->place, 2);
    if (!above)
        OffsetRect(&w->place, -w->place.left, -w->place.top);
    int shaped = GetWindowRgn(window, region) != ERROR;
    if (shaped)
        w->regionSize = GetRegionData(region, sizeof w->region, (RGNDATA *)w->region);
    DeleteObject(region);
    w->focused = GetFocus() == window;
    int fits = !shaped || w->regionSize;
    for (HWND child = GetWindow(window, GW_CHILD); fits && child; child = GetWindow(child, GW_HWNDNEXT))
        fits = Record(set, child, at);
    return fits;
}

void FloorRecord(HWND window, const char *facts)
{
    FILE *file = Record(&Facts, window, -1) ? fopen(facts, "wb") : NULL;
    int written = file && fwrite(&Facts, sizeof Facts, 1, file) == 1;
    if (!file || fclose(file) || !written)
        BenchFail("the program's windows did not fit in the facts or could not be written to '%s'", facts);
}

static HBITMAP Picture(int at)
{
    if (!Loaded[at] && Facts.fact[at].picture)
        Loaded[at] = LoadBitmapA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(Facts.fact[at].picture));
    return Loaded[at];
}

/* Fact AT's window and the controls made with it; the program's start hidden. */
static HWND Make(int at, HWND parent)
{
    const struct Fact *w = &Facts.fact[at];
    const RECT *r = &w->place;
    HWND made = CreateWindowExA(w->exStyle, w->className, w->text, w->own ? w->style & ~WS_VISIBLE : w->style,
                                parent ? r->left : CW_USEDEFAULT, parent ? r->top : CW_USEDEFAULT,
                                r->right - r->left, r->bottom - r->top, parent, (HMENU)(INT_PTR)w->id,
                                GetModuleHandleA(NULL), NULL);
    if (made && w->focused)
        FloorFocus = made;
    if (made && !w->own && w->picture)
        SendMessageA(made, BM_SETIMAGE, IMAGE_BITMAP, (LPARAM)Picture(at));
    for (int i = at + 1; made && i < Facts.count; i++)
        if (Facts.fact[i].parent == at && !Facts.fact[i].own)
            Make(i, made);
    if (made && w->regionSize)
        SetWindowRgn(made, ExtCreateRegion(NULL, w->regionSize, (const RGNDATA *)w->region), TRUE);
    return made;
}

HWND FloorPanel(int which, HWND frame)
{
    for (int i = 1; i < Facts.count; i++)
        if (Facts.fact[i].own && which-- == 0)
            return Make(i, frame);
    return NULL;
}

static HWND Show(HWND window, int showCommand)
{
    if (window) {
        ShowWindow(window, showCommand);
        UpdateWindow(window);
    }
    return window;
}

/* Reading the facts counts in the floor's start-up, as the program's tables do in its. */
HWND FloorStart(HINSTANCE instance, int showCommand, const char *facts)
{
    FILE *file = fopen(facts, "rb");
    int read = file && fread(&Facts, sizeof Facts, 1, file) == 1 && !fclose(file);
    HICON icon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_OMBEX));
    WNDCLASSEXA kind = { sizeof kind, 0, DefWindowProcA, 0, 0, instance, icon,
                         LoadCursorA(instance, MAKEINTRESOURCEA(IDC_POINTER)), NULL, NULL, NULL, icon };
    for (int i = 0; read && i < Facts.count; i++) {
        if (!Facts.fact[i].own)
            continue;
        kind.style = Facts.fact[i].classStyle;
        kind.hbrBackground = CreatePatternBrush(Picture(i));
        kind.lpszClassName = Facts.fact[i].className;
        RegisterClassExA(&kind);
    }
    HWND frame = read ? Show(Make(0, NULL), showCommand) : NULL;
    HWND shown = frame ? Show(FloorPanel(0, frame), showCommand) : NULL;
    if (!shown)
        BenchFail("the same-work floor did not start from the facts in '%s'", facts);
    return shown;
}

/* Where tree TREE's facts begin: a root has no parent. */
static int Root(int tree)
{
    int at = 0;
    while (at < Facts.count && (Facts.fact[at].parent >= 0 || tree-- > 0))
        at++;
    return at;
}

void FloorCheck(HWND window, int tree)
{
    int at = Root(tree);
    int end = Root(tree + 1);
    Made.count = at;
    if (!Record(&Made, window, -1) || Made.count != end)
        BenchFail("the same-work floor's %s made %d windows where the program made %d", Facts.fact[at].className,
                  Made.count - at, end - at);
    for (int i = at; i < end; i++)
        for (unsigned p = 0; p < sizeof Parts / sizeof *Parts; p++) {
            const struct Fact *w = &Facts.fact[i];
            if (memcmp((const char *)&Made.fact[i] + Parts[p].offset, (const char *)w + Parts[p].offset,
                       Parts[p].size))
                BenchFail("the same-work floor's %s '%s' at (%ld, %ld) has another %s than the program's",
                          w->className, w->text, w->place.left, w->place.top, Parts[p].name);
        }
}

HWND BarePopup(HINSTANCE instance, int showCommand)
{
    WNDCLASSEXA kind = { sizeof kind, 0, DefWindowProcA, 0, 0, instance, NULL, LoadCursorA(NULL, IDC_ARROW),
                         (HBRUSH)GetStockObject(WHITE_BRUSH), NULL, BARE_CLASS, NULL };
    RegisterClassExA(&kind);
    HWND shown = Show(CreateWindowExA(0, BARE_CLASS, "Bare", WS_POPUP, CW_USEDEFAULT, CW_USEDEFAULT,
                                      FRAME_SIZE, FRAME_SIZE, NULL, NULL, instance, NULL), showCommand);
    if (!shown)
        BenchFail("the bare popup did not start");
    return shown;
}

#ifndef FLOOR_IN_BENCH   /* bench.exe has the program's WinMain */
/* bench_floor.exe FACTS; with BENCH_CHECK set, it reads itself back and ends. */
int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR facts, int showCommand)
{
    MSG msg;
#ifdef BARE_POPUP
    BarePopup(instance, showCommand);
#else
    HWND shown = FloorStart(instance, showCommand, facts);
    if (getenv("BENCH_CHECK")) {
        FloorCheck(GetParent(shown), 0);
        return 0;
    }
#endif
    (void)previous;
    (void)facts;
    while (GetMessageA(&msg, NULL, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
#endif
