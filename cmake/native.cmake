# Native build: the unit tier against the fake platform.
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

file(GLOB LUMVALE_UNIT_TESTS CONFIGURE_DEPENDS tests/unit/*.cpp)
add_executable(unit_tests ${LUMVALE_UNIT_TESTS})
target_include_directories(unit_tests PRIVATE tests)
target_link_libraries(unit_tests PRIVATE lumvale_logic GTest::gtest_main)
add_test(NAME unit COMMAND unit_tests --gtest_brief=1)
