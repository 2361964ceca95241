# src/autoactivation: automatic activation: the watcher, the panels' rules, what a process is called. Portable: builds for both shells and for the tests.
list(APPEND LUMEQ_CORE_SOURCES
  src/autoactivation/auto_activation.cpp
  src/autoactivation/process_names.cpp
)
