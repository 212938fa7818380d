# The Debian package: "cpack -G DEB" in a build tree (tools/package.sh does
# the whole of it). The version is the project's; the dependencies are
# computed from the binaries by dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kivo)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "KIVO developers")
set(CPACK_PACKAGE_CONTACT "KIVO developers <kivo@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "training simulator for industrial process control")
# The long description; CPack puts the summary above it and indents it.
set(CPACK_PACKAGE_DESCRIPTION
    "Students and teachers lay out a small plant on a picture, configure
processes, PID controllers, calculation blocks and signal generators,
watch the loops on faceplates and trends, run hours of plant time in
seconds, compare performance indices and tune loops with the tuning
assistant. Ships 22 example plants and exercises graded over a class.

Includes kivo-batch, the headless companion for fast runs, step tests,
tuning and grading.")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt loads its display plugins at run time, which no binary links against,
# so this one dependency cannot be computed: without it the program has no
# window on a desktop.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
include(CPack)
