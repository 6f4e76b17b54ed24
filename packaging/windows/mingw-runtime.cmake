# TALLOWIN_MINGW_RUNTIME_DLLS: the compiler's runtime DLLs that every MinGW-built program
# and Qt DLL loads. Qt's MinGW on Windows keeps them beside g++; Debian's MinGW-w64 in its
# library folders, where the compiler finds them.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(libgcc libgcc_s_seh-1.dll)
else()
  set(libgcc libgcc_s_dw2-1.dll)
endif()
get_filename_component(compiler_folder "${CMAKE_CXX_COMPILER}" DIRECTORY)
set(TALLOWIN_MINGW_RUNTIME_DLLS)
foreach(library ${libgcc} libstdc++-6.dll libwinpthread-1.dll)
  set(found "${compiler_folder}/${library}")
  if(NOT EXISTS "${found}")
    execute_process(COMMAND "${CMAKE_CXX_COMPILER}" -print-file-name=${library}
                    OUTPUT_VARIABLE found OUTPUT_STRIP_TRAILING_WHITESPACE)
  endif()
  if(NOT EXISTS "${found}")
    message(FATAL_ERROR "The compiler's runtime library ${library} was not found: "
      "install the compiler's runtime (on Debian: g++-mingw-w64-x86-64-posix)")
  endif()
  get_filename_component(found "${found}" REALPATH)
  list(APPEND TALLOWIN_MINGW_RUNTIME_DLLS "${found}")
endforeach()
