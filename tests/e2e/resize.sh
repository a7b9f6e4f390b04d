#!/usr/bin/env bash
# Drives the real program under Xvfb with openbox: maximizes the main window
# (a double click on its title bar), turns on the derivative and the numbers
# on the axes, draws sin(x), and checks in a screenshot that the plot fills
# the grown window, that the curve and its derivative land where the frame
# mapping puts them at that size (floor(X * (W - 1) / 6675), floor(Y * (H - 1)
# / 4635) for a plot of W x H pixels), and that numbers stand under the x
# axis; then restores the window and checks that it is back at its own size.
# Exit 77 (skipped) when Xvfb cannot start or no window manager runs; under
# CI (CI=true) that fails instead.
#   resize.sh <program>
#   CURVALIA_SHOT=<file> keeps the screenshot of the maximized window,
#   CURVALIA_SMALL_SHOT=<file> the one at the window's own size.
set -u

program=${1:?usage: resize.sh <program>}

. "$(dirname "$0")/e2e_lib.sh"

need_wm "maximizing needs a window manager"
command -v python3 >/dev/null 2>&1 || fail "python3 is not installed"

start_past_splash
sleep 0.3
geometry "$window"
[ "$WIDTH" -eq 518 ] && [ "$HEIGHT" -eq 447 ] || fail "the window opens at ${WIDTH}x${HEIGHT}, not 518x447"
IFS=', ' read -r left right top bottom <<<"$(frame_extents "$window")"

# --- maximized -----------------------------------------------------------------
toggle_maximized() {
    xdotool mousemove --sync $(( X + 200 )) $(( Y - top / 2 )) click --repeat 2 --delay 80 1
    sleep 0.8
}
toggle_maximized
xprop -id "$window" _NET_WM_STATE | grep -q _NET_WM_STATE_MAXIMIZED_HORZ || fail "the window did not maximize"
geometry "$window"
echo "Maximized: client area ${WIDTH}x${HEIGHT} at $X,$Y"
[ "$WIDTH" -ge 1200 ] && [ "$HEIGHT" -ge 900 ] || fail "the maximized window is only ${WIDTH}x${HEIGHT}"

# "Menu" > "&Grafici..." > "&Derivata Prima", then "Opzioni" > "N&umeri sugli assi".
menu_keys() { # keys typed one by one into the menu bar's first menu
    xdotool mousemove --sync $(( X + 20 )) $(( Y + 9 )) click 1
    for key in "$@"; do sleep 0.3; xdotool key "$key"; done
    sleep 0.3
}
menu_keys g d
menu_keys Right u

# The plot and the expression box, placed for the grown window.
grow_w=$(( WIDTH - 518 )); grow_h=$(( HEIGHT - 447 ))
menu=$(( HEIGHT - 429 - grow_h ))
graph_x=$(( X + 8 + 8 + 1 )); graph_y=$(( Y + menu + 16 + 1 ))
graph_w=$(( 446 + grow_w )); graph_h=$(( 310 + grow_h ))
xdotool mousemove --sync $(( X + 8 + 12 + 100 )) $(( Y + menu + 360 + 10 + grow_h )) click 1
xdotool key ctrl+a
xdotool type --delay 15 'sin(x)'
xdotool key Return
sleep 2

import -window root "$work/max.png" || fail "no screenshot"
[ -n "${CURVALIA_SHOT:-}" ] && cp "$work/max.png" "$CURVALIA_SHOT"
convert "$work/max.png" -crop "${graph_w}x${graph_h}+${graph_x}+${graph_y}" +repage "$work/plot.txt"

# Where the points of the default range (-10..10 both ways, step 0.01) land
# at this size; each must be in its colour within a pixel of that place
# (the sweep's x is a running sum, a hair off the decimal).
python3 - "$work/plot.txt" "$graph_w" "$graph_h" <<'PY' || fail "the curve is not where the frame mapping puts it"
import math, re, sys
path, W, H = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
colour = {}
for line in open(path):
    m = re.match(r'(\d+),(\d+): .*(#[0-9A-F]{6})', line)
    if m:
        colour[(int(m.group(1)), int(m.group(2)))] = m.group(3)
def pixel(x, v):
    X = (x + 10) * 6675 / 20
    Y = (10 - v) * 4635 / 20
    return math.floor(X * (W - 1) / 6675), math.floor(Y * (H - 1) / 4635)
def near(p, want):
    return any(colour.get((p[0] + dx, p[1] + dy)) == want for dx in (-1, 0, 1) for dy in (-1, 0, 1))
missed = 0
checked = 0
for k in range(0, 2001, 37):
    x = -10 + k * 0.01
    checked += 2
    if not near(pixel(x, math.sin(x)), '#00FF00'):
        missed += 1
        print('f  at x = %.2f not at %s' % (x, pixel(x, math.sin(x))))
    if k > 0 and not near(pixel(x, math.cos(x)), '#FF0000'):
        missed += 1
        print("f' at x = %.2f not at %s" % (x, pixel(x, math.cos(x))))
green = sum(1 for c in colour.values() if c == '#00FF00')
print('%d of %d places checked hold their curve; %d curve pixels on a %dx%d plot' % (checked - missed, checked, green, W, H))
# The numbers: grey text (smoothed, so any grey) in the band under the x
# axis, away from the y axis.
def grey_level(c):
    r, g, b = int(c[1:3], 16), int(c[3:5], 16), int(c[5:7], 16)
    return r if r == g == b and 0x30 <= r <= 0xC0 else 0
axis_row = math.floor(2317.5 * (H - 1) / 4635)
axis_col = math.floor(3337.5 * (W - 1) / 6675)
grey = sum(1 for (px, py), c in colour.items()
           if grey_level(c) and axis_row + 4 <= py <= axis_row + 14 and abs(px - axis_col) > 4)
print('%d grey number pixels under the x axis' % grey)
sys.exit(0 if missed == 0 and green >= 1000 and grey >= 100 else 1)
PY

# --- back to its own size --------------------------------------------------------
geometry "$window"
toggle_maximized
geometry "$window"
echo "Restored: client area ${WIDTH}x${HEIGHT}"
[ "$WIDTH" -eq 518 ] && [ "$HEIGHT" -eq 447 ] || fail "restored to ${WIDTH}x${HEIGHT}, not 518x447"
[ -n "${CURVALIA_SMALL_SHOT:-}" ] && import -window root "$CURVALIA_SMALL_SHOT"
kill -0 "$app_pid" 2>/dev/null || fail "the program ended"
echo "PASS"
