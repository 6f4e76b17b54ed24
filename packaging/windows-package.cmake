# `cpack` in the build folder makes, from the installed folder:
#   Tallowin-<version>-win64.zip        a portable folder, Tallowin.exe at its top;
#   Tallowin-<version>-win64-setup.exe  an installer for Program Files, with a Start-menu
#                                       shortcut, an uninstaller and an entry among the
#                                       installed programs; /S installs silently.
set(CPACK_GENERATOR ZIP NSIS)
set(CPACK_PACKAGE_NAME Tallowin)
set(CPACK_PACKAGE_VENDOR "The Tallowin developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Part configuration generator for add-on part authors")
set(CPACK_PACKAGE_FILE_NAME Tallowin-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY Tallowin)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Tallowin)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
# The setup gets its own name; the ZIP keeps the folder's.
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/windows/cpack-options.cmake)

set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
if(CMAKE_HOST_UNIX)
  # A 64-bit installer: a 32-bit one cannot run where only 64-bit programs can (a 64-bit Wine).
  set(CPACK_NSIS_EXECUTABLE ${CMAKE_CURRENT_LIST_DIR}/windows/makensis-amd64.sh)
endif()
set(CPACK_NSIS_PACKAGE_NAME Tallowin)
set(CPACK_NSIS_DISPLAY_NAME Tallowin)
set(CPACK_NSIS_MUI_ICON ${PROJECT_SOURCE_DIR}/resources/Logo.ico)
set(CPACK_NSIS_MUI_UNIICON ${PROJECT_SOURCE_DIR}/resources/Logo.ico)
set(CPACK_NSIS_INSTALLED_ICON_NAME Tallowin.exe)
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
# The shortcut starts the program in the install folder, where the window finds Logo.ico.
set(CPACK_NSIS_CREATE_ICONS_EXTRA "SetOutPath \"$INSTDIR\"
  CreateShortCut \"$SMPROGRAMS\\$STARTMENU_FOLDER\\Tallowin.lnk\" \"$INSTDIR\\Tallowin.exe\"")
set(CPACK_NSIS_DELETE_ICONS_EXTRA "Delete \"$SMPROGRAMS\\$MUI_TEMP\\Tallowin.lnk\"")
set(CPACK_VERBATIM_VARIABLES ON)

include(CPack)
