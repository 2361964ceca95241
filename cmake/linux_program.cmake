# The Linux edition: lumeq-gamma, a Qt 6 shell on the portable core, X11 for the hot keys
# and RandR for the ramps. A machine that cannot build it is told what it lacks: the
# edition and its tests never vanish without a word.
if(NOT LUMEQ_LINUX_EDITION)
  message(STATUS "LUMEQ_LINUX_EDITION is OFF: the Linux edition and its tests are not built")
  return()
endif()
set(LUMEQ_LINUX_MISSING)
find_package(Qt6 QUIET COMPONENTS Widgets Network DBus)
if(NOT Qt6_FOUND)
  list(APPEND LUMEQ_LINUX_MISSING "Qt 6 Widgets (Debian: qt6-base-dev)")
endif()
find_package(PkgConfig QUIET)
if(NOT PkgConfig_FOUND)
  list(APPEND LUMEQ_LINUX_MISSING "pkg-config (Debian: pkg-config)")
else()
  foreach(module_package x11:libx11-dev x11-xcb:libx11-xcb-dev xcb:libxcb1-dev xcb-randr:libxcb-randr0-dev
                        xcb-keysyms:libxcb-keysyms1-dev xcb-xinput:libxcb-xinput-dev xrandr:libxrandr-dev
                        xxf86vm:libxxf86vm-dev wayland-client:libwayland-dev wayland-server:libwayland-dev)
    string(REPLACE ":" ";" pair ${module_package})
    list(GET pair 0 module)
    list(GET pair 1 package)
    pkg_check_modules(LUMEQ_HAS_${module} QUIET ${module})
    if(NOT LUMEQ_HAS_${module}_FOUND)
      list(APPEND LUMEQ_LINUX_MISSING "the library ${module} (Debian: ${package})")
    endif()
  endforeach()
endif()
find_program(LUMEQ_WAYLAND_SCANNER wayland-scanner)
if(NOT LUMEQ_WAYLAND_SCANNER)
  list(APPEND LUMEQ_LINUX_MISSING "wayland-scanner (Debian: libwayland-bin)")
endif()
if(LUMEQ_LINUX_MISSING)
  list(JOIN LUMEQ_LINUX_MISSING "\n  " missing)
  message(FATAL_ERROR "The Linux edition cannot be built; missing:\n  ${missing}\n"
          "scripts/install-deps.sh installs them; -DLUMEQ_LINUX_EDITION=OFF builds without the edition.")
endif()
pkg_check_modules(LUMEQ_XLIBS REQUIRED IMPORTED_TARGET x11 x11-xcb xcb xcb-randr xcb-keysyms xcb-xinput xrandr xxf86vm)

# The displays through RandR (XF86VidMode where RandR has no gamma), also used by the native tests.
add_library(lumeq_x11 STATIC ${LUMEQ_X11_SOURCES})
target_link_libraries(lumeq_x11 PUBLIC lumeq_core PkgConfig::LUMEQ_XLIBS)
target_compile_options(lumeq_x11 PRIVATE ${LUMEQ_WARNINGS})

# The outputs of a Wayland compositor through wlr-gamma-control; the protocol's glue is made
# from our own description of it (the test compositor uses its server side).
pkg_check_modules(LUMEQ_WAYLAND REQUIRED IMPORTED_TARGET wayland-client)
set(LUMEQ_WAYLAND_GLUE ${CMAKE_BINARY_DIR}/wayland)
set(LUMEQ_WLR_GAMMA_XML ${PROJECT_SOURCE_DIR}/src/linux/wayland/protocols/wlr-gamma-control-unstable-v1.xml)
add_custom_command(
  OUTPUT ${LUMEQ_WAYLAND_GLUE}/wlr-gamma-control-unstable-v1-client-protocol.h
         ${LUMEQ_WAYLAND_GLUE}/wlr-gamma-control-unstable-v1-server-protocol.h
         ${LUMEQ_WAYLAND_GLUE}/wlr-gamma-control-unstable-v1-protocol.c
  COMMAND ${CMAKE_COMMAND} -E make_directory ${LUMEQ_WAYLAND_GLUE}
  COMMAND ${LUMEQ_WAYLAND_SCANNER} client-header ${LUMEQ_WLR_GAMMA_XML}
          ${LUMEQ_WAYLAND_GLUE}/wlr-gamma-control-unstable-v1-client-protocol.h
  COMMAND ${LUMEQ_WAYLAND_SCANNER} server-header ${LUMEQ_WLR_GAMMA_XML}
          ${LUMEQ_WAYLAND_GLUE}/wlr-gamma-control-unstable-v1-server-protocol.h
  COMMAND ${LUMEQ_WAYLAND_SCANNER} private-code ${LUMEQ_WLR_GAMMA_XML}
          ${LUMEQ_WAYLAND_GLUE}/wlr-gamma-control-unstable-v1-protocol.c
  DEPENDS ${LUMEQ_WLR_GAMMA_XML})
add_library(lumeq_wayland_glue STATIC ${LUMEQ_WAYLAND_GLUE}/wlr-gamma-control-unstable-v1-protocol.c
            ${LUMEQ_WAYLAND_GLUE}/wlr-gamma-control-unstable-v1-client-protocol.h
            ${LUMEQ_WAYLAND_GLUE}/wlr-gamma-control-unstable-v1-server-protocol.h)
target_include_directories(lumeq_wayland_glue PUBLIC ${LUMEQ_WAYLAND_GLUE})
add_library(lumeq_wayland STATIC ${LUMEQ_WAYLAND_SOURCES})
target_link_libraries(lumeq_wayland PUBLIC lumeq_core PkgConfig::LUMEQ_WAYLAND PRIVATE lumeq_wayland_glue)
target_compile_options(lumeq_wayland PRIVATE ${LUMEQ_WARNINGS})

add_library(lumeq_qt_shell STATIC ${LUMEQ_QT_SOURCES})
target_link_libraries(lumeq_qt_shell PUBLIC lumeq_posix lumeq_x11 lumeq_wayland Qt6::Widgets Qt6::DBus Qt6::Network)
target_compile_options(lumeq_qt_shell PRIVATE ${LUMEQ_WARNINGS})
# moc for the few classes that take D-Bus signals.
set_target_properties(lumeq_qt_shell PROPERTIES AUTOMOC ON)

qt_add_resources(LUMEQ_QT_RESOURCES res/linux/lumeq.qrc)

add_executable(lumeq-gamma src/linux/qt/main_qt.cpp ${LUMEQ_QT_RESOURCES})
target_link_libraries(lumeq-gamma PRIVATE lumeq_qt_shell)
target_compile_options(lumeq-gamma PRIVATE ${LUMEQ_WARNINGS})

# The same program with the tests' probe inside (a local socket); never installed.
add_executable(lumeq-gamma-test src/linux/qt/main_qt.cpp src/linux/qt/test_probe_qt.cpp ${LUMEQ_QT_RESOURCES})
target_link_libraries(lumeq-gamma-test PRIVATE lumeq_qt_shell Qt6::Network)
target_compile_definitions(lumeq-gamma-test PRIVATE LUMEQ_TEST_PROBE)
target_compile_options(lumeq-gamma-test PRIVATE ${LUMEQ_WARNINGS})

include(GNUInstallDirs)
install(TARGETS lumeq-gamma RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES res/linux/lumeq-gamma.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
foreach(size 16 32 48 64 128 256)
  install(FILES res/linux/icons/lumeq-${size}.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME lumeq-gamma.png)
endforeach()
install(FILES res/linux/icons/lumeq-gamma.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
# So that software centres list it (AppStream).
install(FILES res/linux/lumeq-gamma.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES res/linux/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/lumeq-gamma)

# A .deb whose dependencies come from the shared libraries the program links.
set(CPACK_PACKAGE_NAME lumeq-gamma)
set(CPACK_PACKAGE_CONTACT "lumeq <gamma@lumeq.app>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Brighter screen for first-person games: gamma boost with global hot keys")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://lumeq.app/gamma")
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The Pictures folder of the desktop's language, where screenshots go.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS xdg-user-dirs)
set(CPACK_STRIP_FILES ON)
include(CPack)
