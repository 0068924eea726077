// Message storms: seeded, reproducible random messages sent to each of the
// three window procedures. Left out are only the messages that end the
// program or swap panels (and the ones whose parameters the system itself
// reads as pointers): no crash, no hang, no box, and it still calculates.
#include "app_test.h"

#include <stdio.h>

#include <algorithm>

static const int MessagesEach = 100000;
static const unsigned Seed = 20261207;

struct Random {
    unsigned state;
    unsigned Next()
    {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    }
    template <class T> T Pick(const std::vector<T> &from) { return from[Next() % from.size()]; }
};

static const std::vector<UINT> Kinds = {
    WM_COMMAND, WM_COMMAND, WM_COMMAND, WM_CTLCOLORBTN, WM_CTLCOLORSTATIC, WM_CTLCOLOREDIT,
    WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_CAPTURECHANGED, WM_PAINT, WM_APP,
};

// Handles that commands and colour messages may carry: the program's own
// controls (but the close, About and switch buttons), nothing, and noise.
static std::vector<LPARAM> Handles(HWND target)
{
    std::vector<LPARAM> handles = {
        0, 1, 0x12345678, (LPARAM)App.mainFrame, (LPARAM)target, (LPARAM)App.minimizeButton,
        (LPARAM)App.calculatorCalculateButton, (LPARAM)App.calculatorFirstEdit,
        (LPARAM)App.calculatorResultEdit, (LPARAM)App.converterCalculateButton,
        (LPARAM)App.converterValueEdit, (LPARAM)App.converterSecondResultEdit,
    };
    const HWND leftOut[] = { App.closeButton, App.aboutButton, App.calculatorSwitchButton,
                             App.converterSwitchButton };
    for (HWND control : Children(target))
        if (std::find(std::begin(leftOut), std::end(leftOut), control) == std::end(leftOut))
            handles.push_back((LPARAM)control);
    return handles;
}

static int SendStorm(HWND target, Random &random, HDC realDc)
{
    static const std::vector<WORD> ids = { 0, 0, 0, 1, 2, 3000, 3001, 3002, 3003, 3004,
                                          4000, 4001, 4002, 4003, 4004, 4005, 4006, 0xFFFF };
    std::vector<LPARAM> handles = Handles(target);
    for (int i = 0; i < MessagesEach; i++) {
        UINT message = random.Pick(Kinds);
        WPARAM wParam = random.Next();
        LPARAM lParam = random.Next();
        switch (message) {
        case WM_COMMAND:
            wParam = MAKEWPARAM(random.Pick(ids), random.Next());
            lParam = random.Pick(handles);
            break;
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
            wParam = random.Next() % 4 ? (WPARAM)random.Next() : (WPARAM)realDc;
            lParam = random.Pick(handles);
            break;
        case WM_CAPTURECHANGED:
            lParam = random.Pick(handles);
            break;
        case WM_APP:
            // Numbers that mean nothing to the program or the system.
            message = random.Next() % 2 ? WM_USER + random.Next() % (WM_APP - WM_USER)
                                        : 0xC000 + random.Next() % 0x4000;
            break;
        }
        SendMessageA(target, message, wParam, lParam);
        if (i % 1000 == 0)
            PumpMessages();
    }
    return MessagesEach;
}

class StormTest : public AppTest {};

TEST_F(StormTest, RandomMessagesToEveryWindowProcedure)
{
    Random random = { Seed };
    HDC dc = GetDC(App.mainFrame);
    BoxWatcher watcher;
    int sent = SendStorm(App.mainFrame, random, dc);
    sent += SendStorm(ShownPanel(), random, dc);
    Click(App.calculatorSwitchButton);
    sent += SendStorm(App.converterPanel, random, dc);
    Click(App.converterSwitchButton);
    std::vector<SeenBox> boxes = watcher.Stop();
    ReleaseDC(App.mainFrame, dc);
    ReleaseCapture();
    ShowWindow(App.mainFrame, SW_RESTORE);
    PumpMessages();
    printf("storm: %d messages (seed %u), %u message boxes\n", sent, Seed, (unsigned)boxes.size());

    EXPECT_TRUE(boxes.empty()) << "first box: " << (boxes.empty() ? "" : boxes[0].caption + ": " + boxes[0].text);
    EXPECT_FALSE(TakeQuit(NULL));
    ASSERT_TRUE(IsWindow(App.mainFrame));
    ASSERT_EQ(CalculatorClass, ClassName(ShownPanel()));
    ExpectStillCalculates();
}
