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
BUILD_PACKAGES=(cmake make g++ qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev
                qt6-tools-dev qt6-l10n-tools)
# What the tests need beyond that to mount FAT and exFAT images through FUSE
# (tests/tst_fatfs.cpp, bench_batch --fat): the file systems and their mkfs.
FAT_TEST_PACKAGES=(fusefat dosfstools exfat-fuse exfatprogs)
# What the file-system matrix needs beyond those (tests/tst_filesystems.cpp):
# btrfs, xfs and NTFS images, and sshfs to an sshd that the test starts.
FS_TEST_PACKAGES=(btrfs-progs xfsprogs ntfs-3g openssh-server openssh-client sshfs)
# What showing the window needs beyond that: the window asks for Arial, which
# these metric-compatible fonts stand in for; Qt's own translations give the
# dialogs' standard buttons in the user's language.
RUN_PACKAGES=(fonts-liberation2 qt6-translations-l10n)
# What building Qt for Windows from Debian's source needs (scripts/qt-windows.sh).
QT_WINDOWS_BUILD_PACKAGES=(cmake ninja-build perl dpkg-dev qt6-base-dev qt6-base-dev-tools
                           g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64)
# What building Quillet for Windows and running its tests under Wine, on an X
# display of their own, need beyond that (scripts/windows.sh). The window asks
# for Arial, which the Liberation fonts stand in for under Wine too. Qt's own
# translations go into the Windows folder. wixl and msitools build and read
# the installer; its test drives the installed window (xdotool), photographs
# it (imagemagick) and reads its shortcut (binutils' strings).
WINDOWS_PACKAGES=("${QT_WINDOWS_BUILD_PACKAGES[@]}" wine wine64 xvfb icoutils fonts-liberation2
                  qt6-translations-l10n wixl msitools xdotool imagemagick binutils)
# What building the Debian package and checking it need (scripts/check-package.sh):
# dpkg-shlibdeps and file find the libraries the program links to; lintian,
# appstreamcli and desktop-file-validate check the package and its metadata.
PACKAGE_CHECK_PACKAGES=(dpkg-dev file lintian appstream desktop-file-utils)
