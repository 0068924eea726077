/* The floor of start-up and of memory: one class, one 330 x 330 popup, a
   plain background and nothing else. Built alone as start-up's floor, and
   into the bench (BARE_POPUP_ONLY) as memory's. */
#include <windows.h>

static LRESULT CALLBACK BareProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY)
        PostQuitMessage(0);
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND BarePopup(HINSTANCE instance, int showCommand)
{
    WNDCLASSEXA wnd = { sizeof wnd, 0, BareProc, 0, 0, instance, NULL, LoadCursorA(NULL, IDC_ARROW),
                        (HBRUSH)GetStockObject(WHITE_BRUSH), NULL, "BenchBare", NULL };
    HWND window = NULL;
    if (RegisterClassExA(&wnd))
        window = CreateWindowExA(0, "BenchBare", "Bare", WS_POPUP, CW_USEDEFAULT, CW_USEDEFAULT,
                                 330, 330, NULL, NULL, instance, NULL);
    if (window) {
        ShowWindow(window, showCommand);
        UpdateWindow(window);
    }
    return window;
}

#ifndef BARE_POPUP_ONLY
int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showCommand)
{
    MSG msg;
    (void)previous;
    (void)commandLine;
    if (!BarePopup(instance, showCommand))
        return 1;
    while (GetMessageA(&msg, NULL, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
#endif
