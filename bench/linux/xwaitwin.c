/* Start to window shown: starts a program and waits until a viewable window with the
 * given name exists (the window manager may have framed it). Prints the milliseconds
 * from the start to then, and leaves the program running; its PID goes to stderr.
 *   xwaitwin NAME PROGRAM [ARGS...] */
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <stdio.h>
#include <string.h>
#include <time.h>
#include <fcntl.h>
#include <unistd.h>

static double now_ms(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
}

static int shown(Display* d, Window w, const char* name, int depth) {
    char* found = NULL;
    if (XFetchName(d, w, &found) && found) {
        const int same = strcmp(found, name) == 0;
        XFree(found);
        if (same) {
            XWindowAttributes attributes;
            if (XGetWindowAttributes(d, w, &attributes) && attributes.map_state == IsViewable) return 1;
        }
    }
    if (depth > 3) return 0;
    Window root, parent, *children = NULL;
    unsigned count = 0;
    if (!XQueryTree(d, w, &root, &parent, &children, &count)) return 0;
    int hit = 0;
    for (unsigned i = 0; i < count && !hit; ++i) hit = shown(d, children[i], name, depth + 1);
    if (children) XFree(children);
    return hit;
}

int main(int argc, char** argv) {
    if (argc < 3) return 2;
    Display* d = XOpenDisplay(NULL);
    if (!d) return 2;
    const double start = now_ms();
    const pid_t pid = fork();
    if (pid == 0) {
        /* The program must not hold our output open: whoever reads it waits for its end. */
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, 1);
        dup2(null, 2);
        execvp(argv[2], argv + 2);
        _exit(127);
    }
    fprintf(stderr, "%d\n", (int)pid);
    while (!shown(d, DefaultRootWindow(d), argv[1], 0)) {
        if (now_ms() - start > 20000) return 1;
        struct timespec pause = {0, 1000 * 1000};
        nanosleep(&pause, NULL);
    }
    printf("%.1f\n", now_ms() - start);
    return 0;
}
