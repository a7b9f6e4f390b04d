#!/usr/bin/env bash
# What a screen reader says of the real program, read in Orca's own log: the
# program driven by keys alone under Xvfb with openbox, the AT-SPI bus and
# Orca in a D-Bus session of their own. Each check presses its keys and waits
# for a text in one of Orca's utterances since then. The whole session runs
# once more before it fails. Skipped (77) where Xvfb, openbox, the bus or
# Orca cannot run; under CI (CI=true) that fails instead.
# Usage: screen_reader.sh <program>
#   CURVALIA_ORCA_LOG=<file> keeps Orca's debug log,
#   CURVALIA_DISPLAY=<n> runs on display :n instead of a free one.
set -uo pipefail
program=$(realpath "${1:?usage: screen_reader.sh <program>}")
here=$(cd "$(dirname "$0")" && pwd)

. "$here/orca_lib.sh"
orca_retry "$@"
. "$here/a11y_lib.sh"
a11y_session "$@"
. "$here/e2e_lib.sh"
trap 'orca_stop; cleanup' EXIT

need_wm "the screen reader's session needs a window manager (openbox)"
a11y_start || cannot_run "the AT-SPI bus did not start (dbus, at-spi2-core, python3-pyatspi)"
session_start=$(now_ms)
orca_start
echo "Orca listening after $(( $(now_ms) - session_start )) ms"

# --- the keys, and what is waited for --------------------------------------------
press() { xdotool key --delay 100 "$@"; }
write() { xdotool type --delay 80 -- "$1"; }
main_active() {
    for _ in $(seq 100); do
        [ "$(xdotool getactivewindow 2>/dev/null)" = "$window" ] && return 0
        sleep 0.05
    done
    fail "the main window does not have the keys"
}
open_area() {
    press ctrl+i
    area=$(wait_window "^Area\$" 5000) || fail "Ctrl+I did not open Area"
    sleep 0.3
}
close_area() { # the key that closes it
    press "$1"
    for _ in $(seq 100); do
        [ -z "$(xdotool search --onlyvisible --name '^Area$' 2>/dev/null)" ] && { main_active; return; }
        sleep 0.05
    done
    fail "$1 did not close Area"
}
# Writes into a field of "Area", reached by Tab from wherever the dialog put
# the focus: the bus tells which field has it.
area_set() { # field's name, text
    for _ in $(seq 7); do
        [ "$(a11y_objects | awk -F'|' '$2 == "text" && $5 ~ /f/ { print $3; exit }')" = "$1" ] && {
            press ctrl+a
            write "$2"
            return
        }
        press Tab
        sleep 0.2
    done
    fail "no field \"$1\" in Area"
}

mark=0
check() { # keys (shell commands), a text heard after them
    mark=$(orca_mark)
    local from; from=$(now_ms)
    eval "$1"
    if orca_wait "$mark" "$2" 10000; then
        echo "heard \"$heard\" $(( $(now_ms) - from )) ms after: $1"
    else
        echo "Orca said since:"
        orca_said_since "$mark" | sed 's/^/    /'
        fail "\"$2\" was not heard after: $1"
    fi
}
# The texts were heard since the last check began, in this order (a draw's
# words come within milliseconds of each other).
heard_in_order() { # text...
    local said line=0 at
    said=$(orca_said_since "$mark")
    for text in "$@"; do
        at=$(tail -n +$(( line + 1 )) <<<"$said" | grep -nF -m1 -- "$text" | cut -d: -f1)
        [ -n "$at" ] || { sed 's/^/    /' <<<"$said"; fail "\"$text\" was not heard in order"; }
        line=$(( line + at ))
    done
    echo "heard in order: $*"
}
# As check, and the text is heard once only, however many changes the keys made.
check_once() { # keys, text
    check "$1" "$2"
    sleep 2 # past the burst's last words
    local count; count=$(orca_said_since "$mark" | grep -cF -- "$2")
    [ "$count" -eq 1 ] || { orca_said_since "$mark" | sed 's/^/    /'; fail "\"$2\" was heard $count times"; }
}

# Numbers as an Italian desktop writes them (0,01), whatever this machine's
# locale: Qt reads the numeric locale from the environment.
export LC_NUMERIC=it_IT.UTF-8
start_past_splash
main_active
sleep 0.5

# --- what is heard ----------------------------------------------------------------
# Each line: the keys, then a text one utterance must hold. The expression box
# has the focus from the start, and again after every dialog.
check 'press ctrl+a; write "sen(x)"; press F5' 'Disegno terminato' # a refused draw ends too
heard_in_order 'Operatore non riconosciuto' 'Disegno terminato'
check 'press ctrl+a; write "x^2-4"; press F5' 'F7 per lo studio completo'
heard_in_order 'Elaborazione in corso' 'Disegno terminato' \
    'x^2-4 da -10 a 10: 2 zeri, nessun massimo, 1 minimo, nessun flesso. F7 per lo studio completo.'
check 'press ctrl+l; wait_window "^Valore\$" 5000 >/dev/null; sleep 0.5; write 3; press Return' \
    "f(x) = 5; angolo 80,537 gradi; f'(x) = 6"
check 'press Escape; main_active; press F10 Right t' 'Traccia la curva attivato'
check 'press shift+Tab; sleep 0.3; press Right' 'x = 0,01'
check 'press Right Right' "x = 0,03; f(x) = -3,9991; f'(x) = 0,06; cresce"
check 'open_area' '-10'
check 'area_set "X min.:" -7; close_area Escape; open_area' '-10'
check 'close_area Escape; press F10 Right n' 'Non Cancellare attivato'
check_once 'press plus plus plus plus plus' 'Vista:'
check 'press F10 Right Right h' 'Guida'
help_active() {
    for _ in $(seq 100); do
        xdotool getactivewindow getwindowname 2>/dev/null | grep -q 'Guida' && return 0
        sleep 0.05
    done
    fail "the help window does not have the keys"
}
# Its text has the keys once the window is active, and Orca has read its title.
check 'help_active; sleep 1; press Down' 'disegna il grafico di una funzione'
press alt+F4
main_active

# Last, since it leaves "Area" wrong for any check after it.
check 'open_area; area_set "X min.:" 20; close_area Return; press F5' 'Campi errati'

echo "Orca said in this session:"
orca_utterances | sed 's/^/    /'
echo "Session: $(( $(now_ms) - session_start )) ms"
