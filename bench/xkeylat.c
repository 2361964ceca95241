/* Hot key to ramp, measured from one long-lived X client: presses Ctrl+F3 and Ctrl+F4
 * in turn through XTest and waits until the X server's gamma ramp changes: XF86VidMode's
 * (the one Wine sets), or with "randr" the first CRTC's (the Linux edition's). Prints one
 * latency in microseconds per press.
 *   xkeylat PRESSES [randr] */
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xrandr.h>
#include <X11/extensions/xf86vmode.h>
#include <X11/keysym.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>

static long long now_us(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (long long)t.tv_sec * 1000000 + t.tv_nsec / 1000;
}

static RRCrtc g_crtc = 0;

static int middle_entry(Display* d, int size, unsigned short* r, unsigned short* g, unsigned short* b) {
    if (g_crtc) {
        XRRCrtcGamma* gamma = XRRGetCrtcGamma(d, g_crtc);
        const int value = gamma && gamma->size > 0 ? gamma->red[gamma->size / 2] : 0;
        if (gamma) XRRFreeGamma(gamma);
        return value;
    }
    XF86VidModeGetGammaRamp(d, DefaultScreen(d), size, r, g, b);
    return r[size / 2];
}

int main(int argc, char** argv) {
    const int presses = argc > 1 ? atoi(argv[1]) : 50;
    Display* d = XOpenDisplay(NULL);
    if (!d) return 2;
    int size = 0;
    if (argc > 2) {
        XRRScreenResources* resources = XRRGetScreenResourcesCurrent(d, DefaultRootWindow(d));
        if (!resources || resources->ncrtc == 0) return 3;
        g_crtc = resources->crtcs[0];
        XRRFreeScreenResources(resources);
        size = 1;
    } else if (!XF86VidModeGetGammaRampSize(d, DefaultScreen(d), &size) || size <= 0) {
        return 3;
    }
    unsigned short* r = malloc(sizeof(unsigned short) * (size_t)size * 3);
    unsigned short* g = r + size;
    unsigned short* b = g + size;
    const KeyCode control = XKeysymToKeycode(d, XK_Control_L);
    const KeyCode keys[2] = {XKeysymToKeycode(d, XK_F3), XKeysymToKeycode(d, XK_F4)};
    for (int i = 0; i < presses; ++i) {
        const int before = middle_entry(d, size, r, g, b);
        const KeyCode key = keys[i % 2];
        const long long start = now_us();
        XTestFakeKeyEvent(d, control, True, 0);
        XTestFakeKeyEvent(d, key, True, 0);
        XTestFakeKeyEvent(d, key, False, 0);
        XTestFakeKeyEvent(d, control, False, 0);
        XFlush(d);
        long long waited = 0;
        while (abs(middle_entry(d, size, r, g, b) - before) <= 256 && (waited = now_us() - start) < 2000000) {
        }
        printf("%lld\n", waited >= 2000000 ? -1 : now_us() - start);
        fflush(stdout);
        struct timespec pause = {0, 30 * 1000 * 1000};  /* let both programs settle */
        nanosleep(&pause, NULL);
    }
    free(r);
    XCloseDisplay(d);
    return 0;
}
