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
#define GROUP_BOX    (WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | BS_GROUPBOX)
#define BITMAP_BUTTON (WS_CHILD | WS_VISIBLE | BS_BITMAP)

#define COUNT(a) (sizeof (a) / sizeof (a)[0])

/* A child control as the panels and the main frame lay them out. */
struct ChildControl {
    const char *className;
    const char *text;
    DWORD style;
    int x, y, width, height, id;
    HWND *keptIn;          /* AppState member that keeps its handle, or NULL */
};

/* A text painted onto a panel. */
struct Label {
    const char *text;
    int x, y;
    COLORREF colour;
};

/* The rows that both panels lay out alike. */
#define SWITCH_ROW(kept)    { "BUTTON", "", BITMAP_BUTTON, SWITCH_PLACE, 0, kept }
#define CALCULATE_ROW(kept) { "BUTTON", "Calculate", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CALCULATE_PLACE, 0, kept }
#define NUMBER_ROW(kept)    { "EDIT", "", NUMBER_BOX, NUMBER_BOX_PLACE, 0, kept }
#define RESULT_ROW(kept)    { "EDIT", "", WS_CHILD | WS_VISIBLE | WS_DISABLED | WS_DLGFRAME | ES_CENTER, \
                              RESULT_BOX_PLACE, 0, kept }
#define RESULT_LABEL        { "Result", RESULT_LABEL_AT, RESULT_COLOUR }

/* What one panel has of its own; the rest is the panels' one protocol. */
struct PanelKind {
    const char *className;
    const Label *labels;
    int labelCount;
    COLORREF controlText;   /* CLR_INVALID: the controls keep their own */
    HWND *firstBox;         /* takes the keyboard when the panel is shown */
    void (*create)(HWND panel);
    void (*command)(HWND panel, int id, HWND sender);
};

extern const PanelKind CalculatorPanel, ConverterPanel;

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
    HWND calculatorGroupBox, calculatorSwitchButton;
    HBITMAP calculatorSwitchBitmap;
    int selectedOperation;

    /* converter panel */
    HWND converterPanel;
    HWND converterSwitchButton;
    HBITMAP converterSwitchBitmap;
    HWND converterValueEdit, converterResultEdit, converterSecondResultEdit;
    HWND converterGroupBox, converterCalculateButton;
    int conversionPicked;
    HWND hiddenCalculatorPanel, retiringPanel;  /* a swap's: hidden, then retired */
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
void CreateControls(HWND parent, const ChildControl *controls, int count);
void PaintLabels(HDC dc, const Label *labels, int count);
void GiveSwitchFace(HWND button, HBITMAP *face, int image);
char *ReadBox(HWND box, int length);
HDC BeginPress(HWND panel, HWND resultBox);
void SwapPanels(HWND shown, const PanelKind *to);
LRESULT PanelMessage(const PanelKind *kind, HWND window, UINT message, WPARAM wParam, LPARAM lParam);

LRESULT CALLBACK MainFrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK CalculatorPanelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ConverterPanelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

#endif
