#!/usr/bin/env bash
# The desktop entry, the AppStream metadata and the manual page pass their
# validators without a warning, and name the program alike.
#   validate-metadata.sh SOURCE_FOLDER MAN_PAGE VERSION RELEASE_DATE DESKTOP_ID
set -euo pipefail
source_folder=$1
man_page=$2
version=$3
release_date=$4
app_id=$5
desktop=$source_folder/resources/$app_id.desktop
metainfo=$source_folder/resources/$app_id.metainfo.xml
failed=0
fail() {
    echo "FAILED: $*" >&2
    failed=1
}

# desktop-file-validate succeeds on warnings; any output is a finding.
if output=$(desktop-file-validate "$desktop" 2>&1) && [[ -z $output ]]; then
    echo "desktop-file-validate: no findings"
else
    fail "desktop-file-validate: $output"
fi

# Any finding fails it but pedantic notes (an upper-case letter in the id).
appstreamcli validate --no-net --strict "$metainfo" || fail "appstreamcli validate"

if output=$(groff -man -ww -z "$man_page" 2>&1) && [[ -z $output ]]; then
    echo "groff -man -ww: no warnings"
else
    fail "groff: $output"
fi

# One name throughout, and the release the project's version names.
for image in main-window preview-window; do
    grep -q "/images/$image.png</image>" "$metainfo" || fail "the metainfo does not show $image"
    [[ -f $source_folder/docs/images/$image.png ]] || fail "docs/images/$image.png is missing"
done
grep -qx "Icon=$app_id" "$desktop" || fail "the desktop entry's Icon is not $app_id"
grep -qx "Exec=leafwright" "$desktop" || fail "the desktop entry does not start leafwright"
grep -q "<id>$app_id</id>" "$metainfo" || fail "the metainfo's id is not $app_id"
grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" ||
    fail "the metainfo does not launch $app_id.desktop"
grep -q "<release version=\"$version\" date=\"$release_date\"" "$metainfo" ||
    fail "the metainfo has no release $version of $release_date"
[[ $(dpkg-parsechangelog -l "$source_folder/docs/changelog" -S Version) == "$version" ]] ||
    fail "the changelog's latest entry is not of version $version"
grep -q "^\.TH LEAFWRIGHT 1 $release_date \"Leafwright $version\"" "$man_page" ||
    fail "the manual page is not of version $version"
grep -q "@" <(grep -v "support@" "$man_page") && fail "the manual page has unfilled fields"
exit "$failed"
