/* Stand-ins for what else holds the keyboard on a player's desk:
     xgrab keyboard   a full-screen game's window that grabs the whole keyboard (an active grab)
     xgrab key N      a desktop that holds Ctrl+F<N> (a passive grab on the root window)
   Prints "held" once it holds it, then runs until killed. */
#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

int main(int argc, char** argv) {
    Display* display = XOpenDisplay(NULL);
    if (!display || argc < 2) return 2;
    Window root = DefaultRootWindow(display);
    if (strcmp(argv[1], "key") == 0 && argc > 2) {
        const KeyCode code = XKeysymToKeycode(display, XK_F1 + atoi(argv[2]) - 1);
        XGrabKey(display, code, ControlMask, root, True, GrabModeAsync, GrabModeAsync);
    } else {
        Window window = XCreateSimpleWindow(display, root, 0, 0, 640, 480, 0, 0, 0);
        XStoreName(display, window, "Juego que agarra el teclado");
        XMapRaised(display, window);
        XSync(display, False);
        int tries = 0;
        while (XGrabKeyboard(display, window, True, GrabModeAsync, GrabModeAsync, CurrentTime) != GrabSuccess) {
            if (++tries > 200) return 1;
            usleep(10000);
        }
    }
    XSync(display, False);
    printf("held\n");
    fflush(stdout);
    for (;;) {
        XEvent event;
        XNextEvent(display, &event);
    }
}
