#!/usr/bin/env bash
# Rebuild resources/brochure.dot (Word 97-2003 template) from the flat ODF
# source with LibreOffice headless.
#
#   bash resources/template/build-template.sh
#
# If make_brochure.py is present and python3 is available, brochure.fodt is
# regenerated from it first (set LW_TEMPLATE_NO_GENERATE=1 to convert the
# .fodt as it is).  LibreOffice runs with a throw-away profile under /tmp, so
# a user's own office profile is never touched.  Safe to run repeatedly.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
resources="$(dirname "$here")"
src="$here/brochure.fodt"
dest="$resources/brochure.dot"

soffice_bin="${SOFFICE:-}"
if [[ -z "$soffice_bin" ]]; then
    soffice_bin="$(command -v soffice || command -v libreoffice || true)"
fi
if [[ -z "$soffice_bin" ]]; then
    echo "build-template: LibreOffice (soffice) not found; set SOFFICE=/path/to/soffice" >&2
    exit 1
fi

if [[ -f "$here/make_brochure.py" && -z "${LW_TEMPLATE_NO_GENERATE:-}" ]] \
        && command -v python3 >/dev/null 2>&1; then
    python3 "$here/make_brochure.py" "$src"
fi
if [[ ! -f "$src" ]]; then
    echo "build-template: source $src is missing" >&2
    exit 1
fi

work="$(mktemp -d /tmp/lw-template.XXXXXX)"
cleanup() { rm -rf "$work"; }
trap cleanup EXIT

mkdir -p "$work/profile/user" "$work/out"
# LibreOffice's own default fonts are its Liberation faces; the converter
# writes them into the template's built-in styles and font table, where a
# Word user would find names they do not have. Name the faces Word users
# have instead; fontconfig maps them to the same Liberation faces here.
{
    echo '<?xml version="1.0" encoding="UTF-8"?>'
    echo '<oor:items xmlns:oor="http://openoffice.org/2001/registry" xmlns:xs="http://www.w3.org/2001/XMLSchema" xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance">'
    for group in DefaultFont DefaultFontCJK DefaultFontCTL; do
        for role in Standard:"Times New Roman" Heading:Arial List:"Times New Roman" \
                Caption:"Times New Roman" Index:"Times New Roman"; do
            echo "<item oor:path=\"/org.openoffice.Office.Writer/$group\"><prop oor:name=\"${role%%:*}\" oor:op=\"fuse\"><value>${role#*:}</value></prop></item>"
        done
    done
    echo '</oor:items>'
} >"$work/profile/user/registrymodifications.xcu"
"$soffice_bin" --headless --invisible --norestore --nologo --nodefault \
    "-env:UserInstallation=file://$work/profile" \
    --convert-to "dot:MS Word 97 Vorlage" \
    --outdir "$work/out" "$src" >"$work/convert.log" 2>&1 || {
        cat "$work/convert.log" >&2
        echo "build-template: conversion failed" >&2
        exit 1
    }

built="$work/out/brochure.dot"
if [[ ! -s "$built" ]]; then
    cat "$work/convert.log" >&2
    echo "build-template: LibreOffice did not produce $built" >&2
    exit 1
fi

mv -f "$built" "$dest"
echo "build-template: wrote $dest ($(wc -c <"$dest") bytes)"
