/* The mouse of the virtual display, for the driver under Wine: moves and
   presses made with the XTest extension reach the X server as a device's
   would, so Wine hears of them from the X server alone, in the order they
   happened. Each run makes one event and ends once the X server has it:
     x_devices move X Y          the pointer to the root window's X, Y
     x_devices button N 1|0      press (1) or release (0) button N */
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

int main(int argc, char **argv)
{
    Display *display = XOpenDisplay(NULL);
    int events, errors, major, minor;
    if (!display || !XTestQueryExtension(display, &events, &errors, &major, &minor)) {
        fprintf(stderr, "x_devices: no X display with the XTest extension\n");
        return 1;
    }
    if (argc == 4 && !strcmp(argv[1], "move"))
        XTestFakeMotionEvent(display, -1, atoi(argv[2]), atoi(argv[3]), CurrentTime);
    else if (argc == 4 && !strcmp(argv[1], "button"))
        XTestFakeButtonEvent(display, atoi(argv[2]), atoi(argv[3]), CurrentTime);
    else {
        fprintf(stderr, "x_devices: no such command\n");
        return 2;
    }
    XCloseDisplay(display);   /* which waits until the server has handled it */
    return 0;
}
