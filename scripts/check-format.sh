#!/usr/bin/env bash
# Fails when a C++ file of ours differs from what clang-format makes of it.
set -euo pipefail
cd "$(dirname "$0")/.."
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    git ls-files -z -- '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror
else
    find app shell brochure wordgen preview ui tests bench \( -name '*.cpp' -o -name '*.h' \) -print0 |
        xargs -0 clang-format --dry-run --Werror
fi
