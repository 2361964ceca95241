# lumeq.exe: the portable core plus the thin Win32 shell.
enable_language(RC)

# Everything but the main window's file is compiled once for both programs below.
set(LUMEQ_PROGRAM_SOURCES ${LUMEQ_WIN32_SOURCES} res/lumeq.rc)
list(FILTER LUMEQ_PROGRAM_SOURCES EXCLUDE REGEX "src/win32/main_window_win32.cpp$")
add_library(lumeq_win32 OBJECT ${LUMEQ_PROGRAM_SOURCES})

function(lumeq_program target)
  add_executable(${target} WIN32 src/win32/main_window_win32.cpp $<TARGET_OBJECTS:lumeq_win32>)
endfunction()

lumeq_program(lumeq)
# The same program with test-only triggers (a crash inside a handler), for the
# end-to-end tests; never shipped.
lumeq_program(lumeq_test)
target_sources(lumeq_test PRIVATE ${LUMEQ_WIN32_TEST_SOURCES})
target_compile_definitions(lumeq_test PRIVATE LUMEQ_TEST_TRIGGERS)
target_link_libraries(lumeq_test PRIVATE ws2_32 psapi)

foreach(target lumeq_win32 lumeq lumeq_test)
  target_compile_definitions(${target} PRIVATE UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
  target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:CXX>:${LUMEQ_WARNINGS}>)
  target_link_libraries(${target} PRIVATE lumeq_core)
endforeach()
foreach(target lumeq lumeq_test)
  target_link_libraries(${target} PRIVATE comctl32 gdi32 user32 shell32 advapi32 ole32 uuid wtsapi32)
  if(MINGW)
    target_link_options(${target} PRIVATE -municode -static -static-libgcc -static-libstdc++ -s)
  elseif(MSVC)
    # The resource script carries the one manifest; the linker must not add its own.
    target_link_options(${target} PRIVATE /MANIFEST:NO)
    set_property(TARGET ${target} PROPERTY MSVC_RUNTIME_LIBRARY "MultiThreaded")
  endif()
  set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
endforeach()

# The program's first settings, shipped beside it.
configure_file(res/lumeq.ini ${CMAKE_BINARY_DIR}/lumeq.ini COPYONLY)

# Helpers of the end-to-end tests: they run under Wine beside the program.
include(tests/e2e/win32/CMakeLists.txt)

# A benchmark helper that runs under Wine: the screenshot's capture and save.
add_executable(capture_bench bench/win32/capture_bench.cpp src/win32/screen_capture_win32.cpp)
target_include_directories(capture_bench PRIVATE ${PROJECT_SOURCE_DIR}/src)
target_compile_definitions(capture_bench PRIVATE UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
target_compile_options(capture_bench PRIVATE ${LUMEQ_WARNINGS})
target_link_libraries(capture_bench PRIVATE lumeq_core gdi32 user32 ole32 uuid)
set_target_properties(capture_bench PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
if(MINGW)
  target_link_options(capture_bench PRIVATE -municode -static -static-libgcc -static-libstdc++)
endif()

# The floors the benchmarks measure the program against, and the recount in one process.
add_executable(floor_hotkey WIN32 bench/win32/floor_hotkey.cpp)
add_executable(recount_bench bench/win32/recount_bench.cpp src/win32/folder_reader_win32.cpp
  src/win32/text_win32.cpp)
target_include_directories(recount_bench PRIVATE ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(recount_bench PRIVATE lumeq_core)
foreach(helper floor_hotkey recount_bench)
  target_compile_definitions(${helper} PRIVATE UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
  target_compile_options(${helper} PRIVATE ${LUMEQ_WARNINGS})
  target_link_libraries(${helper} PRIVATE gdi32 user32)
  set_target_properties(${helper} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
  if(MINGW)
    target_link_options(${helper} PRIVATE -municode -static -static-libgcc -static-libstdc++)
  endif()
endforeach()

# For Windows players: a zip with the program, its first settings and a read-me in Spanish
# (in the ANSI code page, as Notepad of old reads it).
install(TARGETS lumeq RUNTIME DESTINATION .)
install(FILES res/lumeq.ini res/windows/LEEME.txt DESTINATION .)
set(CPACK_PACKAGE_NAME lumeq-gamma)
set(CPACK_GENERATOR ZIP)
set(CPACK_SYSTEM_NAME windows-x64)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
include(CPack)
