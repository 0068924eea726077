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
static const ChildControl Controls[] = {
    SWITCH_ROW(&App.converterSwitchButton),
    NUMBER_ROW(&App.converterValueEdit),
    RESULT_ROW(&App.converterResultEdit),
    { "BUTTON", "Choose Conversion", GROUP_BOX, 38, 105, 240, 100, 0, &App.converterGroupBox },
    { "BUTTON", DEGREE "C to " DEGREE "F", CHECK_BOX | WS_GROUP, 60, 180, 70, 20, IDC_CELSIUS_TO_FAHRENHEIT, NULL },
    { "BUTTON", DEGREE "F to " DEGREE "C", CHECK_BOX, 160, 180, 70, 20, IDC_FAHRENHEIT_TO_CELSIUS, NULL },
    { "BUTTON", "inch to cm", CHECK_BOX, 60, 150, 90, 20, IDC_INCH_TO_CM, NULL },
    { "BUTTON", "cm to inch", CHECK_BOX, 160, 150, 90, 20, IDC_CM_TO_INCH, NULL },
    { "BUTTON", "m to miles", CHECK_BOX, 60, 120, 90, 20, IDC_METRES_TO_MILES, NULL },
    { "BUTTON", "miles to m", CHECK_BOX, 160, 120, 90, 20, IDC_MILES_TO_METRES, NULL },
    { "EDIT", "", SECOND_BOX, 93, 255, 120, 20, 0, &App.converterSecondResultEdit },
    CALCULATE_ROW(&App.converterCalculateButton),
};

static const Label Labels[] = {
    { "Enter the value:", 100, 60, FIRST_LABEL_COLOUR },
    RESULT_LABEL,
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
    CreateControls(panel, Controls, 1);
    GiveSwitchFace(App.converterSwitchButton, &App.converterSwitchBitmap, IDB_CONVERTER_SWITCH);
    CreateControls(panel, Controls + 1, COUNT(Controls) - 1);
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
    HDC dc = BeginPress(panel, App.converterResultEdit);
    int length = GetWindowTextLengthA(App.converterValueEdit);
    if (length == 0) {
        PaintLabels(dc, &EnterAValue, 1);
        System.releaseDC(panel, dc);
        return;
    }
    char *text = ReadBox(App.converterValueEdit, length);
    if (!text) {
        /* Out of memory: the boxes stay as the opening steps left them. */
        System.releaseDC(panel, dc);
        return;
    }
    FormatConversions(ReadNumber(text), results);

    if (!App.conversionPicked)
        PaintLabels(dc, &SelectAConversion, 1);
    else
        ShowPicked(panel, dc, results);

    System.globalFree(text);
    System.releaseDC(panel, dc);
}

static void OnCommand(HWND panel, int id, HWND sender)
{
    if (id >= IDC_CELSIUS_TO_FAHRENHEIT && id <= IDC_MILES_TO_METRES)
        App.conversionPicked = 1;   /* checking or unchecking, any panel */
    else if (id == 0 && sender == App.converterSwitchButton)
        SwapPanels(panel, &CalculatorPanel);
    else if (id == 0 && sender == App.converterCalculateButton)
        OnCalculate(panel);
}

const PanelKind ConverterPanel = { CONVERTER_CLASS, Labels, COUNT(Labels), CHECK_TEXT_COLOUR,
                                 &App.converterValueEdit, OnCreate, OnCommand };

LRESULT CALLBACK ConverterPanelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return PanelMessage(&ConverterPanel, window, message, wParam, lParam);
}
