/* Keeps Wine's desktop process alive between start-up runs: a window that
   is never shown, and a loop. It says "ready" once the window exists, which
   means the desktop process is up. */
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showCommand)
{
    MSG msg;
    DWORD written;
    HWND window;

    (void)previous;
    (void)commandLine;
    (void)showCommand;
    window = CreateWindowExA(0, "STATIC", "bench keeper", WS_POPUP, 0, 0, 1, 1,
                             NULL, NULL, instance, NULL);
    if (!window)
        return 1;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), "ready\n", 6, &written, NULL);
    while (GetMessageA(&msg, NULL, 0, 0) > 0)
        DispatchMessageA(&msg);
    return 0;
}
