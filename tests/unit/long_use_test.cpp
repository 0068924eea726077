// Long use: many swaps and presses leave the windows, the GDI objects and
// the memory where they were, and the program still calculates right.
#include "app_test.h"

#include <psapi.h>
#include <stdio.h>
#include <stdlib.h>

#include <set>

static SIZE_T PrivateBytes()
{
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), (PROCESS_MEMORY_COUNTERS *)&counters, sizeof counters);
    // Wine leaves PrivateUsage at 0; the committed private memory is in
    // PagefileUsage, as on Windows.
    return counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage;
}

// The full counts take a quarter of an hour under Wine, so they are the
// soak run's (make soak); the ordinary run does enough to show a leak.
static int Count(int full, int quick)
{
    return getenv("OMBEX_SOAK") ? full : quick;
}

// Allowance for the heap's own bookkeeping and caches.
static const SIZE_T MemoryMargin = 1024 * 1024;

class LongUseTest : public AppTest {
protected:
    static void RoundTrip()
    {
        Click(App.calculatorSwitchButton);
        Click(App.converterSwitchButton);
    }
};

TEST_F(LongUseTest, TenThousandRoundTripsStayFlat)
{
    const int trips = Count(10000, 300);
    std::set<HBITMAP> faces;
    RoundTrip();
    PumpMessages();
    int windowsAfterFirst = CountDescendants(App.mainFrame);
    SIZE_T memoryAfterFirst = PrivateBytes();
    for (int i = 1; i < trips; i++) {
        RoundTrip();
        faces.insert(App.calculatorSwitchBitmap);
        faces.insert(App.converterSwitchBitmap);
        if (i % 500 == 0)
            PumpMessages();
    }
    PumpMessages();
    int windowsAfterLast = CountDescendants(App.mainFrame);
    SIZE_T memoryAfterLast = PrivateBytes();
    printf("round trips: %d; windows under the frame after the first %d, after the last %d; "
           "switch faces %u; private bytes %lu KB then %lu KB\n",
           trips, windowsAfterFirst, windowsAfterLast, (unsigned)faces.size(),
           (unsigned long)(memoryAfterFirst / 1024), (unsigned long)(memoryAfterLast / 1024));
    EXPECT_EQ(windowsAfterFirst, windowsAfterLast);
    EXPECT_EQ(OneCalculatorsWindows, windowsAfterLast) << "the title buttons and one calculator";
    EXPECT_LE(faces.size(), 2u);
    EXPECT_LE(memoryAfterLast, memoryAfterFirst + MemoryMargin);
    EXPECT_FALSE(TakeQuit(NULL)) << "a retired panel ends nothing";
    ExpectStillCalculates();
}

TEST_F(LongUseTest, HundredThousandPressesOnEachPanelStayFlat)
{
    const int presses = Count(100000, 3000);
    ClickId(ShownPanel(), Divide);
    Click(App.calculatorSwitchButton);
    SetWindowTextA(App.converterValueEdit, "100");
    ClickId(App.converterPanel, MilesToM);
    ClickId(App.converterPanel, MToMiles);

    struct { const char *name; HWND *button, *result; const char *expected; } panels[] = {
        { "converter", &App.converterCalculateButton, &App.converterResultEdit, "1.609e+05" },
        { "calculator", &App.calculatorCalculateButton, &App.calculatorResultEdit, "3.143" },
    };
    for (auto &p : panels) {
        Click(*p.button);
        SIZE_T before = PrivateBytes();
        for (int i = 0; i < presses; i++) {
            Click(*p.button);
            if (i % 1000 == 0)
                PumpMessages();
        }
        PumpMessages();
        SIZE_T after = PrivateBytes();
        printf("%s: %d presses, private bytes %lu KB then %lu KB\n", p.name, presses,
               (unsigned long)(before / 1024), (unsigned long)(after / 1024));
        EXPECT_LE(after, before + MemoryMargin) << p.name;
        EXPECT_EQ(p.expected, WindowText(*p.result)) << p.name;
        if (p.button == &App.converterCalculateButton) {
            EXPECT_EQ("0.06215", WindowText(App.converterSecondResultEdit));
            Click(App.converterSwitchButton);
            SetWindowTextA(App.calculatorFirstEdit, "22");
            SetWindowTextA(App.calculatorSecondEdit, "7");
        }
    }
    ExpectStillCalculates();
}
