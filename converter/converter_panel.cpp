/* The converter panel: one value, six conversions in three opposite pairs. */
#include "../app/ombex.h"
#include "../app/numbers.h"
#include "../res/resource.h"

/* The degree sign is one Windows-1252 byte; kept apart so that the hex
   escape cannot swallow the letter after it. */
#define DEGREE "\xB0"

#define SECOND_BOX   (WS_CHILD | WS_DISABLED | WS_DLGFRAME | ES_CENTER)  /* shown by a paired result */
#define CHECK_BOX    (WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX)

#define FIRST_ROW_Y  235

/* The switch button comes first: its image is given right after it. */
static const ChildControl SwitchButton = {
    "BUTTON", "", BITMAP_BUTTON, SWITCH_PLACE, 0, &App.converterSwitchButton
};

static const ChildControl Controls[] = {
    { "EDIT", "", NUMBER_BOX, NUMBER_BOX_PLACE, 0, &App.converterValueEdit },
    { "EDIT", "", RESULT_BOX, RESULT_BOX_PLACE, 0, &App.converterResultEdit },
    { "BUTTON", "Choose Conversion", GROUP_BOX, 38, 105, 240, 100, 0, &App.converterGroupBox },
    { "BUTTON", DEGREE "C to " DEGREE "F", CHECK_BOX | WS_GROUP, 60, 180, 70, 20, IDC_CELSIUS_TO_FAHRENHEIT, NULL },
    { "BUTTON", DEGREE "F to " DEGREE "C", CHECK_BOX, 160, 180, 70, 20, IDC_FAHRENHEIT_TO_CELSIUS, NULL },
    { "BUTTON", "inch to cm", CHECK_BOX, 60, 150, 90, 20, IDC_INCH_TO_CM, NULL },
    { "BUTTON", "cm to inch", CHECK_BOX, 160, 150, 90, 20, IDC_CM_TO_INCH, NULL },
    { "BUTTON", "m to miles", CHECK_BOX, 60, 120, 90, 20, IDC_METRES_TO_MILES, NULL },
    { "BUTTON", "miles to m", CHECK_BOX, 160, 120, 90, 20, IDC_MILES_TO_METRES, NULL },
    { "EDIT", "", SECOND_BOX, 93, 255, 120, 20, 0, &App.converterSecondResultEdit },
    { "BUTTON", "Calculate", PUSH_BUTTON, CALCULATE_PLACE, 0, &App.converterCalculateButton },
};

static const Label Labels[] = {
    { "Enter the value:", 100, 60, FIRST_LABEL_COLOUR },
    { "Result", RESULT_LABEL_X, RESULT_LABEL_Y, RESULT_COLOUR },
};

/* Misuse is answered in red on the panel. */
static const Label EnterAValue = { "Please Enter A Value!", 87, MESSAGE_Y, MESSAGE_COLOUR };
static const Label SelectAConversion = { "Select At least 1 Conversion", 69, MESSAGE_Y, MESSAGE_COLOUR };
static const Label SelectOnlyOne = { "Select Only 1 Conversion", 75, MESSAGE_Y, MESSAGE_COLOUR };

/* Checked boxes from two different pairs refuse the press; these are all
   twelve such combinations, tested in this order. */
static const int CrossPairs[][2] = {
    { IDC_CELSIUS_TO_FAHRENHEIT, IDC_INCH_TO_CM },
    { IDC_CELSIUS_TO_FAHRENHEIT, IDC_METRES_TO_MILES },
    { IDC_CELSIUS_TO_FAHRENHEIT, IDC_MILES_TO_METRES },
    { IDC_FAHRENHEIT_TO_CELSIUS, IDC_METRES_TO_MILES },
    { IDC_FAHRENHEIT_TO_CELSIUS, IDC_MILES_TO_METRES },
    { IDC_INCH_TO_CM, IDC_METRES_TO_MILES },
    { IDC_INCH_TO_CM, IDC_MILES_TO_METRES },
    { IDC_CM_TO_INCH, IDC_METRES_TO_MILES },
    { IDC_CM_TO_INCH, IDC_MILES_TO_METRES },
    { IDC_CELSIUS_TO_FAHRENHEIT, IDC_CM_TO_INCH },
    { IDC_FAHRENHEIT_TO_CELSIUS, IDC_INCH_TO_CM },
    { IDC_FAHRENHEIT_TO_CELSIUS, IDC_CM_TO_INCH },
};

/* A single checked box shows its own result; the later write wins. */
static const int SingleOrder[] = {
    IDC_CELSIUS_TO_FAHRENHEIT, IDC_FAHRENHEIT_TO_CELSIUS, IDC_INCH_TO_CM,
    IDC_CM_TO_INCH, IDC_MILES_TO_METRES, IDC_METRES_TO_MILES,
};

/* Both boxes of a pair: two results, each beside a purple unit label. The
   temperature labels name the typed value's unit, the others the result's. */
static const struct {
    int first, second;             /* the results shown in the first and second box */
    Label firstLabel, secondLabel;
} Pairs[] = {
    { IDC_CELSIUS_TO_FAHRENHEIT, IDC_FAHRENHEIT_TO_CELSIUS,
      { DEGREE "C=", 65, FIRST_ROW_Y, LABEL_COLOUR }, { DEGREE "F=", 65, MESSAGE_Y, LABEL_COLOUR } },
    { IDC_INCH_TO_CM, IDC_CM_TO_INCH,
      { "cm=", 65, FIRST_ROW_Y, LABEL_COLOUR }, { "inch=", 55, MESSAGE_Y, LABEL_COLOUR } },
    { IDC_MILES_TO_METRES, IDC_METRES_TO_MILES,
      { "m=", 65, FIRST_ROW_Y, LABEL_COLOUR }, { "miles=", 45, MESSAGE_Y, LABEL_COLOUR } },
};

/* The six boxes' states, read once a press: each read looks its box up
   among the panel's children, and the rule and the results would
   otherwise ask up to thirty times. */
static void ReadChecks(HWND panel, BOOL checked[CONVERSION_COUNT])
{
    for (int i = 0; i < CONVERSION_COUNT; i++)
        checked[i] = IsDlgButtonChecked(panel, IDC_CELSIUS_TO_FAHRENHEIT + i) == BST_CHECKED;
}

static BOOL Checked(const BOOL *checked, int id)
{
    return checked[id - IDC_CELSIUS_TO_FAHRENHEIT];
}

static void OnCreate(HWND panel)
{
    CreateControls(panel, &SwitchButton, 1);
    if (!App.converterSwitchBitmap)
        App.converterSwitchBitmap = LoadBitmapA(GetModuleHandleA(NULL),
                                                MAKEINTRESOURCEA(IDB_CONVERTER_SWITCH));
    SendMessageA(App.converterSwitchButton, BM_SETIMAGE, IMAGE_BITMAP,
                 (LPARAM)App.converterSwitchBitmap);
    CreateControls(panel, Controls, COUNT(Controls));
}

static void OnPaint(HWND panel)
{
    PAINTSTRUCT ps1;
    HDC dc = BeginPaint(panel, &ps1);
    PaintLabels(dc, Labels, COUNT(Labels));
    EndPaint(panel, &ps1);
}

static BOOL SelectionRefused(const BOOL *checked)
{
    for (unsigned i = 0; i < COUNT(CrossPairs); i++)
        if (Checked(checked, CrossPairs[i][0]) && Checked(checked, CrossPairs[i][1]))
            return TRUE;
    return FALSE;
}

/* An accepted state holds at most one pair, and then no other box: the
   pair's two results are the ones shown, and writing its boxes' single
   results first would only cost two more writes of the box. */
static void ShowResults(HDC dc, const BOOL *checked, char results[CONVERSION_COUNT][RESULT_TEXT_SIZE])
{
    for (unsigned i = 0; i < COUNT(Pairs); i++) {
        if (!Checked(checked, Pairs[i].first) || !Checked(checked, Pairs[i].second))
            continue;
        ShowWindow(App.converterSecondResultEdit, SW_SHOW);
        SetWindowTextA(App.converterResultEdit,
                       results[Pairs[i].first - IDC_CELSIUS_TO_FAHRENHEIT]);
        SetWindowTextA(App.converterSecondResultEdit,
                       results[Pairs[i].second - IDC_CELSIUS_TO_FAHRENHEIT]);
        PaintLabels(dc, &Pairs[i].firstLabel, 1);
        PaintLabels(dc, &Pairs[i].secondLabel, 1);
        return;
    }
    for (unsigned i = 0; i < COUNT(SingleOrder); i++)
        if (Checked(checked, SingleOrder[i]))
            SetWindowTextA(App.converterResultEdit,
                           results[SingleOrder[i] - IDC_CELSIUS_TO_FAHRENHEIT]);
}

/* Once a conversion was picked: refused, or shown. */
static void ShowPicked(HWND panel, HDC dc, char results[CONVERSION_COUNT][RESULT_TEXT_SIZE])
{
    BOOL checked[CONVERSION_COUNT];
    ReadChecks(panel, checked);
    if (SelectionRefused(checked))
        PaintLabels(dc, &SelectOnlyOne, 1);
    else
        ShowResults(dc, checked, results);
}

static void OnCalculate(HWND panel)
{
    char results[CONVERSION_COUNT][RESULT_TEXT_SIZE];

    ShowWindow(App.converterSecondResultEdit, SW_HIDE);
    SetWindowTextA(App.converterResultEdit, NULL);
    HDC dc = System.getDC(panel);
    /* Repaint now, which wipes the messages and labels of the last press. */
    RedrawWindow(panel, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);

    int length = GetWindowTextLengthA(App.converterValueEdit);
    if (length == 0) {
        PaintLabels(dc, &EnterAValue, 1);
        System.releaseDC(panel, dc);
        return;
    }
    char *text = (char *)System.globalAlloc(GPTR, length + 1);
    if (!text) {
        /* Out of memory: the boxes stay as the opening steps left them. */
        System.releaseDC(panel, dc);
        return;
    }
    GetWindowTextA(App.converterValueEdit, text, length + 1);
    FormatConversions(ReadNumber(text), results);

    if (!App.conversionPicked)
        PaintLabels(dc, &SelectAConversion, 1);
    else
        ShowPicked(panel, dc, results);

    System.globalFree(text);
    System.releaseDC(panel, dc);
}

static void OnSwitchBack(void)
{
    /* The converter goes only once its successor has been made; without
       one it stays shown and working. */
    HWND calculator = CreatePanel(CALCULATOR_CLASS);
    if (!calculator) {
        TellCreationFailed(App.mainFrame);
        return;
    }
    DestroyWindow(App.converterPanel);
    ShowWindow(calculator, SW_SHOW);
    UpdateWindow(calculator);
    /* The keyboard goes with the panel shown, ready for the first number. */
    SetFocus(App.calculatorFirstEdit);

    /* The calculator that was hidden for the converter is never shown
       again; kept, every round trip would leave ten windows behind. */
    App.retiringPanel = App.hiddenCalculatorPanel;
    DestroyWindow(App.hiddenCalculatorPanel);
    App.retiringPanel = App.hiddenCalculatorPanel = NULL;
}

static void OnCommand(HWND panel, WPARAM wParam, LPARAM lParam)
{
    int id = LOWORD(wParam);
    /* Only the panel shown answers its controls. */
    if (!PanelShown(panel))
        return;
    if (id >= IDC_CELSIUS_TO_FAHRENHEIT && id <= IDC_MILES_TO_METRES)
        App.conversionPicked = 1;   /* checking or unchecking, any panel */
    else if (id == 0 && (HWND)lParam == App.converterSwitchButton)
        OnSwitchBack();
    else if (id == 0 && (HWND)lParam == App.converterCalculateButton)
        OnCalculate(panel);
}

LRESULT CALLBACK ConverterPanelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
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
        /* The switch back may have destroyed this window by now. */
        return 0;
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
        SetBkMode((HDC)wParam, TRANSPARENT);
        SetTextColor((HDC)wParam, CHECK_TEXT_COLOUR);
        return (LRESULT)GetStockObject(WHITE_BRUSH);
    case WM_RBUTTONDOWN:
        MessageBoxA(window, "You can't use the right-click here!", "Error", MB_OK | MB_ICONWARNING);
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
