#!/usr/bin/env bash
# Installs the Debian 12 packages Leafwright needs that are missing.
#   scripts/install-deps.sh          to build and run the program
#   scripts/install-deps.sh --test   also what the tests use
set -euo pipefail

packages=(
    # build, the icon's pictures rendered from its SVG, the Debian package
    cmake g++ make qt6-base-dev qt6-base-dev-tools librsvg2-bin dpkg-dev file
    # the word-processing engine and its SDK
    libreoffice-writer-nogui libreoffice-draw-nogui libreoffice-calc-nogui libreoffice-dev
    libreoffice-dev-common
    # draws the page the engine exports as PDF
    libpoppler-qt6-dev pkg-config
    # reads the logos people have: SVG and WebP besides Qt's own PNG and JPEG
    libqt6svg6 qt6-image-formats-plugins
    # reads the company lists of the command line (RFC 4180 CSV)
    libcsv-dev
    # unpacks compressed SVG logos (.svgz)
    zlib1g-dev
    # prints through the system's print service
    libcups2-dev
    # makes the PDF/X file for print shops; brings the CMYK profile
    # (libgs-common's default_cmyk.icc) its output intent names
    ghostscript
    # fonts metric-compatible with the ones the windows and the brochure use
    fonts-liberation2
)
if [[ "${1:-}" == "--test" ]]; then
    # independent .doc readers, an X server for the end-to-end check, the PDF
    # reader and rasteriser that check the printed brochure and the preview's
    # legibility, the format check, the desktop metadata, changelog and manual
    # page validators, and what drives the installed program's window
    packages+=(catdoc wv xvfb xauth poppler-utils clang-format desktop-file-utils appstream
        groff-base xdotool
        # a private print service with a PDF printer for the printing test
        cups printer-driver-cups-pdf
        # the hand-written UNO script the list benchmark compares with
        python3-uno)
fi

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
if ((${#missing[@]} == 0)); then
    exit 0
fi

as_root=()
if [[ $(id -u) -ne 0 ]]; then
    as_root=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
