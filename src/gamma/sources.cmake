# src/gamma: ramps and tables, the engine, the boost session and the record of the ramps to give back. Portable: builds for both shells and for the tests.
list(APPEND LUMEQ_CORE_SOURCES
  src/gamma/backend_notices.cpp
  src/gamma/boost_session.cpp
  src/gamma/display_captures.cpp
  src/gamma/crash_record.cpp
  src/gamma/display_backends.cpp
  src/gamma/ramps.cpp
  src/gamma/ramp_watch.cpp
)
