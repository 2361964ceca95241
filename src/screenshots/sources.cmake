# src/screenshots: the portable files build everywhere; the _win32 files only for Windows.
list(APPEND LUMEQ_CORE_SOURCES
  src/screenshots/folder_stats.cpp
  src/screenshots/screenshot_numbering.cpp
)
list(APPEND LUMEQ_WIN32_SOURCES
  src/screenshots/folder_reader_win32.cpp
  src/screenshots/screen_capture_win32.cpp
  src/screenshots/screenshot_store_win32.cpp
  src/screenshots/screenshot_controls_win32.cpp
)
