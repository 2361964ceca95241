# src/ui: the portable files build everywhere; the _win32 files only for Windows.
list(APPEND LUMEQ_CORE_SOURCES
  src/ui/scaling.cpp
)
list(APPEND LUMEQ_WIN32_SOURCES
  src/ui/dpi_win32.cpp
  src/ui/panel_win32.cpp
  src/ui/scaled_layout_win32.cpp
  src/ui/ui_style_win32.cpp
)
