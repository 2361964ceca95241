# src/app: the program's core: the router, activation, the window's presence, the start-up, menus, hot keys and tray rules. Portable: builds for both shells and for the tests.
list(APPEND LUMEQ_CORE_SOURCES
  src/app/activation.cpp
  src/app/app_core.cpp
  src/app/hot_key_rules.cpp
  src/app/hotkey_model.cpp
  src/app/layout_model.cpp
  src/app/menu_layout.cpp
  src/app/tray_model.cpp
  src/app/window_presence.cpp
)
