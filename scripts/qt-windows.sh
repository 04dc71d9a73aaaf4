#!/usr/bin/env bash
# Prints the prefix of a Qt for 64-bit Windows (mingw-w64) of the same
# version as the host's Qt. When QT_WINDOWS_PREFIX names none and none is
# cached, builds qtbase once from Debian's qt6-base source into
#   ${XDG_CACHE_HOME:-$HOME/.cache}/quillet/qt-<version>-mingw-w64
# (about 25 minutes on two cores). Progress goes to stderr; the prefix is the
# only line on stdout.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/dependencies.sh

say() { echo "qt-windows: $*" >&2; }

if [ -n "${QT_WINDOWS_PREFIX:-}" ]; then
    if [ ! -f "$QT_WINDOWS_PREFIX/lib/cmake/Qt6/Qt6Config.cmake" ]; then
        say "QT_WINDOWS_PREFIX=$QT_WINDOWS_PREFIX holds no Qt 6"
        exit 1
    fi
    echo "$QT_WINDOWS_PREFIX"
    exit 0
fi

install_missing "${QT_WINDOWS_BUILD_PACKAGES[@]}" >&2
source_version=$(dpkg-query -W -f='${Version}' qt6-base-dev)
version=${source_version%%+*}
cache=${XDG_CACHE_HOME:-$HOME/.cache}/quillet
prefix=$cache/qt-$version-mingw-w64
complete=$prefix/.quillet-build-complete
if [ -f "$complete" ]; then
    echo "$prefix"
    exit 0
fi

# apt-get source needs deb-src entries, which Debian images often lack.
ensure_deb_src() {
    if apt-cache showsrc qt6-base 2>/dev/null | grep -q '^Package:'; then
        return 0
    fi
    say "adding deb-src entries for bookworm"
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" tee /etc/apt/sources.list.d/quillet-deb-src.sources >/dev/null <<'SOURCES'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb-src
URIs: http://deb.debian.org/debian-security
Suites: bookworm-security
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SOURCES
    "${sudo[@]}" apt-get update -qq >&2
}

say "no Qt $version for Windows in $prefix: building it once (about 25 minutes on two cores)"
work=$cache/qt-$version-mingw-w64-build
rm -rf "$work" "$prefix"
mkdir -p "$work" "$prefix"
ensure_deb_src
(cd "$work" && apt-get source -qq "qt6-base=$source_version" >&2)
src=$(find "$work" -maxdepth 1 -mindepth 1 -type d -name 'qt6-base-*' | head -n 1)

# The installed Qt's own toolchain file loads this one by absolute path, so
# it is kept with the installation rather than in the clone that built it.
cp cmake/mingw-w64-x86_64.cmake "$prefix/mingw-w64-x86_64.cmake"

mkdir -p "$work/build"
cd "$work/build"
say "configuring"
"$src/configure" -prefix "$prefix" -qt-host-path /usr \
    -release -shared -nomake examples -nomake tests \
    -no-opengl -no-dbus -no-icu -qt-zlib -qt-pcre -qt-libpng -no-libjpeg \
    -qt-harfbuzz -qt-freetype \
    -no-feature-sql -no-feature-network -no-feature-concurrent -no-feature-xml \
    -no-feature-printsupport -no-feature-vulkan -no-feature-zstd \
    -no-feature-androiddeployqt -no-feature-direct2d1_1 -no-feature-tabletevent \
    -- -G Ninja \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DCMAKE_TOOLCHAIN_FILE="$prefix/mingw-w64-x86_64.cmake" \
    >"$work/configure.log" 2>&1 || { tail -n 40 "$work/configure.log" >&2; exit 1; }

# Ninja prints one line per step; show one in twenty, with the elapsed time.
say "building (log: $work/build.log)"
NINJA_STATUS='[%f/%t %es] ' cmake --build . --parallel "$(nproc)" 2>&1 \
    | tee "$work/build.log" \
    | awk '/^\[[0-9]+\/[0-9]+ / { split(substr($1, 2), n, "/"); if (n[1] % 20 == 0 || n[1] == n[2]) print "qt-windows: " $1 " " $2; fflush() }' >&2
[ "${PIPESTATUS[0]}" -eq 0 ] || { tail -n 40 "$work/build.log" >&2; exit 1; }
cmake --install . >"$work/install.log" 2>&1 || { tail -n 40 "$work/install.log" >&2; exit 1; }

cd /
rm -rf "$work"
touch "$complete"
say "Qt $version for Windows is in $prefix"
echo "$prefix"
