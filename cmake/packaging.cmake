# SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
#
# SPDX-License-Identifier: MIT

# The Debian package: `cpack -G DEB` in the build folder writes vexo-t58_<version>-1_<arch>.deb.
# Everything `cmake --install` installs goes in, under /usr; the dependencies come from the
# binaries (dpkg-shlibdeps, from dpkg-dev).

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vexo-t58)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "VEXO T58 utility developers")
set(CPACK_PACKAGE_CONTACT "VEXO T58 utility developers <vexo-t58@vexo-gaming.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "configuration utility for the VEXO T58 gaming mouse")
set(CPACK_PACKAGE_DESCRIPTION
  "Sets what each button of the VEXO T58 wired USB gaming mouse does in its
two modes, the DPI stages with their colours, the report rate and the
lighting; records keyboard macros and stores them in the mouse; changes the
desktop's pointer speed, wheel and double-click settings. It lives in the
notification area and tells the user when the mouse changes by itself or is
plugged in or out. Includes skins, three interface languages, the
command-line tool vexoctl and the udev rule that lets the logged-in user
open the mouse.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.vexo-gaming.example/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt finds its platform plugins at run time, so no library dependency names them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
# The faces the interface asks for (Arial, Tahoma) have metric-compatible stand-ins there; without
# Qt's Wayland platform a Wayland session runs the window under XWayland.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation2, fonts-dejavu-core, qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "fonts-noto-cjk")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
  ${PROJECT_SOURCE_DIR}/data/debian/postinst
  ${PROJECT_SOURCE_DIR}/data/debian/postrm
  ${PROJECT_SOURCE_DIR}/data/debian/conffiles)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
