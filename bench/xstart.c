/* Start-up as seen from outside: starts a program and waits, on X events
   alone, for its window to be mapped, first drawn, and (given a reference
   picture) drawn completely. Prints one line of milliseconds from just
   before the start:

     map first_paint complete rss_kb anon_kb

   complete is -1 without a reference. The window is the first top-level
   window mapped with the given size (any window of 64 x 64 or more
   without one). Damage is watched on the root window from before the
   start, so that no drawing can slip by between the map and the watch.

   xstart [--size WxH] [--reference FILE | --calibrate FILE] [--timeout S] -- CMD ARGS
   xstart --wait-gone PREFIX NAME [--timeout S]
       waits until no process whose command line holds NAME runs in the
       Wine prefix (explorer.exe: Wine's desktop process) */
#define _GNU_SOURCE
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xdamage.h>

#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static double Now(void)
{
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

static void Die(const char *what)
{
    fprintf(stderr, "xstart: %s\n", what);
    exit(1);
}

/* --- waiting for a prefix's Wine processes to end, by pidfd --- */

static int IsPrefixProcess(const char *pid, const char *prefix, const char *name)
{
    char path[64], buf[65536], command[512];
    snprintf(path, sizeof path, "/proc/%s/cmdline", pid);
    FILE *f = fopen(path, "r");
    if (!f)
        return 0;
    size_t n = fread(command, 1, sizeof command - 1, f);
    fclose(f);
    command[n] = 0;
    /* The program's own name only: this tool's arguments hold NAME too. */
    if (atoi(pid) == getpid() || !strcasestr(command, name))
        return 0;
    snprintf(path, sizeof path, "/proc/%s/environ", pid);
    f = fopen(path, "r");
    if (!f)
        return 0;
    size_t len = fread(buf, 1, sizeof buf - 1, f);
    fclose(f);
    buf[len] = 0;
    char want[512];
    snprintf(want, sizeof want, "WINEPREFIX=%s", prefix);
    for (size_t i = 0; i < len; i += strlen(buf + i) + 1)
        if (!strcmp(buf + i, want))
            return 1;
    return 0;
}

static int WaitGone(const char *prefix, const char *name, double timeoutMs)
{
    double end = Now() + timeoutMs;
    for (;;) {
        struct pollfd fds[256];
        int count = 0;
        DIR *d = opendir("/proc");
        struct dirent *e;
        while ((e = readdir(d)) && count < 256) {
            if (e->d_name[0] < '0' || e->d_name[0] > '9' || !IsPrefixProcess(e->d_name, prefix, name))
                continue;
            int fd = syscall(SYS_pidfd_open, atoi(e->d_name), 0);
            if (fd >= 0) {
                fds[count].fd = fd;
                fds[count].events = POLLIN;
                count++;
            }
        }
        closedir(d);
        if (count == 0)
            return 0;
        /* Each pidfd turns readable when its process ends; then look again,
           since an ending process may have started another. */
        for (int left = count; left > 0;) {
            int wait = (int)(end - Now());
            if (wait <= 0) {
                fprintf(stderr, "xstart: %d %s processes still running in %s\n", left, name, prefix);
                return 1;
            }
            int ready = poll(fds, count, wait);
            if (ready < 0 && errno != EINTR)
                Die("poll failed");
            for (int i = 0; i < count; i++)
                if (fds[i].fd >= 0 && (fds[i].revents & POLLIN)) {
                    close(fds[i].fd);
                    fds[i].fd = -1;
                    left--;
                }
        }
    }
}

/* --- pictures --- */

struct Picture {
    int width, height;
    size_t size;
    unsigned char *data;
};

static struct Picture Grab(Display *dpy, Window w, int width, int height)
{
    struct Picture p = { width, height, 0, NULL };
    XImage *image = XGetImage(dpy, w, 0, 0, width, height, AllPlanes, ZPixmap);
    if (!image)
        return p;
    /* Only the colour bits count: the padding byte is whatever it is. */
    p.size = (size_t)width * height * 3;
    p.data = malloc(p.size);
    unsigned char *out = p.data;
    for (int y = 0; y < height; y++)
        for (int x = 0; x < width; x++) {
            unsigned long px = XGetPixel(image, x, y);
            *out++ = px >> 16;
            *out++ = px >> 8;
            *out++ = px;
        }
    XDestroyImage(image);
    return p;
}

static int Same(struct Picture a, struct Picture b)
{
    return a.data && b.data && a.width == b.width && a.height == b.height &&
           !memcmp(a.data, b.data, a.size);
}

static void Save(const char *file, struct Picture p)
{
    FILE *f = fopen(file, "wb");
    if (!f)
        Die("cannot write the reference");
    fprintf(f, "P6\n%d %d\n255\n", p.width, p.height);
    fwrite(p.data, 1, p.size, f);
    fclose(f);
}

static struct Picture Load(const char *file)
{
    struct Picture p = { 0, 0, 0, NULL };
    FILE *f = fopen(file, "rb");
    if (!f)
        Die("cannot read the reference");
    if (fscanf(f, "P6 %d %d 255", &p.width, &p.height) != 2)
        Die("bad reference");
    fgetc(f);
    p.size = (size_t)p.width * p.height * 3;
    p.data = malloc(p.size);
    if (fread(p.data, 1, p.size, f) != p.size)
        Die("short reference");
    fclose(f);
    return p;
}

static long StatusKb(int pid, const char *key)
{
    char path[64], line[256];
    snprintf(path, sizeof path, "/proc/%d/status", pid);
    FILE *f = fopen(path, "r");
    long kb = -1;
    if (!f)
        return -1;
    while (fgets(line, sizeof line, f))
        if (!strncmp(line, key, strlen(key)))
            kb = atol(line + strlen(key) + 1);
    fclose(f);
    return kb;
}

int main(int argc, char **argv)
{
    int wantW = 0, wantH = 0, argi = 1;
    const char *reference = NULL, *calibrate = NULL;
    double timeoutMs = 30000, quietMs = 1500;

    if (argc > 3 && !strcmp(argv[1], "--wait-gone")) {
        if (argc > 5 && !strcmp(argv[4], "--timeout"))
            timeoutMs = atof(argv[5]) * 1000;
        return WaitGone(argv[2], argv[3], timeoutMs);
    }
    for (; argi < argc && strcmp(argv[argi], "--"); argi++) {
        if (!strcmp(argv[argi], "--size") && argi + 1 < argc)
            sscanf(argv[++argi], "%dx%d", &wantW, &wantH);
        else if (!strcmp(argv[argi], "--reference") && argi + 1 < argc)
            reference = argv[++argi];
        else if (!strcmp(argv[argi], "--calibrate") && argi + 1 < argc)
            calibrate = argv[++argi];
        else if (!strcmp(argv[argi], "--timeout") && argi + 1 < argc)
            timeoutMs = atof(argv[++argi]) * 1000;
        else
            Die("unknown option");
    }
    if (argi + 1 >= argc)
        Die("no command");
    struct Picture wanted = { 0, 0, 0, NULL };
    if (reference)
        wanted = Load(reference);

    Display *dpy = XOpenDisplay(NULL);
    if (!dpy)
        Die("cannot open the display");
    int damageEvent, damageError;
    if (!XDamageQueryExtension(dpy, &damageEvent, &damageError))
        Die("no DAMAGE extension");
    Window root = DefaultRootWindow(dpy);
    XSelectInput(dpy, root, SubstructureNotifyMask);
    XDamageCreate(dpy, root, XDamageReportRawRectangles);
    XSync(dpy, False);

    double t0 = Now();
    pid_t pid = fork();
    if (pid == 0) {
        /* Wine's helper processes outlive the program and inherit its
           output: keep them off ours, or whoever reads it waits for them. */
        int null = open("/dev/null", O_RDWR);
        dup2(null, 0);
        dup2(null, 1);
        dup2(null, 2);
        execvp(argv[argi + 1], argv + argi + 1);
        _exit(127);
    }

    int childFd = syscall(SYS_pidfd_open, pid, 0);
    if (childFd < 0)
        Die("pidfd_open failed");
    Window target = 0;
    int tx = 0, ty = 0, tw = 0, th = 0, dirty = 0, status;
    double mapped = -1, firstPaint = -1, complete = -1, lastDamage = -1;
    const char *failure = NULL;
    for (;;) {
        while (XPending(dpy)) {
            XEvent ev;
            XNextEvent(dpy, &ev);
            double t = Now();
            if (ev.type == MapNotify && !target && ev.xmap.event == root) {
                Window r;
                int x, y;
                unsigned w, h, b, depth;
                XGetGeometry(dpy, ev.xmap.window, &r, &x, &y, &w, &h, &b, &depth);
                int fits = wantW ? ((int)w == wantW && (int)h == wantH) : (w >= 64 && h >= 64);
                if (fits) {
                    target = ev.xmap.window;
                    tx = x, ty = y, tw = w, th = h;
                    mapped = t;
                }
            } else if (ev.type == ConfigureNotify && ev.xconfigure.window == target) {
                tx = ev.xconfigure.x, ty = ev.xconfigure.y;
                tw = ev.xconfigure.width, th = ev.xconfigure.height;
            } else if (ev.type == damageEvent + XDamageNotify && target) {
                XDamageNotifyEvent *d = (XDamageNotifyEvent *)&ev;
                if (d->area.x < tx + tw && d->area.x + d->area.width > tx &&
                    d->area.y < ty + th && d->area.y + d->area.height > ty) {
                    if (getenv("XSTART_TRACE"))
                        fprintf(stderr, "damage %.2f ms %dx%d+%d+%d\n", t - t0, d->area.width,
                                d->area.height, d->area.x, d->area.y);
                    if (firstPaint < 0)
                        firstPaint = t;
                    lastDamage = t;
                    dirty = 1;
                }
            }
        }
        if (firstPaint >= 0 && !reference && !calibrate)
            break;
        if (dirty && reference) {
            dirty = 0;
            struct Picture seen = Grab(dpy, target, tw, th);
            int same = Same(seen, wanted);
            free(seen.data);
            if (same) {
                complete = Now();
                break;
            }
        }
        if (waitpid(pid, &status, WNOHANG) == pid) {
            failure = "the program ended before it was drawn";
            pid = 0;
            break;
        }
        double left = t0 + timeoutMs - Now();
        if (calibrate && firstPaint >= 0)
            left = lastDamage + quietMs - Now();
        if (left <= 0) {
            if (calibrate && firstPaint >= 0) {
                struct Picture seen = Grab(dpy, target, tw, th);
                Save(calibrate, seen);
                break;
            }
            /* A picture that never matches still leaves the map and the
               first drawing: complete stays -1. */
            if (target && firstPaint >= 0) {
                fprintf(stderr, "xstart: the complete picture never showed (%s)\n", argv[argi + 1]);
                break;
            }
            failure = !target ? "timed out waiting for the window to be mapped"
                              : "timed out waiting for the first drawing";
            break;
        }
        if (calibrate && Now() - t0 > timeoutMs) {
            failure = "the picture never settled";
            break;
        }
        /* Xlib may have queued events while it read a reply: those first. */
        if (XQLength(dpy))
            continue;
        /* Wait for the next X event, the program's end or the timeout. */
        struct pollfd p[2] = { { ConnectionNumber(dpy), POLLIN, 0 }, { childFd, POLLIN, 0 } };
        poll(p, 2, (int)left + 1);
    }

    long rss = -1, anon = -1;
    if (pid > 0) {
        rss = StatusKb(pid, "VmRSS:");
        anon = StatusKb(pid, "RssAnon:");
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
    }
    XCloseDisplay(dpy);
    if (failure) {
        fprintf(stderr, "xstart: %s (%s)\n", failure, argv[argi + 1]);
        return 1;
    }
    printf("%.2f %.2f %.2f %ld %ld\n", mapped - t0, firstPaint - t0,
           complete >= 0 ? complete - t0 : -1.0, rss, anon);
    return 0;
}
