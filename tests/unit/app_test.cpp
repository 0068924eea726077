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
