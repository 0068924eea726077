/* The design floor's start-up, for the floor's own executable and for the
   in-process benchmarks, and the floor's windows for the press floor. */
#ifndef DESIGN_FLOOR_H
#define DESIGN_FLOOR_H

#include <windows.h>

/* The floor's windows, kept as the program keeps its own. */
struct DesignFloorWindows {
    HWND frame, calculatorPanel, converterPanel;
    HWND calculate, firstEdit, secondEdit, resultEdit;
    HWND converterCalculate, valueEdit, converterResultEdit, secondResultEdit;
};

extern DesignFloorWindows Floor;

/* Called with every WM_COMMAND a floor panel receives, when set: the
   press floor's work. The floor itself does nothing with commands. */
extern void (*DesignFloorCommand)(HWND panel, WPARAM wParam, LPARAM lParam);

/* Registers the classes, creates and shows the frame and the panel. */
BOOL DesignFloorStart(HINSTANCE instance, int showCommand);

/* The swap to the converter: the same rounded panel with the converter's
   twelve controls and switch bitmap shown, the calculator's hidden, the
   keyboard in the value box. */
BOOL DesignFloorShowConverter(HINSTANCE instance);

#endif
