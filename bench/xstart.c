/* xstart command args: start-up as the user sees it, on X events alone: the ms from
   just before the start to the last drawing on the first window mapped of the frame's
   size, its complete first picture once no drawing has followed for QUIET ms; and the
   name Wine gives that window, its program's. */
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xdamage.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>
#include "layout.h"

#define QUIET      800
#define TIMEOUT    30000     /* ms that a start may take */

static Display *dpy;
static pid_t started;
static Window target;
static XWindowAttributes place;
static double last = -1;   /* the latest drawing on the window */

static double Now(void)
{
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

/* Until no drawing has followed for QUIET ms, or why not; looking at the program at least as often. */
static const char *Watch(int damageEvent, double end)
{
    struct pollfd p = { ConnectionNumber(dpy), POLLIN, 0 };
    XEvent ev;
    XRectangle *r = &((XDamageNotifyEvent *)&ev)->area;
    while (last < 0 || Now() < last + QUIET) {
        while (XPending(dpy)) {
            XNextEvent(dpy, &ev);
            if (ev.type == MapNotify && !target && XGetWindowAttributes(dpy, ev.xmap.window, &place) &&
                place.width == FRAME_SIZE && place.height == FRAME_SIZE)
                target = ev.xmap.window;
            else if (ev.type == damageEvent + XDamageNotify && target && r->x < place.x + FRAME_SIZE &&
                     r->x + r->width > place.x && r->y < place.y + FRAME_SIZE && r->y + r->height > place.y)
                last = Now();
        }
        if (Now() > end)
            return target ? "the window's drawing did not settle in time" : "no such window was mapped in time";
        if (waitpid(started, NULL, WNOHANG) == started) {
            started = 0;
            return "the program ended before its drawing settled";
        }
        if (!XQLength(dpy))
            poll(&p, 1, QUIET);
    }
    return NULL;
}

int main(int argc, char **argv)
{
    int damageEvent, damageError;
    XClassHint made = { NULL, NULL };
    dpy = argc > 1 ? XOpenDisplay(NULL) : NULL;
    if (!dpy || !XDamageQueryExtension(dpy, &damageEvent, &damageError)) {
        fprintf(stderr, "usage: xstart command args, on a display with the DAMAGE extension\n");
        return 2;
    }
    XSelectInput(dpy, DefaultRootWindow(dpy), SubstructureNotifyMask);
    XDamageCreate(dpy, DefaultRootWindow(dpy), XDamageReportRawRectangles);
    XSync(dpy, False);
    double t0 = Now();
    if (!(started = fork())) {
        /* Wine's helpers outlive it: off our output, or its reader waits. */
        int null = open("/dev/null", O_RDWR);
        for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; fd++)
            dup2(null, fd);
        execvp(argv[1], argv + 1);
        _exit(127);
    }
    const char *failure = Watch(damageEvent, t0 + TIMEOUT);
    if (!failure)
        XGetClassHint(dpy, target, &made);
    if (started && !kill(started, SIGKILL))
        waitpid(started, NULL, 0);
    if (failure)
        fprintf(stderr, "xstart: %s: %s\n", failure, argv[argc - 1]);
    else
        printf("%.2f %s\n", last - t0, made.res_name ? made.res_name : "nobody");
    XCloseDisplay(dpy);
    return failure != NULL;
}
