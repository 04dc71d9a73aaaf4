#!/usr/bin/env bash
# Starts or stops the Wine session that the Windows tests run in: a private
# X display (CI has none, and a developer's must not be touched) and a Wine
# prefix of the build's own, created on first use.
#   wine-session.sh start|stop DIR
set -euo pipefail
action=$1
dir=$2
export WINEPREFIX="$dir/prefix" WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml='
export DBUS_SESSION_BUS_ADDRESS=disabled:

stop() {
    if [ -s "$dir/display" ]; then
        DISPLAY=":$(cat "$dir/display")" wineserver -k 2>/dev/null || true
    fi
    if [ -s "$dir/xvfb.pid" ]; then
        kill "$(cat "$dir/xvfb.pid")" 2>/dev/null || true
    fi
    rm -f "$dir/display" "$dir/xvfb.pid"
}

start() {
    stop
    mkdir -p "$dir"
    # Xvfb picks a free display and writes its number to descriptor 3. Its
    # output goes to a file: a process left holding the test's pipe would
    # keep the test from ending.
    setsid Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp \
        3>"$dir/display" </dev/null >"$dir/xvfb.log" 2>&1 &
    echo $! >"$dir/xvfb.pid"
    for _ in $(seq 100); do
        [ -s "$dir/display" ] && break
        sleep 0.1
    done
    if [ ! -s "$dir/display" ]; then
        echo "wine-session.sh: Xvfb did not start:" >&2
        cat "$dir/xvfb.log" >&2
        exit 1
    fi
    export DISPLAY=":$(cat "$dir/display")"
    # Every Wine process of the session, this first one too, uses this
    # display: one started without it would leave later windows on none.
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "wine-session.sh: creating the Wine prefix $WINEPREFIX"
        wineboot -i </dev/null >"$dir/wineboot.log" 2>&1
        # Windows has Arial, which the window asks for; Wine has not, and
        # without it falls back to a larger serif face. Its metric twin
        # stands in, so that the window looks as it does on Windows.
        wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v Arial /t REG_SZ \
            /d 'Liberation Sans' /f </dev/null >>"$dir/wineboot.log" 2>&1
        wineserver -w
    fi
    # One server for the whole run, so each test does not start Wine anew.
    wineserver -p </dev/null >/dev/null 2>&1
    wine cmd /c exit </dev/null >"$dir/warmup.log" 2>&1
    echo "wine-session.sh: Wine session on display $DISPLAY"
}

case $action in
start) start ;;
stop) stop ;;
*)
    echo "usage: wine-session.sh start|stop DIR" >&2
    exit 2
    ;;
esac
