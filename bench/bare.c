/* The floor for start-up: one class, one 330 x 330 popup, a plain
   background and nothing else. */
#include <windows.h>

static LRESULT CALLBACK BareProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showCommand)
{
    WNDCLASSEXA wnd;
    MSG msg;
    HWND window;

    (void)previous;
    (void)commandLine;
    ZeroMemory(&wnd, sizeof wnd);
    wnd.cbSize = sizeof wnd;
    wnd.lpfnWndProc = BareProc;
    wnd.hInstance = instance;
    wnd.hCursor = LoadCursorA(NULL, IDC_ARROW);
    wnd.hbrBackground = (HBRUSH)GetStockObject(WHITE_BRUSH);
    wnd.lpszClassName = "BenchBare";
    if (!RegisterClassExA(&wnd))
        return 1;
    window = CreateWindowExA(0, "BenchBare", "Bare", WS_POPUP, CW_USEDEFAULT, CW_USEDEFAULT,
                             330, 330, NULL, NULL, instance, NULL);
    if (!window)
        return 1;
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    while (GetMessageA(&msg, NULL, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
