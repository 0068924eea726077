// What every test shares: waiting for a condition, finding windows, reading
// pixels and texts, watching message boxes, and the in-process fixture that
// starts the program's own windows.
#ifndef OMBEX_TEST_HARNESS_H
#define OMBEX_TEST_HARNESS_H

#include <windows.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

// Waits, pumping this thread's messages, until the condition holds or the
// timeout passes; returns whether it held.
bool WaitFor(const std::function<bool()> &condition, DWORD timeoutMs = 5000);
#define ASSERT_WAIT(condition, what) \
    ASSERT_TRUE(WaitFor([&] { return (condition); })) << "timed out waiting for " << what
#define EXPECT_WAIT(condition, what) \
    EXPECT_TRUE(WaitFor([&] { return (condition); })) << "timed out waiting for " << what

// Dispatches everything queued for this thread, WM_QUIT aside.
void PumpMessages();
// Takes a WM_QUIT off this thread's queue: true and its code if there was one.
bool TakeQuit(int *code);

std::string WindowText(HWND window);
std::string ClassName(HWND window);
// A child's place in its parent's client coordinates.
RECT ChildRect(HWND child);
std::vector<HWND> Children(HWND parent);           // direct children, in z-order
int CountDescendants(HWND parent);

// Top-level windows of this process with the given class ("#32770" for
// message and dialog boxes).
std::vector<HWND> ProcessWindows(DWORD processId, const char *className);

// The pixels of a rectangle of a window's client area, read through the
// window's own DC (which sees what was painted outside WM_PAINT at once),
// row by row as COLORREFs.
std::vector<COLORREF> Capture(HWND window, RECT area);
// Pixels in a rectangle of a window's client area that lie within the
// tolerance of a colour on each channel.
int CountPixels(HWND window, RECT area, COLORREF colour, int tolerance);
bool ColourNear(COLORREF a, COLORREF b, int tolerance);

// A message box as seen by the watcher that dismissed it.
struct SeenBox {
    std::string caption, text;
    // The system icon it shows: "warning", "error", "information",
    // "question", "" for none, or "another" for one of no such kind.
    std::string icon;
    std::vector<std::string> buttons;   // the texts of its buttons, in z-order
    HWND owner;
    bool ownerDisabled;
};

// Watches this process for message boxes from another thread (a box is
// modal and blocks the thread that shows it), records each and presses its
// first button.
class BoxWatcher {
public:
    BoxWatcher();
    ~BoxWatcher();
    // Stops watching and returns every box seen.
    std::vector<SeenBox> Stop();

private:
    static DWORD WINAPI Run(void *self);
    HANDLE thread_, stop_;
    std::vector<SeenBox> seen_;
};

#endif
