# src/gamma: the portable files build everywhere; the _win32 files only for Windows.
list(APPEND LUMEQ_CORE_SOURCES
  src/gamma/gamma_ramp.cpp
  src/gamma/gamma_config.cpp
  src/gamma/level_text.cpp
  src/gamma/stored_level.cpp
  src/gamma/level_step.cpp
  src/gamma/recovery_record.cpp
  src/gamma/crash_record.cpp
  src/gamma/ramp_table.cpp
)
list(APPEND LUMEQ_WIN32_SOURCES
  src/gamma/display_win32.cpp
  src/gamma/capture_journal_win32.cpp
  src/gamma/level_store_win32.cpp
  src/gamma/trackbar_slider_win32.cpp
)
