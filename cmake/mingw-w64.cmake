# Cross-builds the Windows program with Debian's MinGW-w64 (x86_64):
#   cmake -S . -B build-win -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake
# The posix-thread compilers, because the win32-thread ones have no
# std::thread or std::mutex.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TAILCHIME_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TAILCHIME_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TAILCHIME_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${TAILCHIME_MINGW_PREFIX}-windres)
set(TAILCHIME_WIDL ${TAILCHIME_MINGW_PREFIX}-widl)

set(CMAKE_FIND_ROOT_PATH /usr/${TAILCHIME_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# One self-contained .exe: no MinGW runtime DLLs to ship beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# -O3 makes GCC 12 warn wrongly (-Wrestrict) about joining literal and
# std::string; -O2 is what the Linux build uses too.
set(CMAKE_CXX_FLAGS_RELEASE "-O2 -DNDEBUG" CACHE STRING "Flags of the Release build")
