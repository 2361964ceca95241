# src/app: the portable files build everywhere; the _win32 files only for Windows.
list(APPEND LUMEQ_CORE_SOURCES
  src/app/activation_model.cpp
  src/app/app_core.cpp
  src/app/hotkey_model.cpp
  src/app/layout_model.cpp
  src/app/menu_layout.cpp
  src/app/tray_model.cpp
)
list(APPEND LUMEQ_WIN32_SOURCES
  src/app/main_win32.cpp
  src/app/form_main_win32.cpp
  src/app/menus_win32.cpp
  src/app/layout_win32.cpp
  src/app/banner_win32.cpp
  src/app/tray_icon_win32.cpp
)
