/* The floor of the Linux edition's hot key to ramp: the least a program can do. Grabs
 * Ctrl+F3 and Ctrl+F4 on the root window and, on each press, sets one of two ramps on
 * the first CRTC (RandR), nothing else. Runs until killed. */
#include <stdlib.h>
#include <xcb/randr.h>
#include <xcb/xcb.h>

int main(void) {
    xcb_connection_t* c = xcb_connect(NULL, NULL);
    if (xcb_connection_has_error(c)) return 1;
    xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    xcb_randr_get_screen_resources_current_reply_t* resources = xcb_randr_get_screen_resources_current_reply(
        c, xcb_randr_get_screen_resources_current(c, screen->root), NULL);
    if (!resources || resources->num_crtcs == 0) return 2;
    const xcb_randr_crtc_t crtc = xcb_randr_get_screen_resources_current_crtcs(resources)[0];
    xcb_randr_get_crtc_gamma_size_reply_t* size_reply =
        xcb_randr_get_crtc_gamma_size_reply(c, xcb_randr_get_crtc_gamma_size(c, crtc), NULL);
    const int size = size_reply ? size_reply->size : 0;
    if (size <= 0) return 3;
    /* F3 = 69 and F4 = 70 on every X server with the usual evdev/xfree86 keymap. */
    const xcb_keycode_t keys[2] = {69, 70};
    for (int k = 0; k < 2; ++k)
        xcb_grab_key(c, 1, screen->root, XCB_MOD_MASK_CONTROL, keys[k], XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
    xcb_flush(c);
    uint16_t* ramp = malloc(sizeof(uint16_t) * (size_t)size * 3);
    xcb_generic_event_t* event;
    while ((event = xcb_wait_for_event(c))) {
        if ((event->response_type & 0x7F) == XCB_KEY_PRESS) {
            const double power = ((xcb_key_press_event_t*)event)->detail == keys[1] ? 0.5 : 1.0;
            for (int i = 0; i < size; ++i) {
                double x = (double)i / (size - 1), v = power == 1.0 ? x : __builtin_sqrt(x);
                ramp[i] = ramp[size + i] = ramp[2 * size + i] = (uint16_t)(v * 65535 + 0.5);
            }
            xcb_randr_set_crtc_gamma(c, crtc, (uint16_t)size, ramp, ramp + size, ramp + 2 * size);
            xcb_flush(c);
        }
        free(event);
    }
    return 0;
}
