# src/platform: the portable files build everywhere; the _win32 files only for Windows.
list(APPEND LUMEQ_CORE_SOURCES
  src/platform/utf16.cpp
)
list(APPEND LUMEQ_WIN32_SOURCES
  src/platform/text_win32.cpp
)
