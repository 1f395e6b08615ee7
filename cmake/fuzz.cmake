# Fuzz build (clang, -DLUMVALE_FUZZ=ON): libFuzzer targets over the
# conversions of stored texts and the readers of records, each run by ctest
# for a bounded time. Inputs that libFuzzer finds go to build/fuzz, never into
# the seed corpus in tests/fuzz/corpus.
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  message(FATAL_ERROR "LUMVALE_FUZZ needs clang: CC=clang CXX=clang++, or scripts/build fuzz")
endif()

set(LUMVALE_FUZZ_SECONDS 30 CACHE STRING "Seconds each fuzz target runs under ctest")

# Undefined behaviour must stop the run like a crash, or libFuzzer would only
# print it and go on.
set(LUMVALE_SANITIZERS -fsanitize=address,undefined -fno-sanitize-recover=all -g)
target_compile_options(lumvale_logic PRIVATE -fsanitize=fuzzer-no-link ${LUMVALE_SANITIZERS})

add_library(lumvale_fake STATIC tests/fake/fake_platform.cpp)
target_include_directories(lumvale_fake PUBLIC tests)
target_link_libraries(lumvale_fake PUBLIC lumvale_logic)
target_compile_options(lumvale_fake PRIVATE ${LUMVALE_SANITIZERS})

set(fuzz_work ${CMAKE_BINARY_DIR}/fuzz-work)
add_test(NAME fuzz_work_dirs COMMAND ${CMAKE_COMMAND} -E make_directory
         ${fuzz_work}/artifacts ${fuzz_work}/corpus/conversions ${fuzz_work}/corpus/records)
set_tests_properties(fuzz_work_dirs PROPERTIES FIXTURES_SETUP fuzz_work)

foreach(name conversions records)
  add_executable(${name}_fuzzer tests/fuzz/${name}_fuzzer.cpp)
  target_link_libraries(${name}_fuzzer PRIVATE lumvale_fake)
  target_compile_options(${name}_fuzzer PRIVATE -fsanitize=fuzzer ${LUMVALE_SANITIZERS} -Wall -Wextra)
  target_link_options(${name}_fuzzer PRIVATE -fsanitize=fuzzer ${LUMVALE_SANITIZERS})
  # New inputs are written to the first corpus directory only.
  add_test(NAME fuzz_${name}
           COMMAND ${name}_fuzzer -max_total_time=${LUMVALE_FUZZ_SECONDS} -max_len=65536 -timeout=10
                   -rss_limit_mb=1024 -print_final_stats=1
                   -dict=${CMAKE_SOURCE_DIR}/tests/fuzz/${name}.dict
                   -artifact_prefix=${fuzz_work}/artifacts/${name}-
                   ${fuzz_work}/corpus/${name} ${CMAKE_SOURCE_DIR}/tests/fuzz/corpus/${name})
  # ASan's default quarantine alone would take a quarter of the memory limit.
  set_tests_properties(fuzz_${name} PROPERTIES FIXTURES_REQUIRED fuzz_work
                       ENVIRONMENT ASAN_OPTIONS=quarantine_size_mb=64
                       TIMEOUT 300 WORKING_DIRECTORY ${fuzz_work})
endforeach()
