#!/usr/bin/env bash
# Installs the Debian 12 packages Leafwright needs that are missing.
#   scripts/install-deps.sh          to build and run the program
#   scripts/install-deps.sh --test   also what the tests use
set -euo pipefail

packages=(
    # build
    cmake g++ make qt6-base-dev qt6-base-dev-tools
    # the word-processing engine and its SDK
    libreoffice-writer-nogui libreoffice-draw-nogui libreoffice-dev libreoffice-dev-common
    # draws the page the engine exports as PDF
    libpoppler-qt6-dev pkg-config
    # fonts metric-compatible with the ones the windows and the brochure use
    fonts-liberation2
)
if [[ "${1:-}" == "--test" ]]; then
    # independent .doc readers, an X server for the end-to-end check, the
    # format check, the independent page rendering of the legibility check
    packages+=(catdoc wv xvfb xauth clang-format poppler-utils)
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
