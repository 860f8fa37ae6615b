# `cpack` after a build: a Debian package on Linux, an installer on Windows.
set(CPACK_PACKAGE_NAME tavrel-macro-creator)
set(CPACK_PACKAGE_VENDOR "Tavrel")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${MC_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor of Orvella infusion pump macro files")
# Lines under 80 characters: Debian shows the description as it stands.
set(CPACK_PACKAGE_DESCRIPTION [[
Tavrel Macro Creator is a desktop tool for hospital biomedical technicians.
It builds, opens, checks, prints for signature and saves the macro files
that the Tavrel pump communication product replays to Orvella infusion
pumps: the drug libraries of the 510 pump (releases 041 and 036), the drug
library of the US pump, and the settings and therapy protocols of the
ambulatory PCA and epidural pumps.
The command-line program tavrel-macro checks, compares and prints macro
files without a display.]])
set(CPACK_PACKAGE_INSTALL_DIRECTORY "Tavrel Macro Creator")
set(CPACK_STRIP_FILES ON)

if(WIN32)
  set(CPACK_GENERATOR NSIS)
  set(CPACK_NSIS_DISPLAY_NAME "Tavrel Macro Creator")
  set(CPACK_NSIS_PACKAGE_NAME "Tavrel Macro Creator ${PROJECT_VERSION}")
  set(CPACK_NSIS_INSTALLED_ICON_NAME bin\\\\tavrel-macro-creator.exe)
  set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
  # The Start menu shortcut starts in the documents folder's "Tavrel Macros".
  set(CPACK_NSIS_CREATE_ICONS_EXTRA
    "CreateShortCut '$SMPROGRAMS\\\\$STARTMENU_FOLDER\\\\Tavrel Macro Creator.lnk' '$INSTDIR\\\\bin\\\\tavrel-macro-creator.exe' '--documents-folder'")
  set(CPACK_NSIS_DELETE_ICONS_EXTRA "Delete '$SMPROGRAMS\\\\$START_MENU\\\\Tavrel Macro Creator.lnk'")
else()
  set(CPACK_GENERATOR DEB)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION misc)
  set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
  # Depends: the packages of the libraries the programs actually link.
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  # Printing lines its columns up in the Liberation fonts.
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2")
endif()

include(CPack)
