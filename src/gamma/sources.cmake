# src/gamma: ramps and tables, the engine, the boost session and the record of the ramps to give back. Portable: builds for both shells and for the tests.
list(APPEND LUMEQ_CORE_SOURCES
  src/gamma/backend_notices.cpp
  src/gamma/boost_session.cpp
  src/gamma/crash_record.cpp
  src/gamma/display_backends.cpp
  src/gamma/boost_engine.cpp
  src/gamma/gamma_ramp.cpp
  src/gamma/level_step.cpp
  src/gamma/level_text.cpp
  src/gamma/ramp_table.cpp
  src/gamma/recovery_record.cpp
  src/gamma/stored_level.cpp
)
