# The Linux edition: lumeq-gamma, a Qt 6 shell on the portable core, X11 for the hot keys
# and RandR for the ramps. Built where Qt 6 Widgets and the X libraries are found.
find_package(Qt6 QUIET COMPONENTS Widgets Network)
find_package(PkgConfig QUIET)
if(PkgConfig_FOUND)
  pkg_check_modules(LUMEQ_XLIBS IMPORTED_TARGET x11 xcb xrandr xxf86vm)
endif()
if(NOT Qt6_FOUND OR NOT LUMEQ_XLIBS_FOUND)
  message(STATUS "Qt 6 or the X libraries not found: the Linux edition is not built")
  return()
endif()

# The displays through RandR (XF86VidMode where RandR has no gamma), also used by the native tests.
add_library(lumeq_x11 STATIC src/x11/randr_displays_x11.cpp src/x11/vidmode_displays_x11.cpp)
target_link_libraries(lumeq_x11 PUBLIC lumeq_core PkgConfig::LUMEQ_XLIBS)
target_compile_options(lumeq_x11 PRIVATE ${LUMEQ_WARNINGS})

include(src/qt/sources.cmake)
add_library(lumeq_qt_shell STATIC ${LUMEQ_QT_SOURCES})
target_link_libraries(lumeq_qt_shell PUBLIC lumeq_posix lumeq_x11 Qt6::Widgets)
target_compile_options(lumeq_qt_shell PRIVATE ${LUMEQ_WARNINGS})
set_target_properties(lumeq_qt_shell PROPERTIES AUTOMOC OFF)

qt_add_resources(LUMEQ_QT_RESOURCES res/linux/lumeq.qrc)

add_executable(lumeq-gamma src/qt/main_qt.cpp ${LUMEQ_QT_RESOURCES})
target_link_libraries(lumeq-gamma PRIVATE lumeq_qt_shell)
target_compile_options(lumeq-gamma PRIVATE ${LUMEQ_WARNINGS})

# The same program with the tests' probe inside (a local socket); never installed.
add_executable(lumeq-gamma-test src/qt/main_qt.cpp src/qt/test_probe_qt.cpp ${LUMEQ_QT_RESOURCES})
target_link_libraries(lumeq-gamma-test PRIVATE lumeq_qt_shell Qt6::Network)
target_compile_definitions(lumeq-gamma-test PRIVATE LUMEQ_TEST_PROBE)
target_compile_options(lumeq-gamma-test PRIVATE ${LUMEQ_WARNINGS})

include(GNUInstallDirs)
install(TARGETS lumeq-gamma RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES res/linux/lumeq-gamma.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
foreach(size 16 32 48)
  install(FILES res/linux/icons/lumeq-${size}.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME lumeq-gamma.png)
endforeach()

# A .deb whose dependencies come from the shared libraries the program links.
set(CPACK_PACKAGE_NAME lumeq-gamma)
set(CPACK_PACKAGE_CONTACT "lumeq <gamma@lumeq.app>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Brighter screen for first-person games: gamma boost with global hot keys")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://lumeq.app/gamma")
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
