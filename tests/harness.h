// What every test shares: waiting, finding windows, reading pixels and
// texts, watching message boxes, checking a window against its facts.
#ifndef OMBEX_TEST_HARNESS_H
#define OMBEX_TEST_HARNESS_H

#include "facts.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

// Pumps this thread's messages until the condition holds or time is up.
bool WaitFor(const std::function<bool()> &condition, DWORD timeoutMs = 5000);
#define ASSERT_WAIT(condition, what) \
    ASSERT_TRUE(WaitFor([&] { return (condition); })) << "timed out waiting for " << what
#define EXPECT_WAIT(condition, what) \
    EXPECT_TRUE(WaitFor([&] { return (condition); })) << "timed out waiting for " << what

void PumpMessages();        // everything queued for this thread but WM_QUIT
bool TakeQuit(int *code);   // takes a WM_QUIT off the queue, if there is one

// A file in the test executable's own folder, and the program beside it.
std::string BesideTests(const char *name);
inline std::string ProgramPath() { return BesideTests("OmbeX+.exe"); }

std::string WindowText(HWND window);
std::string ClassName(HWND window);
// A child's place in its parent's client coordinates.
RECT ChildRect(HWND child);
std::vector<HWND> Children(HWND parent);           // direct children, in z-order
int CountDescendants(HWND parent);
int CountChildren(HWND parent, const char *className);
HWND ShownPanel(HWND frame);   // its visible "Ombe" or "Ombex" child
HWND FindControl(HWND parent, const ControlRow &row);   // by class and place
// The window is the control of this row: class, text, place, styles, id.
::testing::AssertionResult MadeAs(HWND window, const ControlRow &row);

// The panel's window region is the rounded rectangle, nothing more or less.
::testing::AssertionResult ClippedToPanelRegion(HWND panel);
// The frame's opening that a panel covers: its region, cut to its window.
HRGN PanelRegionInFrame();

// A process's top-level windows of a class ("#32770": message boxes).
std::vector<HWND> ProcessWindows(DWORD processId, const char *className);

// A 32-bit picture header, top row first.
BITMAPINFO TopDownHeader(int width, int height);
// A rectangle of a window's client area (of the screen for no window),
// read through the window's own DC, which sees at once what was painted
// outside WM_PAINT.
std::vector<COLORREF> Capture(HWND window, RECT area);
// Its pixels within the tolerance of a colour on each channel.
int CountPixels(HWND window, RECT area, COLORREF colour, int tolerance);
bool ColourNear(COLORREF a, COLORREF b, int tolerance);
std::string Rgb(COLORREF colour);   // "(red,green,blue)"

const std::vector<PanelText> &FixedLabels(const std::string &panelClass);
// Draws texts as the panels must: default font, transparent background.
void DrawTexts(HDC dc, const std::vector<PanelText> &texts);
// Which of the texts so drawn covers a point: "in "Result" at (131, 215)".
std::string TextAt(const std::vector<PanelText> &texts, POINT at);

// A picture as its pixels, top row first, with their alpha where it came from a DIB.
struct Picture {
    int width = 0, height = 0;
    std::vector<COLORREF> pixels;
    std::vector<BYTE> alpha;
    COLORREF At(int x, int y) const { return pixels[y * width + x]; }
    BYTE Alpha(int x, int y) const { return alpha[y * width + x]; }
};
// A packed 32-bit DIB of this many rows, stored bottom row first, as the bitmap, icon and cursor
// resources hold them (an icon's or cursor's colour pixels are the first half of its header's rows).
Picture PictureOfDib(const BITMAPINFOHEADER *header, int rows);
Picture PictureOfBitmap(HBITMAP bitmap);
// The colour picture that a cursor shows.
Picture PictureOfCursor(HCURSOR cursor);
inline Picture PictureOfScreen(HWND window, RECT a) { return { a.right - a.left, a.bottom - a.top, Capture(window, a), {} }; }
// Whether a picture shows what the resource of this number is for, by the colours at a few telling
// places; origin is where the resource's (0, 0) lies in the picture, maybe a larger view of the screen.
::testing::AssertionResult ShowsItsRole(int number, const Picture &picture, POINT origin = POINT{ 0, 0 });

// A message box as seen by the watcher that dismissed it.
struct SeenBox {
    std::string caption, text;
    std::string icon;   // "warning", "error", "information", "question", "" or "another"
    std::vector<std::string> buttons;   // their texts, in z-order
    HWND owner;
    bool ownerDisabled;
};
// One box with this caption, text and icon, an "OK" button and this
// owner, which it disabled while it showed.
::testing::AssertionResult OneBox(const std::vector<SeenBox> &boxes, const BoxFact &box, HWND owner);

// Watches this process for message boxes from another thread (a box
// blocks the thread that shows it), records each and presses its first button.
class BoxWatcher {
public:
    BoxWatcher();
    ~BoxWatcher();
    std::vector<SeenBox> Stop();   // every box seen

private:
    static DWORD WINAPI Run(void *self);
    HANDLE thread_, stop_;
    std::vector<SeenBox> seen_;
};

#endif
