# src/platform: portable helpers: text conversion, the timers' port. Portable: builds for both shells and for the tests.
list(APPEND LUMEQ_CORE_SOURCES
  src/platform/utf16.cpp
)
