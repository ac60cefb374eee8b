# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package, built by CPack from the install rules: `make deb`. Its licence is in
# /usr/share/doc/quillet/copyright (data/copyright), as Debian's policy asks.
set(CPACK_PACKAGE_NAME quillet)
set(CPACK_PACKAGE_VENDOR "The Quillet developers")
set(CPACK_PACKAGE_CONTACT "The Quillet developers <quillet@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "bulk file renamer with templates and live preview")
set(CPACK_PACKAGE_DESCRIPTION
    "Quillet shows every file of a folder beside the name it would get. A template with \
running numbers and the file's own name, case and space rules, and a search and replace \
build the new names at every keystroke. Names that would fail are marked before anything \
is renamed, and a rename never replaces an existing file.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_HOMEPAGE_URL "https://github.com/quillet/quillet")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries the programs link decide the dependencies.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's own texts (the buttons of message boxes) in the user's language.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
include(CPack)
