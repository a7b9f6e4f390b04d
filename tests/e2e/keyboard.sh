#!/usr/bin/env bash
# A session on the real program with the keyboard alone, not one mouse
# event: past the splash with Enter, the expression typed, the range set in
# "Area" (Ctrl+I), a draw with F5, a slow draw stopped with Esc, "Valore"
# (Ctrl+L) computed and closed with Esc, the plot saved (Ctrl+S), the
# session keys, the print dialog opened (Ctrl+P) and closed. Where the
# AT-SPI bus and its Python binding are installed, the session runs on that
# bus and reads what a screen reader reads: the five named push buttons, the
# named fields, the calculator's answer.
# Usage: keyboard.sh <path to curvalia-light>
set -uo pipefail
program=$1

# Where it can, the whole session runs again inside a D-Bus session of its own.
# The system's Python, where the distribution's binding lives.
python=""
for candidate in /usr/bin/python3 python3; do
    if "$candidate" -c 'import pyatspi' >/dev/null 2>&1; then
        python=$candidate
        break
    fi
done
if [ -z "${CURVALIA_A11Y_SESSION:-}" ] && command -v dbus-run-session >/dev/null 2>&1 &&
    command -v dbus-send >/dev/null 2>&1 && [ -n "$python" ] &&
    { [ -x /usr/libexec/at-spi-bus-launcher ] || [ -x /usr/lib/at-spi2-core/at-spi-bus-launcher ]; }; then
    export CURVALIA_A11Y_SESSION=1
    . "$(dirname "$0")/a11y_lib.sh"
    a11y_rerun "$@"
fi

. "$(dirname "$0")/e2e_lib.sh"

a11y=""
if [ -n "${CURVALIA_A11Y_SESSION:-}" ]; then
    # The bus starts on first use; the program only connects to one that is there.
    if dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
        org.a11y.Bus.GetAddress >/dev/null 2>&1; then
        export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
        a11y=1
    else
        echo "NOTE: the AT-SPI bus did not start; the accessibility checks are left out"
    fi
else
    echo "NOTE: no AT-SPI bus or no pyatspi; the accessibility checks are left out"
fi

# The program's accessible objects, one per line: depth, role, name, and the
# text of text fields.
cat >"$work/tree.py" <<'EOF'
import sys
import pyatspi

def walk(node, depth):
    for child in node:
        if child is None:
            continue
        text = ""
        if child.getRoleName() == "text":
            try:
                t = child.queryText()
                text = t.getText(0, t.characterCount)
            except NotImplementedError:
                pass
        print("%d|%s|%s|%s" % (depth, child.getRoleName(), child.name, text))
        walk(child, depth + 1)

pid = int(sys.argv[1])
for app in pyatspi.Registry.getDesktop(0):
    if app is not None and app.get_process_id() == pid:
        walk(app, 0)
EOF
tree() { timeout 30 "$python" "$work/tree.py" "$app_pid" 2>/dev/null; }
# role, name: the tree has such an object.
has_object() { tree | cut -d'|' -f2,3 | grep -qxF "$1|$2"; }

main_active() { # the keys go to the main window again
    for _ in $(seq 100); do
        [ "$(xdotool getactivewindow 2>/dev/null)" = "$window" ] && return 0
        sleep 0.05
    done
    return 1
}

# Without a window manager nothing hands the keyboard from window to window.
need_wm "the keyboard session needs a window manager (openbox)"

start_past_splash
sleep 0.5
geometry "$window"
menu=$(( HEIGHT - 429 ))
graph_x=$(( X + 8 + 8 + 1 )); graph_y=$(( Y + menu + 16 + 1 ))
green_pixels() { # screenshot file [columns from the plot's middle on] -> light-green pixels
    local from=${2:-0}
    convert "$1" -crop "$(( 446 - from ))x310+$(( graph_x + from ))+${graph_y}" +repage txt:- |
        grep -c '#00FF00'
}

if [ -n "$a11y" ]; then
    for button in "Disegna la funzione" "STOP!" "Imposta gli assi" "Controlla valore" "Speed Attivato"; do
        has_object "push button" "$button" || fail "no push button named \"$button\""
    done
    has_object text "Espressione della funzione f(x):" || fail "the expression box has no name"
    [ "$(tree | cut -d'|' -f2 | grep -cx 'push button')" -eq 5 ] ||
        fail "the main window has more than five push buttons"
    echo "Accessibility tree of the main window (depth|role|name|text):"
    tree | sed 's/^/    /'
fi

# --- the expression, then the range in "Area" ------------------------------------
xdotool type --delay 15 'x^2'
xdotool key ctrl+i
area=$(wait_window "^Area\$" 5000) || fail "Ctrl+I did not open Area"
sleep 0.3
# From "X min." down the fields, each replaced, and Enter for OK.
xdotool key ctrl+a; xdotool type -- '-5'
xdotool key Tab ctrl+a; xdotool type -- '5'
xdotool key Tab ctrl+a; xdotool type -- '-2'
xdotool key Tab ctrl+a; xdotool type -- '30'
if [ -n "$a11y" ]; then
    for field in "X min.:" "X max.:" "Y min.:" "Y max.:" "Step:"; do
        has_object text "$field" || fail "no field named \"$field\" in Area"
    done
    has_object dialog Area || fail "Area is not read as a dialog"
fi
xdotool key Return
window_gone "^Area\$" || fail "Enter did not close Area"
main_active || fail "the main window did not get the keys back after Area"

# --- draw with F5 -----------------------------------------------------------------
xdotool key F5
sleep 1.5
shot drawn
drawn=$(green_pixels "$work/drawn.png")
echo "Curve pixels after F5: $drawn"
[ "$drawn" -ge 200 ] || fail "F5 drew $drawn green pixels"
# x^2 over -5..5 reaches y = 25 of 30 at both ends, and 0 just above the
# bottom in the middle: no green in the top sixth.
top=$(convert "$work/drawn.png" -crop "446x40+${graph_x}+${graph_y}" +repage txt:- | grep -c '#00FF00')
[ "$top" -eq 0 ] || fail "the curve does not follow the range typed into Area"

# --- a slow draw, stopped with Esc -----------------------------------------------------
xdotool key F10; sleep 0.3
xdotool key Right; sleep 0.3
xdotool key v    # "Opzioni" -> "Disegno &veloce": off, the draw yields after every sample
sleep 0.3
# A step of 100 million samples. Area opens on X min every time: four
# fields on is the step.
xdotool key ctrl+i
wait_window "^Area\$" 5000 >/dev/null || fail "Ctrl+I did not open Area again"
sleep 0.3
xdotool key Tab Tab Tab Tab ctrl+a; xdotool type '0.0000001'
xdotool key Return
window_gone "^Area\$" || fail "Enter did not close Area"
main_active || fail "the main window did not get the keys back after Area"
xdotool key F5
sleep 1.5
xdotool key Escape
sleep 0.5
shot stopped1
sleep 1
shot stopped2
left=$(green_pixels "$work/stopped2.png")
[ "$left" -gt 0 ] || fail "the slow draw drew nothing before Esc"
right=$(green_pixels "$work/stopped2.png" 227)
[ "$right" -eq 0 ] || fail "Esc did not stop the slow draw ($right pixels right of the middle)"
[ "$(green_pixels "$work/stopped1.png")" -eq "$(green_pixels "$work/stopped2.png")" ] ||
    fail "the draw went on after Esc"
echo "Esc stopped the slow draw"

# --- "Valore" with Ctrl+L, closed with Esc ----------------------------------------------
xdotool key ctrl+l
value=$(wait_window "^Valore\$" 5000) || fail "Ctrl+L did not open Valore"
sleep 0.3
xdotool type '2'
xdotool key Return
sleep 0.3
if [ -n "$a11y" ]; then
    for field in "x:" "f(x):" "Angolo:" "f'(x):"; do
        has_object text "$field" || fail "no field named \"$field\" in Valore"
    done
    has_object dialog Valore || fail "Valore is not read as a dialog"
    answer=$(tree | awk -F'|' '$2 == "text" && $3 == "f(x):" { print $4 }')
    [ "$answer" = "4" ] || fail "Valore shows f(2) = \"$answer\""
    echo "Valore computed f(2) = $answer"
fi
xdotool key Escape
window_gone "^Valore\$" || fail "Esc did not close Valore"
main_active || fail "the main window did not get the keys back after Valore"

# Keys that open a save dialog, its title, the file typed into it: waits for
# the file to be written.
save_in_dialog() { # keys, title, file
    xdotool key "$1"
    wait_window "^$2\$" 5000 >/dev/null || fail "$1 did not open $2"
    sleep 0.5
    xdotool key ctrl+a
    xdotool type "$3"
    xdotool key Return
    for _ in $(seq 100); do
        [ -s "$3" ] && return
        sleep 0.05
    done
}

# --- save with Ctrl+S ----------------------------------------------------------------------
save_in_dialog ctrl+s "Salva grafico" "$work/tasti.png"
file "$work/tasti.png" 2>/dev/null | grep -q 'PNG image data, 446 x 310' ||
    fail "Ctrl+S did not save the plot as a PNG"
echo "Saved with Ctrl+S"

# --- sessions with Ctrl+Shift+S and Ctrl+O -------------------------------------------
save_in_dialog ctrl+shift+s "Salva sessione" "$work/tasti.curvalia"
grep -q '"formato": "curvalia-sessione"' "$work/tasti.curvalia" 2>/dev/null ||
    fail "Ctrl+Shift+S did not save the session"
echo "Saved the session with Ctrl+Shift+S"
xdotool key ctrl+o
wait_window "^Apri sessione\$" 5000 >/dev/null || fail "Ctrl+O did not open the session dialog"
sleep 0.5
xdotool key Escape
window_gone "^Apri sessione\$" || fail "Esc did not close the session dialog"
echo "Ctrl+O opened the session dialog"

# --- the print dialog with Ctrl+P ----------------------------------------------------
xdotool key ctrl+p
wait_window "^Stampa\$" 5000 >/dev/null || fail "Ctrl+P did not open the print dialog"
sleep 0.5
xdotool key Escape
window_gone "^Stampa\$" || fail "Esc did not close the print dialog"
echo "Ctrl+P opened the print dialog"
kill -0 "$app_pid" 2>/dev/null || fail "the program ended during the session"
echo "PASS"
