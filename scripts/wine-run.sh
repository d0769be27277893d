#!/usr/bin/env bash
# Runs a Windows test program under Wine: wine-run.sh PREFIX PROGRAM [ARGS...]
# The prefix is made on first use (once, even when tests start together). It
# has no display: windows go to Wine's null graphics driver, so nothing opens
# on the desktop and no X server is needed.
set -euo pipefail
export WINEPREFIX="$1"
shift
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export DISPLAY=
wine=/usr/lib/wine/wine64
mkdir -p "$(dirname "$WINEPREFIX")"
(
    flock 9
    if [ ! -f "$WINEPREFIX/.quorvane-ready" ]; then
        rm -rf "$WINEPREFIX"
        "$wine" wineboot -i >/dev/null 2>&1
        "$wine" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
        wineserver -w
        touch "$WINEPREFIX/.quorvane-ready"
    fi
) 9>"$WINEPREFIX.lock"
exec "$wine" "$@"
