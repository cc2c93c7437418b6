# The Debian package: `cpack -G DEB` in the release build. It holds what the install rules
# install, under /usr; dpkg-shlibdeps works out the libraries it needs, and the packages that no
# library link shows are named here.
set(CPACK_PACKAGE_NAME kvt)
set(CPACK_PACKAGE_VENDOR "The kvt developers")
set(CPACK_PACKAGE_CONTACT "The kvt developers <kvt@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "kvt analyses the bond between a deformed reinforcing bar and the concrete"
  "around it when the bar is pulled out: from a local bond stress-slip law it"
  "marches along the embedded bar, step by step for a growing slip of the free"
  "end, and gives the slip, bar force and bond stress along the bar and the"
  "load-slip curve of the loaded end, in kgf and cm. The desktop program kvt"
  "shows each run with two live graphs; kvt-batch runs parameter files without"
  "a display.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded by Qt rather than linked: the X11 platform plugin and the SVG icon engine (the window
# icon). The windows are drawn with the IPA Gothic font.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libqt6svg6, fonts-ipafont-gothic")
# The Python package's module is built for one version of Debian's Python and hands its results
# over as pandas DataFrames; figures take matplotlib, a cluster Dask. The programs need none of
# them, so they are recommended and suggested rather than required.
if(KVT_PYTHON)
  math(EXPR nextPythonMinor "${Python3_VERSION_MINOR} + 1")
  set(python "python3 (>= ${Python3_VERSION_MAJOR}.${Python3_VERSION_MINOR})")
  string(APPEND python ", python3 (<< ${Python3_VERSION_MAJOR}.${nextPythonMinor})")
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "${python}, python3-pandas")
  set(CPACK_DEBIAN_PACKAGE_SUGGESTS "python3-matplotlib, python3-distributed")
endif()
include(CPack)
