# src/linux: the Linux edition's shell and its platform backends: POSIX files and /proc
# (posix/, also used by the native tests), the X server (x11/), a Wayland compositor
# (wayland/) and the Qt 6 windows (qt/).
list(APPEND LUMEQ_POSIX_SOURCES
  src/linux/posix/file_stores_posix.cpp
  src/linux/posix/proc_processes_posix.cpp
  src/linux/posix/state_files_posix.cpp
)
list(APPEND LUMEQ_X11_SOURCES
  src/linux/x11/lost_connection_x11.cpp
  src/linux/x11/randr_displays_x11.cpp
  src/linux/x11/screen_x11.cpp
  src/linux/x11/vidmode_displays_x11.cpp
)
list(APPEND LUMEQ_WAYLAND_SOURCES
  src/linux/wayland/wlr_gamma_displays.cpp
)
list(APPEND LUMEQ_QT_SOURCES
  src/linux/gnome/mutter_displays.cpp
  src/linux/qt/control_channel_qt.cpp
  src/linux/qt/desktop_links_qt.cpp
  src/linux/qt/banner_qt.cpp
  src/linux/qt/strip_window_qt.cpp
  src/linux/qt/main_window_qt.cpp
  src/linux/qt/global_shortcuts_qt.cpp
  src/linux/qt/night_light_qt.cpp
  src/linux/qt/panels_qt.cpp
  src/linux/qt/portal_request_qt.cpp
  src/linux/qt/portal_screenshot_qt.cpp
  src/linux/qt/screenshot_controls_qt.cpp
  src/linux/qt/session_displays_qt.cpp
  src/linux/qt/ui_scale_qt.cpp
  src/linux/qt/widgets_qt.cpp
  src/linux/qt/x11_events_qt.cpp
)
