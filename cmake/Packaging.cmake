# The Debian package: `cpack -G DEB` in a build configured with
# CMAKE_INSTALL_PREFIX=/usr (scripts/package.sh does both).
set(CPACK_PACKAGE_NAME padrix)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Padrix developers")
set(CPACK_PACKAGE_CONTACT "The Padrix developers <padrix@localhost.invalid>")
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# Libraries come from the binaries; Qt's platform and SVG icon plug-ins are
# loaded at run time and named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libqt6svg6")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "wine")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "game controller to keyboard and mouse mapper for emulators
Padrix sits in the desktop's notification area and turns the buttons and
directions of up to eight game controllers into key presses, and on request
mouse events, for the focused window, usually an emulator.
.
It knows the key layouts of Connectix Virtual Game Station and SNES9X, keeps
a custom key map per joypad and named profiles that load by window title,
and offers auto-fire, held keys, M-button combinations, a mouse mode, rumble
and screenshots. Events go through XTest on X11 and through uinput on
Wayland.
.
The package holds the program, padrix-joytest (shows what the controllers
report), manual pages, a desktop entry, the AppStream metainfo for software
centres, the icon, a udev rule for uinput access and interface languages
(English, German, French, Spanish).")

set(CPACK_GENERATOR DEB)
include(CPack)
