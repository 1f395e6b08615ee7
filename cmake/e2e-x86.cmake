# The x86 tier (build/win32-e2e): the same end-to-end tests, built for i686,
# drive the shipping exe of build/win32, copied beside the driver, under
# 32-bit Wine in the i386 root of scripts/x86-root (emulated by qemu where the
# kernel runs no 32-bit programs): the cases that show what a fault of the
# 32-bit exe would break. Emulated, the driver's longest wait (the splash)
# takes a third of its time-out: the waits are those of the x64 tier. A short
# soak runs the exe through random input too.
set(LUMVALE_X86_CASES
  Startup.FromWindows2000OnItStaysInTheTrayWithTheStoredTaskbarAlphaUntilExit
  HotKeys.DigitsGlassTheWindowInFrontWhichGetsTheKeysAndRememberedOnesComeBack
  HotKeys.NeitherTheDesktopNorTheTaskbarsAreGlassedNorAnythingWhileTheSessionIsLockedOrAway
  HotKeys.WhatTheirProgramSetIsKeptNothingWaitsForAWindowThatStopsAnsweringAndAllIsGivenBack
  Popup.ItsChoicesAndBoxesActOnTheWindowInFrontAndAreShownTheNextTime
  Dialogs.TheSettingsShowWhatHoldsAndSaveEveryChangeWhichTakesEffectAtOnce
  Dialogs.TheIconsMenuAndTheAboutBoxFromTheTrayAndFromTheDialog
  Soak.RandomInputLeavesBothCopiesHealthy)
list(JOIN LUMVALE_X86_CASES : filter)
list(LENGTH LUMVALE_X86_CASES count)

# ctest runs the driver through this file (cmake -P): the test passes only
# when the driver exits with 0 and every listed case ran and passed. A case
# renamed drops out of the filter without a word; a line of output alone
# would pass a driver that crashed after it.
if(CMAKE_SCRIPT_MODE_FILE)
  execute_process(COMMAND ${WINE} exec ${BUILD} ${DRIVER} --gtest_filter=${filter} --gtest_brief=1
                  RESULT_VARIABLE result OUTPUT_VARIABLE output ECHO_OUTPUT_VARIABLE)
  if(NOT result STREQUAL "0" OR NOT output MATCHES "\\[  PASSED  \\] ${count} tests?\\.")
    message(FATAL_ERROR "the x86 driver ended with ${result}: each of the ${count} listed cases must run and pass")
  endif()
  return()
endif()

set(LUMVALE_TESTED_EXE "" CACHE FILEPATH "The shipping x86 lumvale.exe that the x86 tier drives")
if(NOT LUMVALE_TESTED_EXE)
  message(FATAL_ERROR "the x86 tier drives the lumvale.exe of build/win32: set LUMVALE_TESTED_EXE (scripts/build does)")
endif()
# This build's own exe (posix threads) is neither built nor tested; the
# shipping exe's imports are checked in build/win32, where it is built.
set_target_properties(lumvale lumvale_win32 lumvale_logic PROPERTIES EXCLUDE_FROM_ALL TRUE
  RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/unused)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/lumvale.exe
  COMMAND ${CMAKE_COMMAND} -E copy ${LUMVALE_TESTED_EXE} ${CMAKE_BINARY_DIR}/lumvale.exe
  DEPENDS ${LUMVALE_TESTED_EXE})
add_custom_target(tested_exe ALL DEPENDS ${CMAKE_BINARY_DIR}/lumvale.exe)
add_dependencies(e2e_tests tested_exe)

# WINEARCH=win32: scripts/wine-session runs every Wine call in the i386 root,
# which its start builds first on a machine that has none yet.
set_tests_properties(wine_start PROPERTIES ENVIRONMENT WINEARCH=win32 TIMEOUT 900)
set_tests_properties(wine_stop PROPERTIES ENVIRONMENT WINEARCH=win32)
add_test(NAME e2e_x86 COMMAND ${CMAKE_COMMAND} -DWINE=${LUMVALE_WINE} -DBUILD=${CMAKE_BINARY_DIR}
         -DDRIVER=$<TARGET_FILE:e2e_tests> -P ${CMAKE_CURRENT_LIST_FILE})
set_tests_properties(e2e_x86 PROPERTIES FIXTURES_REQUIRED wine RUN_SERIAL TRUE TIMEOUT 900
  ENVIRONMENT "WINEARCH=win32;LUMVALE_SOAK_SECONDS=20")
