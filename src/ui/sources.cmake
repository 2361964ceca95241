# src/ui: the main window's port, scaling, the panels' table. Portable: builds for both shells and for the tests.
list(APPEND LUMEQ_CORE_SOURCES
  src/ui/main_view.cpp
  src/ui/panel_layout.cpp
  src/ui/scaling.cpp
)
