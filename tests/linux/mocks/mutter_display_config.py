"""GNOME's mutter as the Linux edition sees it on the session bus: its display interface
(org.gnome.Mutter.DisplayConfig: GetResources, GetCrtcGamma, SetCrtcGamma) with two monitors,
DP-1 on CRTC 0 (256 entries a channel) and HDMI-1 on CRTC 1 (1024). Like mutter, it keeps what
a client set after the client is gone. A python-dbusmock template; parameter "folder": where
each monitor's tables are written, one file per connector, a line a channel."""

import os

import dbus

BUS_NAME = "org.gnome.Mutter.DisplayConfig"
MAIN_OBJ = "/org/gnome/Mutter/DisplayConfig"
MAIN_IFACE = "org.gnome.Mutter.DisplayConfig"
SYSTEM_BUS = False

TEST_IFACE = "com.lumeq.Test"
MONITORS = [("DP-1", 256), ("HDMI-1", 1024)]
SERIAL = 7


def own_table(size):
    """The monitor's own table: a player's calibration, a little darker than the straight line."""
    return [round(((i / (size - 1)) ** 1.1) * 65535) for i in range(size)]


def load(mock, parameters):
    mock.folder = str(parameters["folder"])
    mock.tables = {crtc: [own_table(size)] * 3 for crtc, (_, size) in enumerate(MONITORS)}
    for crtc in mock.tables:
        show(mock, crtc)


def show(mock, crtc):
    path = os.path.join(mock.folder, MONITORS[crtc][0])
    with open(path + ".new", "w") as f:
        for channel in mock.tables[crtc]:
            f.write(" ".join(map(str, channel)) + "\n")
    os.replace(path + ".new", path)


@dbus.service.method(MAIN_IFACE, in_signature="", out_signature="ua(uxiiiiiuaua{sv})a(uxiausauaua{sv})a(uxuudu)ii")
def GetResources(self):
    crtcs = [(crtc, crtc, 1920 * crtc, 0, 1920, 1080, 0, 0, [0], {}) for crtc in range(len(MONITORS))]
    outputs = [(10 + crtc, 100 + crtc, crtc, [crtc], name, [0], [], {"primary": dbus.Boolean(crtc == 0)})
               for crtc, (name, _) in enumerate(MONITORS)]
    modes = [(0, 0, 1920, 1080, 60.0, 0)]
    return (SERIAL, crtcs, outputs, modes, 3840, 1080)


def _check(serial, crtc):
    if serial != SERIAL:
        raise dbus.exceptions.DBusException("The requested configuration is based on stale information",
                                            name="org.freedesktop.DBus.Error.AccessDenied")
    if crtc >= len(MONITORS):
        raise dbus.exceptions.DBusException("Invalid crtc id", name="org.freedesktop.DBus.Error.InvalidArgs")


@dbus.service.method(MAIN_IFACE, in_signature="uu", out_signature="aqaqaq")
def GetCrtcGamma(self, serial, crtc):
    _check(serial, crtc)
    return tuple(dbus.Array(channel, signature="q") for channel in self.tables[crtc])


@dbus.service.method(MAIN_IFACE, in_signature="uuaqaqaq", out_signature="")
def SetCrtcGamma(self, serial, crtc, red, green, blue):
    _check(serial, crtc)
    self.tables[crtc] = [[int(v) for v in channel] for channel in (red, green, blue)]
    show(self, crtc)


@dbus.service.method(TEST_IFACE, in_signature="", out_signature="")
def Reconfigure(self):
    """What mutter does when the monitors change: its own tables again, and MonitorsChanged."""
    for crtc, (_, size) in enumerate(MONITORS):
        self.tables[crtc] = [own_table(size)] * 3
        show(self, crtc)
    self.EmitSignal(MAIN_IFACE, "MonitorsChanged", "", [])
