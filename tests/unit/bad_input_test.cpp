// Bad input, pasted through the clipboard into the number boxes and the
// value box: every result is what atof, single-precision narrowing and the
// formats make of the text the box holds, worked out here on its own.
#include "app_test.h"

#include <stdio.h>
#include <stdlib.h>

#include <string>
#include <vector>

// The clipboard belongs to the whole desktop, and OpenClipboard fails while
// any other thread has it open, if only for a moment: so the paste waits
// until it is free, and names who kept it.
static std::string ClipboardHolder()
{
    HWND holder = GetOpenClipboardWindow();
    if (!holder)
        return "a thread with no window";
    DWORD process = 0;
    GetWindowThreadProcessId(holder, &process);
    char text[160];
    snprintf(text, sizeof text, "window %p of class \"%s\" in process %lu", (void *)holder,
             ClassName(holder).c_str(), (unsigned long)process);
    return text;
}

static void Paste(HWND edit, const std::string &text)
{
    ASSERT_WAIT(OpenClipboard(App.mainFrame), "the clipboard, held open by " << ClipboardHolder());
    EmptyClipboard();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    memcpy(GlobalLock(block), text.c_str(), text.size() + 1);
    GlobalUnlock(block);
    SetClipboardData(CF_TEXT, block);
    CloseClipboard();
    SendMessageA(edit, EM_SETSEL, 0, -1);
    SendMessageA(edit, WM_PASTE, 0, 0);
}

static std::string Format(const char *format, double value)
{
    char text[512];
    snprintf(text, sizeof text, format, value);
    return text;
}

static float Narrowed(const std::string &text) { return (float)atof(text.c_str()); }

// The texts a person might paste, one of each kind; the edit control's
// whole limit of digits is added by the test.
static std::vector<std::string> Pastes()
{
    return {
        "-7", "+7", "--7", "+-7", "3.25", "3,25", ".5", "5.", "1.2.3", "1e3", "1E-3", "2e", "1e+",
        "4e38", "-4e38", "1e-46", "0x1A", "0x1p3", "inf", "-INF", "nan", "infinity", " 12",
        "\t-3", "12 34", "1 000", "\xB0" "5", "\x80\x81\xFE\xFF", "5\xA0", "\x01" "8", "9\x7F",
        "\r\n6", "abc", "", "999999999999999999999999999999999999999",
    };
}

TEST_F(AppTest, PastedTextsInTheCalculatorGiveWhatTheFormatsMake)
{
    std::vector<std::string> texts = Pastes();
    UINT limit = (UINT)SendMessageA(App.calculatorFirstEdit, EM_GETLIMITTEXT, 0, 0);
    texts.push_back(std::string(limit, '9'));
    ClickId(ShownPanel(), IDC_ADD);
    int tried = 0;
    for (int operation = IDC_ADD; operation <= IDC_DIVIDE; operation++) {
        ClickId(ShownPanel(), operation);
        for (const std::string &first : texts) {
            ASSERT_NO_FATAL_FAILURE(Paste(App.calculatorFirstEdit, first));
            ASSERT_NO_FATAL_FAILURE(Paste(App.calculatorSecondEdit, "3"));
            std::string a = WindowText(App.calculatorFirstEdit);
            if (first.size() > 1000) {
                ASSERT_EQ(limit, (UINT)GetWindowTextLengthA(App.calculatorFirstEdit));
                a = first;
            }
            Click(App.calculatorCalculateButton);
            std::string shown = WindowText(App.calculatorResultEdit);
            if (a.empty()) {
                EXPECT_EQ("", shown);
                continue;
            }
            double x = Narrowed(a), y = Narrowed("3");
            std::string expected = operation == IDC_ADD ? Format("%.0f", x + y)
                                 : operation == IDC_SUBTRACT ? Format("%.0f", x - y)
                                 : operation == IDC_MULTIPLY ? Format("%.0f", x * y)
                                 : Format("%.4g", x / y);
            EXPECT_EQ(expected, shown) << "pasted \"" << first.substr(0, 40) << "\"";
            tried++;
        }
    }
    printf("calculator: %d pasted inputs tried\n", tried);
}

TEST_F(AppTest, PastedTextsInTheConverterGiveWhatTheFormatsMake)
{
    static double (*const formulas[])(double) = {
        [](double v) { return v * 9 / 5 + 32; }, [](double v) { return (v - 32) * 5 / 9; },
        [](double v) { return v * 2.54; },        [](double v) { return v / 2.54; },
        [](double v) { return v / 1609; },        [](double v) { return v * 1609; },
    };
    Click(App.calculatorSwitchButton);
    HWND panel = App.converterPanel;
    std::vector<std::string> texts = Pastes();
    UINT limit = (UINT)SendMessageA(App.converterValueEdit, EM_GETLIMITTEXT, 0, 0);
    texts.push_back(std::string(limit, '7'));
    int tried = 0;
    for (int box = 0; box < 6; box++) {
        ClickId(panel, IDC_CELSIUS_TO_FAHRENHEIT + box);
        for (const std::string &value : texts) {
            ASSERT_NO_FATAL_FAILURE(Paste(App.converterValueEdit, value));
            std::string v = value.size() > 1000 ? value : WindowText(App.converterValueEdit);
            Click(App.converterCalculateButton);
            std::string shown = WindowText(App.converterResultEdit);
            std::string expected = v.empty() ? "" : Format("%.4g", formulas[box](Narrowed(v)));
            EXPECT_EQ(expected, shown) << "box " << box << ", pasted \"" << value.substr(0, 40) << "\"";
            tried++;
        }
        ClickId(panel, IDC_CELSIUS_TO_FAHRENHEIT + box);
    }
    printf("converter: %d pasted inputs tried\n", tried);
}
