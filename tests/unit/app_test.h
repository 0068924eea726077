// The fixture of the in-process tests: the program's own start-up code
// makes its windows in the test process, one fresh program per test.
#ifndef OMBEX_APP_TEST_H
#define OMBEX_APP_TEST_H

#include "harness.h"
#include "ombex.h"

#include <iterator>
#include <vector>

// The band at y 260 where the red messages go, with room for anti-aliasing.
static const RECT MessageBand = { 40, 255, 290, 280 };
// The windows under the main frame: its title buttons and one calculator.
static const int OneCalculatorsWindows = (int)(std::size(TitleButtons) + 1 + std::size(CalculatorControls));

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
    // Ends the program's windows and forgets its state, as a new process
    // would start; the seam (System) then counts every block and device
    // context taken and given back.
    static void ResetProgram();
    static void Restart();   // a fresh program, started as WinMain starts it
    // Since the last look the program took exactly this many blocks and
    // device contexts (or AnyNumber), and gave every one back.
    static const int AnyNumber = -1;
    static ::testing::AssertionResult TookAndGaveBack(int blocks, int dcs);
    // The allocator gives this many more blocks, then fails; -1: no limit.
    static void AllowAllocations(int count);

protected:
    void SetUp() override { Restart(); }
    void TearDown() override { ResetProgram(); }

    static HWND ShownPanel() { return ::ShownPanel(App.mainFrame); }
    // A click as the control handles it: it sets its own check state and
    // sends its command to the panel.
    static void Click(HWND control) { SendMessageA(control, BM_CLICK, 0, 0); }
    static void ClickId(HWND panel, int id) { Click(GetDlgItem(panel, id)); }

    // Types both numbers, picks the operation (unless none) and presses;
    // every road of the press gives back its device context, and the blocks
    // of both numbers when it read them.
    static const int NoOperation = 0;
    static std::string Calculate(const char *first, const char *second, int operation);
    // Types the value and presses; so too, with the value's block.
    static std::string Convert(const char *value);
    // A multiplication and a conversion give their results; the calculator
    // is shown again afterwards.
    static void ExpectStillCalculates();

    // The panel's children are exactly these controls, made in this order,
    // each kept in its AppState member (NULL: a check box or radio button,
    // which starts cleared); its switch shows the face kept for it.
    template <size_t N>
    static void ExpectLaidOut(HWND panel, const ControlRow (&rows)[N], const std::vector<HWND *> &kept, HBITMAP face)
    {
        std::vector<HWND> children = Children(panel);
        ASSERT_EQ(N, children.size());
        EXPECT_NE((HBITMAP)NULL, face);
        for (size_t i = 0; i < N; i++) {
            EXPECT_TRUE(MadeAs(children[i], rows[i]));
            if (rows[i].style == BitmapStyle) {
                EXPECT_EQ((LRESULT)face, SendMessageA(children[i], BM_GETIMAGE, IMAGE_BITMAP, 0)) << "the switch's face";
            }
            if (kept[i])
                EXPECT_EQ(children[i], *kept[i]) << "the AppState member of \"" << rows[i].text << "\"";
            else
                EXPECT_EQ(BST_UNCHECKED, IsDlgButtonChecked(panel, rows[i].id)) << rows[i].text;
        }
    }

    // What the panel shows within an area, pixel for pixel, against its
    // class background with the test's own drawing of its fixed labels and
    // the expected texts, around its controls. A failure names the first
    // wrong pixel and the text it belongs to.
    static ::testing::AssertionResult Painted(HWND panel, RECT area, std::vector<PanelText> expected);
};

#endif
