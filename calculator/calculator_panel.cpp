/* The calculator panel: two numbers, one of four operations, one result. */
#include "../app/ombex.h"
#include "../app/numbers.h"
#include "../res/resource.h"

#define RADIO        (WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON)

/* The radio buttons lie over the group box but are the panel's children, so
   their commands come here. */
static const ChildControl Controls[] = {
    CALCULATE_ROW(&App.calculatorCalculateButton),
    NUMBER_ROW(&App.calculatorFirstEdit),
    { "EDIT", "", NUMBER_BOX, 55, 125, 200, 20, 0, &App.calculatorSecondEdit },
    RESULT_ROW(&App.calculatorResultEdit),
    { "BUTTON", "Choose Operation", GROUP_BOX, 38, 155, 240, 50, 0, &App.calculatorGroupBox },
    SWITCH_ROW(&App.calculatorSwitchButton),
    { "BUTTON", "+", RADIO | WS_GROUP, 60, 175, 40, 20, IDC_ADD, NULL },
    { "BUTTON", "-", RADIO, 100, 175, 40, 20, IDC_SUBTRACT, NULL },
    { "BUTTON", "*", RADIO, 140, 175, 40, 20, IDC_MULTIPLY, NULL },
    { "BUTTON", "/", RADIO, 180, 175, 40, 20, IDC_DIVIDE, NULL },
};

static const Label Labels[] = {
    { "Enter 2nd Number:", 100, 110, LABEL_COLOUR },
    RESULT_LABEL,
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
    GiveSwitchFace(App.calculatorSwitchButton, &App.calculatorSwitchBitmap, IDB_CALCULATOR_SWITCH);
}

static void OnCalculate(HWND panel)
{
    char results[ARITHMETIC_COUNT][RESULT_TEXT_SIZE];

    HDC dc = BeginPress(panel, App.calculatorResultEdit);
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

static void OnCommand(HWND panel, int id, HWND sender)
{
    if (id >= IDC_ADD && id <= IDC_DIVIDE)
        App.selectedOperation = id - IDC_ADD + 1;
    else if (id == 0 && sender == App.calculatorCalculateButton)
        OnCalculate(panel);
    else if (id == 0 && sender == App.calculatorSwitchButton)
        SwapPanels(panel, &ConverterPanel);
}

const PanelKind CalculatorPanel = { CALCULATOR_CLASS, Labels, COUNT(Labels), CLR_INVALID,
                                   &App.calculatorFirstEdit, OnCreate, OnCommand };

LRESULT CALLBACK CalculatorPanelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return PanelMessage(&CalculatorPanel, window, message, wParam, lParam);
}
