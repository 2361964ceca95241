# src/indicator: the portable files build everywhere; the _win32 files only for Windows.
list(APPEND LUMEQ_CORE_SOURCES
  src/indicator/indicator_text.cpp
)
list(APPEND LUMEQ_WIN32_SOURCES
  src/indicator/form_indicador_win32.cpp
)
