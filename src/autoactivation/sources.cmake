# src/autoactivation: the portable files build everywhere; the _win32 files only for Windows.
list(APPEND LUMEQ_CORE_SOURCES
  src/autoactivation/process_watcher.cpp
)
list(APPEND LUMEQ_WIN32_SOURCES
  src/autoactivation/panels_win32.cpp
  src/autoactivation/process_scan_win32.cpp
)
