#!/usr/bin/env bash
# Installs what is missing, makes a release build of its own in build-release
# and the Debian package from it, and prints the package's path.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >&2
cmake --build build-release -j"$(nproc)" >&2
# Only the package made now is ever printed.
rm -f build-release/leafwright_*.deb
(cd build-release && cpack -G DEB) >&2
package=$(ls build-release/leafwright_*.deb)
[[ -n $package && $(wc -l <<<"$package") -eq 1 ]]
contents=$(dpkg-deb -c "$package")
grep -q '/leafwright-office\.so$' <<<"$contents" || {
    echo "The package has no office engine module: is the LibreOffice SDK installed?" >&2
    exit 1
}
realpath "$package"
