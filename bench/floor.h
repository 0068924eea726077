/* The floors (floor.c): the program's platform work without its code; each part ends the process where it fails. */
#ifndef BENCH_FLOOR_H
#define BENCH_FLOOR_H

#include <windows.h>
#include <stdio.h>

#define FLOOR_PREFIX  "Floor"   /* before the program's class names: both live in bench.exe */
#define BARE_CLASS    "Bare"

/* The facts: the program's windows, the frame's tree (0), then the converter's (1). */
void FloorRecord(HWND window, const char *facts);
/* As the program starts: classes, frame, first panel, which it returns. */
HWND FloorStart(HINSTANCE instance, int showCommand, const char *facts);
HWND FloorPanel(int which, HWND frame);   /* 0 the calculator, 1 the converter; hidden */
extern HWND FloorFocus;                   /* the control of the panel made last that has the keyboard */
void FloorCheck(HWND window, int tree);   /* WINDOW's tree read back as the program's was */
HWND BarePopup(HINSTANCE instance, int showCommand);   /* of the frame's size */
/* Ends the process, saying why in one line. */
#define BenchFail(format, ...) (fflush(stdout), fprintf(stderr, "bench: " format "\n", ##__VA_ARGS__), ExitProcess(2))

#endif
