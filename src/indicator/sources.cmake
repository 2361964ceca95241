# src/indicator: the strip: its texts, notices and timer. Portable: builds for both shells and for the tests.
list(APPEND LUMEQ_CORE_SOURCES
  src/indicator/indicator_strip.cpp
  src/indicator/indicator_text.cpp
)
