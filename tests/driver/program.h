// The program under test as another process, used as a person or an
// automation tool would: found by its window classes, driven with real
// mouse and keyboard input on the virtual display.
#ifndef OMBEX_PROGRAM_H
#define OMBEX_PROGRAM_H

#include "harness.h"

#include <initializer_list>
#include <vector>

class Program {
public:
    // Starts OmbeX+.exe from the driver's own folder and waits for its
    // main frame and first panel.
    explicit Program(const char *arguments = "");
    // Unless it has ended already, closes the program as a close request to
    // its main frame does, and expects it to end with code 0.
    ~Program();

    HWND Frame() const { return frame_; }
    DWORD Id() const { return info_.dwProcessId; }
    HWND Panel() const { return ShownPanel(frame_); }
    // A control of the shown panel, or of the main frame.
    HWND Control(const ControlRow &row) const { return FindControl(Panel(), row); }
    HWND TitleButton(const ControlRow &row) const { return FindControl(frame_, row); }
    // The windows that hold the program's mouse capture and its keyboard.
    HWND Capture() const;
    HWND Focus() const;
    // Waits for the process to end; its exit code, or -1 after the timeout.
    int WaitExit(DWORD timeoutMs = 10000);

private:
    PROCESS_INFORMATION info_;
    HWND frame_;
};

// A bitmap resource of OmbeX+.exe, read from the file as data.
Picture LoadPicture(int id);

// Real input: the mouse through the X server, as from a device, the keys
// through SendInput. Each mouse step lands where it is aimed, or the test
// fails at that step and says where it went.
void MouseMove(int x, int y);
void MouseButton(bool down, bool right = false);
void MouseClick(int x, int y, bool right = false);
void TypeKeys(const char *text);
// Presses the keys in order and lets them go in reverse, as for Alt+F4.
void PressKeys(std::initializer_list<WORD> keys);
// Waits until the program has handled all the input sent before.
void SyncInput(Program &program);
// The screen point of a window's client point.
POINT ScreenPoint(HWND window, int x, int y);
POINT CentreOf(HWND window);

#endif
