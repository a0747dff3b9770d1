# The Debian package: `cpack -G DEB` in the build folder makes keywright24_<version>_<arch>.deb from the
# install rules (cmake/Install.cmake), installed below /usr. Its library dependencies are worked out by
# dpkg-shlibdeps from the programs themselves. Menus, file types and icon caches are refreshed by the
# desktop's own package triggers, so the package needs no scripts of its own.
set(CPACK_PACKAGE_NAME keywright24)
set(CPACK_PACKAGE_VENDOR "Keywright24")
set(CPACK_PACKAGE_CONTACT "Keywright24 maintainers <maintainers@keywright24.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Definition editor for a 24-key programmable keypad")
# One paragraph, in lines of Debian's usual width.
set(CPACK_PACKAGE_DESCRIPTION [[
Keywright24 defines the macros of a 24-key, two-level programmable keypad:
characters, raw bytes, delays, beeps and LED commands for every key and level,
level-shift and level-toggle keys, and the keypad-wide settings. It saves
definition files (.ckd) together with the download image (.hex) that the
keypad's loader program sends. The package also holds keywright24-cli, which
writes download images and converts, shows and checks definition files from
the command line.]])
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
if(WIN32)
  # The Windows zip (cpack -G ZIP): the tool and its manual page as text in a bin folder.
  set(CPACK_PACKAGING_INSTALL_PREFIX "")
else()
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
endif()
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The windows are laid out for a sans-serif face with Arial's widths; dpkg-shlibdeps adds the libraries.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2 | fonts-liberation | fonts-croscore")
# The help documents and key label files are opened through xdg-open; .ckd files are known as
# definition files once shared-mime-info has read the package's MIME type. A PDF viewer shows the help
# documents and the key labels; any that opens PDF files will do.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, shared-mime-info, evince | okular | atril | qpdfview | mupdf | pdf-viewer")

include(CPack)
