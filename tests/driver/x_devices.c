/* The mouse of the virtual display, for the driver under Wine: moves and
   presses made with the XTest extension reach the X server as a device's
   would, so Wine hears of them from the X server alone, in the order they
   happened. Started as "x_devices PORT", it connects back to the driver on
   the loopback address at PORT and takes one command a line, each answered
   "ok" once the X server has handled it:
     move X Y          the pointer to the root window's X, Y
     button N 1|0      press (1) or release (0) button N
   It ends when the driver hangs up. */
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <unistd.h>

int main(int argc, char **argv)
{
    struct sockaddr_in driver = { .sin_family = AF_INET, .sin_port = htons(argc > 1 ? atoi(argv[1]) : 0),
                                  .sin_addr.s_addr = htonl(INADDR_LOOPBACK) };
    int link = socket(AF_INET, SOCK_STREAM, 0);
    if (link < 0 || connect(link, (struct sockaddr *)&driver, sizeof driver) < 0) {
        perror("x_devices: cannot reach the driver");
        return 1;
    }
    FILE *in = fdopen(link, "r"), *out = fdopen(dup(link), "w");
    setvbuf(out, NULL, _IOLBF, 0);   /* each answer goes as it is written */
    Display *display = XOpenDisplay(NULL);
    int events, errors, major, minor;
    if (!display || !XTestQueryExtension(display, &events, &errors, &major, &minor)) {
        fprintf(out, "error: no X display with the XTest extension\n");
        return 1;
    }
    char line[128];
    while (fgets(line, sizeof line, in)) {
        int x, y, button, down;
        if (sscanf(line, "move %d %d", &x, &y) == 2)
            XTestFakeMotionEvent(display, -1, x, y, CurrentTime);
        else if (sscanf(line, "button %d %d", &button, &down) == 2)
            XTestFakeButtonEvent(display, button, down, CurrentTime);
        else {
            fprintf(out, "error: no such command: %s", line);
            continue;
        }
        /* Answered once the server has the event and has sent it on. */
        XSync(display, False);
        fprintf(out, "ok\n");
    }
    XCloseDisplay(display);
    return 0;
}
