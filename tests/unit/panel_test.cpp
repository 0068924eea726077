// What both panels share, in process: labels, swaps, the right-click box, colours.
#include "app_test.h"

class PanelTest : public AppTest {};

// Both panels' labels, letter for letter, in place and colour.
TEST_F(PanelTest, LabelsOfBothPanelsArePaintedExactly)
{
    const RECT whole = { 0, 0, FrameSize, FrameSize };
    for (const char *shown : { CalculatorClass, ConverterClass }) {
        SCOPED_TRACE(shown);
        if (ClassName(ShownPanel()) != shown)
            Click(App.calculatorSwitchButton);
        ASSERT_EQ(shown, ClassName(ShownPanel()));
        RedrawWindow(ShownPanel(), NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        EXPECT_TRUE(Painted(ShownPanel(), whole, {}));
    }
}

static LRESULT Face(HWND button) { return SendMessageA(button, BM_GETIMAGE, IMAGE_BITMAP, 0); }

// Each swap hides the shown panel and hands the keyboard to the one it
// shows. The switch back makes a fresh calculator as the first was made,
// with empty boxes and no operation checked, that still uses the operation
// picked before. Each switch shows the face loaded for the first panel of
// its kind. A hidden panel answers nothing: not its switch, as a Space on
// the hidden calculator's would send, nor Calculate or an operation.
TEST_F(PanelTest, SwapsHandTheKeyboardToTheShownPanelAloneAndKeepTheOperation)
{
    LRESULT calculatorFace = Face(App.calculatorSwitchButton), converterFace = 0;
    for (int trip = 0; trip < 3; trip++) {
        SCOPED_TRACE("round trip " + std::to_string(trip));
        HWND hidden = ShownPanel();
        EXPECT_EQ("-3", Calculate("2", "5", trip ? NoOperation : Subtract)) << "the operation was lost";
        EXPECT_TRUE(Painted(ShownPanel(), MessageBand, {}));
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
        HWND fresh = ShownPanel();
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
TEST_F(PanelTest, SwapThatCannotMakeItsPanelKeepsTheShownOne)
{
    static const struct { const char *refused; HWND *switchButton; } swaps[] = {
        { ConverterClass, &App.calculatorSwitchButton },
        { CalculatorClass, &App.converterSwitchButton },
    };
    for (auto &s : swaps) {
        SCOPED_TRACE(std::string("no new ") + s.refused);
        HWND shown = ShownPanel();
        int windows = CountDescendants(App.mainFrame);
        std::vector<SeenBox> boxes;
        {
            CreationRefused refusal(s.refused);
            BoxWatcher watcher;
            Click(*s.switchButton);
            boxes = watcher.Stop();
        }
        EXPECT_TRUE(OneBox(boxes, CreationFailedBox, App.mainFrame));
        EXPECT_EQ(shown, ShownPanel()) << "the shown panel did not stay";
        EXPECT_EQ(windows, CountDescendants(App.mainFrame));
        Click(*s.switchButton);
        EXPECT_EQ(s.refused, ClassName(ShownPanel()));
    }
    ExpectStillCalculates();
    EXPECT_EQ(OneCalculatorsWindows, CountDescendants(App.mainFrame)) << "the title buttons and one calculator";
}

// A right-click on either panel's surface brings one modal warning box,
// twice over, and changes nothing. A child cannot own a box: the system
// gives it to the panel's frame.
TEST_F(PanelTest, RightClickOnEitherPanelWarnsWithABoxAndChangesNothing)
{
    Calculate("3", "4", Add);
    for (int i = 0; i < 3; i++) {
        if (i == 2) {
            EXPECT_EQ("3 7", WindowText(App.calculatorFirstEdit) + " " + WindowText(App.calculatorResultEdit));
            Click(App.calculatorSwitchButton);
        }
        BoxWatcher watcher;
        SendMessageA(ShownPanel(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(250, 260));
        EXPECT_TRUE(OneBox(watcher.Stop(), RightClickBox, App.mainFrame)) << ClassName(ShownPanel());
    }
    EXPECT_EQ(App.converterPanel, ShownPanel());
}

// Both panels give their controls the white stock brush and a clear
// background; the converter makes their text pink, the calculator leaves
// it as it was.
TEST_F(PanelTest, ControlsOfBothPanelsAskForWhiteOnAClearBackground)
{
    Click(App.calculatorSwitchButton);
    const COLORREF given = RGB(1, 2, 3);
    const struct { HWND panel; COLORREF text; } panels[] = {
        { App.firstCalculatorPanel, given }, { App.converterPanel, RGB(255, 0, 128) },
    };
    for (auto &p : panels)
        for (UINT message : { WM_CTLCOLORBTN, WM_CTLCOLORSTATIC }) {
            SCOPED_TRACE(ClassName(p.panel) + " message " + std::to_string(message));
            HDC dc = CreateCompatibleDC(NULL);
            SetBkMode(dc, OPAQUE);
            SetTextColor(dc, given);
            LRESULT brush = SendMessageA(p.panel, message, (WPARAM)dc, (LPARAM)GetWindow(p.panel, GW_CHILD));
            EXPECT_EQ((LRESULT)GetStockObject(WHITE_BRUSH), brush);
            EXPECT_EQ(TRANSPARENT, GetBkMode(dc));
            EXPECT_EQ(p.text, GetTextColor(dc));
            DeleteDC(dc);
        }
}
