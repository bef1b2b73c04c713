# Native build: the portable core and its tests under AddressSanitizer and
# UBSan, plus the benchmarks.
set(sanitizers -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
option(DESK_SANITIZE "Build the native core under ASan and UBSan" ON)
if(DESK_SANITIZE)
  foreach(subsystem ${desk_subsystems})
    target_compile_options(${subsystem} PRIVATE ${sanitizers})
  endforeach()
endif()

find_package(GTest REQUIRED)
find_package(Threads REQUIRED)
find_package(rapidcheck REQUIRED)

file(GLOB native_tests CONFIGURE_DEPENDS tests/native/*.cpp)
add_executable(native_tests ${native_tests})
target_include_directories(native_tests PRIVATE tests/native tests/support)
target_compile_definitions(native_tests PRIVATE DESK_SKIN_FOLDER="${CMAKE_SOURCE_DIR}/resources/skin")
target_compile_options(native_tests PRIVATE ${warnings})
target_link_libraries(native_tests PRIVATE desk_everything rapidcheck GTest::gtest GTest::gtest_main Threads::Threads)
if(DESK_SANITIZE)
  target_compile_options(native_tests PRIVATE ${sanitizers})
  target_link_options(native_tests PRIVATE ${sanitizers})
endif()
add_test(NAME native COMMAND native_tests --gtest_brief=1)

# The card operations' benchmark, only in a tree without the sanitizers
# (scripts/count-register-accesses and scripts/bench build one).
find_package(benchmark QUIET)
if(benchmark_FOUND AND NOT DESK_SANITIZE)
  add_executable(card_bench bench/card_bench.cpp)
  target_include_directories(card_bench PRIVATE tests/native tests/support)
  target_link_libraries(card_bench PRIVATE desk_everything benchmark::benchmark Threads::Threads)
endif()

include(cmake/fuzz.cmake)
