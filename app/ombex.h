/* The program's one shared state, its window procedures and the operations
   that the panels share. */
#ifndef OMBEX_H
#define OMBEX_H

#include <windows.h>

#include "../res/layout.h"

#define MAIN_FRAME_CLASS   "OmbeX+"
#define CALCULATOR_CLASS   "Ombe"
#define CONVERTER_CLASS    "Ombex"

/* Exit code when the message loop cannot read a message. */
#define EXIT_LOOP_FAILED   1

/* Every child control's extended style. */
#define CONTROL_EX_STYLE   WS_EX_WINDOWEDGE

/* Control styles that both panels use. */
#define NUMBER_BOX   (WS_CHILD | WS_VISIBLE | WS_DLGFRAME | ES_NUMBER | ES_AUTOHSCROLL | \
                      ES_AUTOVSCROLL | ES_CENTER)
#define RESULT_BOX   (WS_CHILD | WS_VISIBLE | WS_DISABLED | WS_DLGFRAME | ES_CENTER)
#define GROUP_BOX    (WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | BS_GROUPBOX)
#define PUSH_BUTTON  (WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON)
#define BITMAP_BUTTON (WS_CHILD | WS_VISIBLE | BS_BITMAP)

#define COUNT(a) (sizeof (a) / sizeof (a)[0])

/* A child control as the panels and the main frame lay them out. */
struct ChildControl {
    const char *className;
    const char *text;
    DWORD style;
    int x, y, width, height;
    int id;
    HWND *keptIn;          /* AppState member that keeps its handle, or NULL */
};

/* A text painted onto a panel. */
struct Label {
    const char *text;
    int x, y;
    COLORREF colour;
};

struct AppState {
    /* start-up */
    HWND mainFrame;
    HWND firstCalculatorPanel;

    /* main frame */
    HWND aboutButton, closeButton, minimizeButton;
    HBITMAP aboutBitmap, closeBitmap, minimizeBitmap;
    unsigned char dragging;
    POINT startCursor;
    LONG startLeft, startTop;

    /* calculator panel */
    HWND calculatorCalculateButton;
    HWND calculatorFirstEdit, calculatorSecondEdit, calculatorResultEdit;
    HWND calculatorGroupBox;
    HWND calculatorSwitchButton;
    HBITMAP calculatorSwitchBitmap;
    HWND converterPanel;
    HWND hiddenCalculatorPanel;     /* hidden by its swap, retired by the next */
    HWND retiringPanel;             /* being destroyed without ending the program */
    int selectedOperation;

    /* converter panel */
    HWND converterSwitchButton;
    HBITMAP converterSwitchBitmap;
    HWND converterValueEdit, converterResultEdit, converterSecondResultEdit;
    HWND converterGroupBox;
    HWND converterCalculateButton;
    int conversionPicked;
};

extern AppState App;

/* The few system calls that tests swap: to make one fail on purpose, as the
   program must survive, or to count the blocks and device contexts that a
   press takes against those it gives back. */
struct SystemCalls {
    HGLOBAL (WINAPI *globalAlloc)(UINT flags, SIZE_T bytes);
    HGLOBAL (WINAPI *globalFree)(HGLOBAL block);
    BOOL (WINAPI *getMessage)(LPMSG msg, HWND window, UINT first, UINT last);
    HDC (WINAPI *getDC)(HWND window);
    int (WINAPI *releaseDC)(HWND window, HDC dc);
};

extern SystemCalls System;

/* Start-up without the loop: registers the classes, creates and shows the
   main frame and the first calculator panel. FALSE when the user has been
   told that start-up failed. */
BOOL StartUp(HINSTANCE instance, int showCommand);
int RunMessageLoop(void);

HWND CreatePanel(const char *className);
/* Tells the user that a window could not be made, in a box owned by the
   given window (none at start-up); FALSE, for start-up to return. */
BOOL TellCreationFailed(HWND owner);
/* Whether a panel is the one shown: only that one answers its controls. */
BOOL PanelShown(HWND panel);
void CreateControls(HWND parent, const ChildControl *controls, int count);
void PaintLabels(HDC dc, const Label *labels, int count);

LRESULT CALLBACK MainFrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK CalculatorPanelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ConverterPanelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

#endif
