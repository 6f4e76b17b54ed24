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
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/cpack-options.cmake)

set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
if(CMAKE_HOST_UNIX)
  # A 64-bit installer: a 32-bit one cannot run where only 64-bit programs can (a 64-bit Wine).
  set(CPACK_NSIS_EXECUTABLE ${CMAKE_CURRENT_LIST_DIR}/makensis-amd64.sh)
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

# CPACK_NSIS_DEFINES goes at the top of CPack's script, before the pages. In it:
# "Tallowin <version>" at the foot of the pages, where NSIS would show its own name
# (CPACK_NSIS_BRANDING_TEXT always adds /TRIM, which makensis refuses off Windows), and
# the setup's own version information (Properties, Details).
set(CPACK_NSIS_DEFINES "!include FileFunc.nsh
BrandingText \"Tallowin ${PROJECT_VERSION}\"
VIProductVersion ${PROJECT_VERSION}.0
VIFileVersion ${PROJECT_VERSION}.0
VIAddVersionKey /LANG=1033 ProductName \"Tallowin\"
VIAddVersionKey /LANG=1033 ProductVersion \"${PROJECT_VERSION}\"
VIAddVersionKey /LANG=1033 FileVersion \"${PROJECT_VERSION}\"
VIAddVersionKey /LANG=1033 CompanyName \"${CPACK_PACKAGE_VENDOR}\"
VIAddVersionKey /LANG=1033 FileDescription \"Tallowin setup\"
VIAddVersionKey /LANG=1033 LegalCopyright \"Copyright (C) 2026 the Tallowin developers, MIT License\"
VIAddVersionKey /LANG=1033 OriginalFilename \"${CPACK_PACKAGE_FILE_NAME}-setup.exe\"")
# The last page's box, ticked, starts Tallowin in the install folder, where the window
# finds Logo.ico. /S shows no page, so it starts nothing.
string(APPEND CPACK_NSIS_DEFINES "
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_FUNCTION StartTallowin
Function StartTallowin
  SetOutPath \"$INSTDIR\"
  Exec '\"$INSTDIR\\Tallowin.exe\"'
FunctionEnd")
# The uninstaller runs from a copy in a folder of its own under Temp, which it cannot
# remove while it runs: Windows removes it at its next start.
string(APPEND CPACK_NSIS_DEFINES "
Function un.onUninstSuccess
  StrCmp \"$EXEDIR\" \"$INSTDIR\" +2
    RMDir /REBOOTOK \"$EXEDIR\"
FunctionEnd")

# The entry among the installed programs: where, how large (in KB), and numbers where
# Windows reads numbers (CPack writes NoModify and NoRepair as text).
set(uninstall_key "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\${CPACK_PACKAGE_INSTALL_REGISTRY_KEY}")
set(CPACK_NSIS_EXTRA_INSTALL_COMMANDS "WriteRegStr SHCTX \"${uninstall_key}\" InstallLocation \"$INSTDIR\"
  WriteRegDWORD SHCTX \"${uninstall_key}\" NoModify 1
  WriteRegDWORD SHCTX \"${uninstall_key}\" NoRepair 1
  \${GetSize} \"$INSTDIR\" \"/S=0K\" $0 $1 $2
  WriteRegDWORD SHCTX \"${uninstall_key}\" EstimatedSize $0")
# Tallowin in the "Ouvrir avec" list of .cfg files, as a program that can open them, not as
# their default: a ProgID of its own, named among the type's OpenWithProgids. The shell is
# told that associations changed.
set(progid_key "Software\\Classes\\Tallowin.PartFile")
set(open_with_key "Software\\Classes\\.cfg\\OpenWithProgids")
string(APPEND CPACK_NSIS_EXTRA_INSTALL_COMMANDS "
  WriteRegStr SHCTX \"${progid_key}\" \"\" \"Configuration de pièce\"
  WriteRegStr SHCTX \"${progid_key}\\DefaultIcon\" \"\" \"$INSTDIR\\Tallowin.exe,0\"
  WriteRegStr SHCTX \"${progid_key}\\shell\\open\\command\" \"\" '\"$INSTDIR\\Tallowin.exe\" \"%1\"'
  WriteRegStr SHCTX \"${open_with_key}\" Tallowin.PartFile \"\"
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'")
set(CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS "DeleteRegKey SHCTX \"${progid_key}\"
  DeleteRegValue SHCTX \"${open_with_key}\" Tallowin.PartFile
  DeleteRegKey /ifempty SHCTX \"${open_with_key}\"
  DeleteRegKey /ifempty SHCTX \"Software\\Classes\\.cfg\"
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
")

# CPack deletes the program's key under the publisher's, later in the uninstaller, but
# leaves the publisher's key behind, empty: delete the program's here, then the publisher's.
set(vendor_key "Software\\${CPACK_PACKAGE_VENDOR}")
string(APPEND CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS
  "DeleteRegKey SHCTX \"${vendor_key}\\${CPACK_PACKAGE_INSTALL_REGISTRY_KEY}\"
  DeleteRegKey /ifempty SHCTX \"${vendor_key}\"")
set(CPACK_VERBATIM_VARIABLES ON)

include(CPack)
