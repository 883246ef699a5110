#!/usr/bin/env bash
# A Wine session for the Windows checks: a fresh 64-bit prefix with the fonts Windows
# programs expect, a private X server, and one wineserver kept alive for the whole run.
#   session.sh start DIR      make the prefix in DIR and start the X server and wineserver
#   session.sh run DIR PROGRAM [ARGS...]   run a Windows program there (its regional settings
#                                          from LC_ALL, its density from LEVELWISE_WINE_DPI)
#   session.sh stop DIR       end the wineserver and the X server
set -euo pipefail
command=$1 dir=$(realpath -m "$2")
shift 2
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver64

export WINEPREFIX=$dir/prefix WINEARCH=win64 WINEDEBUG=-all
# No .NET or Gecko installers: the programs need neither, and they would be downloaded. No
# menu builder either: it would copy Start-menu shortcuts into the Linux desktop's menus.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
# Whatever Wine still writes for the desktop stays in the session, not in the user's home.
export XDG_DATA_HOME=$dir/xdg/data XDG_CONFIG_HOME=$dir/xdg/config XDG_CACHE_HOME=$dir/xdg/cache

case $command in
start)
    mkdir -p "$dir"
    "$0" stop "$dir" 2>/dev/null || true
    source "$(dirname "$0")/../xvfb.sh"
    levelwise_start_xvfb 1024x768 "$dir/xvfb.log"
    echo "$LEVELWISE_XVFB_PID" >"$dir/xvfb.pid"
    echo "$DISPLAY" >"$dir/display"
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        "$wine" wineboot -i </dev/null >"$dir/wineboot.log" 2>&1
        "$wineserver" -w
        # A fresh prefix lacks Tahoma (behind "MS Shell Dlg") and Marlett (the caption's
        # close glyph); Debian's fonts-wine has Wine's own.
        cp /usr/share/wine/fonts/tahoma.ttf /usr/share/wine/fonts/tahomabd.ttf \
           /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
        # Windows draws "MS Shell Dlg" in Microsoft Sans Serif, whose widths are Arial's;
        # Wine would take the wider Tahoma. Liberation Sans has Arial's widths. Without a
        # window manager on the private X server, Wine draws the caption and frame itself.
        # A program that crashes ends, instead of waiting behind Wine's crash dialog.
        cat >"$dir/settings.reg" <<'REG'
Windows Registry Editor Version 5.00

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes]
"MS Shell Dlg"="Liberation Sans"

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000
REG
        "$wine" regedit /S "$dir/settings.reg" </dev/null >>"$dir/wineboot.log" 2>&1
        "$wineserver" -w
    fi
    # One persistent server, or every program start pays for starting it again.
    "$wineserver" -p </dev/null >"$dir/wineserver.log" 2>&1
    # 96 dpi, whatever a run that was cut short left (see LEVELWISE_WINE_DPI below).
    "$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f \
        </dev/null >>"$dir/wineboot.log" 2>&1
    # Start Wine's own services now, writing to a file: started by a test's program instead,
    # they would keep its output open, and its runner waiting, as long as the server lives.
    "$wine" wineboot </dev/null >>"$dir/wineboot.log" 2>&1
    echo "wine session in $dir on display $DISPLAY"
    ;;
run)
    export DISPLAY
    DISPLAY=$(cat "$dir/display")
    # LEVELWISE_WINE_DPI: the screen's density for this one program, set back to 96 after it
    # (the programs of a session run one at a time).
    if [ -n "${LEVELWISE_WINE_DPI:-}" ]; then
        # Wine 10 keeps the density it started the session's desktop with: the server, and
        # the desktop with it, start again after each change.
        dpi() { "$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f \
                    </dev/null >/dev/null 2>&1
                "$wineserver" -k; "$wineserver" -w; "$wineserver" -p </dev/null >>"$dir/wineserver.log" 2>&1
                "$wine" wineboot </dev/null >>"$dir/wineboot.log" 2>&1; }
        trap 'dpi 96' EXIT
        trap 'exit 143' TERM INT
        dpi "$LEVELWISE_WINE_DPI"
        "$wine" "$@" &
        wait $!
        exit
    fi
    exec "$wine" "$@"
    ;;
stop)
    "$wineserver" -k 2>/dev/null || true
    [ -f "$dir/xvfb.pid" ] && kill "$(cat "$dir/xvfb.pid")" 2>/dev/null || true
    rm -f "$dir/xvfb.pid"
    ;;
*)
    echo "usage: session.sh start|run|stop DIR ..." >&2
    exit 2
    ;;
esac
