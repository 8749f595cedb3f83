#!/usr/bin/env bash
# End-to-end check of the window in a real X server, driven the way a person uses it: start kelvora in an
# empty directory, drag the pHo slider's thumb to the top of its track, press "Copy to clipboard", read
# the clipboard, export a figure with Ctrl+E from a text box, close the window with its close request,
# and check the Kelvora.ini it leaves.
#
# Usage: tests/e2e/e2e_xvfb.sh [path/to/kelvora]     (default: build/app/kelvora)
# Needs Xvfb, xdotool, xclip and python3-xlib (scripts/deps.sh installs them). Starts its own X server
# on a free display, so it runs beside a desktop, in CI with no display, and in parallel with itself.
# What the first start writes and the table's exact text are checked by the window and model tests; here
# the way through a real X server.
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
kelvora="$(realpath "${1:-$root/build/app/kelvora}")"
xwindow=(/usr/bin/python3 "$here/xwindow.py")

# The window's layout, in pixels of the client area below the menu bar (design twips / 15): the band of
# the slider tracks, the "Copy to clipboard" button's centre, and which thumb is pHo's with the ratio on the y axis (columns
# ATPin and ADPin are hidden, so ATPout, ADPout, Pin, pHo: the fourth from the left).
slidertop=384
sliderbottom=535
visiblesliders=18
phothumb=4
copyx=836
copyy=236
crossingx=800 # the crossing text, a box that takes keys for itself
crossingy=321
datalines=270 # plot rows: 305 - 35
clientheight=626 # the design's client area; the window is the menu bar taller

wait_seconds=30 # every wait gives up after this long

fail() {
    echo "e2e: FAILED: $*" >&2
    for log in "$work/kelvora.log" "$work/xvfb.log"; do
        [ -s "$log" ] && { echo "--- $(basename "$log")" >&2; tail -n 20 "$log" >&2; }
    done
    exit 1
}

work="$(mktemp -d "${TMPDIR:-/tmp}/kelvora-e2e.XXXXXX")"
xvfb_pid="" app_pid=""
cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && { kill "$xvfb_pid"; wait "$xvfb_pid"; } 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# Polls a command until it succeeds or the time is up.
waitfor() {
    local what="$1" deadline=$((SECONDS + wait_seconds))
    shift
    until "$@" >/dev/null 2>&1; do
        [ "$SECONDS" -lt "$deadline" ] || fail "timed out waiting for $what"
        sleep 0.1
    done
}

[ -x "$kelvora" ] || fail "no program at $kelvora"
for tool in Xvfb xdotool xclip; do command -v "$tool" >/dev/null || fail "$tool is not installed"; done
/usr/bin/python3 -c 'import Xlib' 2>/dev/null || fail "python3-xlib is not installed"

# --- An X server of our own, on whatever display number is free ----------------------------------------
mkdir -m 700 "$work/run" "$work/home" "$work/dir"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/displayfd" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
waitfor "the X server" grep -q '^[0-9]' "$work/displayfd"
export DISPLAY=":$(head -n1 "$work/displayfd")"
waitfor "the X server to answer" xdotool getmouselocation
echo "e2e: X server on $DISPLAY"

# --- The program, in an empty directory ----------------------------------------------------------------
(
    cd "$work/dir"
    export QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$work/run" HOME="$work/home" LC_ALL=C.UTF-8 LANG=C.UTF-8
    unset LANGUAGE LC_NUMERIC
    # A sanitizer build checks for leaks at the end; those of the system's own libraries are not ours.
    export LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}suppressions=$here/lsan.supp:print_suppressions=0"
    exec "$kelvora"
) >"$work/kelvora.log" 2>&1 &
app_pid=$!

window="$(timeout "$wait_seconds" xdotool search --sync --limit 1 --onlyvisible --name 'Kelvora$')" ||
    fail "the window did not appear"
# Everything below the menu bar moves down by its height.
height="$(xdotool getwindowgeometry --shell "$window" | sed -n 's/^HEIGHT=//p')"
menubar=$((height - clientheight))
[ "$menubar" -ge 0 ] || fail "the window is lower than its client area"
((slidertop += menubar, sliderbottom += menubar, copyy += menubar, crossingy += menubar))

# --- Drag the pHo thumb to the top of its track ------------------------------------------------------
# The pointer rests in a corner first, so that no thumb is drawn highlighted under it.
xdotool mousemove --window "$window" 5 5
# The thumbs' centres in the slider band, left to right, and pHo's.
thumbs() { "${xwindow[@]}" thumbs "$window" "$slidertop" "$sliderbottom"; }
phothumb() { thumbs | sed -n "${phothumb}p"; }
# Wait until the panel is painted: every visible slider shows its thumb.
thumbs_painted() { [ "$(thumbs | wc -l)" -eq "$visiblesliders" ]; }
waitfor "the slider thumbs to be painted" thumbs_painted
read -r thumbx thumby < <(phothumb)
echo "e2e: pHo thumb at $thumbx,$thumby"
xdotool mousemove --window "$window" "$thumbx" "$thumby" mousedown 1
for y in $(seq $((thumby - 5)) -15 $((slidertop - 30))); do
    xdotool mousemove --window "$window" "$thumbx" "$y"
done
xdotool mouseup 1 mousemove --window "$window" 5 5

# The thumb now stands at the top: the top of the track is the parameter's largest allowed value.
thumb_at_top() { phothumb | awk -v top=$((slidertop + 12)) '$2 < top { found = 1 } END { exit !found }'; }
waitfor "the thumb to reach the top of its track" thumb_at_top

# --- Copy to clipboard ---------------------------------------------------------------------------------
xdotool mousemove --window "$window" "$copyx" "$copyy" click 1
clipboard_holds_table() {
    xclip -o -selection clipboard >"$work/clipboard" 2>/dev/null &&
        [ "$(tr -cd '\n' <"$work/clipboard" | wc -c)" -eq $((datalines + 1)) ]
}
waitfor "the clipboard to hold the table" clipboard_holds_table
# The parameter block: pHo (parameter 5) stands on the sixth data line, line 7 with the header.
phoclip="$(sed -n 7p "$work/clipboard" | tr -d '\r' | awk -F'\t' '$5 == "pHo " { print $6 }')"
[ -n "$phoclip" ] || fail "no pHo in the clipboard's parameter block"

# --- Ctrl+E with the focus in a text box, which binds that key itself on X11 -----------------------------
xdotool mousemove --window "$window" "$crossingx" "$crossingy" click 1 key ctrl+e
dialog="$(timeout "$wait_seconds" xdotool search --sync --limit 1 --onlyvisible --name '^Export figure$')" ||
    fail "Ctrl+E in a text box opened no export dialog"
# With no window manager nobody hands the new dialog the keyboard: the keys must not reach the window
# behind it.
xdotool windowfocus --sync "$dialog"
xdotool type "$work/dir/figure.png"
xdotool key Return
waitfor "the exported figure" test -s "$work/dir/figure.png"

# --- Close the window the way its close box does -----------------------------------------------------
"${xwindow[@]}" close "$window"
waitfor "kelvora to end after the close request" eval '! kill -0 "$app_pid"'
app_status=0
wait "$app_pid" || app_status=$?
app_pid=""
[ "$app_status" -eq 0 ] || fail "kelvora ended with status $app_status"

# --- What the close wrote -------------------------------------------------------------------------------
ini="$work/dir/Kelvora.ini"
[ "$(wc -l <"$ini")" -eq 98 ] || fail "Kelvora.ini is not the full 98-line form"
ini_value() { tr -d '\r' <"$ini" | awk -v name="# $1" -v k="$2" 'found && --k == 0 { print; exit } index($0, name " ") == 1 { found = 1 }'; }
phovalue="$(ini_value pHo 1)"
phomax="$(ini_value pHo 3)"
same() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a + 0 == b + 0) }'; }
same "$phovalue" "$phoclip" || fail "pHo in Kelvora.ini ($phovalue) differs from the clipboard ($phoclip)"
same "$phovalue" "$phomax" || fail "pHo ($phovalue) is not at the top of its range ($phomax) after the drag"

echo "e2e: 1 passed, 0 failed"
