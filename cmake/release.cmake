# The release: `cmake --build build/win64 --target release` builds the x86 exe
# in its own build directory and packs lumvale-<version>-win32.zip,
# lumvale-<version>-win64.zip and their SHA256SUMS into build/release.
set(LUMVALE_WIN32_BUILD ${CMAKE_SOURCE_DIR}/build/win32 CACHE PATH
    "Build directory of the x86 exe that the release packs")
set(LUMVALE_RELEASE_DIR ${CMAKE_SOURCE_DIR}/build/release CACHE PATH "Where the release zips go")

add_custom_target(release
  COMMAND ${CMAKE_SOURCE_DIR}/scripts/package ${PROJECT_VERSION} $<TARGET_FILE:lumvale>
          ${LUMVALE_WIN32_BUILD} ${LUMVALE_RELEASE_DIR}
  DEPENDS lumvale
  USES_TERMINAL
  COMMENT "Packing the release zips of Lumvale ${PROJECT_VERSION}")

# The target as a test: scripts/package checks what it packs.
add_test(NAME release COMMAND ${CMAKE_COMMAND} --build ${CMAKE_BINARY_DIR} --target release)
set_tests_properties(release PROPERTIES RUN_SERIAL TRUE TIMEOUT 900)
