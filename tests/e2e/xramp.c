/* Reads and sets the X server's gamma ramp (XF86VidMode), the ramp Wine's
   SetDeviceGammaRamp ends up in.
     xramp get                 prints the ramp size, then red, green, blue entries
     xramp set-power G         sets every channel to (i/(n-1))^G * 65535
     xramp set-identity        the same with G = 1
     xramp set                 every entry (red, green, blue: 3 x size numbers) from stdin   */
#include <X11/Xlib.h>
#include <X11/extensions/xf86vmode.h>
#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

int main(int argc, char** argv) {
    if (argc < 2) {
        fprintf(stderr, "usage: xramp get | set-power G | set-identity\n");
        return 2;
    }
    Display* display = XOpenDisplay(NULL);
    if (!display) {
        fprintf(stderr, "xramp: cannot open display\n");
        return 1;
    }
    int screen = DefaultScreen(display);
    int size = 0;
    if (!XF86VidModeGetGammaRampSize(display, screen, &size) || size <= 0) {
        fprintf(stderr, "xramp: no gamma ramp on this server\n");
        return 1;
    }
    unsigned short* red = calloc((size_t)size * 3, sizeof(unsigned short));
    unsigned short* green = red + size;
    unsigned short* blue = green + size;
    int rc = 0;
    if (strcmp(argv[1], "get") == 0) {
        if (!XF86VidModeGetGammaRamp(display, screen, size, red, green, blue)) {
            rc = 1;
        } else {
            printf("%d\n", size);
            for (int i = 0; i < size * 3; ++i) printf("%u%c", red[i], (i % size == size - 1) ? '\n' : ' ');
        }
    } else if (strcmp(argv[1], "set-power") == 0 || strcmp(argv[1], "set-identity") == 0) {
        double power = strcmp(argv[1], "set-identity") == 0 ? 1.0 : (argc > 2 ? atof(argv[2]) : 1.0);
        for (int i = 0; i < size; ++i) {
            double v = pow((double)i / (size - 1), power) * 65535.0 + 0.5;
            red[i] = green[i] = blue[i] = (unsigned short)v;
        }
        rc = XF86VidModeSetGammaRamp(display, screen, size, red, green, blue) ? 0 : 1;
        XSync(display, False);
    } else if (strcmp(argv[1], "set") == 0) {
        for (int i = 0; i < size * 3 && rc == 0; ++i) {
            unsigned value = 0;
            if (scanf("%u", &value) != 1) rc = 2;
            red[i] = (unsigned short)value;
        }
        if (rc == 0) rc = XF86VidModeSetGammaRamp(display, screen, size, red, green, blue) ? 0 : 1;
        XSync(display, False);
    } else {
        rc = 2;
    }
    free(red);
    XCloseDisplay(display);
    return rc;
}
