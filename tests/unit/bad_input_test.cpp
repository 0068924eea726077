// Bad input, pasted through the clipboard into the number boxes and the
// value box, and what each panel shows for it: atof reads a leading
// decimal number and nothing else, the value is narrowed to single
// precision, and the formats show the result.
#include "app_test.h"

class BadInputTest : public AppTest {};

// The clipboard belongs to the whole desktop, and OpenClipboard fails while
// any other thread has it open, if only for a moment: so the paste waits
// until it is free, and names who kept it.
static void Paste(HWND edit, const std::string &text)
{
    HWND holder = NULL;
    ASSERT_WAIT(OpenClipboard(App.mainFrame) || ((holder = GetOpenClipboardWindow()), false),
                "the clipboard, held open by window " << holder << " of class " << ClassName(holder));
    EmptyClipboard();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    memcpy(GlobalLock(block), text.c_str(), text.size() + 1);
    GlobalUnlock(block);
    SetClipboardData(CF_TEXT, block);
    CloseClipboard();
    SendMessageA(edit, EM_SETSEL, 0, -1);
    SendMessageA(edit, WM_PASTE, 0, 0);
}

// The first number pasted, the second "3"; the same text as the value.
static const struct { const char *pasted; int operation; const char *result; int conversion; const char *converted; } Pastes[] = {
        { "-7", Add, "-4", CtoF, "19.4" },
        { "+7", Subtract, "4", FtoC, "-13.89" },
        { "--7", Multiply, "0", InchToCm, "0" },
        { "+-7", Divide, "0", CmToInch, "0" },
        { "3.25", Add, "6", MToMiles, "0.00202" },
        { "3,25", Subtract, "0", MilesToM, "4827" },
        { ".5", Multiply, "2", CtoF, "32.9" },
        { "5.", Divide, "1.667", FtoC, "-15" },
        { "1.2.3", Add, "4", InchToCm, "3.048" },
        { "1e3", Subtract, "997", CmToInch, "393.7" },
        { "1E-3", Multiply, "0", MToMiles, "6.215e-07" },
        { "2e", Divide, "0.6667", MilesToM, "3218" },
        { "1e+", Add, "4", CtoF, "33.8" },
        { "4e38", Subtract, "inf", FtoC, "inf" },
        { "-4e38", Multiply, "-inf", InchToCm, "-inf" },
        { "1e-46", Divide, "0", CmToInch, "0" },
        { "0x1A", Add, "3", MToMiles, "0" },
        { "0x1p3", Subtract, "-3", MilesToM, "0" },
        { "inf", Multiply, "0", CtoF, "32" },
        { "-INF", Divide, "0", FtoC, "-17.78" },
        { "nan", Add, "3", InchToCm, "0" },
        { "infinity", Subtract, "-3", CmToInch, "0" },
        { " 12", Multiply, "36", MToMiles, "0.007458" },
        { "\t-3", Divide, "-1", MilesToM, "-4827" },
        { "12 34", Add, "15", CtoF, "53.6" },
        { "1 000", Subtract, "-2", FtoC, "-17.22" },
        { "\xB0" "5", Multiply, "0", InchToCm, "0" },
        { "\x80\x81\xFE\xFF", Divide, "0", CmToInch, "0" },
        { "5\xA0", Add, "8", MToMiles, "0.003108" },
        { "\x01" "8", Subtract, "-3", MilesToM, "0" },
        { "9\x7F", Multiply, "27", CtoF, "48.2" },
        { "\r\n6", Divide, "", FtoC, "" },
        { "abc", Add, "3", InchToCm, "0" },
        { "", Subtract, "", CmToInch, "" },
        { "999999999999999999999999999999999999999", Multiply, "inf", MToMiles, "inf" },
};

TEST_F(BadInputTest, PastedTextsShowWhatAtofMakesOfThem)
{
    for (auto &p : Pastes) {
        SCOPED_TRACE(std::string("pasted \"") + p.pasted + "\"");
        ClickId(ShownPanel(), p.operation);
        ASSERT_NO_FATAL_FAILURE(Paste(App.calculatorFirstEdit, p.pasted));
        ASSERT_NO_FATAL_FAILURE(Paste(App.calculatorSecondEdit, "3"));
        Click(App.calculatorCalculateButton);
        EXPECT_EQ(p.result, WindowText(App.calculatorResultEdit));
        Click(App.calculatorSwitchButton);
        ClickId(App.converterPanel, p.conversion);
        ASSERT_NO_FATAL_FAILURE(Paste(App.converterValueEdit, p.pasted));
        Click(App.converterCalculateButton);
        EXPECT_EQ(p.converted, WindowText(App.converterResultEdit));
        Click(App.converterSwitchButton);
    }
}

// As many digits as the boxes take: the edit control's whole limit.
TEST_F(BadInputTest, PastedDigitsUpToTheBoxesLimitGiveInfinity)
{
    UINT limit = (UINT)SendMessageA(App.calculatorFirstEdit, EM_GETLIMITTEXT, 0, 0);
    std::string digits(limit + 10, '9');
    ClickId(ShownPanel(), Add);
    ASSERT_NO_FATAL_FAILURE(Paste(App.calculatorFirstEdit, digits));
    ASSERT_NO_FATAL_FAILURE(Paste(App.calculatorSecondEdit, "3"));
    EXPECT_EQ(limit, (UINT)GetWindowTextLengthA(App.calculatorFirstEdit));
    Click(App.calculatorCalculateButton);
    EXPECT_EQ("inf", WindowText(App.calculatorResultEdit));
    Click(App.calculatorSwitchButton);
    ClickId(App.converterPanel, MToMiles);
    ASSERT_NO_FATAL_FAILURE(Paste(App.converterValueEdit, digits));
    EXPECT_EQ(limit, (UINT)GetWindowTextLengthA(App.converterValueEdit));
    Click(App.converterCalculateButton);
    EXPECT_EQ("inf", WindowText(App.converterResultEdit));
}
