# Native build: the portable core and its tests under AddressSanitizer and
# UBSan, plus the benchmarks.
set(sanitizers -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
option(DESK_SANITIZE "Build the native core under ASan and UBSan" ON)
if(DESK_SANITIZE)
  target_compile_options(desk_core PRIVATE ${sanitizers})
  target_compile_options(desk_sim_core PRIVATE ${sanitizers})
endif()

find_package(GTest REQUIRED)
find_package(Threads REQUIRED)

file(GLOB native_tests CONFIGURE_DEPENDS tests/native/*.cpp)
add_executable(native_tests ${native_tests})
target_include_directories(native_tests PRIVATE tests/native)
target_compile_options(native_tests PRIVATE ${warnings})
target_link_libraries(native_tests PRIVATE desk_sim_core desk_core GTest::gtest GTest::gtest_main Threads::Threads)
if(DESK_SANITIZE)
  target_compile_options(native_tests PRIVATE ${sanitizers})
  target_link_options(native_tests PRIVATE ${sanitizers})
endif()
add_test(NAME native COMMAND native_tests --gtest_brief=1)

# Benchmarks only in a tree without the sanitizers (scripts/bench builds one).
find_package(benchmark QUIET)
file(GLOB bench_sources CONFIGURE_DEPENDS bench/native/*.cpp)
if(benchmark_FOUND AND bench_sources AND NOT DESK_SANITIZE)
  add_executable(native_bench ${bench_sources})
  target_include_directories(native_bench PRIVATE tests/native)
  target_link_libraries(native_bench PRIVATE desk_sim_core desk_core benchmark::benchmark Threads::Threads)
endif()

include(cmake/fuzz.cmake)
