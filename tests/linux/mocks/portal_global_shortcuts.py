"""The desktop portal as a desktop that grants everything answers: global shortcuts
(org.freedesktop.portal.GlobalShortcuts), the host registry, and screenshots
(org.freedesktop.portal.Screenshot: an 80 x 60 picture of one colour, saved where the parameter
"pictures" says, as the portal saves its own). Each call is logged, one line, to the file the
parameter "log" names; the test presses a shortcut with com.lumeq.Test.Press(id), which sends
Activated for the session the program made. A python-dbusmock template."""

import os


import dbus
from gi.repository import GLib

BUS_NAME = "org.freedesktop.portal.Desktop"
MAIN_OBJ = "/org/freedesktop/portal/desktop"
MAIN_IFACE = "org.freedesktop.portal.GlobalShortcuts"
SYSTEM_BUS = False
REGISTRY_IFACE = "org.freedesktop.host.portal.Registry"
TEST_IFACE = "com.lumeq.Test"


SCREENSHOT_IFACE = "org.freedesktop.portal.Screenshot"
SHOT_SIZE = (80, 60)
SHOT_COLOUR = (200, 40, 90)


def load(mock, parameters):
    mock.log_path = str(parameters["log"])
    mock.pictures = str(parameters["pictures"])
    mock.shots = 0
    mock.sessions = []
    mock.AddProperty(MAIN_IFACE, "version", dbus.UInt32(1))


def log(mock, line):
    with open(mock.log_path, "a") as f:
        f.write(line + "\n")


def _respond(mock, sender, token, results):
    """The answer to a request, on the request's own object, once the call has returned."""
    path = f"{MAIN_OBJ}/request/{sender[1:].replace('.', '_')}/{token}"

    def send():
        mock.EmitSignalDetailed("org.freedesktop.portal.Request", "Response", "ua{sv}", [dbus.UInt32(0), results],
                                {"path": path})
        return False
    GLib.timeout_add(20, send)
    return dbus.ObjectPath(path)


@dbus.service.method(REGISTRY_IFACE, in_signature="sa{sv}", out_signature="")
def Register(self, app_id, options):
    log(self, f"Register {app_id}")


@dbus.service.method(MAIN_IFACE, in_signature="a{sv}", out_signature="o", sender_keyword="sender")
def CreateSession(self, options, sender):
    session = f"{MAIN_OBJ}/session/{sender[1:].replace('.', '_')}/{options['session_handle_token']}"
    self.sessions.append(session)
    log(self, f"CreateSession {session}")
    return _respond(self, sender, str(options["handle_token"]), {"session_handle": dbus.String(session)})


@dbus.service.method(MAIN_IFACE, in_signature="oa(sa{sv})sa{sv}", out_signature="o", sender_keyword="sender")
def BindShortcuts(self, session, shortcuts, parent_window, options, sender):
    log(self, "BindShortcuts " + " ".join(f"{id}={props.get('preferred_trigger', '')}" for id, props in shortcuts))
    return _respond(self, sender, str(options["handle_token"]), {"shortcuts": dbus.Array(shortcuts, signature="(sa{sv})")})


@dbus.service.method(TEST_IFACE, in_signature="s", out_signature="")
def Press(self, shortcut):
    for session in self.sessions:
        self.EmitSignal(MAIN_IFACE, "Activated", "osta{sv}",
                        [dbus.ObjectPath(session), shortcut, dbus.UInt64(0), dbus.Dictionary({}, signature="sv")])


@dbus.service.method(SCREENSHOT_IFACE, in_signature="sa{sv}", out_signature="o", sender_keyword="sender")
def Screenshot(self, parent_window, options, sender):
    self.shots += 1
    path = os.path.join(self.pictures, f"Screenshot {self.shots}.ppm")
    with open(path, "wb") as f:
        f.write(b"P6 %d %d 255\n" % SHOT_SIZE + bytes(SHOT_COLOUR) * (SHOT_SIZE[0] * SHOT_SIZE[1]))
    log(self, f"Screenshot interactive={bool(options.get('interactive', True))}")
    return _respond(self, sender, str(options["handle_token"]), {"uri": dbus.String("file://" + path)})
