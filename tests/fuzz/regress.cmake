# Every fuzz target replays its seed corpus (and the binary seeds the seed writer makes) in the
# normal test builds, under the sanitizers in the asan build: a quick regression check that needs
# neither clang nor libFuzzer. scripts/fuzz.sh runs the same targets with the fuzzer.
include(${PROJECT_SOURCE_DIR}/tests/fuzz/targets.cmake)

if(NOT TARGET kvarn_fuzz_seeds)
  kvarn_fuzz_seed_writer()
endif()
set(seeds_dir ${CMAKE_CURRENT_BINARY_DIR}/fuzz_seeds)
add_test(NAME fuzz.seeds COMMAND kvarn_fuzz_seeds ${seeds_dir})
set_tests_properties(fuzz.seeds PROPERTIES FIXTURES_SETUP fuzz_seeds)

add_library(kvarn_fuzz_regress_main OBJECT ${PROJECT_SOURCE_DIR}/tests/fuzz/regress_main.cpp)
target_link_libraries(kvarn_fuzz_regress_main PRIVATE kvarn_options)
foreach(src ${KVARN_FUZZ_SOURCES})
  get_filename_component(target ${src} NAME_WE)
  string(REGEX REPLACE "^fuzz_" "" name ${target})
  add_executable(fuzz_regress_${name} ${src} $<TARGET_OBJECTS:kvarn_fuzz_regress_main>)
  kvarn_fuzz_link(fuzz_regress_${name} ${name})
  add_test(NAME fuzz.${name}
           COMMAND fuzz_regress_${name} ${PROJECT_SOURCE_DIR}/tests/fuzz/corpus/${name}
                   ${seeds_dir}/${name})
  set_tests_properties(fuzz.${name} PROPERTIES FIXTURES_REQUIRED fuzz_seeds TIMEOUT 300)
endforeach()
