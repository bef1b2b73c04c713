# Reliability figures: fault-click-bench.exe, the time one panel click holds
# the desk's interface with an absent external unit or a stuck port bridge.
# Built with everything else, never run by ctest (scripts/fault-bench runs it
# under Wine and prints the figures).
add_executable(fault-click-bench bench/win32/fault_click_bench_win32.cpp ${desk_resources})
target_compile_options(fault-click-bench PRIVATE ${warnings})
target_link_libraries(fault-click-bench PRIVATE bench_desk)
