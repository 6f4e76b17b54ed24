# Puts beside the installed Tallowin.exe exactly what it loads on a machine without Qt or
# a compiler: the compiler's runtime, Qt's three libraries, the plugins it needs and the
# toolkit's catalogues, with a qt.conf that points Qt at them.

if(MSVC)
  set(CMAKE_INSTALL_SYSTEM_RUNTIME_DESTINATION ${TALLOWIN_WINDOWS_DIR})
  include(InstallRequiredSystemLibraries)
elseif(MINGW)
  install(FILES ${TALLOWIN_MINGW_RUNTIME_DLLS} DESTINATION ${TALLOWIN_WINDOWS_DIR})
  if(CMAKE_STRIP)
    # Debian ships them with their debugging information: libstdc++ alone is 23 MB.
    foreach(library ${TALLOWIN_MINGW_RUNTIME_DLLS})
      get_filename_component(name "${library}" NAME)
      install(CODE "execute_process(COMMAND \"${CMAKE_STRIP}\" --strip-unneeded
        \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${TALLOWIN_WINDOWS_DIR}/${name}\" COMMAND_ERROR_IS_FATAL ANY)")
    endforeach()
  endif()
endif()

if(TALLOWIN_QT_MAJOR EQUAL 5)
  # The platform, the native look, and the .ico reader for Logo.ico.
  set(plugins Qt5::QWindowsIntegrationPlugin Qt5::QWindowsVistaStylePlugin Qt5::QICOPlugin)
  foreach(target Qt5::Core Qt5::Gui Qt5::Widgets ${plugins})
    if(NOT TARGET ${target})
      message(FATAL_ERROR "This Qt has no ${target}, which the Windows program needs")
    endif()
  endforeach()
  install(FILES $<TARGET_FILE:Qt5::Core> $<TARGET_FILE:Qt5::Gui> $<TARGET_FILE:Qt5::Widgets>
    DESTINATION ${TALLOWIN_WINDOWS_DIR})
  install(FILES $<TARGET_FILE:Qt5::QWindowsIntegrationPlugin> DESTINATION ${TALLOWIN_WINDOWS_DIR}/platforms)
  install(FILES $<TARGET_FILE:Qt5::QWindowsVistaStylePlugin> DESTINATION ${TALLOWIN_WINDOWS_DIR}/styles)
  install(FILES $<TARGET_FILE:Qt5::QICOPlugin> DESTINATION ${TALLOWIN_WINDOWS_DIR}/imageformats)

  # qt_<language>.qm only names the module catalogues and fails to load without them.
  get_filename_component(qt_prefix "${Qt5_DIR}/../../.." ABSOLUTE)
  file(GLOB catalogues "${qt_prefix}/translations/qt_*.qm" "${qt_prefix}/translations/qtbase_*.qm"
    "${qt_prefix}/translations/qtscript_*.qm" "${qt_prefix}/translations/qtmultimedia_*.qm"
    "${qt_prefix}/translations/qtxmlpatterns_*.qm")
  list(FILTER catalogues EXCLUDE REGEX "/qt_help_")
  if(NOT catalogues)
    message(WARNING "No catalogues in ${qt_prefix}/translations: the toolkit's texts stay in English")
  endif()
  install(FILES ${catalogues} DESTINATION ${TALLOWIN_WINDOWS_DIR}/translations)
  # Without it QLibraryInfo places the translations beside the folder that holds Qt5Core.dll.
  install(FILES qt.conf DESTINATION ${TALLOWIN_WINDOWS_DIR})
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
