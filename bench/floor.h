// The floors (floor.cpp): the program's platform work without its code; each ends the
// process, saying why in one line, where it fails.
#ifndef BENCH_FLOOR_H
#define BENCH_FLOOR_H

#include <windows.h>
#include <stdio.h>

#define FLOOR_PREFIX  "Floor"   // before the program's class names: both live in bench.exe
#define BARE_CLASS    "Bare"
#define BenchFail(format, ...) (fflush(stdout), fprintf(stderr, "bench: " format "\n", ##__VA_ARGS__), ExitProcess(2))

extern HWND FloorFocus;   // the first box of the panel made last
HWND FloorStart(HINSTANCE instance, int showCommand);   // as the program starts: the first panel, shown
HWND FloorPanel(int which, HWND frame);                 // 0 the calculator, 1 the converter; hidden
HWND BarePopup(HINSTANCE instance, int showCommand);    // of the frame's size

#endif
