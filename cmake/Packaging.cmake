# `make package` (cpack -G DEB in the build folder): a Debian package of what
# the install rules install, under /usr. Its dependencies are the libraries
# the program and the web-view module link, as dpkg-shlibdeps finds them.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME boxwright)
set(CPACK_PACKAGE_VENDOR "The Boxwright developers")
set(CPACK_PACKAGE_CONTACT "The Boxwright developers <boxwright@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "message-box dialogs written as VBScript")
set(CPACK_PACKAGE_DESCRIPTION
    "Boxwright builds message-box dialogs as VBScript: a title, a body, one of four icons, one of six button sets and up to three follow-up boxes. It previews them, writes .vbs (code page 932, CR LF) and .htm files, and reads its own .vbs files back.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${BOXWRIGHT_HOME_URL})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's own dialogs in Japanese, and a font with Japanese characters.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, fonts-noto-cjk")
include(CPack)
