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
    HWND calculator = program.Panel();
    HWND boxes[] = {
        program.Control(calculator, "Edit", 55, 75),
        program.Control(calculator, "Edit", 55, 125),
    };
    for (HWND box : boxes)
        for (auto &c : cases) {
            SendMessageA(box, WM_SETTEXT, 0, (LPARAM) "");
            EXPECT_EQ(c.kept, TypeInto(program, box, c.keys)) << c.keys;
        }

    // The converter's value box, brought up with the real switch button.
    POINT swap = CentreOf(program.Control(calculator, "Button", 17, 35));
    MouseClick(swap.x, swap.y);
    ASSERT_WAIT(program.Panel() && ClassName(program.Panel()) == "Ombex", "the converter");
    HWND value = program.Control(program.Panel(), "Edit", 55, 75);
    for (auto &c : cases) {
        SendMessageA(value, WM_SETTEXT, 0, (LPARAM) "");
        EXPECT_EQ(c.kept, TypeInto(program, value, c.keys)) << c.keys;
    }
    PostMessageA(program.Frame(), WM_CLOSE, 0, 0);
    EXPECT_EQ(0, program.WaitExit());
}

// A swap hands the keyboard to the panel it shows: a Space right after the
// switch reaches no hidden calculator, there is never a second converter,
// and the converter's switch brings the calculator back.
TEST(Program, SpaceAfterASwapLeavesTheConverterWorking)
{
    Program program;
    auto panels = [&](const char *className) {
        int count = 0;
        for (HWND w : Children(program.Frame()))
            count += ClassName(w) == className;
        return count;
    };
    for (int trip = 0; trip < 2; trip++) {
        SCOPED_TRACE("round trip " + std::to_string(trip));
        POINT swap = CentreOf(program.Control(program.Panel(), "Button", 17, 35));
        MouseClick(swap.x, swap.y);
        ASSERT_WAIT(ClassName(program.Panel()) == "Ombex", "the converter");
        ASSERT_WAIT(GetForegroundWindow() == program.Frame(), "the frame to have the keyboard");
        PressKeys({ VK_SPACE });
        SyncInput(program);
        EXPECT_EQ(1, panels("Ombex")) << "converter panels after the Space";

        POINT back = CentreOf(program.Control(program.Panel(), "Button", 17, 35));
        MouseClick(back.x, back.y);
        ASSERT_WAIT(ClassName(program.Panel()) == "Ombe", "the converter's switch to bring the calculator back");
        EXPECT_WAIT(panels("Ombex") == 0 && panels("Ombe") == 1, "one calculator panel and no converter");
    }
    PostMessageA(program.Frame(), WM_CLOSE, 0, 0);
    EXPECT_EQ(0, program.WaitExit());
}
