# src/linux: the Linux edition's own rules (process names from /proc, where its files go). Portable, tested natively.
list(APPEND LUMEQ_CORE_SOURCES
  src/linux/process_names.cpp
  src/linux/xdg_paths.cpp
)
