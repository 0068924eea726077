/* The design floor's start-up, for the floor's own executable and for the
   in-process benchmarks. */
#ifndef DESIGN_FLOOR_H
#define DESIGN_FLOOR_H

#include <windows.h>

/* Registers the classes, creates and shows the frame and the panel. */
BOOL DesignFloorStart(HINSTANCE instance, int showCommand);

#endif
