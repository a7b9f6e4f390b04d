#!/usr/bin/env bash
# A lesson kept and brought back, on the real program under Xvfb and
# openbox: sin(x) in green and, with "Non Cancellare", cos(x) in light cyan;
# two wheel notches; a white background from "Aspetto...". Ctrl+Shift+S
# from the expression box saves the session; the program is started again
# with the file as its argument and, once past the splash, shows the very
# same plot, pixel for pixel. A broken file opened with Ctrl+O is refused in
# a message box that says why, and the plot stays as it was.
# The read-out and the message are read through the accessibility bus
# (AT-SPI): without it, or without openbox, the session is skipped (exit
# 77), and under CI (CI=true) fails.
#   sessions.sh <program>
#   CURVALIA_DISPLAY=<n> runs on display :n instead of a free one.
set -u

program=${1:?usage: sessions.sh <program>}

. "$(dirname "$0")/a11y_lib.sh"
a11y_session "$@"
. "$(dirname "$0")/e2e_lib.sh"
need_wm "the menus and the file dialogs need a window manager (openbox)"
a11y_start || cannot_run "no accessibility bus (at-spi2-core, dbus, python3-pyatspi) to read the program"

lesson="$work/lezione.curvalia"
plot_of() { convert "$work/$1.png" -crop "446x310+${graph_x}+${graph_y}" +repage "$work/$1-plot.png"; }
differing() { compare -metric AE "$work/$1-plot.png" "$work/$2-plot.png" null: 2>&1 | cut -d' ' -f1; }
click_expression_box() { xdotool mousemove --sync "$fx_x" "$fx_y" click 1; }
# Types a path into a file dialog that the keys open, and accepts it.
path_in_dialog() { # keys, title, path
    click_expression_box
    xdotool key "$1"
    wait_window "^$2\$" 5000 >/dev/null || fail "$1 did not open \"$2\""
    sleep 0.5
    xdotool key ctrl+a
    xdotool type "$3"
    xdotool key Return
    window_gone "^$2\$" || fail "\"$2\" did not close"
}
# Screenshots until the plot has stayed the same for a second (a draw that
# runs changes it), then keeps it as name.
settled_plot() { # name
    local previous="" i
    for i in $(seq 40); do
        shot "$1"
        plot_of "$1"
        local sum; sum=$(convert "$work/$1-plot.png" rgb:- | md5sum)
        [ "$sum" = "$previous" ] && return 0
        previous=$sum
        sleep 0.5
    done
    fail "the plot did not settle"
}

start_past_splash

# --- the lesson: two curves, a view, a white background ---------------------------
draw_sin_and_cos first
xdotool mousemove --sync $(( graph_x + 223 )) $(( graph_y + 155 ))
change_view xdotool click 4
change_view xdotool click 4
echo "View: $view"
# "Opzioni", "Aspetto...": the background is the dialog's first choice.
xdotool mousemove --sync $(( X + 60 )) $(( Y + menu / 2 )) click 1
sleep 0.3
xdotool key e
wait_window "^Aspetto\$" 5000 >/dev/null || fail "Opzioni, e did not open Aspetto"
sleep 0.5
xdotool key Down Return
window_gone "^Aspetto\$" || fail "Aspetto did not close on Enter"
wait_idle 10000 || fail "the white background was not drawn within 10 s"
settled_plot saved
corner=$(convert "$work/saved-plot.png" -format '%[pixel:p{440,300}]' info:)
echo "Background after Aspetto: $corner"
[ "$corner" = white ] || [ "$corner" = "srgb(255,255,255)" ] || fail "the background is not white"

path_in_dialog ctrl+shift+s "Salva sessione" "$lesson"
[ -s "$lesson" ] || fail "Ctrl+Shift+S did not save the session"
grep -q '"sfondo": "bianco"' "$lesson" || fail "the session does not keep the white background"
echo "Saved $(wc -c <"$lesson") bytes"

# --- the program again, with the file ------------------------------------------------
kill "$app_pid" && wait "$app_pid" 2>/dev/null
app_pid=""
start_past_splash "$lesson"
plot_layout
# The curves are drawn once the main window shows: wait until they are.
for _ in $(seq 20); do
    settled_plot reopened
    [ "$(differing saved reopened)" = 0 ] && break
    sleep 0.5
done
echo "Reopened with the file: $(differing saved reopened) pixels differ"
[ "$(differing saved reopened)" = 0 ] || fail "the plot opened from the session is not the saved one"

# --- a broken file is refused, and nothing changes ----------------------------------------
head -c 120 "$lesson" >"$work/rotto.curvalia"
path_in_dialog ctrl+o "Apri sessione" "$work/rotto.curvalia"
message=""
for _ in $(seq 50); do
    message=$(a11y_objects | awk -F'|' '$3 ~ /^Il file non è una sessione valida: / { print $3; exit }')
    [ -n "$message" ] && break
    sleep 0.1
done
echo "Message: $message"
[ "$message" = "Il file non è una sessione valida: il file è troncato." ] || fail "no message for the broken file"
xdotool key Return
sleep 0.5
settled_plot after
echo "After the broken file: $(differing saved after) pixels differ"
[ "$(differing saved after)" = 0 ] || fail "the broken file changed the plot"
kill -0 "$app_pid" 2>/dev/null || fail "the program ended during the session"
echo "PASS"
