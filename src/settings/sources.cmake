# src/settings: the portable files build everywhere; the _win32 files only for Windows.
list(APPEND LUMEQ_CORE_SOURCES
  src/settings/settings_file.cpp
  src/settings/code_page.cpp
)
list(APPEND LUMEQ_WIN32_SOURCES
  src/settings/settings_store_win32.cpp
)
