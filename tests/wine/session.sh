#!/usr/bin/env bash
# A Wine session of the build: its own prefix under the build directory, an
# Xvfb display with a compositing manager, and a persistent wineserver.
#   session.sh start BUILD     set up the prefix (once) and start the session
#   session.sh exec BUILD CMD  run a Windows program in the session
#   session.sh stop BUILD      end the session
#   session.sh run BUILD CMD   run a program on the current display with the
#                              build's prefix (set up first if needed)
# LUMVALE_WINE_DESKTOP=root runs the programs as plain X windows instead of
# inside a Wine virtual desktop, so that the compositing manager shows their
# translucency; it has a prefix and session of its own.
# A missing Wine or Xvfb is an error, never a silent skip.
set -euo pipefail

action=${1:?action}
build=$(cd "${2:?build directory}" && pwd)
shift 2

mode=${LUMVALE_WINE_DESKTOP:-shell}
suffix=""
[[ $mode == root ]] && suffix="-root"
state="$build/wine-session$suffix"
export WINEPREFIX="$build/wineprefix$suffix"
export WINEARCH=win64
export WINEDEBUG=-all
# Command-line texts (registry names with Chinese characters) reach Wine as UTF-8.
export LC_ALL=C.UTF-8
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
width=1024 height=768

need() {
  command -v "$1" >/dev/null || { echo "session.sh: $1 is missing (run scripts/setup)" >&2; exit 1; }
}

display_of_session() {
  [[ -f $state/display ]] || { echo "session.sh: no session in $build (start it first)" >&2; exit 1; }
  DISPLAY=$(cat "$state/display")
  export DISPLAY
}

free_display() {
  local n
  for n in $(seq 90 150); do
    [[ -e /tmp/.X$n-lock || -e /tmp/.X11-unix/X$n ]] || { echo "$n"; return; }
  done
  echo "session.sh: no free X display" >&2
  exit 1
}

setup_prefix() {
  [[ -f $WINEPREFIX/.lumvale-ready ]] && return
  rm -rf "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1
  local reg=(wine reg add)
  if [[ $mode == shell ]]; then
    # A virtual desktop named "shell" has a taskbar with a notification area.
    "${reg[@]}" 'HKCU\Software\Wine\Explorer' /v Desktop /d shell /f >/dev/null
    "${reg[@]}" 'HKCU\Software\Wine\Explorer\Desktops' /v shell /d "${width}x${height}" /f >/dev/null
  fi
  # Chinese texts: link a CJK font behind the usual dialog fonts.
  local face
  for face in Tahoma "MS Shell Dlg" "MS Shell Dlg 2" SimSun Arial "Microsoft Sans Serif"; do
    "${reg[@]}" 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' /v "$face" \
      /t REG_MULTI_SZ /d 'wqy-microhei.ttc,WenQuanYi Micro Hei' /f >/dev/null
  done
  for face in SimSun NSimSun 宋体; do
    "${reg[@]}" 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /d 'WenQuanYi Micro Hei' /f >/dev/null
  done
  wineserver -w
  touch "$WINEPREFIX/.lumvale-ready"
}

case $action in
  start)
    need wine; need Xvfb; need xcompmgr; need wineserver
    "$0" stop "$build" >/dev/null 2>&1 || true
    mkdir -p "$state"
    n=$(free_display)
    Xvfb ":$n" -screen 0 "${width}x${height}x24" -nolisten tcp >"$state/xvfb.log" 2>&1 </dev/null &
    echo $! >"$state/xvfb.pid"
    export DISPLAY=":$n"
    for _ in $(seq 50); do [[ -e /tmp/.X11-unix/X$n ]] && break; sleep 0.1; done
    [[ -e /tmp/.X11-unix/X$n ]] || { echo "session.sh: Xvfb did not start" >&2; cat "$state/xvfb.log" >&2; exit 1; }
    echo ":$n" >"$state/display"
    xcompmgr -c >"$state/xcompmgr.log" 2>&1 </dev/null &
    echo $! >"$state/xcompmgr.pid"
    setup_prefix
    wineserver -p >/dev/null 2>&1 </dev/null
    # Brings up the desktop with its taskbar once, so that tests start warm.
    wine cmd /c exit 0 >/dev/null 2>&1 </dev/null || true
    echo "wine session on :$n, prefix $WINEPREFIX"
    ;;
  exec)
    display_of_session
    need wine
    exec wine "$@"
    ;;
  run)
    need wine
    [[ -n ${DISPLAY:-} ]] || { echo "session.sh: no DISPLAY" >&2; exit 1; }
    setup_prefix
    exec wine "$@"
    ;;
  stop)
    if [[ -f $state/display ]]; then
      DISPLAY=$(cat "$state/display") wineserver -k 2>/dev/null || true
    fi
    for p in xcompmgr xvfb; do
      [[ -f $state/$p.pid ]] && kill "$(cat "$state/$p.pid")" 2>/dev/null || true
      rm -f "$state/$p.pid"
    done
    rm -f "$state/display"
    ;;
  *)
    echo "usage: session.sh start|exec|run|stop BUILD [CMD...]" >&2
    exit 2
    ;;
esac
