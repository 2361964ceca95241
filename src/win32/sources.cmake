# src/win32: the Windows shell and its platform backends (Win32, GDI, the registry). Windows only.
list(APPEND LUMEQ_WIN32_SOURCES
  src/win32/banner_win32.cpp
  src/win32/control_ids.cpp
  src/win32/registry_stores_win32.cpp
  src/win32/display_win32.cpp
  src/win32/dpi_win32.cpp
  src/win32/folder_reader_win32.cpp
  src/win32/foreground_watch_win32.cpp
  src/win32/strip_window_win32.cpp
  src/win32/main_window_win32.cpp
  src/win32/main_window_desktop_win32.cpp
  src/win32/main_win32.cpp
  src/win32/menus_win32.cpp
  src/win32/panel_win32.cpp
  src/win32/panels_win32.cpp
  src/win32/process_scan_win32.cpp
  src/win32/scaled_layout_win32.cpp
  src/win32/screen_capture_win32.cpp
  src/win32/screenshot_controls_win32.cpp
  src/win32/screenshot_store_win32.cpp
  src/win32/settings_store_win32.cpp
  src/win32/text_win32.cpp
  src/win32/tray_icon_win32.cpp
  src/win32/ui_style_win32.cpp
)
# The test build's probe (and the probe.exe helper's verbs); never in the shipped program.
list(APPEND LUMEQ_WIN32_TEST_SOURCES
  src/win32/test_probe_win32.cpp
  src/win32/test_probe_verbs_win32.cpp
)
