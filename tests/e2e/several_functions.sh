#!/usr/bin/env bash
# Several curves on the real program under Xvfb and openbox: sin(x) in
# green, then with "Non Cancellare" on cos(x) in light cyan beside it. A
# box zoom (Shift and a drag) and eight wheel notches over the crossing at
# x = pi/4: both curves pass by the pointer, the read-out says the view the
# zoom computes (narrower than 0.1) and "Area" keeps the range typed there.
# The trace on the crossing reads x = 0.7854; Ctrl+0 gives back the first
# plot to the pixel; F6 from the expression box opens "Elenco funzioni";
# with "Disegno automatico" the curve being typed replaces cos(x) key by
# key, and the expression box keeps the keys.
# The read-out is read through the accessibility bus (AT-SPI): without it,
# or without openbox, the session is skipped (exit 77), and under CI
# (CI=true) fails.
#   several_functions.sh <program>
#   CURVALIA_CROSSING_SHOT=<file> keeps the screenshot of the traced crossing,
#   CURVALIA_DISPLAY=<n> runs on display :n instead of a free one.
set -u

program=${1:?usage: several_functions.sh <program>}

. "$(dirname "$0")/a11y_lib.sh"
a11y_session "$@"
. "$(dirname "$0")/e2e_lib.sh"
need_wm "the menus and the list window need a window manager (openbox)"
a11y_start || cannot_run "no accessibility bus (at-spi2-core, dbus, python3-pyatspi) to read the read-out"

plot_of() { convert "$work/$1.png" -crop "446x310+${graph_x}+${graph_y}" +repage "$work/$1-plot.png"; }

start_past_splash

# --- sin(x), then cos(x) in light cyan beside it --------------------------------------
draw_sin_and_cos first
echo "Both curves:$hits_text"
plot_of first

# --- a box zoom, then eight notches over the crossing ---------------------------------
# Pixels of the drawing at the default frame: the box runs from about
# (0.58, 0.86) to (0.93, 0.56), outwards to whole pixels. From (0.6, 0.6) to
# (0.9, 0.8) it would be 3 pixels high, which the program takes for a slip
# of the hand.
read -r c0 r0 c1 r1 <<<"$(awk 'BEGIN {
    c = (0.58 + 10) / 20 * 445; r = (10 - 0.86) / 20 * 309
    printf "%d %d ", c, r
    c = (0.93 + 10) / 20 * 445; r = (10 - 0.56) / 20 * 309
    printf "%d %d\n", (c == int(c) ? c : int(c) + 1), (r == int(r) ? r : int(r) + 1) }')"
box_drag() {
    xdotool mousemove --sync $(( graph_x + c0 )) $(( graph_y + r0 ))
    xdotool keydown shift mousedown 1
    xdotool mousemove --sync $(( graph_x + (c0 + c1) / 2 )) $(( graph_y + (r0 + r1) / 2 ))
    xdotool mousemove --sync $(( graph_x + c1 )) $(( graph_y + r1 ))
    sleep 0.2
    xdotool mouseup 1 keyup shift
}
change_view box_drag
# The view of the rectangle's pixels, and the pixel of the drawing nearest
# to the crossing of sin and cos at x = pi/4 in a view.
view_of_box() {
    awk -v c0="$c0" -v r0="$r0" -v c1="$c1" -v r1="$r1" 'BEGIN {
        printf "%.17g %.17g %.17g %.17g\n", -10 + c0 * 15 / 6675 * 20, -10 + c1 * 15 / 6675 * 20,
            10 - r1 * 15 / 4635 * 20, 10 - r0 * 15 / 4635 * 20 }'
}
crossing_pixel() { # xmin xmax ymin ymax -> nearest pixel of the drawing
    awk -v a="$1" -v b="$2" -v c="$3" -v d="$4" 'BEGIN {
        x = atan2(1, 1); y = sqrt(0.5)
        printf "%d %d\n", (x - a) / (b - a) * 445 + 0.5, (d - y) / (d - c) * 309 + 0.5 }'
}
read -r xmin xmax ymin ymax <<<"$(view_of_box)"
echo "Box zoom: pixels ($c0, $r0) to ($c1, $r1); read-out \"$view\""
[ "$view" = "$(vista_text "$xmin" "$xmax" "$ymin" "$ymax")" ] ||
    fail "the box zoom did not give the view of the rectangle ($(vista_text "$xmin" "$xmax" "$ymin" "$ymax"))"

read -r col row <<<"$(crossing_pixel "$xmin" "$xmax" "$ymin" "$ymax")"
xdotool mousemove --sync $(( graph_x + col )) $(( graph_y + row ))
sleep 0.3
for _ in 1 2 3 4 5 6 7 8; do
    change_view xdotool click 4
done
# Each notch divides both widths by 1.25; the point under the pointer keeps
# its fraction of the frame.
read -r xmin xmax ymin ymax <<<"$(awk -v c="$col" -v r="$row" -v a="$xmin" -v b="$xmax" -v e="$ymin" -v d="$ymax" 'BEGIN {
    fx = c * 15 / 6675; fy = r * 15 / 4635; wx = b - a; wy = d - e
    ax = a + fx * wx; ay = d - fy * wy; wx /= 1.25 ^ 8; wy /= 1.25 ^ 8
    printf "%.17g %.17g %.17g %.17g\n", ax - fx * wx, ax + (1 - fx) * wx, ay - (1 - fy) * wy, ay + fy * wy }')"
echo "Eight notches at pixel ($col, $row): read-out \"$view\""
[ "$view" = "$(vista_text "$xmin" "$xmax" "$ymin" "$ymax")" ] ||
    fail "the notches did not give the view computed here ($(vista_text "$xmin" "$xmax" "$ymin" "$ymax"))"
awk -v a="$xmin" -v b="$xmax" -v c="$ymin" -v d="$ymax" 'BEGIN { exit !(b - a < 0.1 && d - c < 0.1) }' ||
    fail "the view is not narrower than 0.1"
wait_curves zoomed "$xmin" "$xmax" "$ymin" "$ymax" "$green" "sin(x)" "$cyan" "cos(x)" ||
    fail "the curves are not where the zoomed view puts them:$hits_text"
echo "Zoomed:$hits_text"
near=$(convert "$work/zoomed.png" -crop "7x7+$(( graph_x + col - 3 ))+$(( graph_y + row - 3 ))" +repage txt:- |
    awk -v g="$green" -v c="$cyan" '$3 == g { ++green } $3 == c { ++cyan } END { print green + 0, cyan + 0 }')
echo "Within 3 pixels of the pointer: $near (green, cyan pixels)"
read -r near_green near_cyan <<<"$near"
[ "$near_green" -gt 0 ] && [ "$near_cyan" -gt 0 ] || fail "the curves do not pass by the pointer"
# The view is the plot's own: "Area" keeps the range typed there.
xdotool key ctrl+i
area=$(wait_window "^Area\$" 5000) || fail "Ctrl+I did not open Area"
for _ in $(seq 20); do
    fields=$(window_fields Area)
    [ -n "$fields" ] && break
    sleep 0.25
done
echo "Fields of Area: $fields"
[ "$fields" = "-10 10 -10 10 0.01" ] || fail "the zoom wrote into the fields of Area"
xdotool windowactivate --sync "$area" 2>/dev/null
xdotool key Escape
for _ in $(seq 50); do
    [ -z "$(xdotool search --onlyvisible --name '^Area$' 2>/dev/null)" ] && break
    sleep 0.1
done
[ -z "$(xdotool search --onlyvisible --name '^Area$' 2>/dev/null)" ] || fail "Area did not close on Escape"

# --- the trace on the crossing ------------------------------------------------------
options t "Traccia la curva" on
read -r col row <<<"$(crossing_pixel "$xmin" "$xmax" "$ymin" "$ymax")"
xdotool mousemove --sync $(( graph_x + col - 20 )) $(( graph_y + row ))
sleep 0.2
xdotool mousemove --sync $(( graph_x + col )) $(( graph_y + row ))
for _ in $(seq 20); do
    traced=$(readout)
    [ "${traced#*x = }" != "$traced" ] && break
    sleep 0.2
done
echo "Traced at pixel ($col, $row): \"$traced\""
case $traced in
"cos(x): x = "*) ;;
*) fail "the read-out does not trace cos(x), the newest curve, by name" ;;
esac
x=$(sed -n 's/^.*x = \([-0-9.,]*\) .*$/\1/p' <<<"$traced" | tr , .)
[ "$(awk -v x="$x" 'BEGIN { printf "%.4f", x }')" = "0.7854" ] || fail "the traced x $x is not 0.7854 to four decimals"
shot crossing
[ -n "${CURVALIA_CROSSING_SHOT:-}" ] && cp "$work/crossing.png" "$CURVALIA_CROSSING_SHOT"
white=$(convert "$work/crossing.png" -crop "15x15+$(( graph_x + col - 7 ))+$(( graph_y + row - 7 ))" +repage txt:- |
    grep -c '#FFFFFF')
[ "$white" -ge 4 ] || fail "no cross on the traced point"

# --- Ctrl+0: the first plot again ---------------------------------------------------
options t "Traccia la curva" off
# A click without a move gives the plot the keys and moves nothing.
xdotool mousemove --sync $(( graph_x + 100 )) $(( graph_y + 200 )) click 1
change_view xdotool key ctrl+0
echo "Ctrl+0: read-out \"$view\""
[ "$view" = "Vista: x da -10 a 10; y da -10 a 10" ] || fail "Ctrl+0 did not go back to the range of Area"
xdotool mousemove --sync $(( X + WIDTH + 40 )) $(( Y + 40 )) # off the plot, no read-out there
for _ in $(seq 10); do
    sleep 0.3
    shot home
    plot_of home
    differ=$(compare -metric AE "$work/first-plot.png" "$work/home-plot.png" null: 2>&1)
    [ "$differ" = 0 ] && break
done
echo "Pixels that differ from the first plot after Ctrl+0: $differ"
[ "$differ" = 0 ] || fail "Ctrl+0 did not give back the first plot"

# --- F6 from the expression box ------------------------------------------------------
xdotool mousemove --sync "$fx_x" "$fx_y" click 1
expression_focused || fail "the expression box did not take the focus"
xdotool key F6
list=$(wait_window "^Elenco funzioni\$" 5000) || fail "F6 in the expression box did not open Elenco funzioni"
xdotool windowactivate --sync "$list" 2>/dev/null
xdotool key Escape
for _ in $(seq 50); do
    [ -z "$(xdotool search --onlyvisible --name '^Elenco funzioni$' 2>/dev/null)" ] && break
    sleep 0.1
done
[ -z "$(xdotool search --onlyvisible --name '^Elenco funzioni$' 2>/dev/null)" ] ||
    fail "Elenco funzioni did not close on Escape"
echo "F6 opened Elenco funzioni, Escape closed it"

# --- "Disegno automatico": the curve follows the keys ----------------------------------
options a "Disegno automatico" on
xdotool mousemove --sync "$fx_x" "$fx_y" click 1
xdotool key ctrl+a
xdotool type --delay 120 'x^2/10'
wait_curves live -10 10 -10 10 "$green" "sin(x)" "$cyan" "x^2/10" ||
    fail "typing x^2/10 did not draw it in place of cos(x):$hits_text"
read -r hits inside <<<"$(curve_hits "$work/live.png" "$cyan" "cos(x)" -10 10 -10 10)"
echo "Typed without Enter:$hits_text cos(x): $hits of $inside"
[ "$hits" -le 3 ] || fail "cos(x) is still on the plot beside x^2/10"
xdotool type --delay 120 '+1'
for _ in $(seq 10); do
    box=$(expression_box)
    [ "$box" = "x^2/10+1|ef" ] && break
    sleep 0.2
done
echo "Expression box after two more keys: $box (text|states)"
[ "$box" = "x^2/10+1|ef" ] || fail "the expression box lost the keys after a live draw"
kill -0 "$app_pid" 2>/dev/null || fail "the program ended"
echo "PASS"
