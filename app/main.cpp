/* Start-up, the message loop and the exit code. */
#include "ombex.h"
#include "../res/resource.h"

AppState App;
SystemCalls System = { GlobalAlloc, GlobalFree, GetMessageA, GetDC, ReleaseDC };

static MSG Msg;

/* The three window classes, registered in this order. Each has a pattern
   brush of its own, so each loads its background bitmap afresh. */
static const struct {
    const char *name;
    WNDPROC proc;
    UINT style;
    int background;
} Classes[] = {
    { MAIN_FRAME_CLASS, MainFrameProc,       CS_DROPSHADOW | CS_HREDRAW | CS_VREDRAW, IDB_FRAME },
    { CALCULATOR_CLASS, CalculatorPanelProc, CS_HREDRAW | CS_VREDRAW,                 IDB_PANEL },
    { CONVERTER_CLASS,  ConverterPanelProc,  CS_HREDRAW | CS_VREDRAW,                 IDB_PANEL },
};

static BOOL Fail(HWND owner, const char *text, const char *caption)
{
    MessageBoxA(owner, text, caption, MB_OK | MB_ICONEXCLAMATION);
    return FALSE;
}

BOOL TellCreationFailed(HWND owner)
{
    return Fail(owner, "Window Creation Failed!", "Creation Failure");
}

static BOOL RegisterClasses(HINSTANCE instance)
{
    for (unsigned i = 0; i < COUNT(Classes); i++) {
        WNDCLASSEXA wnd = {};
        wnd.cbSize = sizeof wnd;
        wnd.style = Classes[i].style;
        wnd.lpfnWndProc = Classes[i].proc;
        wnd.hInstance = instance;
        wnd.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_OMBEX));
        wnd.hCursor = LoadCursorA(instance, MAKEINTRESOURCEA(IDC_POINTER));
        wnd.hbrBackground = CreatePatternBrush(
            LoadBitmapA(instance, MAKEINTRESOURCEA(Classes[i].background)));
        wnd.lpszClassName = Classes[i].name;
        wnd.hIconSm = LoadIconA(instance, MAKEINTRESOURCEA(IDI_OMBEX));
        if (!RegisterClassExA(&wnd))
            return Fail(NULL, "Window Registration Failed!", "Registration Failure");
    }
    return TRUE;
}

BOOL StartUp(HINSTANCE instance, int showCommand)
{
    if (!RegisterClasses(instance))
        return FALSE;

    /* A popup placed with CW_USEDEFAULT lands at the screen's top-left. */
    App.mainFrame = CreateWindowExA(0, MAIN_FRAME_CLASS, "OmbeX+", WS_POPUP,
                                    CW_USEDEFAULT, CW_USEDEFAULT, FRAME_SIZE, FRAME_SIZE,
                                    NULL, NULL, instance, NULL);
    /* Without a window nothing could ever post the quit message, so the
       loop would wait forever: say so and stop instead. */
    if (!App.mainFrame)
        return TellCreationFailed(NULL);
    ShowWindow(App.mainFrame, showCommand);
    UpdateWindow(App.mainFrame);

    App.firstCalculatorPanel = CreatePanel(CALCULATOR_CLASS);
    if (!App.firstCalculatorPanel) {
        DestroyWindow(App.mainFrame);
        return TellCreationFailed(NULL);
    }
    ShowWindow(App.firstCalculatorPanel, showCommand);
    UpdateWindow(App.firstCalculatorPanel);
    return TRUE;
}

int RunMessageLoop(void)
{
    BOOL got;
    while ((got = System.getMessage(&Msg, NULL, 0, 0)) > 0) {
        TranslateMessage(&Msg);
        DispatchMessageA(&Msg);
    }
    /* A failed GetMessageA leaves the record undefined: report a failure
       rather than whatever it holds. */
    return got == 0 ? (int)Msg.wParam : EXIT_LOOP_FAILED;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showCommand)
{
    (void)previous;
    (void)commandLine;  /* the program takes no arguments */
    if (!StartUp(instance, showCommand))
        return 0;
    return RunMessageLoop();
}
