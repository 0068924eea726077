// The converter panel in process: its controls, all 64 check states, the
// conversions, the red and purple texts, and the switch back.
#include "app_test.h"

#include <algorithm>

static const int Boxes[] = { CtoF, FtoC, InchToCm, CmToInch, MToMiles, MilesToM };

// Around the result boxes: the unit labels to their left, the red line.
static const RECT ResultArea = { 40, 230, 290, 280 };

class ConverterTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        Click(App.calculatorSwitchButton);
        ASSERT_EQ(App.converterPanel, ShownPanel());
    }
    static HWND Panel() { return App.converterPanel; }

    // Clicks the boxes whose state differs, so that exactly these are checked.
    static void Check(std::vector<int> wanted)
    {
        for (int id : Boxes) {
            bool want = std::find(wanted.begin(), wanted.end(), id) != wanted.end();
            if (want != (IsDlgButtonChecked(Panel(), id) == BST_CHECKED))
                ClickId(Panel(), id);
        }
    }
    static bool SecondShown() { return IsWindowVisible(App.converterSecondResultEdit) != 0; }
};

TEST_F(ConverterTest, TwelveControlsAsLaidOut)
{
    ExpectLaidOut(Panel(), ConverterControls,
                  { &App.converterSwitchButton, &App.converterValueEdit, &App.converterResultEdit,
                    &App.converterGroupBox, NULL, NULL, NULL, NULL, NULL, NULL, &App.converterSecondResultEdit,
                    &App.converterCalculateButton },
                  App.converterSwitchBitmap);
}

// The rule decides 10 of the 64 states; the other 54 are refused.
TEST_F(ConverterTest, AllSixtyFourCheckStates)
{
    struct Outcome { std::vector<int> checked; const char *first, *second; PanelText a, b; };
    static const Outcome accepted[] = {
        { {}, "", NULL, {}, {} },
        { { CtoF }, "212", NULL, {}, {} },
        { { FtoC }, "37.78", NULL, {}, {} },
        { { CtoF, FtoC }, "212", "37.78", CelsiusLabel, FahrenheitLabel },
        { { InchToCm }, "254", NULL, {}, {} },
        { { CmToInch }, "39.37", NULL, {}, {} },
        { { InchToCm, CmToInch }, "254", "39.37", CmLabel, InchLabel },
        { { MToMiles }, "0.06215", NULL, {}, {} },
        { { MilesToM }, "1.609e+05", NULL, {}, {} },
        { { MToMiles, MilesToM }, "1.609e+05", "0.06215", MetresLabel, MilesLabel },
    };
    ClickId(Panel(), CtoF);   // a conversion has been picked once
    int refused = 0;
    for (int state = 0; state < 64; state++) {
        std::vector<int> checked;
        for (int bit = 0; bit < 6; bit++)
            if (state & (1 << bit))
                checked.push_back(Boxes[bit]);
        SCOPED_TRACE("state " + std::to_string(state));
        Check(checked);
        std::string result = Convert("100");
        const Outcome *outcome = NULL;
        for (auto &o : accepted)
            if (o.checked == checked)
                outcome = &o;
        // Each state follows another, so a single result follows a pair.
        refused += !outcome;
        EXPECT_EQ(outcome ? outcome->first : "", result);
        EXPECT_EQ(outcome && outcome->second, SecondShown());
        std::vector<PanelText> texts = !outcome ? std::vector<PanelText>{ SelectOnlyOne } : std::vector<PanelText>{};
        if (outcome && outcome->second) {
            EXPECT_EQ(outcome->second, WindowText(App.converterSecondResultEdit));
            texts = { outcome->a, outcome->b };
        }
        EXPECT_TRUE(Painted(Panel(), ResultArea, texts));
    }
    EXPECT_EQ(54, refused);
}

TEST_F(ConverterTest, ConversionsOfTypedAndPastedValues)
{
    static const struct { const char *value; int box; const char *result; } cases[] = {
        { "0", FtoC, "-17.78" },
        { "0", CtoF, "32" },
        { "1", MToMiles, "0.0006215" },
        { "-40", CtoF, "-40" },
        { "-40", FtoC, "-40" },
        { "+37", CtoF, "98.6" },
        { "1e3", InchToCm, "2540" },
        { "2.5", CmToInch, "0.9843" },
        { "0.5E2", MilesToM, "8.045e+04" },
        { "abc", CtoF, "32" },
        { "12 apples", InchToCm, "30.48" },
        { "999999999999999999999999999999999999999", MilesToM, "inf" },
        { "-999999999999999999999999999999999999999", CtoF, "-inf" },
        { "1e-45", MToMiles, "8.709e-49" },
    };
    for (auto &c : cases) {
        SCOPED_TRACE(std::string(c.value) + " box " + std::to_string(c.box));
        Check({ c.box });
        EXPECT_EQ(c.result, Convert(c.value));
        EXPECT_TRUE(Painted(Panel(), MessageBand, {}));
    }
}

// An empty value goes first, then a conversion never picked, then the rule.
TEST_F(ConverterTest, OneRedMessageOrNonePerPressInItsOrder)
{
    // The boxes clicked in order, and the line shown; none once a box was
    // checked, even if then unchecked or its panel swapped for a fresh one.
    const int RoundTrip = 0;
    static const struct { const char *value; std::vector<int> clicked; std::vector<PanelText> message; } cases[] = {
        { "", {}, { EnterAValue } },
        { "", { CtoF, InchToCm }, { EnterAValue } },
        { "", { CtoF }, { EnterAValue } },
        { "5", {}, { SelectAConversion } },
        { "5", { CtoF, InchToCm }, { SelectOnlyOne } },
        { "5", { CtoF, FtoC, InchToCm, CmToInch, MToMiles, MilesToM }, { SelectOnlyOne } },
        { "7", { MilesToM, MilesToM }, {} },
        { "3", { InchToCm, RoundTrip }, {} },
    };
    for (auto &c : cases) {
        SCOPED_TRACE(c.message.empty() ? "no message" : c.message[0].text);
        Restart();
        Click(App.calculatorSwitchButton);
        for (int id : c.clicked) {
            if (id != RoundTrip) {
                ClickId(Panel(), id);
                continue;
            }
            Click(App.converterSwitchButton);
            Click(App.calculatorSwitchButton);
            for (int box : Boxes)
                EXPECT_EQ(BST_UNCHECKED, IsDlgButtonChecked(Panel(), box)) << "box " << box << " of a fresh converter";
        }
        EXPECT_EQ("", Convert(c.value));
        EXPECT_FALSE(SecondShown());
        EXPECT_EQ(!c.message.empty(), CountPixels(Panel(), MessageBand, Red, 60) > 20) << "red text in the band";
        EXPECT_TRUE(Painted(Panel(), MessageBand, c.message));
    }
}

TEST_F(ConverterTest, FailedAllocationLeavesTheBoxesAsTheOpeningLeftThem)
{
    Check({ CtoF, FtoC });
    EXPECT_EQ("212", Convert("100"));
    ASSERT_TRUE(SecondShown());
    AllowAllocations(0);
    SetWindowTextA(App.converterValueEdit, "100");
    Click(App.converterCalculateButton);
    EXPECT_EQ("", WindowText(App.converterResultEdit));
    EXPECT_TRUE(TookAndGaveBack(0, 1));
    EXPECT_FALSE(SecondShown());
    EXPECT_TRUE(Painted(Panel(), MessageBand, {}));
    AllowAllocations(-1);
    EXPECT_EQ("212", Convert("100")) << "the next press works";
}
