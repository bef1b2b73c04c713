# Windows benchmarks: built with everything else, never run by ctest
# (scripts/bench runs them under Wine and prints the figures).
#   floor.exe          the least a program with a window costs, to compare with
#   startup-bench.exe  start-up time and peak memory of desk-sim.exe next to floor.exe
#   paint-bench.exe    full repaint of the desk with four cards, in process
#   click-bench.exe    time and register accesses per panel click, in process
#   class-bench.exe    paint time of each toolkit class against an empty window,
#                      and drags over the gallery's slider and knob, in process
#   standby-bench.exe  time from the resume message to the last card set, two
#                      and four cards, desk-sim.exe as its own process
#   reader-bench.exe   time of a screen reader's first and later questions to
#                      desk-sim.exe, from another process
#   setup-bench.exe    time from a `desk-sim.exe --setup NAME` start to the last
#                      card set, two and four cards, with a desk running and not
add_executable(floor WIN32 bench/floor/floor_win32.cpp)
target_compile_options(floor PRIVATE ${warnings})
target_link_libraries(floor PRIVATE user32 shell32 kernel32)

# It finds its programs the way the Windows tests find theirs.
add_executable(startup-bench bench/win32/startup_bench_win32.cpp tests/win32/support/desk_process.cpp)
target_include_directories(startup-bench PRIVATE tests/win32)
target_compile_options(startup-bench PRIVATE ${warnings})
target_link_libraries(startup-bench PRIVATE desk_app psapi shell32 shlwapi)
add_dependencies(startup-bench floor desk desk-sim)

add_executable(standby-bench bench/win32/standby_bench_win32.cpp tests/win32/support/desk_process.cpp)
target_include_directories(standby-bench PRIVATE tests/win32)
target_compile_options(standby-bench PRIVATE ${warnings})
target_link_libraries(standby-bench PRIVATE desk_app)
add_dependencies(standby-bench desk-sim)

add_executable(reader-bench bench/win32/reader_bench_win32.cpp tests/win32/support/desk_process.cpp)
target_include_directories(reader-bench PRIVATE tests/win32)
target_compile_options(reader-bench PRIVATE ${warnings})
target_link_libraries(reader-bench PRIVATE desk_app oleacc oleaut32 ole32)
add_dependencies(reader-bench desk-sim)

add_executable(setup-bench bench/win32/setup_bench_win32.cpp tests/win32/support/desk_process.cpp)
target_include_directories(setup-bench PRIVATE tests/win32)
target_compile_options(setup-bench PRIVATE ${warnings})
target_link_libraries(setup-bench PRIVATE desk_app shlwapi)
add_dependencies(setup-bench desk-sim)

add_library(bench_desk STATIC bench/win32/in_process_desk_win32.cpp)
target_include_directories(bench_desk PUBLIC tests/support)
target_compile_options(bench_desk PRIVATE ${warnings})
target_link_libraries(bench_desk PUBLIC desk_everything)

foreach(bench paint click)
  add_executable(${bench}-bench bench/win32/${bench}_bench_win32.cpp ${desk_resources})
  target_compile_options(${bench}-bench PRIVATE ${warnings})
  target_link_libraries(${bench}-bench PRIVATE bench_desk)
endforeach()

add_executable(class-bench bench/win32/class_paint_bench_win32.cpp ${desk_resources})
target_compile_options(class-bench PRIVATE ${warnings})
target_link_libraries(class-bench PRIVATE desk_everything)
