/* The calculator panel: two numbers, one of four operations, one result. */
#include "../app/ombex.h"
#include "../app/numbers.h"
#include "../res/resource.h"

#define RADIO        (WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON)

/* The radio buttons lie over the group box but are the panel's children, so
   their commands come here. */
static const ChildControl Controls[] = {
    { "BUTTON", "Calculate", PUSH_BUTTON, CALCULATE_PLACE, 0, &App.calculatorCalculateButton },
    { "EDIT", "", NUMBER_BOX, NUMBER_BOX_PLACE, 0, &App.calculatorFirstEdit },
    { "EDIT", "", NUMBER_BOX, 55, 125, 200, 20, 0, &App.calculatorSecondEdit },
    { "EDIT", "", RESULT_BOX, RESULT_BOX_PLACE, 0, &App.calculatorResultEdit },
    { "BUTTON", "Choose Operation", GROUP_BOX, 38, 155, 240, 50, 0, &App.calculatorGroupBox },
    { "BUTTON", "", BITMAP_BUTTON, SWITCH_PLACE, 0, &App.calculatorSwitchButton },
    { "BUTTON", "+", RADIO | WS_GROUP, 60, 175, 40, 20, IDC_ADD, NULL },
    { "BUTTON", "-", RADIO, 100, 175, 40, 20, IDC_SUBTRACT, NULL },
    { "BUTTON", "*", RADIO, 140, 175, 40, 20, IDC_MULTIPLY, NULL },
    { "BUTTON", "/", RADIO, 180, 175, 40, 20, IDC_DIVIDE, NULL },
};

static const Label Labels[] = {
    { "Enter 2nd Number:", 100, 110, LABEL_COLOUR },
    { "Result", RESULT_LABEL_X, RESULT_LABEL_Y, RESULT_COLOUR },
    { "Enter 1st Number:", 100, 60, FIRST_LABEL_COLOUR },
};

/* Misuse is answered in red on the panel. */
static const Label EnterTwoNumbers = { "Please Enter Two Numbers!", 67, MESSAGE_Y, MESSAGE_COLOUR };
static const Label SelectAnOperation = { "Select An Operation!", 89, MESSAGE_Y, MESSAGE_COLOUR };

/* SelectedOperation: 0 until a radio button is clicked, then the result
   that the radio button picks. */
static const Arithmetic Operations[] = { RESULT_SUM, RESULT_DIFFERENCE, RESULT_PRODUCT, RESULT_QUOTIENT };

static void OnCreate(HWND panel)
{
    CreateControls(panel, Controls, COUNT(Controls));
    /* One face serves every calculator panel: loading it for each would
       cost a GDI object per swap for as long as the program runs. */
    if (!App.calculatorSwitchBitmap)
        App.calculatorSwitchBitmap = LoadBitmapA(GetModuleHandleA(NULL),
                                                 MAKEINTRESOURCEA(IDB_CALCULATOR_SWITCH));
    SendMessageA(App.calculatorSwitchButton, BM_SETIMAGE, IMAGE_BITMAP,
                 (LPARAM)App.calculatorSwitchBitmap);
}

static void OnPaint(HWND panel)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(panel, &ps);
    PaintLabels(dc, Labels, COUNT(Labels));
    EndPaint(panel, &ps);
}

/* A box's text in a fresh block, or NULL when no memory could be had. */
static char *ReadBox(HWND box, int length)
{
    char *text = (char *)System.globalAlloc(GMEM_ZEROINIT, length + 1);
    if (text)
        GetWindowTextA(box, text, length + 1);
    return text;
}

static void OnCalculate(HWND panel)
{
    char results[ARITHMETIC_COUNT][RESULT_TEXT_SIZE];

    SetWindowTextA(App.calculatorResultEdit, "");
    HDC dc = System.getDC(panel);
    /* Repaint now, which wipes the message of the previous press. */
    RedrawWindow(panel, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);

    int firstLength = GetWindowTextLengthA(App.calculatorFirstEdit);
    int secondLength = GetWindowTextLengthA(App.calculatorSecondEdit);
    if (firstLength == 0 || secondLength == 0) {
        PaintLabels(dc, &EnterTwoNumbers, 1);
        System.releaseDC(panel, dc);
        return;
    }

    char *first = ReadBox(App.calculatorFirstEdit, firstLength);
    char *second = ReadBox(App.calculatorSecondEdit, secondLength);
    /* Out of memory: give back what was taken and leave the box empty. */
    if (first && second) {
        FormatArithmetic(ReadNumber(first), ReadNumber(second), results);
        if (App.selectedOperation == 0)
            PaintLabels(dc, &SelectAnOperation, 1);
        else
            SetWindowTextA(App.calculatorResultEdit,
                           results[Operations[App.selectedOperation - 1]]);
    }
    if (first)
        System.globalFree(first);
    if (second)
        System.globalFree(second);
    System.releaseDC(panel, dc);
}

static void OnSwitch(HWND panel)
{
    HWND converter = CreatePanel(CONVERTER_CLASS);
    /* Without a converter the calculator stays shown and working. */
    if (!converter) {
        TellCreationFailed(App.mainFrame);
        return;
    }
    App.converterPanel = converter;
    ShowWindow(panel, SW_HIDE);
    ShowWindow(App.converterPanel, SW_SHOW);
    /* The keyboard goes with the panel shown, ready for the value: left on
       the hidden switch button, a Space would swap again from behind. */
    SetFocus(App.converterValueEdit);
    App.hiddenCalculatorPanel = panel;
}

static void OnCommand(HWND panel, WPARAM wParam, LPARAM lParam)
{
    int id = LOWORD(wParam);
    /* A hidden calculator is done with: nothing it sends counts. */
    if (!PanelShown(panel))
        return;
    if (id >= IDC_ADD && id <= IDC_DIVIDE)
        App.selectedOperation = id - IDC_ADD + 1;
    else if (id == 0 && (HWND)lParam == App.calculatorCalculateButton)
        OnCalculate(panel);
    else if (id == 0 && (HWND)lParam == App.calculatorSwitchButton)
        OnSwitch(panel);
}

LRESULT CALLBACK CalculatorPanelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        OnCreate(window);
        break;
    case WM_PAINT:
        OnPaint(window);
        break;
    case WM_COMMAND:
        OnCommand(window, wParam, lParam);
        break;
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
        /* The disabled result box asks here too, so it shows on white. */
        SetBkMode((HDC)wParam, TRANSPARENT);
        return (LRESULT)GetStockObject(WHITE_BRUSH);
    case WM_RBUTTONDOWN:
        MessageBoxA(window, "You can't use the right-click here!", "Error", MB_OK | MB_ICONWARNING);
        break;
    case WM_CLOSE:
        DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        /* A calculator panel ends the program as it goes, which is how
           closing the main frame ends it too; one that a newer panel has
           replaced just goes. */
        if (window != App.retiringPanel)
            PostQuitMessage(0);
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
