/* The floors (floor.c): what the platform does for the program, without the
   program's code. */
#ifndef BENCH_FLOOR_H
#define BENCH_FLOOR_H

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

#define FLOOR_PREFIX  "Floor"   /* before the program's class names: both live in bench.exe */
#define BARE_CLASS    "Bare"

/* The facts, the program's windows as trees: the frame's (tree 0), then the
   converter's (tree 1). Each FALSE where they do not fit or move. */
int FloorRecord(HWND window);
int FloorWrite(const char *file);
int FloorRead(const char *file);
/* As the program starts: classes, frame, first panel, which it returns. */
HWND FloorStart(HINSTANCE instance, int showCommand);
/* Panel WHICH (0 the calculator, 1 the converter), made hidden in FRAME. */
HWND FloorPanel(int which, HWND frame);
extern HWND FloorFocus;   /* the control of the panel made last that had the keyboard */
/* Where WINDOW's tree differs from the facts' tree TREE, read back as the
   program's was: a sentence, or NULL where it does not. */
const char *FloorCheck(HWND window, int tree);
HWND BarePopup(HINSTANCE instance, int showCommand);   /* of the frame's size */

#ifdef __cplusplus
}
#endif

#endif
