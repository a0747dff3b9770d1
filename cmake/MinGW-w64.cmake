# Cross-compiles for 64-bit Windows with Debian's MinGW-w64 (g++-mingw-w64-x86-64-posix, whose POSIX
# thread model gives std::thread and std::mutex). Tests and the tool run through the emulator (Wine).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(kw24_mingw x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${kw24_mingw}-gcc-posix)
set(CMAKE_CXX_COMPILER ${kw24_mingw}-g++-posix)
set(CMAKE_RC_COMPILER ${kw24_mingw}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${kw24_mingw})
# Programs are the build machine's; libraries and headers the target's (cmake/CrossDependencies.cmake
# brings in the few that come as sources or headers only).
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# The runtime libraries go into every program, so they run under Wine and from the zip without DLLs
# beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
if(NOT CMAKE_CROSSCOMPILING_EMULATOR)
  find_program(kw24_wine NAMES wine wine64)
  if(kw24_wine)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${kw24_wine})
  endif()
endif()
