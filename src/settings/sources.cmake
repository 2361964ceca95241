# src/settings: the settings file, where the files go, code page 1252. Portable: builds for both shells and for the tests.
list(APPEND LUMEQ_CORE_SOURCES
  src/settings/code_page.cpp
  src/settings/settings_file.cpp
  src/settings/settings_keeper.cpp
  src/settings/xdg_paths.cpp
)
