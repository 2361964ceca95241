# src/indicator: the strip: its texts, notices, look and timer. Portable: builds for both shells and for the tests.
list(APPEND LUMEQ_CORE_SOURCES
  src/indicator/indicator_strip.cpp
)
