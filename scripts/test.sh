#!/usr/bin/env bash
# Installs what is missing, builds Leafwright with its tests and runs them all.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --test
scripts/check-format.sh
cmake -S . -B build-test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON \
    -DLEAFWRIGHT_WARNINGS_AS_ERRORS=ON
cmake --build build-test -j"$(nproc)"
ctest --test-dir build-test --output-on-failure --timeout 600
