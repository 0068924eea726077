// Both panels with the real mouse and keyboard: typing into the number
// boxes, and swapping.
#include "program.h"

TEST(PanelsTest, NumberBoxesKeepOnlyTypedDigits)
{
    static const struct { const char *keys, *kept; } cases[] = {
        { "12", "12" }, { "-1.5e+3", "153" }, { "abc 7,0x", "70" },
    };
    Program program;
    for (const ControlRow *row : { &FirstNumberBox, &SecondNumberBox, &ValueBox }) {
        // The converter's value box, brought up with the real switch button.
        if (row == &ValueBox) {
            MouseClick(CentreOf(program.Control(SwitchButton)));
            ASSERT_WAIT(ClassName(program.Panel()) == ConverterClass, "the converter");
        }
        HWND box = program.Control(*row);
        for (auto &c : cases) {
            SendMessageA(box, WM_SETTEXT, 0, (LPARAM) "");
            MouseClick(CentreOf(box));
            EXPECT_WAIT(program.Gui().hwndFocus == box,
                        "focus in the box, not in " << ClassName(program.Gui().hwndFocus));
            // A last digit: once it shows, every key before it has been handled.
            std::string keys = std::string(c.keys) + "9", kept = std::string(c.kept) + "9";
            TypeKeys(keys.c_str());
            EXPECT_WAIT(WindowText(box) == kept,
                        "the box to keep " << kept << " of the keys " << keys << ", not " << WindowText(box));
        }
    }
}

// A swap hands the keyboard to the panel it shows: a Space right after the
// switch reaches no hidden calculator, there is never a second converter,
// and the converter's switch brings the calculator back.
TEST(PanelsTest, SpaceAfterASwapLeavesTheConverterWorking)
{
    Program program;
    for (int trip = 0; trip < 2; trip++) {
        SCOPED_TRACE("round trip " + std::to_string(trip));
        MouseClick(CentreOf(program.Control(SwitchButton)));
        ASSERT_WAIT(ClassName(program.Panel()) == ConverterClass, "the converter");
        ASSERT_WAIT(GetForegroundWindow() == program.Frame(), "the frame to have the keyboard");
        PressKeys({ VK_SPACE });
        SyncInput(program);
        EXPECT_EQ(1, CountChildren(program.Frame(), ConverterClass)) << "converter panels after the Space";
        MouseClick(CentreOf(program.Control(SwitchButton)));
        ASSERT_WAIT(ClassName(program.Panel()) == CalculatorClass,
                    "the converter's switch to bring the calculator back");
        EXPECT_WAIT(CountChildren(program.Frame(), ConverterClass) == 0 &&
                    CountChildren(program.Frame(), CalculatorClass) == 1, "one calculator panel and no converter");
    }
}
