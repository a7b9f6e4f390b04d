#!/usr/bin/env bash
# The study of a function on the real program under Xvfb and openbox:
# x^3-3*x drawn, F7 pressed with the focus still in the expression box
# opens "Studio della funzione" (F8 there first plays the curve, which this
# session, with no sound server, answers with "Audio non disponibile"). Its table (read through AT-SPI) holds the
# zeros, the extrema, the crossing of the y axis and the inflection over the
# default view, and its text the intervals where f > 0; rings in the curve's
# colour mark the points on the plot. With "Traccia la curva", Ctrl+Right
# from x = -3 steps to the zero, then to the maximum. Eight wheel notches
# over the plot's centre narrow the view below 3.4: the study follows, with
# the zero at 0 and without those at +-1.73205.
# Without the accessibility bus or openbox the session is skipped (exit 77),
# and under CI (CI=true) fails.
#   study.sh <program>
#   CURVALIA_STUDY_SHOT=<file> keeps the screenshot of the trace on the maximum,
#   CURVALIA_DISPLAY=<n> runs on display :n instead of a free one.
set -u

program=${1:?usage: study.sh <program>}

. "$(dirname "$0")/a11y_lib.sh"
a11y_session "$@"
. "$(dirname "$0")/e2e_lib.sh"
need_wm "the menus and the study's window need a window manager (openbox)"
a11y_start || cannot_run "no accessibility bus (at-spi2-core, dbus, python3-pyatspi) to read the study"
# No sound server, whatever the machine has: F8 must say so.
export PULSE_SERVER=unix:/nonexistent

green="#00FF00"
# The study's table, a row a line (Tipo|x|y), then "--" and its sentences;
# "." for the decimal point whatever the locale (no other comma occurs).
study_text() {
    timeout 20 /usr/bin/python3 - "$app_pid" <<'PY' 2>/dev/null | tr , .
import sys
import pyatspi

def find(node, role, name):
    for child in node:
        if child is None:
            continue
        if child.getRoleName() == role and child.name == name:
            return child
        found = find(child, role, name)
        if found is not None:
            return found
    return None

for app in pyatspi.Registry.getDesktop(0):
    if app is None or app.get_process_id() != int(sys.argv[1]):
        continue
    table = find(app, "table", "Punti della funzione")
    if table is not None:
        t = table.queryTable()
        for r in range(t.nRows):
            print("|".join(t.getAccessibleAt(r, c).name for c in range(t.nColumns)))
    text = find(app, "text", "Intervalli e asintoti")
    if text is not None:
        t = text.queryText()
        print("--")
        print(t.getText(0, t.characterCount))
PY
}
# Reads the study until a shell test on it ($study) holds: it is computed
# once the draw has ended. Sets study.
wait_study() { # test...
    for _ in $(seq 40); do
        study=$(study_text)
        "$@" && return 0
        sleep 0.25
    done
    return 1
}
has_rows() { [ -n "${study%%--*}" ]; }
# Reads the read-out until it says the text given.
wait_readout() { # text
    for _ in $(seq 20); do
        said=$(readout | tr , .)
        [ "$said" = "$1" ] && return 0
        sleep 0.2
    done
    return 1
}
# The pixel of the drawing where a point of the default view falls.
pixel_of() { # x y -> column row
    awk -v x="$1" -v y="$2" 'BEGIN { printf "%d %d\n", (x + 10) / 20 * 445, (10 - y) / 20 * 309 }'
}
# Green pixels in a box of the plot, the antialiased edge of a ring
# (blended with the background) among them.
ring_pixels() { # screenshot, column row width height (in the drawing)
    convert "$1" -crop "$4x$5+$(( graph_x + $2 ))+$(( graph_y + $3 ))" +repage -depth 8 txt:- |
        awk '/^[0-9]+,[0-9]+:/ { split($2, c, /[(),]/); r = c[2]; g = c[3]; b = c[4]
            if (g >= 80 && r <= g / 2 && b <= g / 2) ++n } END { print n + 0 }'
}

start_past_splash

# --- x^3-3*x, and F7 from the expression box ------------------------------------------
draw_at_default 'x^3-3*x' "$green"
expression_focused || fail "the expression box does not have the focus"
xdotool key F8
for _ in $(seq 20); do
    a11y_objects | grep -q '|label|Audio non disponibile|' && break
    sleep 0.2
done
a11y_objects | grep -q '|label|Audio non disponibile|' || fail "F8 in the expression box did not say Audio non disponibile"
echo "F8: Audio non disponibile"
xdotool key F7
wait_window "^Studio della funzione\$" 5000 >/dev/null || fail "F7 in the expression box did not open Studio della funzione"

# --- the table and the sentences --------------------------------------------------
expected="zero|-1.73205|0
massimo relativo|-1|2
zero|0|0
intersezione con l'asse y|0|0
flesso|0|0
minimo relativo|1|-2
zero|1.73205|0"
wait_study has_rows || fail "the study's table stays empty"
echo "Study over the default view:"
echo "$study"
[ "${study%%$'\n'--*}" = "$expected" ] || fail "the table is not the one of x^3-3*x over -10..10:
$(diff <(echo "$expected") <(echo "${study%%$'\n'--*}"))"
first=$(sed -n '/^--$/{n;p;q}' <<<"$study")
[ "$first" = "f > 0 per x in (-1.73205; 0) e (1.73205; 10)" ] || fail "the first sentence is \"$first\""

# --- the rings on the plot --------------------------------------------------------
# The curve is level at its extrema: 3 to 6 pixels straight above the maximum
# and below the minimum only a ring can be green; 10 pixels off, nothing.
read -r max_c max_r <<<"$(pixel_of -1 2)"
read -r min_c min_r <<<"$(pixel_of 1 -2)"
for _ in $(seq 20); do
    shot rings
    above=$(ring_pixels "$work/rings.png" $(( max_c - 1 )) $(( max_r - 6 )) 3 4)
    below=$(ring_pixels "$work/rings.png" $(( min_c - 1 )) $(( min_r + 3 )) 3 4)
    far=$(ring_pixels "$work/rings.png" $(( max_c - 3 )) $(( max_r - 13 )) 7 4)
    [ "$above" -gt 0 ] && [ "$below" -gt 0 ] && break
    sleep 0.25
done
echo "Ring pixels above the maximum: $above, below the minimum: $below, 10 pixels above: $far"
[ "$above" -gt 0 ] && [ "$below" -gt 0 ] || fail "no ring on the maximum and the minimum"
[ "$far" -eq 0 ] || fail "green far from the maximum: not a ring"

# --- Ctrl+Right from x = -3 -------------------------------------------------------
options t "Traccia la curva" on
read -r col row <<<"$(pixel_of -3 0)"
xdotool mousemove --sync $(( graph_x + col - 20 )) $(( graph_y + row ))
sleep 0.2
xdotool mousemove --sync $(( graph_x + col )) $(( graph_y + row )) click 1
for _ in $(seq 20); do
    traced=$(readout | tr , .)
    [ "${traced#*x = -3}" != "$traced" ] || [ "${traced#*x = -2.9}" != "$traced" ] && break
    sleep 0.2
done
echo "Clicked at pixel ($col, $row): \"$traced\""
[ "${traced#*x = -3}" != "$traced" ] || [ "${traced#*x = -2.9}" != "$traced" ] || fail "the trace is not at x = -3"
xdotool key ctrl+Right
wait_readout "zero: x = -1.73205   f(x) = 0" || fail "Ctrl+Right did not step to the zero: \"$said\""
xdotool key ctrl+Right
wait_readout "massimo relativo: x = -1   f(x) = 2" || fail "Ctrl+Right did not step to the maximum: \"$said\""
echo "Ctrl+Right twice: \"$said\""
shot traced
[ -n "${CURVALIA_STUDY_SHOT:-}" ] && cp "$work/traced.png" "$CURVALIA_STUDY_SHOT"

# --- eight notches over the centre ------------------------------------------------
options t "Traccia la curva" off
xdotool mousemove --sync $(( graph_x + 222 )) $(( graph_y + 154 ))
sleep 0.3
for _ in 1 2 3 4 5 6 7 8; do
    change_view xdotool click 4
done
echo "Eight notches over the centre: \"$view\""
read -r xmin xmax <<<"$(sed -n 's/^Vista: x da \([-0-9.]*\) a \([-0-9.]*\);.*$/\1 \2/p' <<<"$view")"
awk -v a="$xmin" -v b="$xmax" 'BEGIN { exit !(a < 0 && 0 < b && b - a < 3.4) }' ||
    fail "the view is not around 0 and narrower than 3.4"
[ -n "$(xdotool search --onlyvisible --name '^Studio della funzione$' 2>/dev/null)" ] ||
    fail "Studio della funzione closed"
narrow() { grep -qx 'zero|0|0' <<<"$study" && grep -qx 'flesso|0|0' <<<"$study" && ! grep -q '1\.73205' <<<"$study"; }
wait_study narrow || fail "the study did not follow the view:
$study"
echo "Study over the narrow view:"
echo "$study"
kill -0 "$app_pid" 2>/dev/null || fail "the program ended"
echo "PASS"
