#include "linux/x11/screen_x11.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace lumeq {

std::optional<RootPicture> GrabRoot(_XDisplay* display) {
    if (!display) return std::nullopt;
    const Window root = DefaultRootWindow(display);
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(display, root, &attributes)) return std::nullopt;
    XImage* image = XGetImage(display, root, 0, 0, static_cast<unsigned>(attributes.width),
                              static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
    if (!image) return std::nullopt;
    RootPicture picture{attributes.width, attributes.height, {}};
    picture.pixels.resize(static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height));
    const bool plain = image->bits_per_pixel == 32 && image->red_mask == 0xFF0000 && image->green_mask == 0xFF00 &&
                       image->blue_mask == 0xFF && image->byte_order == LSBFirst;
    for (int y = 0; y < picture.height; ++y) {
        std::uint32_t* row = picture.pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(picture.width);
        if (plain) {
            const auto* source = reinterpret_cast<const std::uint32_t*>(image->data + static_cast<std::ptrdiff_t>(y) * image->bytes_per_line);
            for (int x = 0; x < picture.width; ++x) row[x] = 0xFF000000u | (source[x] & 0xFFFFFFu);
            continue;
        }
        for (int x = 0; x < picture.width; ++x) {
            const unsigned long pixel = XGetPixel(image, x, y);
            auto channel = [&](unsigned long mask) {
                if (mask == 0) return 0u;
                int shift = 0;
                while (!((mask >> shift) & 1)) ++shift;
                const unsigned long value = (pixel & mask) >> shift;
                return static_cast<unsigned>(value * 255 / (mask >> shift));
            };
            row[x] = 0xFF000000u | (channel(image->red_mask) << 16) | (channel(image->green_mask) << 8) |
                     channel(image->blue_mask);
        }
    }
    XDestroyImage(image);
    return picture;
}

std::optional<std::pair<int, int>> ActiveWindowCentre(_XDisplay* display) {
    if (!display) return std::nullopt;
    const Window root = DefaultRootWindow(display);
    const Atom active = XInternAtom(display, "_NET_ACTIVE_WINDOW", True);
    if (active == None) return std::nullopt;
    Atom type = None;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, root, active, 0, 1, False, XA_WINDOW, &type, &format, &items, &after, &data) !=
            Success ||
        !data)
        return std::nullopt;
    const Window window = items == 1 && format == 32 ? *reinterpret_cast<Window*>(data) : None;
    XFree(data);
    XWindowAttributes attributes{};
    if (window == None || !XGetWindowAttributes(display, window, &attributes)) return std::nullopt;
    int x = 0, y = 0;
    Window child = None;
    if (!XTranslateCoordinates(display, window, root, attributes.width / 2, attributes.height / 2, &x, &y, &child))
        return std::nullopt;
    return std::make_pair(x, y);
}

}  // namespace lumeq
