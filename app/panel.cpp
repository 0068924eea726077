/* What both panels share: how a panel comes into being, how controls and
   labels are put on it, how it answers its messages and how it swaps with
   the other. */
#include "ombex.h"

HWND CreatePanel(const char *className)
{
    /* WS_CHILD alone: the panel starts hidden and its creator shows it. */
    HWND panel = CreateWindowExA(0, className, "OmbeX", WS_CHILD, PANEL_X, PANEL_Y,
                                 FRAME_SIZE, FRAME_SIZE, App.mainFrame, NULL,
                                 GetModuleHandleA(NULL), NULL);
    if (panel) {
        /* The window owns the region from here on. */
        SetWindowRgn(panel, CreateRoundRectRgn(REGION_LEFT, REGION_TOP, REGION_RIGHT,
                                               REGION_BOTTOM, REGION_CORNER, REGION_CORNER),
                     TRUE);
    }
    return panel;
}

void CreateControls(HWND parent, const ChildControl *controls, int count)
{
    HINSTANCE instance = GetModuleHandleA(NULL);
    for (int i = 0; i < count; i++) {
        const ChildControl *c = &controls[i];
        HWND control = CreateWindowExA(CONTROL_EX_STYLE, c->className, c->text, c->style,
                                       c->x, c->y, c->width, c->height, parent,
                                       (HMENU)(INT_PTR)c->id, instance, NULL);
        if (c->keptIn)
            *c->keptIn = control;
    }
}

void PaintLabels(HDC dc, const Label *labels, int count)
{
    SetBkMode(dc, TRANSPARENT);
    for (int i = 0; i < count; i++) {
        SetTextColor(dc, labels[i].colour);
        TextOutA(dc, labels[i].x, labels[i].y, labels[i].text, lstrlenA(labels[i].text));
    }
}

/* One face for all panels of a kind: loading it for each would cost a GDI
   object per swap for as long as the program runs. */
void GiveSwitchFace(HWND button, HBITMAP *face, int image)
{
    if (!*face)
        *face = LoadBitmapA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(image));
    SendMessageA(button, BM_SETIMAGE, IMAGE_BITMAP, (LPARAM)*face);
}

/* A box's text in a fresh block, or NULL when no memory could be had. */
char *ReadBox(HWND box, int length)
{
    char *text = (char *)System.globalAlloc(GPTR, length + 1);
    if (text)
        GetWindowTextA(box, text, length + 1);
    return text;
}

/* A press starts with an empty result box and a repaint at once, which
   wipes the texts of the last press. */
HDC BeginPress(HWND panel, HWND resultBox)
{
    SetWindowTextA(resultBox, "");
    HDC dc = System.getDC(panel);
    RedrawWindow(panel, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    return dc;
}

/* Without the panel to show, the shown one stays shown and working. The
   keyboard goes with the panel shown: left on the hidden switch button, a
   Space would swap again from behind. */
void SwapPanels(HWND shown, const PanelKind *to)
{
    BOOL back = to == &CalculatorPanel;
    HWND made = CreatePanel(to->className);
    if (!made) {
        TellCreationFailed(App.mainFrame);
        return;
    }
    if (back) {
        DestroyWindow(shown);
    } else {
        App.converterPanel = made;
        App.hiddenCalculatorPanel = shown;
        ShowWindow(shown, SW_HIDE);
    }
    ShowWindow(made, SW_SHOW);
    if (back)
        UpdateWindow(made);
    SetFocus(*to->firstBox);
    if (!back)
        return;
    /* The calculator hidden for the converter is never shown again; kept,
       every round trip would leave ten windows behind. */
    App.retiringPanel = App.hiddenCalculatorPanel;
    DestroyWindow(App.hiddenCalculatorPanel);
    App.retiringPanel = App.hiddenCalculatorPanel = NULL;
}

static void OnPaint(HWND panel, const PanelKind *kind)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(panel, &ps);
    PaintLabels(dc, kind->labels, kind->labelCount);
    EndPaint(panel, &ps);
}

/* The controls, the disabled result box among them, show on white. */
static LRESULT OnControlColour(HDC dc, COLORREF text)
{
    SetBkMode(dc, TRANSPARENT);
    if (text != CLR_INVALID)
        SetTextColor(dc, text);
    return (LRESULT)GetStockObject(WHITE_BRUSH);
}

LRESULT PanelMessage(const PanelKind *kind, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        kind->create(window);
        break;
    case WM_PAINT:
        OnPaint(window, kind);
        break;
    case WM_COMMAND:
        /* Only the panel shown answers, by its own flag: a minimized frame
           does not change which one that is. A swap may destroy it. */
        if (GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE)
            kind->command(window, LOWORD(wParam), (HWND)lParam);
        return 0;
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
        return OnControlColour((HDC)wParam, kind->controlText);
    case WM_RBUTTONDOWN:
        MessageBoxA(window, "You can't use the right-click here!", "Error", MB_OK | MB_ICONWARNING);
        break;
    case WM_CLOSE:
        DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        /* A calculator ends the program as it goes, as when the main frame
           closes; one that a newer panel replaced just goes. */
        if (kind == &CalculatorPanel && window != App.retiringPanel)
            PostQuitMessage(0);
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
