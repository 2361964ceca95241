# src/qt: the Linux edition's shell (Qt 6 Widgets on X11). Built natively where Qt 6 is found.
set(LUMEQ_QT_SOURCES
  src/qt/banner_qt.cpp
  src/qt/form_indicador_qt.cpp
  src/qt/form_main_qt.cpp
  src/qt/night_light_qt.cpp
  src/qt/panels_qt.cpp
  src/qt/screenshot_controls_qt.cpp
  src/qt/ui_scale_qt.cpp
  src/qt/x11_events_qt.cpp
)
