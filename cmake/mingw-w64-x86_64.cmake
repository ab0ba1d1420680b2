# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (the posix thread model, for
# std::thread and std::mutex), linked statically so that every .exe runs on its own. The
# programs and tests run under Wine. The windows preset optimises with -O2, as the Linux builds
# do: at -O3 this GCC reports overlapping copies inside std::string (-Wrestrict) that the code
# does not make.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(KORVEL_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${KORVEL_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KORVEL_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${KORVEL_MINGW}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${KORVEL_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
