// The program under test as another process, used as a person or an
// automation tool would: found by its window classes, driven with real
// mouse and keyboard input on the virtual display.
#ifndef OMBEX_PROGRAM_H
#define OMBEX_PROGRAM_H

#include "harness.h"

#include <initializer_list>

class Program {
public:
    // Starts OmbeX+.exe beside the driver and waits for its frame and panel.
    explicit Program(const char *arguments = "");
    // Unless it has ended, asks its frame to close; it must end with code 0.
    ~Program();

    HWND Frame() const { return frame_; }
    DWORD Id() const { return info_.dwProcessId; }
    HWND Panel() const { return ShownPanel(frame_); }
    HWND Control(const ControlRow &row) const { return FindControl(Panel(), row); }
    HWND TitleButton(const ControlRow &row) const { return FindControl(frame_, row); }
    GUITHREADINFO Gui() const;   // where its mouse capture and keyboard are
    // Its exit code, or -1 while it still runs after the timeout.
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
void MouseMove(POINT to);
void MouseButton(bool down);
void MouseClick(POINT at);
void TypeKeys(const char *text);
// Presses the keys in order and lets them go in reverse, as for Alt+F4.
void PressKeys(std::initializer_list<WORD> keys);
// Waits until the program has handled all the input sent before.
void SyncInput(Program &program);
POINT ScreenPoint(HWND window, int x, int y);
POINT CentreOf(HWND window);

#endif
