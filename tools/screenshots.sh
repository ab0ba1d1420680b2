#!/usr/bin/env bash
# Screenshots of every page of korvel-demo under Xvfb, into docs/screenshots/.
#   tools/screenshots.sh [PATH-TO-korvel-demo]     (default: build/default/pages/korvel-demo)
set -euo pipefail
cd "$(dirname "$0")/.."

demo=${1:-build/default/pages/korvel-demo}
out=docs/screenshots
pages=(file-transfer software-upgrade terminal preferences file-merge file-create user-velocity)
scratch=$(mktemp -d)

# Xvfb picks a free display itself and writes its number once it accepts clients. Without
# -noreset it resets whenever its last client leaves, and a demo started during that reset
# cannot connect and aborts.
Xvfb -displayfd 3 -noreset -screen 0 1400x900x24 -nolisten tcp 3>"$scratch/display" >/dev/null 2>&1 &
xvfb=$!
cleanup() {
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

# The largest top-level window whose title holds the text (the main window shares the
# sheet's title).
largest_window() {
    xwininfo -root -children | grep -- "$1" |
        awk '{ split($0, a, /\) +/); split(a[2], s, /[x+ ]/); print s[1] * s[2], $1 }' |
        sort -n | tail -1 | cut -d' ' -f2
}

mkdir -p "$out"
for i in "${!pages[@]}"; do
    options=(--page "$i")
    [ "$i" -eq 0 ] && options+=(--list-gauge)
    "$demo" "${options[@]}" "$scratch/demo" >"$scratch/log" 2>&1 &
    pid=$!
    # Wait for the sheet beside the main window, then for its pages to settle.
    for _ in $(seq 150); do
        [ "$(xwininfo -root -children | grep -c -- '- Version 3.7.3' || true)" -ge 2 ] && break
        kill -0 "$pid" 2>/dev/null || { echo "korvel-demo ended early:" >&2; cat "$scratch/log" >&2; exit 1; }
        sleep 0.2
    done
    # The gauge list takes two seconds of the protocol's pauses to come.
    sleep $([ "$i" -eq 0 ] && echo 4 || echo 1.5)
    window=$(largest_window '- Version 3.7.3')
    import -window "$window" "$out/$(printf '%d' $((i + 1)))-${pages[$i]}.png"
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    echo "$out/$((i + 1))-${pages[$i]}.png"
done

# The data view of a sample file, opened from the transfer page.
"$demo" --view PIPE-A.CSV "$scratch/demo" >/dev/null 2>&1 &
pid=$!
for _ in $(seq 150); do
    xwininfo -root -children | grep -q '"Data View' && break
    sleep 0.2
done
sleep 1.5
import -window "$(largest_window '"Data View')" "$out/8-data-view.png"
kill "$pid"
wait "$pid" 2>/dev/null || true
echo "$out/8-data-view.png"

# The survey map of the tank survey (Alt+A: Survey Map), then its comparison with the earlier
# survey (Alt+O: Compare..., Return takes the newest earlier survey).
"$demo" --view TANK-N.CSV "$scratch/demo" >/dev/null 2>&1 &
pid=$!
for _ in $(seq 150); do
    xwininfo -root -children | grep -q '"Data View - TANK' && break
    sleep 0.2
done
sleep 1.5
window=$(largest_window '"Data View - TANK')
xdotool windowsize "$window" 1100 700
sleep 1
xdotool windowfocus "$window" key alt+a
sleep 1.5
import -window "$window" "$out/9-survey-map.png"
echo "$out/9-survey-map.png"
xdotool windowfocus "$window" key alt+o
sleep 2
xdotool key Return
sleep 1.5
import -window "$window" "$out/10-survey-compare.png"
kill "$pid"
wait "$pid" 2>/dev/null || true
echo "$out/10-survey-compare.png"
