/* What both panels share: how a panel comes into being, and how controls,
   labels and messages are put on it. */
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

BOOL PanelShown(HWND panel)
{
    /* Its own flag: a minimized frame does not change which panel is
       the one shown. */
    return (GetWindowLongA(panel, GWL_STYLE) & WS_VISIBLE) != 0;
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
