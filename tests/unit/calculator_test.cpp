// The calculator panel in process: its controls, results, red messages,
// the swap and back, the warning box, and what its destruction does.
#include "app_test.h"

#include <float.h>
#include <stdio.h>
#include <string.h>

class CalculatorTest : public AppTest {
protected:
    HWND Panel() { return ShownPanel(); }
};

TEST_F(CalculatorTest, TenControlsAsLaidOut)
{
    ExpectLaidOut(Panel(), CalculatorControls,
                  { &App.calculatorCalculateButton, &App.calculatorFirstEdit, &App.calculatorSecondEdit,
                    &App.calculatorResultEdit, &App.calculatorGroupBox, &App.calculatorSwitchButton, NULL, NULL,
                    NULL, NULL },
                  App.calculatorSwitchBitmap);
}

// Both panels' labels, letter for letter, in place and colour.
TEST_F(CalculatorTest, LabelsOfBothPanelsArePaintedExactly)
{
    const RECT whole = { 0, 0, FrameSize, FrameSize };
    for (const char *shown : { CalculatorClass, ConverterClass }) {
        SCOPED_TRACE(shown);
        if (ClassName(Panel()) != shown)
            Click(App.calculatorSwitchButton);
        ASSERT_EQ(shown, ClassName(Panel()));
        RedrawWindow(Panel(), NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        EXPECT_TRUE(Painted(Panel(), whole, {}));
    }
}

// Typed or pasted texts, each read by atof and narrowed to single precision.
TEST_F(CalculatorTest, ResultsOfTheFourOperations)
{
    static const struct { const char *first, *second; int operation; const char *result; } cases[] = {
        { "12", "5", Multiply, "60" },
        { "2", "5", Subtract, "-3" },
        { "7", "2", Divide, "3.5" },
        { "22", "7", Divide, "3.143" },
        { "1", "3", Divide, "0.3333" },
        { "100000", "3", Divide, "3.333e+04" },
        { "1", "100000", Divide, "1e-05" },
        { "1.5", "1.2", Add, "3" },
        { "16777217", "0", Add, "16777216" },
        { "123456789", "1", Multiply, "123456792" },
        { "5", "0", Divide, "inf" },
        { "0", "0", Divide, "nan" },
        { "-5", "0", Divide, "-inf" },
        { "-12", "+3", Add, "-9" },
        { "1e3", "2", Multiply, "2000" },
        { "2.5E1", "0.5", Subtract, "24" },
        { "abc", "5", Add, "5" },
        { "12abc", "3x", Multiply, "36" },
        { "  7", "3", Subtract, "4" },
        { "999999999999999999999999999999999999999", "1", Add, "inf" },
        { "999999999999999999999999999999999999999", "-999999999999999999999999999999999999999", Multiply, "-inf" },
        { "1e-45", "1e-45", Multiply, "0" },
        { "0", "7", Divide, "0" },
    };
    for (auto &c : cases) {
        SCOPED_TRACE(std::string(c.first) + " " + std::to_string(c.operation) + " " + c.second);
        EXPECT_EQ(c.result, Calculate(c.first, c.second, c.operation));
        EXPECT_TRUE(Painted(Panel(), MessageBand, {}));
    }
}

// The largest single-precision magnitudes multiplied give the longest
// results there can be: 78 digits, 79 characters with the sign.
TEST_F(CalculatorTest, LongestResultsFit)
{
    char largest[64];
    snprintf(largest, sizeof largest, "%.0f", (double)FLT_MAX);
    std::string negative = std::string("-") + largest;
    static const struct { bool negativeFirst, negativeSecond; } signs[] = {
        { false, false }, { true, false }, { false, true }, { true, true },
    };
    for (auto &s : signs) {
        std::string result = Calculate(s.negativeFirst ? negative.c_str() : largest,
                                       s.negativeSecond ? negative.c_str() : largest, Multiply);
        bool negativeResult = s.negativeFirst != s.negativeSecond;
        EXPECT_EQ(negativeResult ? 79u : 78u, result.size()) << result;
        EXPECT_EQ(negativeResult ? "-115792" : "115792", result.substr(0, negativeResult ? 7 : 6));
    }
}

// Presses in a row: a red line for each that fails, which empties the
// result; the next press wipes the line.
TEST_F(CalculatorTest, OneRedMessagePerPressAndTheNextWipesIt)
{
    static const struct { const char *first, *second; int operation; const char *result; std::vector<PanelText> message; } presses[] = {
        { "", "", NoOperation, "", { EnterTwoNumbers } },
        { "4", "", NoOperation, "", { EnterTwoNumbers } },
        { "4", "4", NoOperation, "", { SelectAnOperation } },
        { "8", "2", Add, "10", {} },
        { "", "4", NoOperation, "", { EnterTwoNumbers } },
        { "8", "2", NoOperation, "10", {} },
        { "8", "", NoOperation, "", { EnterTwoNumbers } },
    };
    for (auto &p : presses) {
        SCOPED_TRACE(std::string(p.first) + "|" + p.second + " " + std::to_string(p.operation));
        EXPECT_EQ(p.result, Calculate(p.first, p.second, p.operation));
        EXPECT_EQ(!p.message.empty(), CountPixels(Panel(), MessageBand, Red, 60) > 20) << "red text in the band";
        EXPECT_TRUE(Painted(Panel(), MessageBand, p.message));
    }
}

TEST_F(CalculatorTest, AnotherOperationLeavesTheResultUntilThePress)
{
    EXPECT_EQ("60", Calculate("12", "5", Multiply));
    ClickId(Panel(), Add);
    EXPECT_EQ("60", WindowText(App.calculatorResultEdit));
    EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(Panel(), Add));
    EXPECT_EQ(BST_UNCHECKED, IsDlgButtonChecked(Panel(), Multiply));
    Click(App.calculatorCalculateButton);
    EXPECT_EQ("17", WindowText(App.calculatorResultEdit));
}

static LRESULT Face(HWND button) { return SendMessageA(button, BM_GETIMAGE, IMAGE_BITMAP, 0); }

// Each swap hides the shown panel and hands the keyboard to the one it
// shows. The switch back makes a fresh calculator as the first was made,
// with empty boxes and no operation checked, that still uses the operation
// picked before. Each switch shows the face loaded for the first panel of
// its kind. A hidden panel answers nothing: not its switch, as a Space on
// the hidden calculator's would send, nor Calculate or an operation.
TEST_F(CalculatorTest, SwapsHandTheKeyboardToTheShownPanelAloneAndKeepTheOperation)
{
    LRESULT calculatorFace = Face(App.calculatorSwitchButton), converterFace = 0;
    for (int trip = 0; trip < 3; trip++) {
        SCOPED_TRACE("round trip " + std::to_string(trip));
        HWND hidden = Panel();
        EXPECT_EQ("-3", Calculate("2", "5", trip ? NoOperation : Subtract)) << "the operation was lost";
        EXPECT_TRUE(Painted(Panel(), MessageBand, {}));
        Click(App.calculatorSwitchButton);
        HWND converter = ShownPanel(), value = App.converterValueEdit;
        ASSERT_EQ(App.converterPanel, converter);
        EXPECT_EQ(ConverterClass, ClassName(converter));
        EXPECT_FALSE(IsWindowVisible(hidden));
        EXPECT_EQ(value, GetFocus()) << "the keyboard stayed behind";
        converterFace = converterFace ? converterFace : Face(App.converterSwitchButton);
        EXPECT_EQ(converterFace, Face(App.converterSwitchButton)) << "the face was loaded again";

        SetWindowTextA(App.calculatorResultEdit, "kept");
        SendMessageA(hidden, WM_COMMAND, 0, (LPARAM)App.calculatorSwitchButton);
        SendMessageA(hidden, WM_COMMAND, Add, (LPARAM)GetDlgItem(hidden, Add));
        SendMessageA(hidden, WM_COMMAND, 0, (LPARAM)App.calculatorCalculateButton);
        EXPECT_EQ(1, CountChildren(App.mainFrame, ConverterClass)) << "the hidden calculator swapped again";
        EXPECT_EQ(converter, ShownPanel());
        EXPECT_EQ("kept", WindowText(App.calculatorResultEdit)) << "the hidden calculator calculated";
        ShowWindow(converter, SW_HIDE);
        SendMessageA(converter, WM_COMMAND, 0, (LPARAM)App.converterSwitchButton);
        EXPECT_TRUE(IsWindow(converter)) << "a hidden converter switched back";
        ShowWindow(converter, SW_SHOW);
        SetWindowTextA(value, "42");

        Click(App.converterSwitchButton);
        HWND fresh = Panel();
        EXPECT_TRUE(MadeAs(fresh, CalculatorWindow));
        EXPECT_TRUE(ClippedToPanelRegion(fresh));
        EXPECT_FALSE(IsWindow(converter) || IsWindow(value) || IsWindow(hidden)) << "the hidden panels outlived the swap";
        EXPECT_EQ(App.calculatorFirstEdit, GetFocus()) << "the keyboard stayed behind";
        EXPECT_EQ(calculatorFace, Face(App.calculatorSwitchButton)) << "the face was loaded again";
        EXPECT_EQ(1, CountChildren(App.mainFrame, CalculatorClass));
        EXPECT_EQ(0, CountChildren(App.mainFrame, ConverterClass));
        for (int id = Add; id <= Divide; id++)
            EXPECT_EQ(BST_UNCHECKED, IsDlgButtonChecked(fresh, id));
        EXPECT_EQ("", WindowText(App.calculatorFirstEdit) + WindowText(App.calculatorSecondEdit) +
                          WindowText(App.calculatorResultEdit));
    }
    EXPECT_FALSE(TakeQuit(NULL)) << "a retired panel posted the quit message";
}

// A swap whose new panel cannot be made leaves the shown panel shown and
// working, and says so in the box that start-up uses; once the system is
// willing again, the same switch swaps.
TEST_F(CalculatorTest, SwapThatCannotMakeItsPanelKeepsTheShownOne)
{
    static const struct { const char *refused; HWND *switchButton; } swaps[] = {
        { ConverterClass, &App.calculatorSwitchButton },
        { CalculatorClass, &App.converterSwitchButton },
    };
    for (auto &s : swaps) {
        SCOPED_TRACE(std::string("no new ") + s.refused);
        HWND shown = Panel();
        int windows = CountDescendants(App.mainFrame);
        std::vector<SeenBox> boxes;
        {
            CreationRefused refusal(s.refused);
            BoxWatcher watcher;
            Click(*s.switchButton);
            boxes = watcher.Stop();
        }
        EXPECT_TRUE(OneBox(boxes, CreationFailedBox, App.mainFrame));
        EXPECT_EQ(shown, Panel()) << "the shown panel did not stay";
        EXPECT_EQ(windows, CountDescendants(App.mainFrame));
        Click(*s.switchButton);
        EXPECT_EQ(s.refused, ClassName(Panel()));
    }
    ExpectStillCalculates();
    EXPECT_EQ(OneCalculatorsWindows, CountDescendants(App.mainFrame)) << "the title buttons and one calculator";
}

// A right-click on either panel's surface brings one modal warning box,
// twice over, and changes nothing. A child cannot own a box: the system
// gives it to the panel's frame.
TEST_F(CalculatorTest, RightClickOnEitherPanelWarnsWithABoxAndChangesNothing)
{
    Calculate("3", "4", Add);
    for (int i = 0; i < 3; i++) {
        if (i == 2) {
            EXPECT_EQ("3 7", WindowText(App.calculatorFirstEdit) + " " + WindowText(App.calculatorResultEdit));
            Click(App.calculatorSwitchButton);
        }
        BoxWatcher watcher;
        SendMessageA(Panel(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(250, 260));
        EXPECT_TRUE(OneBox(watcher.Stop(), RightClickBox, App.mainFrame)) << ClassName(Panel());
    }
    EXPECT_EQ(App.converterPanel, Panel());
}

// Closed or destroyed, a calculator panel posts the quit message.
TEST_F(CalculatorTest, DestroyingACalculatorPanelPostsQuitWithCodeZero)
{
    for (UINT close : { WM_CLOSE, WM_DESTROY }) {
        Restart();
        HWND panel = Panel();
        if (close == WM_CLOSE)
            SendMessageA(panel, WM_CLOSE, 0, 0);
        else
            DestroyWindow(panel);
        int code = -1;
        EXPECT_FALSE(IsWindow(panel));
        EXPECT_TRUE(TakeQuit(&code) && code == 0) << "quit code " << code;
    }
}

// Out of memory: the allocator fails on the first number's block, or on
// the second's.
TEST_F(CalculatorTest, FailedAllocationLeavesTheResultEmpty)
{
    for (int allowed : { 0, 1 }) {
        SCOPED_TRACE(allowed);
        EXPECT_EQ("30", Calculate("10", "20", Add));
        AllowAllocations(allowed);
        Click(App.calculatorCalculateButton);
        EXPECT_EQ("", WindowText(App.calculatorResultEdit));
        EXPECT_TRUE(TookAndGaveBack(allowed, 1)) << "every block taken is given back";
        AllowAllocations(-1);
        EXPECT_EQ("30", Calculate("10", "20", NoOperation)) << "the next press works";
    }
}
