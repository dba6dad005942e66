# Cross build for 32-bit x86 Windows with Debian's mingw-w64 (cmake/mingw-w64.cmake); its built
# programs need wine's 32-bit side to run.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(mingw_prefix i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
