#!/usr/bin/env bash
# Usage: scripts/check-package.sh [BUILD_DIR]
#
# Makes the Debian package with CPack in BUILD_DIR (default build/, which must
# be configured and built already, as ./run.sh or ./test.sh leave it), then
# checks the package with lintian, and the metainfo and .desktop file inside
# it with appstreamcli and desktop-file-validate. Warnings and hints are shown;
# only errors fail. Leaves BUILD_DIR/quillet_<version>_<arch>.deb and exits
# non-zero when a step failed.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
build_dir=$(realpath -- "${1:-$repo/build}")
source "$repo/scripts/dependencies.sh"

install_missing "${PACKAGE_CHECK_PACKAGES[@]}"

if [ ! -f "$build_dir/CPackConfig.cmake" ]; then
    echo "No CPackConfig.cmake in $build_dir: configure and build it first" \
         "(cmake --preset default && cmake --build --preset default)." >&2
    exit 1
fi

# A package left by an earlier version would be taken for this one.
rm -f "$build_dir"/quillet_*.deb
(cd "$build_dir" && cpack -G DEB)
debs=("$build_dir"/quillet_*.deb)
if [ ${#debs[@]} -ne 1 ] || [ ! -f "${debs[0]}" ]; then
    echo "cpack did not leave one quillet_*.deb in $build_dir" >&2
    exit 1
fi
deb=${debs[0]}

unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb --extract "$deb" "$unpacked"

failed=()

echo "== lintian"
# lintian prints warnings and errors; only errors make it exit non-zero.
lintian --fail-on error "$deb" || failed+=(lintian)

echo "== appstreamcli validate"
appstreamcli validate --no-net "$unpacked/usr/share/metainfo/io.example.Quillet.metainfo.xml" \
    || failed+=(appstreamcli)

echo "== desktop-file-validate"
# Prints nothing when the file is valid.
desktop-file-validate "$unpacked/usr/share/applications/quillet.desktop" \
    || failed+=(desktop-file-validate)
# KDE's service menus are of KDE's own type "Service", for which the
# freedesktop validator knows neither MimeType nor Actions; every other
# finding fails.
servicemenu="$unpacked/usr/share/kio/servicemenus/quillet.desktop"
findings=$(desktop-file-validate "$servicemenu" 2>&1 \
    | grep -v -E 'key "(MimeType|Actions)" is present in group "Desktop Entry", but the type is "Service"' \
    || true)
[ -f "$servicemenu" ] && [ -z "$findings" ] || { echo "$servicemenu: ${findings:-missing}"; failed+=(servicemenu); }

echo "== translations"
# The program finds them beside itself, in ../share/quillet/translations.
ls "$unpacked/usr/share/quillet/translations"/quillet_*.qm || failed+=(translations)

echo "== package"
dpkg-deb --field "$deb" Package Version Architecture Depends Recommends
echo "$deb"

if [ ${#failed[@]} -ne 0 ]; then
    echo "Package check failed: ${failed[*]}" >&2
    exit 1
fi
echo "Package check passed"
