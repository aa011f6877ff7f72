# The Debian package marvessa_VERSION_ARCH.deb, made by scripts/package.sh with CPack from the
# installation above, under /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME marvessa)
set(CPACK_PACKAGE_VENDOR "Marvessa")
set(CPACK_PACKAGE_CONTACT "Marvessa <support@marvessa.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "collects business contact e-mail addresses from the web")
set(CPACK_PACKAGE_DESCRIPTION "Marvessa queries the search engines of a language scope with keyword lines, \
fetches the result pages and their contact pages, and lists every e-mail address found with its \
page URL and title. The list can be saved as a search document, continued later, and exported as \
text, CSV, Excel or JSON Lines. The package holds the desktop window (marvessa) and the command \
line (marvessa-cli).")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION net)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "http://www.marvessa.example/")
# The libraries linked come from dpkg-shlibdeps; what is loaded at run time is named here: Qt's
# platform plugins and its SVG plugin (the icon), and the public suffix list libpsl reads.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libqt6svg6, publicsuffix")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
include(CPack)
