#!/usr/bin/env bash
# Installs what is missing, builds Quillet and runs the whole test suite,
# first in a normal build (build/), then with AddressSanitizer and
# UndefinedBehaviorSanitizer (build-sanitize/), then builds and checks the
# Debian package (scripts/check-package.sh), then cross-builds for Windows
# and runs the suite under Wine (build-windows/, see scripts/windows.sh).
set -euo pipefail
cd "$(dirname "$0")"
source scripts/dependencies.sh

install_missing "${BUILD_PACKAGES[@]}" "${FAT_TEST_PACKAGES[@]}" "${FS_TEST_PACKAGES[@]}"
for preset in default sanitize; do
    echo "== $preset build"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" --parallel "$(nproc)"
    ctest --preset "$preset" --parallel "$(nproc)"
done
echo "== Debian package"
scripts/check-package.sh build
scripts/windows.sh
