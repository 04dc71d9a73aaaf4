# Sourced by run.sh and test.sh: installs the Debian packages that are missing.

# install_missing PACKAGE... installs, with apt-get, those of the packages
# that are not installed yet; it does nothing when all of them are.
install_missing() {
    local missing=()
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' \
            || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0

    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# What building Quillet needs.
BUILD_PACKAGES=(cmake make g++ qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev)
# What showing the window needs beyond that: the window asks for Arial, which
# these metric-compatible fonts stand in for.
RUN_PACKAGES=(fonts-liberation2)
# What the tests need beyond that: the cross tools that check the Windows code
# and version resource compile.
TEST_PACKAGES=(g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64)
