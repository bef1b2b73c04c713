# Windows builds, in two trees that share this file:
#   build/win32        toolchain mingw-i686-win32.cmake: the programs that ship
#                      (desk.exe, desk-sim.exe, gallery.exe) with desk-probe.exe and
#                      the benchmarks, all in build/win32/bin/; its ctest runs
#                      the import check and the end-to-end scripts.
#   build/win32-tests  toolchain mingw-i686.cmake, DESK_WINDOWS_TESTS=ON: the
#                      GoogleTest programs, run under Wine by its ctest. Those
#                      that start the desk as a process start the shipped one.
# Everything is linked statically so no MinGW DLL has to sit beside it.
option(DESK_WINDOWS_TESTS "Build the GoogleTest programs (posix-thread toolchain)" OFF)

enable_language(RC)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -I${CMAKE_SOURCE_DIR}/resources")
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
add_link_options(-static -static-libgcc -static-libstdc++)
# Release programs carry no symbols: the debugger has the RelWithDebInfo build.
add_link_options($<$<CONFIG:Release>:-s>)
# Sections aligned at 4 KB in the file, as in memory: the loader then maps the
# image's pages from the file as they are touched (Windows 98 pages them
# straight from the file cache), where at the usual 512 bytes it must read the
# whole image into private memory that stays resident. The desk sits in the
# tray all day; resident memory counts for more than the 30 KB the file grows.
add_link_options(-Wl,--file-alignment,4096)
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0501 WINVER=0x0501)
include_directories(${CMAKE_SOURCE_DIR}/resources)

# Every subsystem may call the system DLLs the desk uses.
set(win_libs user32 gdi32 advapi32 shell32 kernel32 uuid)
foreach(subsystem ${desk_subsystems})
  target_link_libraries(${subsystem} PUBLIC ${win_libs})
endforeach()

# Code the user waits on only once in a while (a file of setups read or
# written, the options explained) is built for size: it would otherwise cost
# desk.exe a tenth of its bytes.
set_source_files_properties(src/settings/setups_file.cpp src/settings/setups_transfer.cpp
                            src/app/setups_transfer_win32.cpp PROPERTIES COMPILE_OPTIONS -Os)

# The resources are compiled once and linked into every program.
add_library(desk_rc OBJECT resources/desk.rc)
set(desk_resources $<TARGET_OBJECTS:desk_rc>)

if(DESK_WINDOWS_TESTS)
  include(cmake/windows_tests.cmake)
  return()
endif()

add_executable(desk WIN32 src/app/desk_entry_win32.cpp ${desk_resources})
target_link_libraries(desk PRIVATE desk_app)

add_executable(desk-sim WIN32 src/sim/desk_sim_entry_win32.cpp ${desk_resources})
target_link_libraries(desk-sim PRIVATE desk_sim)

add_executable(gallery WIN32 src/gallery/gallery_entry_win32.cpp ${desk_resources})
target_link_libraries(gallery PRIVATE desk_gallery)

# The programs that ship import only what Windows 98 exports.
set(shipped_programs desk desk-sim gallery)
set(import_allow_list ${CMAKE_SOURCE_DIR}/tests/imports/win98-imports.txt)
foreach(program ${shipped_programs})
  add_test(NAME imports.${program}
    COMMAND bash ${CMAKE_SOURCE_DIR}/tests/imports/check-imports.sh $<TARGET_FILE:${program}> ${import_allow_list})
endforeach()

# End-to-end scripts drive the shipped programs as real processes. Those
# that take the program run twice: on desk-sim.exe, and as .desk on desk.exe
# with the card driver's stand-in (below).
file(GLOB e2e_tests CONFIGURE_DEPENDS tests/e2e/*.sh)
set(e2e_on_both panel_clicks panel_keys standby setups tour)
foreach(script ${e2e_tests})
  get_filename_component(script_name ${script} NAME_WE)
  add_test(NAME e2e.${script_name} COMMAND bash ${script} ${CMAKE_BINARY_DIR}/bin)
  set_tests_properties(e2e.${script_name} PROPERTIES RESOURCE_LOCK wine_desktop)
  if(script_name IN_LIST e2e_on_both)
    set(program_arguments desk.exe)
    if(script_name STREQUAL tour)
      set(program_arguments ${CMAKE_BINARY_DIR}/tour-desk desk.exe)
    endif()
    add_test(NAME e2e.${script_name}.desk COMMAND bash ${script} ${CMAKE_BINARY_DIR}/bin ${program_arguments})
    set_tests_properties(e2e.${script_name}.desk PROPERTIES RESOURCE_LOCK wine_desktop)
  endif()
endforeach()

# A console helper the end-to-end scripts use to look at the desk from outside.
add_executable(desk-probe tests/e2e/tools/desk_probe_win32.cpp)
target_link_libraries(desk-probe PRIVATE user32 advapi32 shell32 shlwapi)
include(cmake/bench.cmake)
include(cmake/reliability.cmake)

# The card driver's stand-in, ta24vxd.vxd: a DLL for the end-to-end runs of
# desk.exe, never shipped, packaged or installed. It goes into a folder of
# its own, build/win32/standin, beside a byte-for-byte copy of desk.exe: Wine
# loads it from the program's folder, and the desk.exe runs that must find no
# driver (the setup's, the single desk's) keep running build/win32/bin's.
set(standin_dir ${CMAKE_BINARY_DIR}/standin)
add_library(ta24vxd SHARED tests/standin/ta24vxd_entry_win32.cpp tests/standin/register_trap_win32.cpp
                           tests/standin/driver_events_win32.cpp tests/standin/ta24vxd.def)
set_target_properties(ta24vxd PROPERTIES PREFIX "" SUFFIX .vxd RUNTIME_OUTPUT_DIRECTORY ${standin_dir})
target_compile_options(ta24vxd PRIVATE ${warnings})
target_link_libraries(ta24vxd PRIVATE desk_sim)
add_custom_command(OUTPUT ${standin_dir}/desk.exe COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:desk> ${standin_dir}/desk.exe
                   DEPENDS desk)
add_custom_target(standin-desk ALL DEPENDS ${standin_dir}/desk.exe ta24vxd)
