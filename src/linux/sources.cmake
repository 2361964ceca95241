# src/linux: the Linux edition's own rules (process names from /proc, where its files go). Portable, tested natively.
list(APPEND LUMEQ_CORE_SOURCES
  src/linux/process_names.cpp
  src/linux/hot_key_rules.cpp
  src/linux/xdg_paths.cpp
)
# POSIX only (the Linux edition and the native tests), never in the Windows program.
list(APPEND LUMEQ_POSIX_SOURCES
  src/linux/proc_processes_posix.cpp
  src/linux/file_stores_posix.cpp
  src/linux/state_files_posix.cpp
)
