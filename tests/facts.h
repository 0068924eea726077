// What the tests hold the program to, each written out once, as the literal
// value: the windows' places and classes, every control, the painted texts,
// the message boxes, the resource numbers, the version and the colours of
// the skin. The tests read these, never the program's own headers, so that
// a value changed in the program fails them. Plain C++, no test framework:
// a benchmark may include it to make the same windows.
#ifndef OMBEX_TEST_FACTS_H
#define OMBEX_TEST_FACTS_H

#include <windows.h>

#include <string>
#include <vector>

// Window classes, in the order registered, with their class styles.
inline constexpr char FrameClass[] = "OmbeX+", CalculatorClass[] = "Ombe", ConverterClass[] = "Ombex";
inline constexpr UINT FrameClassStyle = 0x00020003, PanelClassStyle = 0x00000003;

// The main frame is 330 x 330; every panel lies at (18, -10), as large,
// clipped to a rounded rectangle with 147 x 147 corner ellipses.
inline constexpr int FrameSize = 330, PanelX = 18, PanelY = -10, PanelCorner = 147;
inline constexpr RECT PanelRegion = { 0, 30, 300, 500 };

// Resource numbers.
enum Resource {
    FrameBitmap = 111, CloseBitmap = 112, MinimizeBitmap = 115, AboutBitmap = 117,
    CalculatorSwitchBitmap = 122, ConverterSwitchBitmap = 123, PanelBitmap = 133,
    IconGroup = 103, DragCursor = 105, PointerCursor = 107,
    FirstIconImage = 1,            // the six icon images are 1 to 6
    DragCursorImage = 7, PointerCursorImage = 8,
    ManifestNumber = 1, VersionNumber = 1,
};
struct BitmapFact {
    int number, width, height;
};
inline constexpr BitmapFact Bitmaps[] = {
    { FrameBitmap, 330, 330 },          { CloseBitmap, 15, 15 },           { MinimizeBitmap, 15, 15 },
    { AboutBitmap, 15, 15 },            { CalculatorSwitchBitmap, 88, 18 }, { ConverterSwitchBitmap, 88, 18 },
    { PanelBitmap, 480, 300 },
};
inline constexpr int IconSizes[] = { 16, 32, 48, 64, 128, 256 };

// The version: file and product version 2.0.3.0, shown as "2.0.3.FINAL".
inline constexpr WORD VersionParts[4] = { 2, 0, 3, 0 };
inline constexpr char VersionText[] = "2.0.3.FINAL";

// Control identifiers: the calculator's radio buttons, the converter's
// check boxes in the order of their identifiers.
enum ControlId {
    Add = 3000, Subtract, Multiply, Divide,
    CtoF = 4000, FtoC, InchToCm, CmToInch, MToMiles, MilesToM,
};

// A window as it is made: class, text, styles, place and identifier.
struct ControlRow {
    const char *className, *text;
    DWORD style, exStyle;
    int x, y, width, height, id;
};
// The main frame, a borderless popup at the screen's top left, and a
// calculator panel on it.
inline constexpr ControlRow MainFrameWindow = { FrameClass, "OmbeX+", WS_POPUP | WS_VISIBLE, 0, 0, 0, FrameSize, FrameSize, 0 },
                            CalculatorWindow = { CalculatorClass, "OmbeX", WS_CHILD | WS_VISIBLE, 0, PanelX, PanelY,
                                                 FrameSize, FrameSize, 0 };
// Styles, as GetWindowLong reads them back (the platform adds
// WS_CLIPSIBLINGS to some). Every control is made with WS_EX_WINDOWEDGE.
enum : DWORD {
    PushStyle = 0x50000000, NumberStyle = 0x504020C1, ResultStyle = 0x58400001, HiddenResultStyle = 0x48400001,
    GroupStyle = 0x52000007, BitmapStyle = 0x50000080, RadioStyle = 0x50000009, CheckStyle = 0x50000003,
    FirstInGroup = 0x00020000, Edge = WS_EX_WINDOWEDGE,
};
#define OMBEX_SWITCH_PLACE 17, 35, 88, 18       // both panels' switch buttons
#define OMBEX_CALCULATE_PLACE 103, 289, 100, 25 // and their Calculate buttons
// Each panel's controls in the order it makes them.
inline constexpr ControlRow CalculatorControls[] = {
    { "Button", "Calculate", PushStyle, Edge, OMBEX_CALCULATE_PLACE, 0 },
    { "Edit", "", NumberStyle, Edge, 55, 75, 200, 20, 0 },
    { "Edit", "", NumberStyle, Edge, 55, 125, 200, 20, 0 },
    { "Edit", "", ResultStyle, Edge, 93, 230, 120, 20, 0 },
    { "Button", "Choose Operation", GroupStyle, Edge, 38, 155, 240, 50, 0 },
    { "Button", "", BitmapStyle, Edge, OMBEX_SWITCH_PLACE, 0 },
    { "Button", "+", RadioStyle | FirstInGroup, Edge, 60, 175, 40, 20, Add },
    { "Button", "-", RadioStyle, Edge, 100, 175, 40, 20, Subtract },
    { "Button", "*", RadioStyle, Edge, 140, 175, 40, 20, Multiply },
    { "Button", "/", RadioStyle, Edge, 180, 175, 40, 20, Divide },
};
inline constexpr ControlRow ConverterControls[] = {
    { "Button", "", BitmapStyle, Edge, OMBEX_SWITCH_PLACE, 0 },
    { "Edit", "", NumberStyle, Edge, 55, 75, 200, 20, 0 },
    { "Edit", "", ResultStyle, Edge, 93, 230, 120, 20, 0 },
    { "Button", "Choose Conversion", GroupStyle, Edge, 38, 105, 240, 100, 0 },
    { "Button", "\xB0" "C to \xB0" "F", CheckStyle | FirstInGroup, Edge, 60, 180, 70, 20, CtoF },
    { "Button", "\xB0" "F to \xB0" "C", CheckStyle, Edge, 160, 180, 70, 20, FtoC },
    { "Button", "inch to cm", CheckStyle, Edge, 60, 150, 90, 20, InchToCm },
    { "Button", "cm to inch", CheckStyle, Edge, 160, 150, 90, 20, CmToInch },
    { "Button", "m to miles", CheckStyle, Edge, 60, 120, 90, 20, MToMiles },
    { "Button", "miles to m", CheckStyle, Edge, 160, 120, 90, 20, MilesToM },
    { "Edit", "", HiddenResultStyle, Edge, 93, 255, 120, 20, 0 },
    { "Button", "Calculate", PushStyle, Edge, OMBEX_CALCULATE_PLACE, 0 },
};
// The rows that tests reach for by name.
inline constexpr const ControlRow &FirstNumberBox = CalculatorControls[1], &SecondNumberBox = CalculatorControls[2],
                                  &SwitchButton = CalculatorControls[5], &ValueBox = ConverterControls[1];

// The title buttons on the main frame, 15 x 15 bitmap buttons made in this
// order, and the bitmap each shows.
struct TitleButton {
    ControlRow control;
    int image;
};
inline constexpr TitleButton TitleButtons[] = {
    { { "Button", "", BitmapStyle, Edge, 309, 23, 15, 15, 0 }, AboutBitmap },
    { { "Button", "", BitmapStyle, Edge, 309, 7, 15, 15, 0 }, CloseBitmap },
    { { "Button", "", BitmapStyle, Edge, 292, 7, 15, 15, 0 }, MinimizeBitmap },
};
inline constexpr const ControlRow &AboutButton = TitleButtons[0].control, &CloseButton = TitleButtons[1].control,
                                  &MinimizeButton = TitleButtons[2].control;

// A text that a panel paints, where and in what colour.
struct PanelText {
    const char *text;
    int x, y;
    COLORREF colour;
};
inline constexpr COLORREF Blue = RGB(41, 126, 233), Orange = RGB(255, 100, 0), Purple = RGB(185, 39, 233),
                          Red = RGB(255, 0, 0);
// The labels that each panel paints each time it is painted.
inline const std::vector<PanelText> CalculatorLabels = {
    { "Enter 2nd Number:", 100, 110, Purple }, { "Result", 131, 215, Orange }, { "Enter 1st Number:", 100, 60, Blue },
};
inline const std::vector<PanelText> ConverterLabels = {
    { "Enter the value:", 100, 60, Blue }, { "Result", 131, 215, Orange },
};
// The red line that answers misuse, one a press.
inline constexpr PanelText EnterTwoNumbers = { "Please Enter Two Numbers!", 67, 260, Red },
                           SelectAnOperation = { "Select An Operation!", 89, 260, Red },
                           EnterAValue = { "Please Enter A Value!", 87, 260, Red },
                           SelectAConversion = { "Select At least 1 Conversion", 69, 260, Red },
                           SelectOnlyOne = { "Select Only 1 Conversion", 75, 260, Red };
// The purple unit labels beside a pair's two results.
inline constexpr PanelText CelsiusLabel = { "\xB0" "C=", 65, 235, Purple }, FahrenheitLabel = { "\xB0" "F=", 65, 260, Purple },
                           CmLabel = { "cm=", 65, 235, Purple }, InchLabel = { "inch=", 55, 260, Purple },
                           MetresLabel = { "m=", 65, 235, Purple }, MilesLabel = { "miles=", 45, 260, Purple };

// A message box by its caption, its text and its icon; each has one "OK".
struct BoxFact {
    const char *caption, *text, *icon;
};
inline constexpr BoxFact RightClickBox = { "Error", "You can't use the right-click here!", "warning" },
                         CreationFailedBox = { "Creation Failure", "Window Creation Failed!", "warning" },
                         RegistrationFailedBox = { "Registration Failure", "Window Registration Failed!", "warning" };
// The About box's text ends in the version line.
inline constexpr char AboutCaption[] = "About";
inline const std::string AboutEnding = std::string("\n -Version: ") + VersionText + " ";

// The colours that the skin's pictures are made of, broadly enough that shading and anti-aliasing stay within them.
inline constexpr int Lo(int r, int g, int b) { return r < g ? (r < b ? r : b) : (g < b ? g : b); }
inline constexpr int Hi(int r, int g, int b) { return r > g ? (r > b ? r : b) : (g > b ? g : b); }
enum Hue { Light, Dark, RedHue, BlueHue, PurpleHue, Navy, Sky, Cyan, Slate, SkyLetters, PaleBlue, Grey };
struct HueFact {
    const char *name;
    bool (*is)(int r, int g, int b);
};
inline constexpr HueFact Hues[] = {
    { "light", [](int r, int g, int b) { return Lo(r, g, b) >= 170 && Hi(r, g, b) - Lo(r, g, b) <= 40; } },
    { "dark", [](int r, int g, int b) { return Hi(r, g, b) < 120; } },
    { "red", [](int r, int g, int b) { return r >= 100 && r > 2 * g && r > 2 * b; } },
    { "blue", [](int r, int g, int b) { return b > r + 50 && g > r + 30; } },
    { "purple", [](int r, int g, int b) { return r > 2 * g && b > 2 * g; } },
    { "navy", [](int r, int g, int b) { return b > r + 30 && Hi(r, g, b) < 120; } },
    { "sky blue", [](int r, int g, int b) { return b >= 220 && g >= 130 && r < 100; } },
    { "light cyan", [](int r, int g, int b) { return r >= 100 && g - r >= 40 && b > g; } },
    { "slate", [](int r, int g, int b) { return r >= 100 && g - r >= 10 && g - r < 40 && b > g && b < 210; } },
    { "light sky blue", [](int r, int g, int b) { return r >= 150 && g >= 200 && b >= 240 && b - r >= 40; } },
    { "pale blue-white", [](int r, int g, int b) { return Lo(r, g, b) >= 150 && b - r >= 15; } },
    { "grey", [](int r, int g, int b) { return Lo(r, g, b) >= 150 && Hi(r, g, b) - Lo(r, g, b) < 6; } },
};
// What each picture is for, and the places of each hue that tell it from the others.
struct Probe {
    Hue hue;
    std::vector<POINT> at;
};
struct RoleFact {
    int number;
    const char *role;
    std::vector<Probe> probes;
};
inline const RoleFact Roles[] = {
    { FrameBitmap, "the frame: navy at the top, sky blue at the sides below and along the bottom",
      { { Navy, { { 8, 50 }, { 322, 50 }, { 80, 10 }, { 250, 10 } } }, { Sky, { { 8, 200 }, { 322, 200 }, { 165, 325 } } } } },
    { CloseBitmap, "the close button: a red tile with a white X",
      { { RedHue, { { 2, 2 }, { 7, 2 }, { 7, 12 }, { 12, 12 } } },
        { Light, { { 4, 3 }, { 10, 3 }, { 5, 4 }, { 9, 4 }, { 7, 6 }, { 7, 7 }, { 5, 9 }, { 9, 9 } } } } },
    { MinimizeBitmap, "the minimize button: a blue tile with a white bar",
      { { BlueHue, { { 2, 2 }, { 7, 3 }, { 7, 11 }, { 12, 12 } } },
        { Light, { { 5, 6 }, { 10, 6 }, { 7, 7 }, { 5, 8 }, { 10, 8 } } } } },
    { AboutBitmap, "the About button: a purple tile with a slanted white stroke",
      { { PurpleHue, { { 2, 2 }, { 6, 2 }, { 9, 11 }, { 12, 12 } } },
        { Light, { { 8, 2 }, { 9, 2 }, { 8, 5 }, { 7, 8 }, { 6, 11 }, { 7, 11 } } } } },
    { CalculatorSwitchBitmap, "the calculator's switch: light cyan with dark letters",
      { { Cyan, { { 70, 9 }, { 72, 11 }, { 70, 12 } } }, { Dark, { { 30, 12 }, { 40, 9 }, { 51, 9 }, { 64, 9 } } } } },
    { ConverterSwitchBitmap, "the converter's switch: slate with light letters",
      { { Slate, { { 70, 9 }, { 72, 11 }, { 70, 12 } } }, { SkyLetters, { { 30, 12 }, { 40, 9 }, { 51, 9 }, { 64, 9 } } } } },
    { PanelBitmap, "the panel's background: light",
      { { Light, { { 10, 150 }, { 290, 150 }, { 150, 100 }, { 20, 60 }, { 150, 45 } } } } },
    { DragCursor, "the drag cursor: a pale blue-white arrow", { { PaleBlue, { { 2, 6 }, { 5, 8 }, { 2, 12 } } } } },
    { PointerCursor, "the class cursor: a grey arrow", { { Grey, { { 2, 5 }, { 2, 6 }, { 5, 8 }, { 2, 12 } } } } },
};

#endif
