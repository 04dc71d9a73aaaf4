#!/usr/bin/env bash
# Usage: scripts/test-msi.sh MSI FOLDER VERSION
#
# Tests the Windows installer MSI, made from the portable folder FOLDER by
# scripts/make-msi.sh, under Wine, in a fresh Wine prefix of its own on an X
# display of its own (build-windows/msi-test/):
#   - installs it silently and checks the files (those of FOLDER), the Start
#     menu shortcut, the Explorer commands and the Add/Remove Programs entry;
#   - starts the installed Quillet.exe as Explorer does through each command,
#     on a folder and on the root of drive C:, presses Alt+R and checks that
#     the files of that folder lost their spaces;
#   - uninstalls it and checks that nothing is left;
#   - installs it again, then a newer version over it, checks that the newer
#     one replaced it and that the older one cannot replace the newer, and
#     uninstalls.
# Screenshots of the installed program's window are left in that folder.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
msi=$(realpath -- "$1")
folder=$(realpath -- "$2")
version=$3
dir=$(dirname "$msi")/msi-test

# A fresh prefix, so that nothing from an earlier run counts as installed.
"$repo/cmake/wine-session.sh" stop "$dir"
rm -rf "$dir"
mkdir -p "$dir"
trap '"$repo/cmake/wine-session.sh" stop "$dir"' EXIT
"$repo/cmake/wine-session.sh" start "$dir"
# Wine would also put the Start menu shortcut into this machine's own menus.
export WINEPREFIX="$dir/prefix" WINEDEBUG=-all
export WINEDLLOVERRIDES='mscoree,mshtml=;winemenubuilder.exe=d'
export DBUS_SESSION_BUS_ADDRESS=disabled: DISPLAY=":$(cat "$dir/display")"

drive_c=$WINEPREFIX/drive_c
program=$drive_c/Program\ Files/Quillet
# Windows puts an installation for all users into the common Start menu;
# Wine's installer puts its shortcuts into the user's always.
shortcut=$drive_c/users/$(id -un)/AppData/Roaming/Microsoft/Windows/Start\ Menu/Programs/Quillet.lnk
classes='HKLM\Software\Classes\Directory'
uninstall='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'

fail() {
    echo "test-msi: FAILED: $*" >&2
    exit 1
}
wine_() { timeout 300 wine "$@" </dev/null; }
product_code() { msiinfo export "$1" Property | sed -n 's/^ProductCode\t//p' | tr -d '\r'; }
# The value NAME (or the key's own value for /ve) of registry KEY, or
# nothing when there is none.
reg_value() {
    wine_ reg query "$1" "${@:2}" 2>/dev/null | tr -d '\r' | sed -n 's/^ *[^ ].*REG_SZ *//p'
}
expect_value() {
    local found
    found=$(reg_value "$1" "${@:2:$#-2}")
    [ "$found" = "${!#}" ] || fail "$1 ${*:2:$#-2}: \"$found\", expected \"${!#}\""
}
install() {
    wine_ msiexec /i "$(winepath -w "$1")" /qn || fail "msiexec /i $1: exit code $?"
}
uninstall() {
    wine_ msiexec /x "$(winepath -w "$1")" /qn || fail "msiexec /x $1: exit code $?"
}

check_installed() {
    diff <(cd "$folder" && find . -type f | LC_ALL=C sort) \
        <(cd "$program" && find . -type f | LC_ALL=C sort) ||
        fail "the installed files are not those of $folder"
    cmp -s "$folder/Quillet.exe" "$program/Quillet.exe" || fail "Quillet.exe is not the built one"
    [ -f "$shortcut" ] || fail "no Start menu shortcut $shortcut"
    # A plain shortcut holds the path of its target; an advertised one would
    # hold the product's code instead.
    strings -a "$shortcut" | grep -ixF 'C:\Program Files\Quillet\Quillet.exe' >/dev/null ||
        fail "the shortcut does not lead to Quillet.exe"
    local exe='"C:\Program Files\Quillet\Quillet.exe"'
    expect_value "$classes\\shell\\Quillet\\command" /ve "$exe \"%1\""
    expect_value "$classes\\Background\\shell\\Quillet\\command" /ve "$exe \"%V\""
    local place
    for place in shell Background\\shell; do
        expect_value "$classes\\$place\\Quillet" /ve "Remove spaces with Quillet"
        expect_value "$classes\\$place\\Quillet" /v MUIVerb '@C:\Program Files\Quillet\Quillet.exe,-101'
    done
    local code
    code=$(product_code "$msi")
    expect_value "$uninstall\\$code" /v DisplayName Quillet
    expect_value "$uninstall\\$code" /v DisplayVersion "$version"
    expect_value "$uninstall\\$code" /v Publisher Brindle_Ox
    # Add/Remove Programs shows an installer's icon from its registration.
    wine_ reg query 'HKLM\Software\Classes\Installer\Products' /s | tr -d '\r' |
        grep -F "ProductIcon    REG_SZ    C:\windows\Installer\\$code\quillet.ico" >/dev/null ||
        fail "the product's icon is not registered"
    cmp -s "$drive_c/windows/Installer/$code/quillet.ico" "$repo/app/resources/quillet.ico" ||
        fail "the product's icon is not Quillet's"
}

check_removed() {
    [ ! -e "$program" ] || fail "uninstalling left $(find "$program")"
    [ ! -e "$shortcut" ] || fail "uninstalling left the shortcut"
    local key
    for key in "$classes\\shell\\Quillet" "$classes\\Background\\shell\\Quillet" \
        "$uninstall\\$(product_code "$1")"; do
        if wine_ reg query "$key" >/dev/null 2>&1; then
            fail "uninstalling left $key"
        fi
    done
}

# Starts the command registered for PLACE (shell or Background\shell) on the
# folder at unix path TARGET as Explorer does: the command line with its
# placeholder replaced, run by cmd.exe. Alt+R in the window renames the
# *.JPG files there; the window is then closed.
run_folder_command() {
    local place=$1 target=$2 shot=$3
    local command
    command=$(reg_value "$classes\\$place\\Quillet\\command" /ve)
    local windows_path
    windows_path=$(winepath -w "$target")
    windows_path=${windows_path%\\}
    [ "$windows_path" != "${windows_path%:}" ] && windows_path+='\'
    command=${command//%1/$windows_path}
    command=${command//%V/$windows_path}
    printf '%s\r\n' "$command" >"$dir/open.bat"
    echo "test-msi: running $command"
    wine cmd /c "$(winepath -w "$dir/open.bat")" </dev/null >"$dir/open.log" 2>&1 &
    local started=$!
    local window
    window=$(find_quillet_window) || fail "no Quillet window appeared"
    sleep 1
    xdotool windowfocus --sync "$window"
    import -window root "$dir/$shot-opened.png"
    xdotool key --clearmodifiers alt+r
    for _ in $(seq 60); do
        [ -f "$target/BeachDay1.JPG" ] && break
        sleep 0.5
    done
    sleep 1
    import -window root "$dir/$shot-renamed.png"
    close_quillet "$started"
}

# The X window of Quillet's main window, once one is shown, within a minute.
# xdotool exits on an X error when a window it walks goes away meanwhile (as
# Wine's short-lived windows do while a program starts), so each search is
# one try of many.
find_quillet_window() {
    local found
    for _ in $(seq 120); do
        found=$(xdotool search --onlyvisible --name '^Quillet - ' 2>/dev/null | head -n 1) || true
        [ -n "$found" ] && echo "$found" && return 0
        sleep 0.5
    done
    return 1
}

# Closes the window as Windows asks a program to, and waits for the command
# PID that started it to end.
close_quillet() {
    wine_ taskkill /im Quillet.exe >>"$dir/close.log" 2>&1
    for _ in $(seq 40); do
        kill -0 "$1" 2>/dev/null || return 0
        sleep 0.5
    done
    wine_ taskkill /f /im Quillet.exe >>"$dir/close.log" 2>&1
    fail "Quillet did not close when asked to (see $dir/close.log)"
}

# A folder named with a space, as Explorer quotes it; and the root of C:,
# which Explorer passes as "C:\".
check_folder_command() {
    local place=$1 target=$2 shot=$3
    mkdir -p "$target"
    touch "$target/Beach Day 1.JPG" "$target/Beach Day 2.JPG" "$target/my notes.txt"
    run_folder_command "$place" "$target" "$shot"
    local left
    left=$(cd "$target" && ls -1 Beach* my* | tr '\n' '/')
    [ "$left" = "BeachDay1.JPG/BeachDay2.JPG/my notes.txt/" ] ||
        fail "the folder command on $target left: $left"
    rm -f "$target"/BeachDay?.JPG "$target/my notes.txt"
}

echo "== install $msi"
install "$msi"
check_installed
check_folder_command shell "$drive_c/Fotos Urlaub" folder
check_folder_command 'Background\shell' "$drive_c" drive-root

echo "== uninstall"
uninstall "$msi"
check_removed "$msi"

echo "== upgrade"
newer_version=$(echo "$version" | awk -F. -v OFS=. '{ $3 += 1; print }')
newer=$dir/Quillet-$newer_version.msi
"$repo/scripts/make-msi.sh" "$folder" "$newer_version" "$newer"
install "$msi"
install "$newer"
wine_ reg query "$uninstall\\$(product_code "$msi")" >/dev/null 2>&1 &&
    fail "the newer version left the older one registered"
expect_value "$uninstall\\$(product_code "$newer")" /v DisplayVersion "$newer_version"
if wine_ msiexec /i "$(winepath -w "$msi")" /qn; then
    fail "the older version installed over the newer one"
fi
expect_value "$uninstall\\$(product_code "$newer")" /v DisplayVersion "$newer_version"
uninstall "$newer"
check_removed "$newer"

echo "test-msi: passed; screenshots in $dir"
