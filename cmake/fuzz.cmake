# Fuzz build (clang, -DLUMVALE_FUZZ=ON): a libFuzzer target over the
# conversions of stored texts, run by ctest for a bounded time. Inputs that
# libFuzzer finds go to build/fuzz, never into the seed corpus.
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  message(FATAL_ERROR "LUMVALE_FUZZ needs clang: CC=clang CXX=clang++, or scripts/build fuzz")
endif()

set(LUMVALE_FUZZ_SECONDS 10 CACHE STRING "Seconds the fuzz target runs under ctest")
# Undefined behaviour stops the run like a crash.
set(sanitizers -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all -g)
add_executable(conversions_fuzzer tests/fuzz/conversions_fuzzer.cpp src/store/conversions.cpp)
target_include_directories(conversions_fuzzer PRIVATE src)
target_compile_options(conversions_fuzzer PRIVATE ${sanitizers})
target_link_options(conversions_fuzzer PRIVATE ${sanitizers})
set(work ${CMAKE_BINARY_DIR}/fuzz-work)
file(MAKE_DIRECTORY ${work}/corpus ${work}/artifacts)
add_test(NAME fuzz_conversions
         COMMAND conversions_fuzzer -max_total_time=${LUMVALE_FUZZ_SECONDS} -max_len=4096 -timeout=10
                 -dict=${CMAKE_SOURCE_DIR}/tests/fuzz/conversions.dict -artifact_prefix=${work}/artifacts/
                 ${work}/corpus ${CMAKE_SOURCE_DIR}/tests/fuzz/corpus/conversions)
set_tests_properties(fuzz_conversions PROPERTIES TIMEOUT 120)
