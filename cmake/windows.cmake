# Windows builds: the product, and (64-bit only) the win32 and e2e tiers that
# run under Wine.
enable_language(RC)

set(LUMVALE_WIN32_SOURCES
  src/platform/win32_platform.cpp
  src/platform/window_base.cpp
  src/platform/ui_text.cpp
  src/platform/display.cpp
  src/platform/session_watch.cpp
  src/platform/input_watch.cpp
  src/tray/tray_icon.cpp
  src/tray/tray_menu.cpp
  src/app/main_window.cpp
  src/app/app.cpp
  src/controls/band_panel.cpp
  src/controls/frame.cpp
  src/controls/picture_box.cpp
  src/popup/popup_window.cpp
  src/settings/slider_box.cpp
  src/settings/settings_dialog.cpp
  src/about/about_window.cpp
  src/about/about_paint.cpp
)
add_library(lumvale_win32 STATIC ${LUMVALE_WIN32_SOURCES})
# Only DLLs that Windows always takes from its own folder are imported; the
# common controls are loaded at run time by their full path.
target_link_libraries(lumvale_win32 PUBLIC lumvale_logic user32 gdi32 shell32 advapi32)
target_include_directories(lumvale_win32 PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_options(lumvale_win32 PRIVATE -Wall -Wextra)

# Windows 2000 is the oldest system the program runs on: its headers keep
# newer functions out of reach.
foreach(target lumvale_logic lumvale_win32)
  target_compile_definitions(${target} PUBLIC UNICODE _UNICODE PRIVATE _WIN32_WINNT=0x0500 WINVER=0x0500)
endforeach()


if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(LUMVALE_SUBSYSTEM_VERSION 5,--minor-subsystem-version,0,--major-os-version,5,--minor-os-version,0)
else()
  # 64-bit Windows starts at version 5.2.
  set(LUMVALE_SUBSYSTEM_VERSION 5,--minor-subsystem-version,2,--major-os-version,5,--minor-os-version,2)
endif()

# The version resource and the manifest take the project's version.
configure_file(res/version.h.in res/version.h @ONLY)
configure_file(res/lumvale.manifest.in res/lumvale.manifest @ONLY)
set_source_files_properties(res/lumvale.rc PROPERTIES OBJECT_DEPENDS
  "${CMAKE_CURRENT_BINARY_DIR}/res/version.h;${CMAKE_CURRENT_BINARY_DIR}/res/lumvale.manifest;${CMAKE_CURRENT_SOURCE_DIR}/res/lumvale.ico;${CMAKE_CURRENT_SOURCE_DIR}/res/logo.bmp")
add_executable(lumvale WIN32 src/app/main.cpp res/lumvale.rc)
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  # On the link line itself, so that it is there when the runtime asks for the import.
  target_sources(lumvale PRIVATE src/platform/thread_id_import.cpp)
endif()
target_include_directories(lumvale PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/res)
target_link_libraries(lumvale PRIVATE lumvale_win32)
target_compile_definitions(lumvale PRIVATE _WIN32_WINNT=0x0500 WINVER=0x0500)
# The same source gives the same bytes wherever and whenever it is built: no
# link time in the header, no build path inside.
target_link_options(lumvale PRIVATE -municode -static -s -Wl,--gc-sections -Wl,--no-insert-timestamp
  -Wl,--major-subsystem-version,${LUMVALE_SUBSYSTEM_VERSION})
# A resident program: small beats fast. Unused code of the static runtime is
# dropped by section. Its function-local statics are all made on its window
# thread: unguarded, since GCC 13's guard takes the runtime's condition
# variables, which only Windows Vista and later export.
foreach(target lumvale_logic lumvale_win32 lumvale)
  target_compile_options(${target} PRIVATE -Os -ffunction-sections -fdata-sections -fno-threadsafe-statics
    -ffile-prefix-map=${CMAKE_SOURCE_DIR}=. -ffile-prefix-map=${CMAKE_BINARY_DIR}=build)
endforeach()

# Each exe imports only DLLs that Windows takes from its own folder; the
# shipping 32-bit exe only functions that Windows 2000 has.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(LUMVALE_ALLOWLIST ${CMAKE_SOURCE_DIR}/tests/imports/win2000-allowlist.txt)
endif()
if(NOT LUMVALE_TESTED_EXE)  # the x86 tier's build checks no exe of its own
  add_test(NAME imports COMMAND ${CMAKE_SOURCE_DIR}/tests/imports/check-imports.sh
    ${LUMVALE_OBJDUMP} $<TARGET_FILE:lumvale> ${LUMVALE_ALLOWLIST})
endif()

if(LUMVALE_PRODUCT_ONLY)
  return()
endif()

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# The end-to-end tier: the driver runs under Wine in the build's own prefix
# and display, one ctest per group of scenarios.
set(LUMVALE_WINE ${CMAKE_SOURCE_DIR}/scripts/wine-session)
add_test(NAME wine_start COMMAND ${LUMVALE_WINE} start ${CMAKE_BINARY_DIR})
add_test(NAME wine_stop COMMAND ${LUMVALE_WINE} stop ${CMAKE_BINARY_DIR})
set_tests_properties(wine_start PROPERTIES FIXTURES_SETUP wine TIMEOUT 300)
set_tests_properties(wine_stop PROPERTIES FIXTURES_CLEANUP wine)

file(GLOB LUMVALE_E2E_SOURCES CONFIGURE_DEPENDS tests/e2e/*_test.cpp)
add_executable(e2e_tests ${LUMVALE_E2E_SOURCES})
target_link_libraries(e2e_tests PRIVATE gtest_main user32 gdi32 shell32 advapi32 psapi)
target_compile_definitions(e2e_tests PRIVATE UNICODE _UNICODE _WIN32_WINNT=0x0601 WINVER=0x0601)
target_link_options(e2e_tests PRIVATE -static)
# Stands in for a host of the shell of Windows 10 and 11.
add_executable(stand_in WIN32 tests/e2e/stand_in.cpp)
target_compile_definitions(stand_in PRIVATE UNICODE _UNICODE)
target_link_options(stand_in PRIVATE -municode -static)
# Stands in for a DLL planted beside lumvale.exe.
add_library(marker_dll SHARED tests/e2e/marker_dll.cpp)
set_target_properties(marker_dll PROPERTIES PREFIX "")
target_compile_definitions(marker_dll PRIVATE UNICODE _UNICODE)
target_link_options(marker_dll PRIVATE -static -Wl,--kill-at)
add_dependencies(e2e_tests stand_in marker_dll)
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  include(cmake/e2e-x86.cmake)
  return()
endif()
add_dependencies(e2e_tests lumvale)
foreach(group Startup HotKeys Popup Dialogs Scale Soak)
  add_test(NAME e2e_${group} COMMAND ${LUMVALE_WINE} exec ${CMAKE_BINARY_DIR} $<TARGET_FILE:e2e_tests>
           --gtest_filter=${group}.* --gtest_brief=1)
  set_tests_properties(e2e_${group} PROPERTIES FIXTURES_REQUIRED wine RUN_SERIAL TRUE TIMEOUT 600)
endforeach()

# Benchmarks, run by bench/run under Wine.
add_executable(tick_bench bench/tick_bench.cpp)
target_link_libraries(tick_bench PRIVATE lumvale_win32 psapi)
add_executable(latency_bench bench/latency_bench.cpp)
target_include_directories(latency_bench PRIVATE ${CMAKE_SOURCE_DIR}/tests /usr/src/googletest/googletest/include)
target_compile_definitions(latency_bench PRIVATE UNICODE _UNICODE _WIN32_WINNT=0x0601 WINVER=0x0601)
add_executable(floor_poller WIN32 bench/floor_poller.cpp)
add_executable(session_notify bench/session_notify.cpp)
add_executable(input_load bench/input_load.cpp)
target_link_options(floor_poller PRIVATE -municode)
target_link_options(session_notify PRIVATE -municode)
foreach(bench tick_bench latency_bench floor_poller session_notify input_load)
  target_link_options(${bench} PRIVATE -static)
  set_target_properties(${bench} PROPERTIES EXCLUDE_FROM_ALL TRUE)
endforeach()

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  include(cmake/release.cmake)
endif()
