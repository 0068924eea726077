// The fixture of the in-process tests: the program's own start-up code
// makes its windows in the test process, one fresh program per test.
#ifndef OMBEX_APP_TEST_H
#define OMBEX_APP_TEST_H

#include "harness.h"
#include "ombex.h"
#include "resource.h"

#include <vector>

// A child control as a panel must lay it out.
struct LaidOut {
    const char *className, *text;
    DWORD style;
    int x, y, width, height, id;
    HWND *keptIn;          // the AppState member that keeps it, if any
};

// While it lives, the system refuses to make any window of one class, as
// it would when out of resources.
class CreationRefused {
public:
    explicit CreationRefused(const char *className);
    ~CreationRefused();

private:
    HHOOK hook_;
};

class AppTest : public ::testing::Test {
public:
    // Ends the program's windows and forgets all its state, as a new
    // process would start. The program's seam (System) then counts every
    // memory block and device context taken and given back.
    static void ResetProgram();
    // Since the last look, the program took exactly this many blocks and
    // device contexts through its seam (or AnyNumber), and gave every one of
    // them back.
    static const int AnyNumber = -1;
    static ::testing::AssertionResult TookAndGaveBack(int blocks, int dcs);
    // The allocator gives this many more blocks, then fails as when out of
    // memory; -1 for no limit.
    static void AllowAllocations(int count);
    // The boxes seen were the one that says a window could not be made.
    static void ExpectCreationFailureBox(const std::vector<SeenBox> &boxes, HWND owner);

protected:
    void SetUp() override;
    void TearDown() override;

    // The panel that is shown: a visible "Ombe" or "Ombex" child of the frame.
    static HWND ShownPanel();
    // A click as the control itself handles it: it sets its own check state
    // and sends its command to the panel.
    static void Click(HWND control);
    static void ClickId(HWND panel, int id) { Click(GetDlgItem(panel, id)); }

    // A multiplication on the calculator and a conversion on the converter
    // give their results; the calculator is shown again afterwards.
    static void ExpectStillCalculates();

    // The panel's children are exactly these controls, made in this order;
    // check boxes and radio buttons start cleared.
    static void ExpectLaidOut(HWND panel, const std::vector<LaidOut> &controls);

    // A right-click on the panel's surface brings one modal warning box.
    static void ExpectRightClickWarning(HWND panel);

    // What the panel shows within an area, pixel for pixel, against its
    // class background with the test's own drawing of its fixed labels and
    // of the expected texts, around its controls. A failure names the first
    // wrong pixel and the text that it belongs to.
    static ::testing::AssertionResult Painted(HWND panel, RECT area,
                                              std::vector<PanelText> expected);
};

#endif
