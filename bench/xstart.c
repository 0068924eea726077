/* xstart command args: start-up as the user sees it, on X events alone: the
   ms from just before the start to the first drawing after which the first
   window mapped of the frame's size shows the pixels it settles on (for QUIET
   ms), and the name Wine gives that window, its program's. */
#define _GNU_SOURCE
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xdamage.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>
#include "layout.h"

#define QUIET      800
#define TIMEOUT    30000     /* ms that a start may take */
#define DRAWINGS   4096      /* batches of drawing kept */
#define RGB_BITS   0xFFFFFF
#define FNV_BASIS  14695981039346656037ULL
#define FNV_PRIME  1099511628211ULL

static Display *dpy;
static pid_t started;
static Window target;
static XWindowAttributes place;
static double last = -1;     /* the latest drawing on the window */

static double Now(void)
{
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

/* The window's colours, hashed: a pixel's padding bits do not count. */
static unsigned long long Picture(void)
{
    unsigned long long hash = FNV_BASIS;
    XImage *image = XGetImage(dpy, target, 0, 0, FRAME_SIZE, FRAME_SIZE, AllPlanes, ZPixmap);
    for (int i = 0; image && i < FRAME_SIZE * FRAME_SIZE; i++)
        hash = (hash ^ (XGetPixel(image, i % FRAME_SIZE, i / FRAME_SIZE) & RGB_BITS)) * FNV_PRIME;
    if (image)
        XDestroyImage(image);
    return hash;
}

/* Until the picture settles: the first drawing that left it, or why there is none. */
static const char *Watch(int damageEvent, double end, double *drawnAt)
{
    static struct { double when; unsigned long long seen; } drawing[DRAWINGS];
    struct pollfd p[2] = { { ConnectionNumber(dpy), POLLIN, 0 },
                           { (int)syscall(SYS_pidfd_open, started, 0), POLLIN, 0 } };
    XEvent ev;
    XRectangle *r = &((XDamageNotifyEvent *)&ev)->area;
    int pictures = 0;
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
        if (pictures < DRAWINGS && last > (pictures ? drawing[pictures - 1].when : -1)) {
            drawing[pictures].when = last;
            drawing[pictures++].seen = Picture();
        }
        if (Now() > end)
            return target ? "the window's picture did not settle in time" : "no such window was mapped in time";
        if (waitpid(started, NULL, WNOHANG) == started) {
            started = 0;
            return "the program ended before its picture settled";
        }
        if (!XQLength(dpy))
            poll(p, 2, (int)((last < 0 ? end : last + QUIET) - Now()) + 1);
    }
    unsigned long long settled = Picture();
    for (int i = 0; i < pictures; i++)
        if (drawing[i].seen == settled) {
            *drawnAt = drawing[i].when;
            return NULL;
        }
    return "no drawing left the picture that the window settled on";
}

int main(int argc, char **argv)
{
    int damageEvent, damageError;
    XClassHint made = { NULL, NULL };
    double drawnAt = 0;
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
    const char *failure = Watch(damageEvent, t0 + TIMEOUT, &drawnAt);
    if (!failure)
        XGetClassHint(dpy, target, &made);
    if (started && !kill(started, SIGKILL))
        waitpid(started, NULL, 0);
    if (failure)
        fprintf(stderr, "xstart: %s: %s\n", failure, argv[argc - 1]);
    else
        printf("%.2f %s\n", drawnAt - t0, made.res_name ? made.res_name : "nobody");
    XCloseDisplay(dpy);
    return failure != NULL;
}
