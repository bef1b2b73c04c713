# The Windows GoogleTest programs (build/win32-tests), one per
# tests/win32/*_test.cpp, each run under Wine by ctest.

# GoogleTest for Windows, built from the sources Debian's googletest installs.
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# Tests that start the desk as a process start the programs as they ship,
# from the other tree's bin folder, seen from Wine through its Z: drive.
set(DESK_SHIPPED_BIN "${CMAKE_SOURCE_DIR}/build/win32/bin" CACHE PATH "Folder of the shipped programs")
string(REPLACE "/" "\\\\" shipped_folder "Z:${DESK_SHIPPED_BIN}/")

file(GLOB win_test_support CONFIGURE_DEPENDS tests/win32/support/*.cpp)
add_library(win_test_support STATIC ${win_test_support})
target_include_directories(win_test_support PUBLIC tests/win32 tests/support)
target_compile_definitions(win_test_support PRIVATE "DESK_SHIPPED_PROGRAMS=\"${shipped_folder}\"")
target_compile_options(win_test_support PRIVATE ${warnings})
target_link_libraries(win_test_support PUBLIC desk_everything gtest shlwapi oleacc oleaut32 ole32)

set(wine_run ${CMAKE_SOURCE_DIR}/scripts/wine-run)
file(GLOB win_tests CONFIGURE_DEPENDS tests/win32/*_test.cpp)
foreach(test_source ${win_tests})
  get_filename_component(test_name ${test_source} NAME_WE)
  add_executable(${test_name} ${test_source} ${desk_resources})
  target_link_libraries(${test_name} PRIVATE win_test_support gtest gtest_main)
  add_test(NAME win.${test_name}
    COMMAND ${wine_run} --timeout 300 $<TARGET_FILE:${test_name}> --gtest_brief=1)
  # Tests under Wine share one prefix: one registry and one desktop.
  set_tests_properties(win.${test_name} PROPERTIES RESOURCE_LOCK wine_desktop)
endforeach()
