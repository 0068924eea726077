/* xstart WxH -- command args: start-up as the user sees it, timed from outside
   on X events alone: the milliseconds from just before the start to the first
   drawing after which the W x H window shows the pixels it settles on (for
   QUIET ms). Damage is watched on the root window from before the start. */
#define _GNU_SOURCE
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xdamage.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <string.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#define QUIET 800
#define TIMEOUT 30   /* seconds that a start may take */

static Display *dpy;
static Window target;
static int width, height, x, y;
static double last = -1;     /* the latest drawing on the window */

static double Now(void)
{
    struct timespec t;
    return clock_gettime(CLOCK_MONOTONIC, &t), t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

/* The window's colours, hashed: a pixel's padding bits do not count. */
static unsigned long long Picture(void)
{
    unsigned long long hash = 14695981039346656037ULL;
    XImage *image = XGetImage(dpy, target, 0, 0, width, height, AllPlanes, ZPixmap);
    for (int i = 0; image && i < width * height; i++)
        hash = (hash ^ (XGetPixel(image, i % width, i / width) & 0xFFFFFF)) * 1099511628211ULL;
    if (image)
        XDestroyImage(image);
    return hash;
}

/* Takes what the server has said: the window, and when it was drawn on. */
static void Events(int damageEvent)
{
    for (XEvent ev; XPending(dpy);) {
        XNextEvent(dpy, &ev);
        XRectangle r = ((XDamageNotifyEvent *)&ev)->area;
        XWindowAttributes a;
        if (ev.type == MapNotify && !target && XGetWindowAttributes(dpy, ev.xmap.window, &a) &&
            a.width == width && a.height == height)
            target = ev.xmap.window, x = a.x, y = a.y;
        else if (ev.type == damageEvent + XDamageNotify && target && r.x < x + width &&
                 r.x + r.width > x && r.y < y + height && r.y + r.height > y)
            last = Now();
    }
}

int main(int argc, char **argv)
{
    int damageEvent, damageError, status, pictures = 0;
    if (argc < 4 || sscanf(argv[1], "%dx%d", &width, &height) != 2 || strcmp(argv[2], "--"))
        return fprintf(stderr, "usage: xstart WxH -- command args\n"), 2;
    dpy = XOpenDisplay(NULL);
    if (!dpy || !XDamageQueryExtension(dpy, &damageEvent, &damageError))
        return fprintf(stderr, "xstart: no display with the DAMAGE extension\n"), 1;
    Window root = DefaultRootWindow(dpy);
    XSelectInput(dpy, root, SubstructureNotifyMask);
    XDamageCreate(dpy, root, XDamageReportRawRectangles);
    XSync(dpy, False);

    double t0 = Now(), end = t0 + TIMEOUT * 1e3, drawn = -1;
    pid_t pid = fork();
    if (pid == 0) {
        /* Wine's helpers outlive it: off our output, or its reader waits. */
        int null = open("/dev/null", O_RDWR);
        dup2(null, 0), dup2(null, 1), dup2(null, 2);
        execvp(argv[3], argv + 3);
        _exit(127);
    }
    /* The display, and the program, whose end would wake the wait too. */
    struct pollfd p[2] = { { ConnectionNumber(dpy), POLLIN, 0 },
                           { (int)syscall(SYS_pidfd_open, pid, 0), POLLIN, 0 } };
    static double when[4096];             /* each batch of drawing: when it came */
    static unsigned long long seen[4096]; /* and the picture it left */
    char failure[128] = "";
    while (!*failure && (last < 0 || Now() < last + QUIET)) {
        Events(damageEvent);
        if (last > drawn && pictures < 4096)
            when[pictures] = drawn = last, seen[pictures++] = Picture();
        if (Now() > end)
            snprintf(failure, sizeof failure, "%s within %d s", target ? "the window's picture did not settle"
                     : "no window of that size was mapped", TIMEOUT);
        else if (waitpid(pid, &status, WNOHANG) == pid)
            strcpy(failure, "the program ended before its picture settled"), pid = 0;
        else if (!XQLength(dpy))
            poll(p, 2, (int)((last < 0 ? end : last + QUIET) - Now()) + 1);
    }
    int first = 0;
    unsigned long long settled = *failure ? 0 : Picture();
    while (!*failure && first < pictures && seen[first] != settled)
        first++;
    if (!*failure && first == pictures)
        strcpy(failure, "no drawing left the picture that the window settled on");
    if (pid > 0)
        kill(pid, SIGKILL), waitpid(pid, &status, 0);
    XCloseDisplay(dpy);
    if (*failure)
        return fprintf(stderr, "xstart: %s (%s)\n", failure, argv[3]), 1;
    printf("%.2f\n", when[first] - t0);
    return 0;
}
