# The Debian package: `cpack -G DEB` in a build folder makes
# leafwright_<version>_<arch>.deb of everything the install rules put in place.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME leafwright)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Leafwright maintainers <support@leafwright.app>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "make a ready-made tri-fold brochure your company's own")
set(CPACK_PACKAGE_DESCRIPTION
    "Leafwright turns a ready-made tri-fold brochure into your own. Type your
company's name, tag line, address, phone and fax numbers and e-mail address
into one small window and press Start Creating Template.

Leafwright fills the brochure it carries inside itself through LibreOffice,
run headless in the background, shows a picture of the page that can be
zoomed, scrolled and dragged, and saves the brochure as a Word 97-2003
document under the name you choose.")
set(CPACK_PACKAGING_INSTALL_PREFIX ${LEAFWRIGHT_PACKAGE_PREFIX})
# Packaged binaries carry no symbols or debug information.
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION editors)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://leafwright.app/)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
# The libraries the program and its engine module link to.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What the engine runs but does not link to: the office's word processor, its
# drawing filters (the page picture) and the fonts that stand in for Arial;
# and Ghostscript, which makes the PDF/X file for print shops.
# Either variant of the office will do, so a machine keeps the one it has
# (they conflict: naming one would make apt swap the other out). The full
# office comes first, so a desktop without one gains a Writer that can also
# open the saved brochure.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libreoffice-writer | libreoffice-writer-nogui, libreoffice-draw | libreoffice-draw-nogui, libreoffice-calc | libreoffice-calc-nogui, libqt6svg6, qt6-image-formats-plugins, fonts-liberation2, libcups2, ghostscript"
)
# Printing goes to the print service; without it the rest works and Print
# says the service is not running.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "cups")

include(CPack)
