# Cross-builds for 64-bit Windows with Debian's MinGW-w64 (POSIX threads). Pass the Windows
# Qt as CMAKE_PREFIX_PATH; the test programs run under Wine through qtest-under-wine.sh.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TALLOWIN_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TALLOWIN_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TALLOWIN_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${TALLOWIN_MINGW_TRIPLET}-windres)

# Libraries, headers and packages from the MinGW sysroot and the Windows Qt only;
# programs (Qt's moc, uic and rcc are Linux programs in the kit) from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${TALLOWIN_MINGW_TRIPLET} ${CMAKE_PREFIX_PATH})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/qtest-under-wine.sh)
