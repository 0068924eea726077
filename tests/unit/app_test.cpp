#include "app_test.h"

#include <string.h>

static const char *const ProgramClasses[] = { MAIN_FRAME_CLASS, CALCULATOR_CLASS, CONVERTER_CLASS };

void AppTest::ResetProgram()
{
    if (App.mainFrame && IsWindow(App.mainFrame))
        DestroyWindow(App.mainFrame);
    PumpMessages();
    while (TakeQuit(NULL))
        ;
    for (const char *name : ProgramClasses)
        UnregisterClassA(name, GetModuleHandleA(NULL));
    memset(&App, 0, sizeof App);
    System.globalAlloc = GlobalAlloc;
    System.globalFree = GlobalFree;
    System.getMessage = GetMessageA;
}

void AppTest::SetUp()
{
    ResetProgram();
    ASSERT_TRUE(StartUp(GetModuleHandleA(NULL), SW_SHOWNORMAL));
    PumpMessages();
}

void AppTest::TearDown()
{
    ResetProgram();
}

HWND AppTest::ShownPanel()
{
    for (HWND w : Children(App.mainFrame)) {
        std::string name = ClassName(w);
        if ((name == CALCULATOR_CLASS || name == CONVERTER_CLASS) && IsWindowVisible(w))
            return w;
    }
    return NULL;
}

void AppTest::Click(HWND control)
{
    SendMessageA(control, BM_CLICK, 0, 0);
}

::testing::AssertionResult AppTest::Painted(HWND panel, RECT area, std::vector<Label> expected)
{
    std::vector<COLORREF> seen = Capture(panel, area);
    RedrawWindow(panel, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    HDC dc = GetDC(panel);
    SetBkMode(dc, TRANSPARENT);
    for (const Label &label : expected) {
        SetTextColor(dc, label.colour);
        TextOutA(dc, label.x, label.y, label.text, lstrlenA(label.text));
    }
    ReleaseDC(panel, dc);
    std::vector<COLORREF> wanted = Capture(panel, area);
    int width = area.right - area.left;
    for (size_t i = 0; i < seen.size(); i++)
        if (seen[i] != wanted[i])
            return ::testing::AssertionFailure()
                   << "pixel (" << area.left + i % width << ", " << area.top + i / width
                   << ") is " << std::hex << seen[i] << ", expected " << wanted[i];
    return ::testing::AssertionSuccess();
}

void AppTest::ExpectStillCalculates()
{
    SetWindowTextA(App.calculatorFirstEdit, "12");
    SetWindowTextA(App.calculatorSecondEdit, "5");
    ClickId(ShownPanel(), IDC_MULTIPLY);
    Click(App.calculatorCalculateButton);
    EXPECT_EQ("60", WindowText(App.calculatorResultEdit));
    Click(App.calculatorSwitchButton);
    SetWindowTextA(App.converterValueEdit, "100");
    ClickId(App.converterPanel, IDC_CELSIUS_TO_FAHRENHEIT);
    Click(App.converterCalculateButton);
    EXPECT_EQ("212", WindowText(App.converterResultEdit));
    Click(App.converterSwitchButton);
}
