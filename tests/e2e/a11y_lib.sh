# Reads the program as a screen reader does, through the accessibility bus
# (AT-SPI) and the system's pyatspi. Sourced by the scripts that read texts
# a screenshot cannot: the read-out, the fields of "Area", the expression.
# The bus needs a D-Bus session of its own, so the order is:
#   a11y_session "$@"   before e2e_lib.sh: runs the script again inside one
#   a11y_start          after e2e_lib.sh, before the program: 0 when the bus runs

# Runs the script again inside a D-Bus session of its own, and exits with
# its status. The bus launcher that the session starts names its socket
# after the display it was started with, which it has none of yet: in a
# runtime folder shared with other sessions they would all take the same
# socket from each other, so the session gets a folder of its own.
a11y_rerun() { # the script's arguments
    local runtime status
    runtime=$(mktemp -d) || { echo "FAIL: no runtime folder for the session bus"; exit 1; }
    XDG_RUNTIME_DIR=$runtime dbus-run-session -- bash "$0" "$@"
    status=$?
    rm -rf "$runtime"
    exit "$status"
}
a11y_session() { # the script's arguments
    if [ -z "${CURVALIA_SESSION_BUS:-}" ] &&
        { [ -x /usr/libexec/at-spi-bus-launcher ] || [ -x /usr/lib/at-spi2-core/at-spi-bus-launcher ]; } &&
        command -v dbus-run-session >/dev/null 2>&1 && command -v dbus-send >/dev/null 2>&1 &&
        /usr/bin/python3 -c 'import pyatspi' 2>/dev/null; then
        CURVALIA_SESSION_BUS=1 a11y_rerun "$@"
    fi
}
a11y="" # set once the bus runs
a11y_start() {
    [ -n "${CURVALIA_SESSION_BUS:-}" ] || return 1
    export QT_ACCESSIBILITY=1 QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
    # The session bus starts the bus launcher on the first call, one alone:
    # a second launcher started beside it would replace its socket. Qt only
    # connects to a bus that is already there when it starts.
    for _ in 1 2 3; do
        dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
            org.a11y.Bus.GetAddress >/dev/null 2>&1 && { a11y=1; return 0; }
        sleep 1
    done
    return 1
}
# The program's accessible objects, one a line: depth|role|name|text|states,
# with the text of text fields and states "e" (enabled), "f" (focused) and
# "c" (checked).
a11y_objects() {
    timeout 20 /usr/bin/python3 - "$app_pid" <<'PY' 2>/dev/null
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
        state = child.getState()
        flags = ("e" if state.contains(pyatspi.STATE_ENABLED) else "") + (
            "f" if state.contains(pyatspi.STATE_FOCUSED) else "") + (
            "c" if state.contains(pyatspi.STATE_CHECKED) else "")
        print("%d|%s|%s|%s|%s" % (depth, child.getRoleName(), child.name, text, flags))
        walk(child, depth + 1)

for app in pyatspi.Registry.getDesktop(0):
    if app is not None and app.get_process_id() == int(sys.argv[1]):
        walk(app, 0)
PY
}
# The texts of the fields of a window, one line in their order there.
window_fields() { # window title
    a11y_objects | awk -F'|' -v title="$1" '$1 == 0 { inside = $3 == title }
        inside && $2 == "text" { printf "%s%s", n++ ? " " : "", $4 } END { print "" }'
}
# What the read-out at the right of the status line says: a view after it
# changed, or the traced point. Empty while it shows nothing.
readout() {
    a11y_objects | awk -F'|' '$2 == "label" && ($3 ~ /^Vista: / || $3 ~ /x = /) { print $3 }'
}
# Waits until no draw runs ("Stop" in the menu is enabled only then).
wait_idle() { # timeout ms
    local from; from=$(now_ms)
    while [ $(( $(now_ms) - from )) -lt "$1" ]; do
        a11y_objects | grep -q '|menu item|Stop||e' || return 0
        sleep 0.1
    done
    return 1
}
# Runs a command that changes the view (a notch, a drag) until the read-out
# says a view other than the one before: a change asked for while a draw
# runs is dropped, and a loaded machine may still be drawing. Sets view to
# the read-out's text, with "." for the decimal point. Without the bus, the command runs once and the draw
# is given a second.
change_view() { # command...
    view=""
    if [ -z "$a11y" ]; then
        "$@"
        sleep 1
        return 0
    fi
    local before; before=$(readout)
    for _ in 1 2 3; do
        wait_idle 10000 || fail "a draw did not end within 10 s"
        "$@"
        local from; from=$(now_ms)
        while [ $(( $(now_ms) - from )) -lt 3000 ]; do
            view=$(readout | tr , .) # a view's numbers hold no other comma
            if [ "${view#Vista: }" != "$view" ] && [ "$view" != "$before" ]; then
                wait_idle 10000 || fail "a draw did not end within 10 s"
                return 0
            fi
            sleep 0.1
        done
    done
    fail "the view did not change after three tries"
}
# The read-out's text for a view: each end with three digits of its axis's
# width, trailing zeros dropped.
vista_text() { # xmin xmax ymin ymax
    awk -v a="$1" -v b="$2" -v c="$3" -v d="$4" '
        function end(v, w,   n, t) {
            n = 2 - int(log(w) / log(10) + 100) + 100 # floor, for widths below 1 too
            n = n < 0 ? 0 : n > 15 ? 15 : n
            t = sprintf("%." n "f", v)
            if (n > 0) { sub(/0+$/, "", t); sub(/\.$/, "", t) }
            return t
        }
        BEGIN { printf "Vista: x da %s a %s; y da %s a %s\n", end(a, b - a), end(b, b - a), end(c, d - c), end(d, d - c) }'
}
entry_state() { # entry's name -> its states ("ec" when checked)
    # An unchecked entry says so after its caption.
    a11y_objects | awk -F'|' -v name="$1" '$2 == "menu item" && ($3 == name || $3 == name ", non spuntata") { print $5; exit }'
}
# Sets a checkable entry, opening its menu at the title's x and pressing
# the keys that lead to it, until the entry says so.
set_entry() { # title x, keys, entry's name, on|off
    local want="" key
    [ "$4" = on ] && want=c
    for _ in 1 2 3; do
        [ "$(entry_state "$3" | tr -cd c)" = "$want" ] && return 0
        xdotool mousemove --sync $(( X + $1 )) $(( Y + menu / 2 )) click 1
        for key in $2; do
            sleep 0.3
            xdotool key "$key"
        done
        for _ in $(seq 10); do
            [ "$(entry_state "$3" | tr -cd c)" = "$want" ] && return 0
            sleep 0.2
        done
    done
    fail "\"$3\" did not turn $4"
}
options() { set_entry 60 "$1" "$2" "$3"; } # "Opzioni"
# The text and the states of the expression box.
expression_box() {
    a11y_objects | awk -F'|' '$2 == "text" && $3 == "Espressione della funzione f(x):" { print $4 "|" $5; exit }'
}
# Waits up to two seconds for the expression box to have the focus.
expression_focused() {
    for _ in $(seq 10); do
        [ "$(expression_box | cut -d'|' -f2 | tr -cd f)" = f ] && return 0
        sleep 0.2
    done
    return 1
}
# sin(x) in light green, then with "Non Cancellare" cos(x) in light cyan
# beside it, at the default range; the screenshot is kept as name.
green="#00FF00"
cyan="#00FFFF"
draw_sin_and_cos() { # screenshot name
    draw_at_default 'sin(x)' "$green"
    options n "Non Cancellare" on
    # "Menu", "&Colore del Grafico..." (which opens on "Verde"), the next one.
    set_entry 20 "c Down Return" Azzurro on
    type_expression 'cos(x)'
    wait_curves "$1" -10 10 -10 10 "$green" "sin(x)" "$cyan" "cos(x)" ||
        fail "not both curves on the plot:$hits_text"
}
