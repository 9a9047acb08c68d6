# Cross build of horune.exe with Debian's MinGW-w64 compiler (POSIX threads,
# so std::thread and std::mutex exist). Everything links statically: the
# program a host user copies into a folder runs with no DLL beside it.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(HORUNE_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${HORUNE_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${HORUNE_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${HORUNE_MINGW}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${HORUNE_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Test programs run under Wine through the wrapper that owns the prefix.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine)

# -O2 as the Linux build has it; GCC 12's -O3 warns falsely of overlapping
# copies inside std::string (-Wrestrict), which fails a build with -Werror.
set(CMAKE_CXX_FLAGS_RELEASE "-O2 -DNDEBUG" CACHE STRING "Release flags of the cross build")
