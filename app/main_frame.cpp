/* The main frame: title buttons, the About box and dragging the window. */
#include "ombex.h"
#include "../res/resource.h"
#include "../res/version.h"

/* SetWindowPos flags of a drag: move only. */
#define DRAG_MOVE          (SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER)

static const char AboutText[] =
    "OmbeX+ - written by the OmbeX+ developers, all rights reserved.\n"
    " -Version: " OMBEX_VERSION_TEXT " ";

/* The title buttons, in the order they are made. */
static const struct {
    int x, y, image;
    HWND *button;
    HBITMAP *bitmap;
} TitleButtons[] = {
    { ABOUT_PLACE,    IDB_ABOUT,    &App.aboutButton,    &App.aboutBitmap },
    { CLOSE_PLACE,    IDB_CLOSE,    &App.closeButton,    &App.closeBitmap },
    { MINIMIZE_PLACE, IDB_MINIMIZE, &App.minimizeButton, &App.minimizeBitmap },
};

static void CreateTitleButtons(HWND frame)
{
    HINSTANCE instance = GetModuleHandleA(NULL);
    for (unsigned i = 0; i < COUNT(TitleButtons); i++) {
        *TitleButtons[i].button = CreateWindowExA(CONTROL_EX_STYLE, "BUTTON", "", BITMAP_BUTTON,
                                                  TitleButtons[i].x, TitleButtons[i].y,
                                                  TITLE_BUTTON_SIZE, TITLE_BUTTON_SIZE,
                                                  frame, NULL, instance, NULL);
    }
    /* The buttons only borrow their images, which live as long as the
       program. */
    for (unsigned i = 0; i < COUNT(TitleButtons); i++) {
        *TitleButtons[i].bitmap = LoadBitmapA(instance, MAKEINTRESOURCEA(TitleButtons[i].image));
        SendMessageA(*TitleButtons[i].button, BM_SETIMAGE, IMAGE_BITMAP,
                     (LPARAM)*TitleButtons[i].bitmap);
    }
}

static void OnTitleButton(HWND frame, WPARAM wParam, LPARAM lParam)
{
    HWND sender = (HWND)lParam;
    if (LOWORD(wParam) != 0)
        return;
    if (sender == App.aboutButton)
        MessageBoxA(frame, AboutText, "About", MB_OK | MB_ICONINFORMATION);
    if (sender == App.closeButton)
        PostQuitMessage(0);     /* the windows go with the process */
    if (sender == App.minimizeButton)
        ShowWindow(frame, SW_MINIMIZE);
}

static void BeginDrag(void)
{
    RECT rt;
    if (!GetCursorPos(&App.startCursor))
        return;
    GetWindowRect(App.mainFrame, &rt);
    App.startLeft = rt.left;
    App.startTop = rt.top;
    App.dragging = 1;
    SetCapture(App.mainFrame);
    SetCursor(LoadCursorA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(IDC_DRAG)));
}

static void MoveDrag(void)
{
    POINT pt;
    /* Screen coordinates throughout: the window keeps the offset between
       the cursor and its corner that it had at the press. */
    if (!App.dragging || !GetCursorPos(&pt))
        return;
    SetWindowPos(App.mainFrame, NULL, pt.x - App.startCursor.x + App.startLeft,
                 pt.y - App.startCursor.y + App.startTop, 0, 0, DRAG_MOVE);
}

LRESULT CALLBACK MainFrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        CreateTitleButtons(window);
        break;
    case WM_COMMAND:
        OnTitleButton(window, wParam, lParam);
        break;
    case WM_LBUTTONDOWN:
        BeginDrag();
        return 0;
    case WM_MOUSEMOVE:
        MoveDrag();
        break;
    case WM_LBUTTONUP:
        /* Releasing the capture brings WM_CAPTURECHANGED, which ends the drag. */
        ReleaseCapture();
        return 0;
    case WM_CAPTURECHANGED:
        App.dragging = (HWND)lParam == App.mainFrame;
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
