# Shared by both mingw-w64 toolchains. The posix thread model gives the full
# C++17 library; everything is linked statically so the binaries import only
# Windows system DLLs.
set(CMAKE_C_COMPILER ${GANTRIX_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${GANTRIX_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${GANTRIX_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${GANTRIX_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
