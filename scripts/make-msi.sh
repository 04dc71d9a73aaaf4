#!/usr/bin/env bash
# Usage: scripts/make-msi.sh FOLDER VERSION MSI
#
# Builds the Windows installer MSI with wixl (Debian package wixl) from
# FOLDER, the portable Quillet folder that scripts/windows.sh packs:
# app/resources/quillet.wxs installs Quillet.exe with its shortcut and
# Explorer command, and everything else in FOLDER, listed by wixl-heat,
# goes beside it as it lies there.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
folder=$(realpath -- "$1")
version=$2
msi=$(realpath -- "$3")

# wixl finds sources by paths relative to where it runs.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
ln -s "$folder" "$work/files"
ln -s "$repo/app/resources/quillet.ico" "$work/quillet.ico"
cd "$work"
find files/ -type f ! -path files/Quillet.exe | LC_ALL=C sort \
    | wixl-heat --prefix files/ --var var.SourceDir --directory-ref INSTALLDIR \
        --component-group Runtime --win64 >runtime.wxs
wixl --arch x64 -D Win64=yes -D Version="$version" -D SourceDir=files -D IconFile=quillet.ico \
    --output "$msi" "$repo/app/resources/quillet.wxs" runtime.wxs
