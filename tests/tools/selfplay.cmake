add_executable(test_tools ${CMAKE_CURRENT_LIST_DIR}/test_tools.cpp)
target_link_libraries(test_tools PRIVATE vandrel_test_support vandrel_selfplay GTest::gtest_main)
target_compile_definitions(test_tools PRIVATE
  VANDREL_SELFPLAY="$<TARGET_FILE:vandrel-selfplay>"
  VANDREL_VDG="$<TARGET_FILE:vandrel-vdg>")
add_dependencies(test_tools vandrel-selfplay vandrel-vdg)
gtest_discover_tests(test_tools)

# Self-play throughput, for measuring (not run by the suite).
find_package(benchmark QUIET)
if(benchmark_FOUND)
  add_executable(bench_selfplay ${CMAKE_CURRENT_LIST_DIR}/bench_selfplay.cpp)
  target_link_libraries(bench_selfplay PRIVATE vandrel_selfplay benchmark::benchmark_main)
endif()
