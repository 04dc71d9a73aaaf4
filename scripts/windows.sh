#!/usr/bin/env bash
# Builds Quillet for 64-bit Windows from a fresh clone: Qt for Windows first
# if none is cached (scripts/qt-windows.sh), then Quillet.exe and its tests
# with mingw-w64 into build-windows/, runs the tests under Wine, packs
# build-windows/Quillet-<version>-windows-x64.zip and builds the installer
# build-windows/Quillet-<version>-windows-x64.msi from the same folder, tests
# the installer under Wine (scripts/test-msi.sh), and prints the paths of
# both last.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/dependencies.sh

install_missing "${WINDOWS_PACKAGES[@]}"
QT_WINDOWS_PREFIX=$(scripts/qt-windows.sh)
export QT_WINDOWS_PREFIX

echo "== windows build (Qt for Windows in $QT_WINDOWS_PREFIX)"
cmake --preset windows >/dev/null
cmake --build --preset windows --parallel "$(nproc)"
ctest --preset windows --parallel "$(nproc)"

# The zip holds one folder: Quillet.exe with the libraries and plugins it
# loads, stripped of their symbols.
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build-windows/CMakeCache.txt)
name=Quillet-$version-windows-x64
rm -rf "build-windows/$name" "build-windows/$name.zip"
cmake --install build-windows --prefix "build-windows/$name" >/dev/null
find "build-windows/$name" -name '*.dll' -o -name '*.exe' | xargs x86_64-w64-mingw32-strip
# Stripped, Quillet.exe still carries its icon and version record.
cmake -DWRESTOOL="$(command -v wrestool)" -DEXE="build-windows/$name/Quillet.exe" \
    -DWORK=build-windows/zip-check -P app/resources/check_versioninfo.cmake
(cd build-windows && cmake -E tar cf "$name.zip" --format=zip "$name")

echo "== windows installer"
scripts/make-msi.sh "build-windows/$name" "$version" "build-windows/$name.msi"
timeout 900 scripts/test-msi.sh "build-windows/$name.msi" "build-windows/$name" "$version"
echo "$PWD/build-windows/$name.zip"
echo "$PWD/build-windows/$name.msi"
