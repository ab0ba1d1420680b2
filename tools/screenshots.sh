#!/usr/bin/env bash
# Screenshots of korvel-demo under Xvfb in every shipped language, into docs/screenshots/CODE/
# (ENU, DEU, FRA, ESP, PTB, CHS): every page of the sheet, the "Simulated Gage" panel, the data
# view, the survey map and its comparison with an earlier survey. The Inspection History page
# shows the demo's tank.
#   tools/screenshots.sh [PATH-TO-korvel-demo] [CODE...]
#     (default: build/default/pages/korvel-demo, every language of resources/Language.ini)
# Git keeps only the pictures README.md shows (see .gitignore); the others are for looking.
set -euo pipefail
cd "$(dirname "$0")/.."

demo=${1:-build/default/pages/korvel-demo}
shift || true
languages=("$@")
if [ ${#languages[@]} -eq 0 ]; then
    IFS=', ' read -r -a languages < <(grep -i '^Supported=' resources/Language.ini | cut -d= -f2 | tr -d '\r')
fi
# The sheet's pages in tab order, each with the picture's name.
pages=(1-file-transfer 2-software-upgrade 3-terminal 4-preferences 5-file-merge 6-file-create
       11-inspection-history 7-user-velocity)
scratch=$(mktemp -d)

# Xvfb picks a free display itself and writes its number once it accepts clients. Without
# -noreset it resets whenever its last client leaves, and a demo started during that reset
# cannot connect and aborts.
Xvfb -displayfd 3 -noreset -screen 0 1400x900x24 -nolisten tcp 3>"$scratch/display" >/dev/null 2>&1 &
xvfb=$!
pid=""
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null
    kill "$xvfb" 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT
for _ in $(seq 100); do
    [ -s "$scratch/display" ] && break
    kill -0 "$xvfb" 2>/dev/null || { echo "Xvfb did not start" >&2; exit 1; }
    sleep 0.1
done
[ -s "$scratch/display" ] || { echo "Xvfb did not answer" >&2; exit 1; }
export DISPLAY=:$(head -1 "$scratch/display")
unset QT_QPA_PLATFORM

# The text of KEY in the language section CODE of Language.ini.
ini_text() {
    awk -v section="[$1]" -v key="$2=" '
        { sub(/\r$/, "") }
        /^\[/ { inside = ($0 == section); next }
        inside && index($0, key) == 1 { print substr($0, length(key) + 1); exit }
    ' resources/Language.ini
}

# The Alt key letter of a caption ("Survey M&ap" gives a).
accelerator() {
    ini_text "$1" "$2" | sed -n 's/[^&]*&\(.\).*/\1/p' | tr '[:upper:]' '[:lower:]'
}

# The largest top-level window whose title holds the text (the main window shares the
# sheet's title).
largest_window() {
    xwininfo -root -children | grep -F -- "$1" |
        awk '{ split($0, a, /\) +/); split(a[2], s, /[x+ ]/); print s[1] * s[2], $1 }' |
        sort -n | tail -1 | cut -d' ' -f2
}

# Waits until `count` top-level windows hold the text in their title.
await_windows() {
    for _ in $(seq 150); do
        [ "$(xwininfo -root -children | grep -cF -- "$1" || true)" -ge "$2" ] && return
        kill -0 "$pid" 2>/dev/null || { echo "korvel-demo ended early:" >&2; cat "$scratch/log" >&2; exit 1; }
        sleep 0.2
    done
    echo "no window \"$1\" came" >&2
    exit 1
}

# A window into a PNG file of 256 colours (a third of the size, no visible loss for windows).
# Without a window manager the X server keeps no contents of a window's covered parts, and
# import gives them black: the window is raised above every other first (the panel, and the
# minimised main window, which Xvfb shows as a plain window at the top left).
capture() {
    xdotool windowraise "$1"
    sleep 0.3
    import -window "$1" png:- | convert - +dither -colors 256 -define png:compression-level=9 "PNG8:$2"
    echo "$2"
}

start_demo() {
    "$demo" "$@" "$scratch/demo" >"$scratch/log" 2>&1 &
    pid=$!
}

stop_demo() {
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    pid=""
}

# Every picture in the language chosen in the demo's settings. The sheet's title ends in the
# version number in every language; the data view's title holds the file name.
take_pictures() {
    local code=$1 out=$2 sheet=' 3.7.3"' panel
    panel="\"$(ini_text "$code" IDS_DEMO_PANEL_TITLE)\""
    for i in "${!pages[@]}"; do
        local options=(--page "$i")
        [ "$i" -eq 0 ] && options+=(--list-gauge)
        start_demo "${options[@]}"
        await_windows "$sheet" 2
        await_windows "$panel" 1
        # The gauge list takes two seconds of the protocol's pauses to come.
        sleep "$([ "$i" -eq 0 ] && echo 4 || echo 1.5)"
        capture "$(largest_window "$sheet")" "$out/${pages[$i]}.png"
        [ "$i" -eq 0 ] && capture "$(largest_window "$panel")" "$out/0-demo-panel.png"
        stop_demo
    done

    # The data view of a sample file, opened from the transfer page.
    start_demo --view PIPE-A.CSV
    await_windows 'PIPE-A.CSV"' 1
    sleep 1.5
    capture "$(largest_window 'PIPE-A.CSV"')" "$out/8-data-view.png"
    stop_demo

    # The survey map of the tank survey (its button's Alt key), then its comparison with the
    # earlier survey (Return takes the newest earlier survey).
    start_demo --view TANK-N.CSV
    await_windows 'TANK-N.CSV"' 1
    sleep 1.5
    local window
    window=$(largest_window 'TANK-N.CSV"')
    xdotool windowsize "$window" 1100 700
    sleep 1
    xdotool windowfocus "$window" key "alt+$(accelerator "$code" IDC_BTN_SURVEY_MAP)"
    sleep 1.5
    capture "$window" "$out/9-survey-map.png"
    xdotool windowfocus "$window" key "alt+$(accelerator "$code" IDC_BTN_SURVEY_COMPARE)"
    sleep 2
    xdotool key Return
    sleep 1.5
    capture "$window" "$out/10-survey-compare.png"
    stop_demo
}

for code in "${languages[@]}"; do
    # The demo keeps its settings in its own folder; the language takes effect at its start.
    mkdir -p "$scratch/demo/settings/Korvel" "docs/screenshots/$code"
    printf '[Language]\r\nDefault=%s\r\n' "$code" >"$scratch/demo/settings/Korvel/Settings.ini"
    take_pictures "$code" "docs/screenshots/$code"
done
