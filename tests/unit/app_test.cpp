#include "app_test.h"

#include <string.h>

#include <algorithm>

// Handles of one kind that the program took through its seam and has not
// given back, and how many it took since the last look.
template <typename Handle> struct Held {
    std::vector<Handle> out;
    int taken;
    Handle Take(Handle handle)
    {
        if (handle)
            out.push_back(handle), taken++;
        return handle;
    }
    bool GiveBack(Handle handle)
    {
        auto found = std::find(out.begin(), out.end(), handle);
        return found != out.end() && (out.erase(found), true);
    }
};
static struct {
    Held<HGLOBAL> blocks;
    Held<HDC> dcs;
    int strays;              // given back but never taken, or refused by the system
    int allocationsLeft;     // -1: no limit
} Ledger;

static HGLOBAL WINAPI CountedAlloc(UINT flags, SIZE_T bytes)
{
    if (Ledger.allocationsLeft == 0)
        return NULL;
    Ledger.allocationsLeft -= Ledger.allocationsLeft > 0;
    return Ledger.blocks.Take(GlobalAlloc(flags, bytes));
}

static HGLOBAL WINAPI CountedFree(HGLOBAL block)
{
    bool held = Ledger.blocks.GiveBack(block);
    HGLOBAL result = GlobalFree(block);
    Ledger.strays += !held || result != NULL;
    return result;
}

static HDC WINAPI CountedGetDC(HWND window) { return Ledger.dcs.Take(GetDC(window)); }

static int WINAPI CountedReleaseDC(HWND window, HDC dc)
{
    bool held = Ledger.dcs.GiveBack(dc);
    int released = ReleaseDC(window, dc);
    Ledger.strays += !held || !released;
    return released;
}

::testing::AssertionResult AppTest::TookAndGaveBack(int blocks, int dcs)
{
    std::string faults;
    auto fault = [&](bool found, const std::string &what) {
        if (found)
            faults += (faults.empty() ? "" : "; ") + what;
    };
    fault(!Ledger.blocks.out.empty(),
          std::to_string(Ledger.blocks.out.size()) + " block(s) from GlobalAlloc not given back with GlobalFree");
    fault(!Ledger.dcs.out.empty(),
          std::to_string(Ledger.dcs.out.size()) + " device context(s) from GetDC not given back with ReleaseDC");
    fault(Ledger.strays, std::to_string(Ledger.strays) + " given back that had not been taken");
    fault((blocks != AnyNumber && Ledger.blocks.taken != blocks) || (dcs != AnyNumber && Ledger.dcs.taken != dcs),
          "took " + std::to_string(Ledger.blocks.taken) + " block(s) and " + std::to_string(Ledger.dcs.taken) +
              " device context(s), expected " + std::to_string(blocks) + " and " + std::to_string(dcs));
    // Each look judges only what came after the one before.
    int allocationsLeft = Ledger.allocationsLeft;
    Ledger = {};
    Ledger.allocationsLeft = allocationsLeft;
    if (faults.empty())
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << faults;
}

void AppTest::AllowAllocations(int count)
{
    Ledger.allocationsLeft = count;
}

void AppTest::ResetProgram()
{
    if (App.mainFrame && IsWindow(App.mainFrame))
        DestroyWindow(App.mainFrame);
    PumpMessages();
    while (TakeQuit(NULL))
        ;
    for (const char *name : { FrameClass, CalculatorClass, ConverterClass })
        UnregisterClassA(name, GetModuleHandleA(NULL));
    memset(&App, 0, sizeof App);
    System.globalAlloc = CountedAlloc;
    System.globalFree = CountedFree;
    System.getMessage = GetMessageA;
    System.getDC = CountedGetDC;
    System.releaseDC = CountedReleaseDC;
    TookAndGaveBack(0, 0);
    AllowAllocations(-1);
}
static const char *RefusedClass;
static LRESULT CALLBACK RefuseCreation(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND) {
        CBT_CREATEWNDA *create = (CBT_CREATEWNDA *)lParam;
        if (!IS_INTRESOURCE(create->lpcs->lpszClass) &&
            lstrcmpA(create->lpcs->lpszClass, RefusedClass) == 0)
            return 1;
    }
    return CallNextHookEx(NULL, code, wParam, lParam);
}

CreationRefused::CreationRefused(const char *className)
{
    RefusedClass = className;
    hook_ = SetWindowsHookExA(WH_CBT, RefuseCreation, NULL, GetCurrentThreadId());
}

CreationRefused::~CreationRefused()
{
    UnhookWindowsHookEx(hook_);
}

void AppTest::Restart()
{
    ResetProgram();
    ASSERT_TRUE(StartUp(GetModuleHandleA(NULL), SW_SHOWNORMAL));
    PumpMessages();
}

::testing::AssertionResult AppTest::Painted(HWND panel, RECT area, std::vector<PanelText> expected)
{
    std::vector<COLORREF> seen = Capture(panel, area);
    std::vector<PanelText> texts = FixedLabels(ClassName(panel));
    texts.insert(texts.end(), expected.begin(), expected.end());
    // The controls keep what they drew; the rest is drawn again by the test.
    HDC dc = GetDCEx(panel, NULL, DCX_CACHE | DCX_CLIPCHILDREN);
    RECT client;
    GetClientRect(panel, &client);
    FillRect(dc, &client, (HBRUSH)GetClassLongPtrA(panel, GCLP_HBRBACKGROUND));
    DrawTexts(dc, texts);
    ReleaseDC(panel, dc);
    std::vector<COLORREF> wanted = Capture(panel, area);

    int width = area.right - area.left;
    for (size_t i = 0; i < seen.size(); i++) {
        if (seen[i] == wanted[i])
            continue;
        POINT at = { area.left + (LONG)(i % width), area.top + (LONG)(i / width) };
        std::string where = TextAt(texts, at);
        return ::testing::AssertionFailure()
               << "pixel (" << at.x << ", " << at.y << ") "
               << (where.empty() ? "where no text belongs" : where) << " is " << Rgb(seen[i])
               << ", expected " << Rgb(wanted[i]);
    }
    return ::testing::AssertionSuccess();
}

std::string AppTest::Calculate(const char *first, const char *second, int operation)
{
    SetWindowTextA(App.calculatorFirstEdit, first);
    SetWindowTextA(App.calculatorSecondEdit, second);
    if (operation)
        ClickId(ShownPanel(), operation);
    Click(App.calculatorCalculateButton);
    EXPECT_TRUE(TookAndGaveBack(*first && *second ? 2 : 0, 1));
    return WindowText(App.calculatorResultEdit);
}

std::string AppTest::Convert(const char *value)
{
    SetWindowTextA(App.converterValueEdit, value);
    Click(App.converterCalculateButton);
    EXPECT_TRUE(TookAndGaveBack(*value ? 1 : 0, 1));
    return WindowText(App.converterResultEdit);
}

void AppTest::ExpectStillCalculates()
{
    EXPECT_TRUE(TookAndGaveBack(AnyNumber, AnyNumber)) << "before these presses";
    EXPECT_EQ("60", Calculate("12", "5", Multiply));
    Click(App.calculatorSwitchButton);
    ClickId(App.converterPanel, CtoF);
    EXPECT_EQ("212", Convert("100"));
    Click(App.converterSwitchButton);
}
