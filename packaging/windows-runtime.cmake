# Puts beside the installed Tallowin.exe what it needs on a machine without Qt or a
# compiler: the compiler's runtime libraries, then Qt's libraries, plugins and
# translations through Qt's deployment tool.

if(MSVC)
  set(CMAKE_INSTALL_SYSTEM_RUNTIME_DESTINATION ${CMAKE_INSTALL_BINDIR})
  include(InstallRequiredSystemLibraries)
elseif(MINGW)
  get_filename_component(compiler_folder "${CMAKE_CXX_COMPILER}" DIRECTORY)
  foreach(library libgcc_s_seh-1.dll libgcc_s_dw2-1.dll libstdc++-6.dll libwinpthread-1.dll)
    if(EXISTS "${compiler_folder}/${library}")
      install(FILES "${compiler_folder}/${library}" DESTINATION ${CMAKE_INSTALL_BINDIR})
    endif()
  endforeach()
endif()

if(TALLOWIN_QT_MAJOR EQUAL 5)
  get_target_property(qmake Qt5::qmake IMPORTED_LOCATION)
  get_filename_component(qt_tools_folder "${qmake}" DIRECTORY)
  find_program(TALLOWIN_WINDEPLOYQT windeployqt HINTS "${qt_tools_folder}" NO_DEFAULT_PATH)
  if(NOT TALLOWIN_WINDEPLOYQT)
    message(WARNING "windeployqt is not beside ${qmake}: the installed Tallowin.exe will need Qt on the PATH")
    return()
  endif()
  install(CODE "
    set(executable \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/$<TARGET_FILE_NAME:tallowin>\")
    execute_process(COMMAND \"${TALLOWIN_WINDEPLOYQT}\" --no-compiler-runtime \"\${executable}\"
                    RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
      message(FATAL_ERROR \"windeployqt failed on \${executable}: \${result}\")
    endif()")
elseif(COMMAND qt6_generate_deploy_app_script)
  # Qt 6.5 renamed the option that receives the script's file name.
  if(Qt6Core_VERSION VERSION_LESS 6.5)
    set(script_option FILENAME_VARIABLE)
  else()
    set(script_option OUTPUT_SCRIPT)
  endif()
  qt6_generate_deploy_app_script(TARGET tallowin ${script_option} deploy_script
    NO_UNSUPPORTED_PLATFORM_ERROR)
  install(SCRIPT "${deploy_script}")
else()
  message(WARNING "Qt ${Qt6Core_VERSION} has no deployment script (Qt 6.3 and later have one): "
    "run windeployqt on the installed Tallowin.exe by hand")
endif()
