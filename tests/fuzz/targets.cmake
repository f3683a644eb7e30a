# The fuzz targets (tests/fuzz/fuzz_*.cpp) and the engine libraries each links; shared by the
# libFuzzer build (tests/fuzz/CMakeLists.txt) and the seed runs of the normal test builds.
file(GLOB KVARN_FUZZ_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/fuzz/fuzz_*.cpp)

function(kvarn_fuzz_link target name)
  target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  # Only the readers of methods and scenarios need the statistics layer, the slowest to build.
  if(name MATCHES "formula|names|filter_item|scenario_file")
    target_link_libraries(${target} PRIVATE kvarn_scenario)
  else()
    target_link_libraries(${target} PRIVATE kvarn_stakes kvarn_combs)
  endif()
endfunction()

# Writes the binary seeds (draws, stakes and regulars files) from the tests' archive builders.
function(kvarn_fuzz_seed_writer)
  add_executable(kvarn_fuzz_seeds ${PROJECT_SOURCE_DIR}/tests/fuzz/seed_writer.cpp)
  target_include_directories(kvarn_fuzz_seeds PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(kvarn_fuzz_seeds PRIVATE kvarn_stakes)
endfunction()
