// Both panels with the real mouse and keyboard: typing into the number
// boxes, and swapping.
#include "program.h"

// Clicks into a box, types, then types a last digit and waits for it, so
// that every key before it has been handled.
static std::string TypeInto(Program &program, HWND box, const char *keys)
{
    POINT p = CentreOf(box);
    MouseClick(p.x, p.y);
    bool focused = WaitFor([&] { return program.Focus() == box; });
    EXPECT_TRUE(focused) << "the click into the box left the keyboard with "
                         << ClassName(program.Focus());
    TypeKeys(keys);
    TypeKeys("9");
    bool done = WaitFor([&] {
        std::string text = WindowText(box);
        return !text.empty() && text.back() == '9';
    });
    EXPECT_TRUE(done) << "the box never took the keys";
    std::string text = WindowText(box);
    return text.substr(0, text.size() - 1);
}

TEST(Program, NumberBoxesKeepOnlyTypedDigits)
{
    static const struct { const char *keys, *kept; } cases[] = {
        { "12", "12" },
        { "-1.5e+3", "153" },
        { "abc 7,0x", "70" },
    };
    Program program;
    // Both number boxes, then the converter's value box, brought up with
    // the real switch button.
    for (const ControlRow *row : { &FirstNumberBox, &SecondNumberBox, &SwitchButton, &ValueBox }) {
        HWND control = program.Control(*row);
        if (row == &SwitchButton) {
            POINT swap = CentreOf(control);
            MouseClick(swap.x, swap.y);
            ASSERT_WAIT(program.Panel() && ClassName(program.Panel()) == ConverterClass, "the converter");
            continue;
        }
        for (auto &c : cases) {
            SendMessageA(control, WM_SETTEXT, 0, (LPARAM) "");
            EXPECT_EQ(c.kept, TypeInto(program, control, c.keys)) << c.keys;
        }
    }
}

// A swap hands the keyboard to the panel it shows: a Space right after the
// switch reaches no hidden calculator, there is never a second converter,
// and the converter's switch brings the calculator back.
TEST(Program, SpaceAfterASwapLeavesTheConverterWorking)
{
    Program program;
    auto panels = [&](const char *className) { return CountChildren(program.Frame(), className); };
    for (int trip = 0; trip < 2; trip++) {
        SCOPED_TRACE("round trip " + std::to_string(trip));
        POINT swap = CentreOf(program.Control(SwitchButton));
        MouseClick(swap.x, swap.y);
        ASSERT_WAIT(ClassName(program.Panel()) == ConverterClass, "the converter");
        ASSERT_WAIT(GetForegroundWindow() == program.Frame(), "the frame to have the keyboard");
        PressKeys({ VK_SPACE });
        SyncInput(program);
        EXPECT_EQ(1, panels(ConverterClass)) << "converter panels after the Space";

        POINT back = CentreOf(program.Control(SwitchButton));
        MouseClick(back.x, back.y);
        ASSERT_WAIT(ClassName(program.Panel()) == CalculatorClass, "the converter's switch to bring the calculator back");
        EXPECT_WAIT(panels(ConverterClass) == 0 && panels(CalculatorClass) == 1, "one calculator panel and no converter");
    }
}
