/* Times a window program on an X server (Xvfb) from the outside.
 *
 *   cc -O2 -o /tmp/window_timing scripts/window_timing.c -lXtst -lXdamage -lX11
 *
 *   window_timing map NAME CMD [ARG...]
 *     Starts CMD and prints "MS PID PAINTED": the milliseconds from the start
 *     until a top-level window whose title contains NAME is mapped, the
 *     program's process id (it is left running), and the milliseconds until
 *     that window has first drawn an area at least 150 pixels high (-1 when
 *     not within 10 s). Exit code 1 when no such window is mapped within 30 s.
 *
 *   window_timing clicks NAME SECONDS PERIOD_MS X,Y [X,Y...]
 *     For SECONDS, every PERIOD_MS presses the left button at the next of the
 *     points X,Y (relative to the window titled exactly NAME, in turn) and
 *     measures the time from the press until the window has redrawn an area
 *     at least 150 pixels high (a page of the window; a field updating on
 *     its own is smaller). Prints one line per click ("ms"), then a summary
 *     line: "clicks N median MS p99 MS worst MS over50 N unanswered N".
 *     A click not answered within 5 s counts as 5000 ms and as unanswered.
 */
#define _GNU_SOURCE
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xdamage.h>
#include <poll.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

static double now_ms(void) {
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec * 1e-6;
}

/* The window's title (WM_NAME), or "" */
static void title_of(Display* d, Window w, char* out, size_t n) {
    char* name = NULL;
    out[0] = 0;
    if (XFetchName(d, w, &name) && name) {
        snprintf(out, n, "%s", name);
        XFree(name);
    }
}

/* Waits up to `ms` for an event on the connection; 0 on timeout. */
static int wait_event(Display* d, double ms) {
    if (XPending(d)) return 1;
    struct pollfd p = {ConnectionNumber(d), POLLIN, 0};
    int t = ms < 0 ? 0 : (int)ms;
    return poll(&p, 1, t) > 0 && XPending(d);
}

static int ignore_errors(Display* d, XErrorEvent* e) {
    (void)d;
    (void)e;
    return 0;
}

static int cmd_map(Display* d, const char* name, char** argv) {
    Window root = DefaultRootWindow(d);
    int ev_base = 0, err_base = 0;
    const int have_damage = XDamageQueryExtension(d, &ev_base, &err_base);
    XSelectInput(d, root, SubstructureNotifyMask);
    XSync(d, False);
    const double t0 = now_ms();
    pid_t pid = fork();
    if (pid < 0) return perror("fork"), 1;
    if (pid == 0) {
        dup2(2, 1); /* so that a caller reading our output is not held open by the program */
        execvp(argv[0], argv);
        perror(argv[0]);
        _exit(127);
    }
    Window shown = 0;
    double mapped = -1, painted = -1;
    while (now_ms() - t0 < (shown ? mapped + 10000 : 30000) && painted < 0) {
        if (!wait_event(d, 100)) continue;
        XEvent ev;
        XNextEvent(d, &ev);
        /* Every new top-level window is watched from its creation, so that
         * no drawing is missed between its mapping and our look at it. */
        if (ev.type == CreateNotify && !ev.xcreatewindow.override_redirect && have_damage)
            XDamageCreate(d, ev.xcreatewindow.window, XDamageReportBoundingBox);
        if (ev.type == MapNotify && !shown && !ev.xmap.override_redirect) {
            char title[256];
            title_of(d, ev.xmap.window, title, sizeof title);
            if (strstr(title, name)) {
                shown = ev.xmap.window;
                mapped = now_ms() - t0;
                if (!have_damage) break;
            }
        }
        if (have_damage && ev.type == ev_base + XDamageNotify && shown) {
            const XDamageNotifyEvent* de = (const XDamageNotifyEvent*)&ev;
            if (de->drawable == shown && de->area.height >= 150) painted = now_ms() - t0;
        }
    }
    if (!shown) {
        fprintf(stderr, "no window \"%s\" within 30 s\n", name);
        printf("timeout %d\n", (int)pid);
        return 1;
    }
    printf("%.1f %d %.1f\n", mapped, (int)pid, painted);
    return 0;
}

static int by_value(const void* a, const void* b) {
    double x = *(const double*)a, y = *(const double*)b;
    return (x > y) - (x < y);
}

static int cmd_clicks(Display* d, const char* name, double seconds, double period, int npts, char** pts) {
    Window root = DefaultRootWindow(d), parent, *kids = NULL, win = 0;
    unsigned nkids = 0;
    XQueryTree(d, root, &root, &parent, &kids, &nkids);
    for (unsigned i = 0; i < nkids && !win; ++i) {
        char title[256];
        title_of(d, kids[i], title, sizeof title);
        if (!strcmp(title, name)) win = kids[i];
    }
    if (kids) XFree(kids);
    if (!win) return fprintf(stderr, "no window titled \"%s\"\n", name), 1;
    int ev_base, err_base;
    if (!XDamageQueryExtension(d, &ev_base, &err_base)) return fprintf(stderr, "no DAMAGE extension\n"), 1;
    int xt_ev, xt_err, major, minor;
    if (!XTestQueryExtension(d, &xt_ev, &xt_err, &major, &minor)) return fprintf(stderr, "no XTEST extension\n"), 1;
    Damage damage = XDamageCreate(d, win, XDamageReportBoundingBox);

    int* xs = calloc(npts, sizeof *xs);
    int* ys = calloc(npts, sizeof *ys);
    for (int i = 0; i < npts; ++i) {
        int x, y;
        Window child;
        if (sscanf(pts[i], "%d,%d", &x, &y) != 2) return fprintf(stderr, "bad point %s\n", pts[i]), 1;
        XTranslateCoordinates(d, win, root, x, y, &xs[i], &ys[i], &child);
    }
    const long count = (long)(seconds * 1000 / period);
    double* lat = calloc(count > 0 ? count : 1, sizeof *lat);
    long unanswered = 0;
    const double start = now_ms();
    for (long k = 0; k < count; ++k) {
        const double slot = start + k * period;
        /* Point at the tab, let any hover drawing pass, forget the damage. */
        while (now_ms() < slot) {
            if (wait_event(d, slot - now_ms())) {
                XEvent ev;
                XNextEvent(d, &ev);
            }
        }
        const int i = (int)(k % npts);
        XTestFakeMotionEvent(d, -1, xs[i], ys[i], CurrentTime);
        XFlush(d);
        const double press_at = slot + period / 2;
        while (now_ms() < press_at) {
            if (wait_event(d, press_at - now_ms())) {
                XEvent ev;
                XNextEvent(d, &ev);
            }
        }
        XDamageSubtract(d, damage, None, None);
        XSync(d, False);
        while (XPending(d)) {
            XEvent ev;
            XNextEvent(d, &ev);
        }
        const double t0 = now_ms();
        XTestFakeButtonEvent(d, 1, True, CurrentTime);
        XFlush(d);
        double t1 = -1;
        while (t1 < 0 && now_ms() - t0 < 5000) {
            if (!wait_event(d, 5000 - (now_ms() - t0))) continue;
            XEvent ev;
            XNextEvent(d, &ev);
            if (ev.type == ev_base + XDamageNotify) {
                const XDamageNotifyEvent* de = (const XDamageNotifyEvent*)&ev;
                if (de->area.height >= 150) t1 = now_ms();
            }
        }
        XTestFakeButtonEvent(d, 1, False, CurrentTime);
        XFlush(d);
        if (t1 < 0) {
            ++unanswered;
            t1 = t0 + 5000;
        }
        lat[k] = t1 - t0;
        printf("%.2f\n", lat[k]);
    }
    qsort(lat, count, sizeof *lat, by_value);
    long over = 0;
    for (long k = 0; k < count; ++k) over += lat[k] > 50;
    if (count > 0)
        printf("clicks %ld median %.2f p99 %.2f worst %.2f over50 %ld unanswered %ld\n", count, lat[count / 2],
               lat[(long)(count * 0.99)], lat[count - 1], over, unanswered);
    XDamageDestroy(d, damage);
    return unanswered > 0;
}

int main(int argc, char** argv) {
    setvbuf(stdout, NULL, _IOLBF, 0);
    Display* d = XOpenDisplay(NULL);
    if (!d) return fprintf(stderr, "cannot open display\n"), 1;
    XSetErrorHandler(ignore_errors);
    if (argc >= 4 && !strcmp(argv[1], "map")) return cmd_map(d, argv[2], argv + 3);
    if (argc >= 6 && !strcmp(argv[1], "clicks"))
        return cmd_clicks(d, argv[2], atof(argv[3]), atof(argv[4]), argc - 5, argv + 5);
    fprintf(stderr, "usage: window_timing map NAME CMD [ARG...]\n"
                    "       window_timing clicks NAME SECONDS PERIOD_MS X,Y [X,Y...]\n");
    return 2;
}
