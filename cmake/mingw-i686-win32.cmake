# 32-bit Windows with Debian's MinGW-w64, win32 thread model: the programs
# that ship (desk.exe, desk-sim.exe, gallery.exe) and the benchmarks. This
# runtime imports nothing that Windows 98 lacks; it has no C++ standard
# threads, so the programs use the Win32 API for their one extra thread.
set(DESK_MINGW_THREADS win32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-i686-common.cmake)
