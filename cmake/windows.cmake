# Windows build: desk.exe, desk-sim.exe and the Windows test programs, all
# linked statically so no MinGW DLL has to sit beside them.
enable_language(RC)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -I${CMAKE_SOURCE_DIR}/resources")
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
add_link_options(-static -static-libgcc -static-libstdc++)
# Release programs carry no symbols: the debugger has the RelWithDebInfo build.
add_link_options($<$<CONFIG:Release>:-s>)
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0501 WINVER=0x0501)

set(win_libs user32 gdi32 advapi32 shell32 kernel32)

file(GLOB win_sources CONFIGURE_DEPENDS
  src/app/*_win32.cpp src/card/*_win32.cpp src/panel/*_win32.cpp src/controls/*_win32.cpp)
list(FILTER win_sources EXCLUDE REGEX "_entry_win32\\.cpp$")
add_library(desk_win STATIC ${win_sources})
target_compile_options(desk_win PRIVATE ${warnings})
target_link_libraries(desk_win PUBLIC desk_core ${win_libs})

file(GLOB sim_win_sources CONFIGURE_DEPENDS src/sim/*_win32.cpp)
list(FILTER sim_win_sources EXCLUDE REGEX "_entry_win32\\.cpp$")
if(sim_win_sources)
  add_library(desk_sim_win STATIC ${sim_win_sources})
  target_compile_options(desk_sim_win PRIVATE ${warnings})
  target_link_libraries(desk_sim_win PUBLIC desk_win desk_sim_core)
else()
  add_library(desk_sim_win INTERFACE)
  target_link_libraries(desk_sim_win INTERFACE desk_win desk_sim_core)
endif()

# The resources are compiled once and linked into every program.
add_library(desk_rc OBJECT resources/desk.rc)
set(desk_resources $<TARGET_OBJECTS:desk_rc>)

add_executable(desk WIN32 src/app/desk_entry_win32.cpp ${desk_resources})
target_link_libraries(desk PRIVATE desk_win)

add_executable(desk-sim WIN32 src/sim/desk_sim_entry_win32.cpp ${desk_resources})
target_link_libraries(desk-sim PRIVATE desk_sim_win)

# GoogleTest for Windows, built from the sources Debian's googletest installs.
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

set(wine_run ${CMAKE_SOURCE_DIR}/scripts/wine-run)
file(GLOB win_tests CONFIGURE_DEPENDS tests/win32/*_test.cpp)
file(GLOB win_test_support CONFIGURE_DEPENDS tests/win32/support/*.cpp)
foreach(test_source ${win_tests})
  get_filename_component(test_name ${test_source} NAME_WE)
  add_executable(${test_name} ${test_source} ${win_test_support} ${desk_resources})
  target_include_directories(${test_name} PRIVATE tests/win32 resources)
  target_link_libraries(${test_name} PRIVATE desk_sim_win gtest gtest_main)
  add_test(NAME win.${test_name}
    COMMAND ${wine_run} --timeout 300 $<TARGET_FILE:${test_name}> --gtest_brief=1)
  # Tests under Wine share one prefix: one registry and one desktop.
  set_tests_properties(win.${test_name} PROPERTIES RESOURCE_LOCK wine_desktop)
endforeach()

# End-to-end scripts drive desk.exe and desk-sim.exe as real processes.
file(GLOB e2e_tests CONFIGURE_DEPENDS tests/e2e/*.sh)
foreach(script ${e2e_tests})
  get_filename_component(script_name ${script} NAME_WE)
  add_test(NAME e2e.${script_name} COMMAND bash ${script} ${CMAKE_BINARY_DIR}/bin)
  set_tests_properties(e2e.${script_name} PROPERTIES RESOURCE_LOCK wine_desktop)
endforeach()

# A console helper the end-to-end scripts use to look at the desk from outside.
add_executable(desk-probe tests/e2e/tools/desk_probe_win32.cpp)
target_link_libraries(desk-probe PRIVATE user32 advapi32)
include(cmake/bench.cmake)
include(cmake/reliability.cmake)
