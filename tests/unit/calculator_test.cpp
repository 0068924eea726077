// The calculator panel in process: its controls, results, red messages,
// and what its destruction does.
#include "app_test.h"

#include <float.h>
#include <stdio.h>

class CalculatorTest : public AppTest {};

TEST_F(CalculatorTest, TenControlsAsLaidOut)
{
    ExpectLaidOut(ShownPanel(), CalculatorControls,
                  { &App.calculatorCalculateButton, &App.calculatorFirstEdit, &App.calculatorSecondEdit,
                    &App.calculatorResultEdit, &App.calculatorGroupBox, &App.calculatorSwitchButton, NULL, NULL,
                    NULL, NULL },
                  App.calculatorSwitchBitmap);
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
        EXPECT_TRUE(Painted(ShownPanel(), MessageBand, {}));
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
        EXPECT_EQ(!p.message.empty(), CountPixels(ShownPanel(), MessageBand, Red, 60) > 20) << "red text in the band";
        EXPECT_TRUE(Painted(ShownPanel(), MessageBand, p.message));
    }
}

TEST_F(CalculatorTest, AnotherOperationLeavesTheResultUntilThePress)
{
    EXPECT_EQ("60", Calculate("12", "5", Multiply));
    ClickId(ShownPanel(), Add);
    EXPECT_EQ("60", WindowText(App.calculatorResultEdit));
    EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(ShownPanel(), Add));
    EXPECT_EQ(BST_UNCHECKED, IsDlgButtonChecked(ShownPanel(), Multiply));
    Click(App.calculatorCalculateButton);
    EXPECT_EQ("17", WindowText(App.calculatorResultEdit));
}

// Closed or destroyed, a calculator panel posts the quit message.
TEST_F(CalculatorTest, DestroyingACalculatorPanelPostsQuitWithCodeZero)
{
    for (UINT close : { WM_CLOSE, WM_DESTROY }) {
        Restart();
        HWND panel = ShownPanel();
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
