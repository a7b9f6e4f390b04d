#!/usr/bin/env bash
# Drives the real program under Xvfb: an arrow key leaves the splash up, a
# space dismisses it; an expression typed and the draw button clicked put
# curve-coloured pixels on the plot; Credits opens the About box through the
# menu; "Uscita" ends the program with status 0 and no window left.
# Exit 77 (skipped) only when Xvfb cannot start.
#   main_window.sh <program>    (CURVALIA_SHOT=<file> keeps the plot's screenshot)
set -u
program=${1:?usage: main_window.sh <program>}
title="Curvalia Light v1.1"
fail() { echo "FAIL: $*"; exit 1; }
for tool in xdotool import convert; do
    command -v "$tool" >/dev/null 2>&1 || fail "$tool is not installed"
done
[ -x "$program" ] || fail "$program is not an executable"

work=$(mktemp -d)
xvfb_pid="" app_pid=""
cleanup() {
    for pid in $app_pid $xvfb_pid; do kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null; done
    rm -rf "$work"
}
trap cleanup EXIT

command -v Xvfb >/dev/null 2>&1 || { echo "SKIP: Xvfb is not installed"; exit 77; }
# Xvfb picks a free display itself; two servers started at once may still
# race for one, so a server that does not answer is replaced, twice at most.
for attempt in 1 2 3; do
    : >"$work/display"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
    xvfb_pid=$!
    for _ in $(seq 100); do
        [ -s "$work/display" ] || kill -0 "$xvfb_pid" 2>/dev/null || break
        [ -s "$work/display" ] && break
        sleep 0.05
    done
    export DISPLAY=":$(head -n 1 "$work/display")"
    [ -s "$work/display" ] && xdotool getdisplaygeometry >/dev/null 2>&1 && break
    kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    xvfb_pid=""
    [ "$attempt" -lt 3 ] || { echo "SKIP: Xvfb could not start: $(tail -n 3 "$work/xvfb.log")"; exit 77; }
done
unset WAYLAND_DISPLAY
export QT_QPA_PLATFORM=xcb

visible() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1; }
wait_window() { # title pattern -> window id, within 20 s
    for _ in $(seq 400); do
        local id; id=$(visible "$1")
        [ -n "$id" ] && { echo "$id"; return 0; }
        kill -0 "$app_pid" 2>/dev/null || return 1
        sleep 0.05
    done
    return 1
}
"$program" >"$work/app.log" 2>&1 &
app_pid=$!
splash=$(wait_window "^Curvalia Light\$") || { cat "$work/app.log"; fail "no splash window"; }
# Arrow keys produce no character and leave the splash in place.
xdotool windowfocus --sync "$splash" 2>/dev/null
xdotool key --window "$splash" Left
sleep 0.3
[ -z "$(visible "^${title}\$")" ] || fail "an arrow key dismissed the splash"
xdotool key --window "$splash" space
window=$(wait_window "^${title}\$") || { cat "$work/app.log"; fail "no main window after a key"; }
[ -z "$(visible "^Curvalia Light\$")" ] || fail "the splash stayed open"

# The client area is 518 x 429 pixels under the menu bar; positions are the
# window's own layout in twips / 15.
eval "$(xdotool getwindowgeometry --shell "$window")"
menu=$(( HEIGHT - 429 ))
px() { echo $(( ($1 + 7) / 15 )); }
frame_x=$(( X + $(px 120) )); frame_y=$(( Y + menu ))
graph_x=$(( frame_x + $(px 120) + 1 )); graph_y=$(( frame_y + $(px 240) + 1 ))
green_pixels() { # screenshot -> light-green pixels on the plot
    convert "$1" -crop "446x310+${graph_x}+${graph_y}" +repage txt:- | grep -c '#00FF00'
}
import -window root "$work/before.png" || fail "no screenshot"
[ "$(green_pixels "$work/before.png")" -eq 0 ] || fail "green pixels before any draw"

xdotool mousemove --sync $(( frame_x + $(px 180) + 100 )) $(( frame_y + $(px 5400) + 10 )) click 1
xdotool type --delay 15 'sin(x)*x'
# Hover first: the highlighted twin replaces the picture and takes the click.
pen_x=$(( frame_x + $(px 6960) + 16 )); pen_y=$(( frame_y + $(px 660) + 16 ))
xdotool mousemove --sync "$pen_x" "$pen_y"
sleep 0.3
xdotool mousemove --sync $(( pen_x + 1 )) "$pen_y"
sleep 0.3
xdotool click 1
sleep 1.5
import -window root "$work/after.png" || fail "no screenshot"
[ -n "${CURVALIA_SHOT:-}" ] && cp "$work/after.png" "$CURVALIA_SHOT"
after=$(green_pixels "$work/after.png")
echo "Curve pixels on the plot after drawing: $after"
[ "$after" -ge 200 ] || fail "expected the curve of sin(x)*x, found $after green pixels"

menu_x=$(( X + 20 )); menu_y=$(( Y + menu / 2 ))
xdotool mousemove --sync "$menu_x" "$menu_y" click 1
sleep 0.3
xdotool key Right Right Return # "Menu" -> "Opzioni" -> "&?", first entry "Credits"
wait_window "^Informazioni su Curvalia Light\$" >/dev/null || fail "Credits did not open the About box"
xdotool mousemove --sync "$menu_x" "$menu_y" click 1
sleep 0.3
xdotool key u # "&Uscita"
for _ in $(seq 200); do
    kill -0 "$app_pid" 2>/dev/null || break
    sleep 0.05
done
kill -0 "$app_pid" 2>/dev/null && fail "the program is still running after Uscita"
wait "$app_pid"; status=$?
app_pid=""
[ "$status" -eq 0 ] || fail "the program ended with status $status"
[ -z "$(visible "Curvalia|Informazioni|Valore|Area")" ] || fail "windows left after Uscita"
echo "PASS"
