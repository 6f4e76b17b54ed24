# Cross-built from Linux: the test programs run under Wine (the toolchain's emulator) with
# the Windows Qt's and the compiler's DLLs on Wine's path, and the deployed folder is checked.
get_filename_component(qt_bin "${Qt5_DIR}/../../../bin" ABSOLUTE)
set(dll_folders "${qt_bin}")
foreach(library ${TALLOWIN_MINGW_RUNTIME_DLLS})
  get_filename_component(folder "${library}" DIRECTORY)
  list(APPEND dll_folders "${folder}")
endforeach()
list(REMOVE_DUPLICATES dll_folders)
string(REPLACE ";" ":" dll_folders "${dll_folders}")
set_property(GLOBAL APPEND PROPERTY TALLOWIN_TEST_ENVIRONMENT "TALLOWIN_WINE_DLL_PATH=${dll_folders}")

# Installs the program into a scratch folder and checks that every DLL it or a plugin
# imports is there or is part of Windows, then reads the French catalogues from there.
add_test(NAME deployment COMMAND bash ${PROJECT_SOURCE_DIR}/packaging/windows/check-deployment.sh
  ${PROJECT_BINARY_DIR} ${CMAKE_OBJDUMP} ${qt_bin})
set_tests_properties(deployment PROPERTIES ENVIRONMENT "TALLOWIN_WINE_DLL_PATH=${dll_folders}")
