# 32-bit Windows with Debian's MinGW-w64, posix thread model: the Windows
# test programs (GoogleTest needs the C++ standard threads that only this
# variant of the runtime has). Its runtime imports functions that Windows 9x
# lacks, so no program that ships is built with it (mingw-i686-win32.cmake).
set(DESK_MINGW_THREADS posix)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-i686-common.cmake)
