# `cpack -G DEB` in the build folder makes tallowin_<version>_<arch>.deb, installed under /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tallowin)
set(CPACK_PACKAGE_VENDOR "The Tallowin developers")
set(CPACK_PACKAGE_CONTACT "The Tallowin developers <developers@tallowin.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "part configuration generator for add-on part authors")
set(CPACK_PACKAGE_DESCRIPTION "Tallowin is a small form for authors of add-on parts for a\n\
spacecraft-building game. It writes the complete configuration text of one\n\
part and puts it on the clipboard, ready to paste into the part's file.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://tallowin.org/)
# dpkg-shlibdeps adds the Qt libraries the executable links; hicolor's index.theme
# is what makes the installed icons a theme icon; fonts-wine holds the Tahoma
# that the form's fixed layout was made for.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "hicolor-icon-theme, fonts-wine")
# The toolkit's own texts (dialog buttons) in the user's language.
if(TALLOWIN_QT_MAJOR EQUAL 6)
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-translations-l10n)
else()
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qttranslations5-l10n)
endif()

include(CPack)
