# make package: a Debian package of the install tree, built by CPack from the existing build (no
# second build). Library dependencies are found by dpkg-shlibdeps (package dpkg-dev).

set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "zelta")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_VENDOR "Zelta")
set(CPACK_PACKAGE_CONTACT "Zelta developers <zelta@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "batch video and audio converter")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "Zelta Video to Audio Converter collects video and audio files in a list and\n\
converts the checked ones, one after another, with one output profile (MP3,\n\
AAC, WAV, OGG, MP4, DVD and device formats). Files can be trimmed, cropped,\n\
adjusted and watermarked first, and previewed in a built-in player.\n\
zelta-convert does the same conversions from scripts.")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "video")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://zelta.example.org/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Text watermarks need some font installed; DejaVu is small and common.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-core, qt6-translations-l10n")
set(CPACK_STRIP_FILES ON)
include(CPack)
