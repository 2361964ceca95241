# src/screenshots: screenshots: numbering, the folder's statistics, the capture sequence. Portable: builds for both shells and for the tests.
list(APPEND LUMEQ_CORE_SOURCES
  src/screenshots/folder_stats.cpp
  src/screenshots/screenshot_numbering.cpp
  src/screenshots/screenshot_sequence.cpp
)
