# Shared by the end-to-end scripts: Xvfb on a free display, openbox when it
# is installed, the program's process, and small helpers for windows.
# Sourced, not run; the sourcing script sets "program" first. Exits 77
# (skipped) only when Xvfb cannot start.
title="Curvalia Light v1.1" # the main window's caption
fail() { echo "FAIL: $*"; exit 1; }
for tool in xdotool import convert; do
    command -v "$tool" >/dev/null 2>&1 || fail "$tool is not installed"
done
[ -x "$program" ] || fail "$program is not an executable"

work=$(mktemp -d)
xvfb_pid=""
wm_pid=""
app_pid=""
cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null && wait "$app_pid" 2>/dev/null
    [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null && wait "$wm_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

now_ms() { echo $(( $(date +%s%N) / 1000000 )); }

# --- Xvfb on a display number it picks itself --------------------------------
if ! command -v Xvfb >/dev/null 2>&1; then
    echo "SKIP: Xvfb is not installed, the end-to-end test cannot run"
    exit 77
fi
# Two servers started at the same moment may race for one display number,
# so a server that does not answer is replaced, a few times at most.
start_xvfb() {
    : >"$work/display"
    if [ -n "${CURVALIA_DISPLAY:-}" ]; then
        echo "$CURVALIA_DISPLAY" >"$work/display"
        Xvfb ":$CURVALIA_DISPLAY" -screen 0 1280x1024x24 -nolisten tcp 2>"$work/xvfb.log" &
    else
        Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
    fi
    xvfb_pid=$!
    for _ in $(seq 100); do
        [ -s "$work/display" ] && break
        kill -0 "$xvfb_pid" 2>/dev/null || break
        sleep 0.05
    done
    if [ -s "$work/display" ] && kill -0 "$xvfb_pid" 2>/dev/null; then
        export DISPLAY=":$(head -n 1 "$work/display")"
        xdotool getdisplaygeometry >/dev/null 2>&1 && return 0
    fi
    kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    xvfb_pid=""
    return 1
}
for attempt in 1 2 3; do
    start_xvfb && break
    if [ "$attempt" -eq 3 ]; then
        echo "SKIP: Xvfb could not start: $(tail -n 3 "$work/xvfb.log" | tr '\n' ' ')"
        exit 77
    fi
done
unset WAYLAND_DISPLAY
export QT_QPA_PLATFORM=xcb

# --- a window manager, as a user has one -----------------------------------------
# The frame, the buttons on it and the placement are the window manager's
# work; without one the checks of them are left out.
wm=""
if command -v openbox >/dev/null 2>&1 && command -v xprop >/dev/null 2>&1; then
    # On a loaded machine (other tests starting their own servers) openbox
    # can take seconds to claim the screen, or lose a race and end: it is
    # given time, and a second start.
    for _ in 1 2; do
        openbox --sm-disable >"$work/openbox.log" 2>&1 &
        wm_pid=$!
        for _ in $(seq 300); do
            xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && { wm=openbox; break; }
            kill -0 "$wm_pid" 2>/dev/null || break
            sleep 0.05
        done
        [ -n "$wm" ] && break
        kill "$wm_pid" 2>/dev/null && wait "$wm_pid" 2>/dev/null
        wm_pid=""
    done
    [ -n "$wm" ] || echo "NOTE: openbox did not start: $(tail -n 3 "$work/openbox.log" | tr '\n' ' ')"
fi
echo "Window manager: ${wm:-none}"
# X, Y, WIDTH, HEIGHT of a window's client area on the screen. Under a
# reparenting window manager xdotool adds the frame to the position once too
# often; xwininfo reports it as it is.
geometry() {
    if command -v xwininfo >/dev/null 2>&1; then
        eval "$(xwininfo -id "$1" | sed -n -e 's/^ *Absolute upper-left X: *\(-\{0,1\}[0-9]*\)$/X=\1/p' \
            -e 's/^ *Absolute upper-left Y: *\(-\{0,1\}[0-9]*\)$/Y=\1/p' \
            -e 's/^ *Width: *\([0-9]*\)$/WIDTH=\1/p' -e 's/^ *Height: *\([0-9]*\)$/HEIGHT=\1/p')"
    else
        eval "$(xdotool getwindowgeometry --shell "$1")"
    fi
}
# The left, right, top and bottom widths of a window's frame, as the window
# manager publishes them ("0, 0, 0, 0" for no frame at all).
frame_extents() { xprop -id "$1" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.* = //p'; }
wait_window() { # title pattern, timeout ms -> window id on stdout
    local from; from=$(now_ms)
    while [ $(( $(now_ms) - from )) -lt "$2" ]; do
        local id; id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1)
        [ -n "$id" ] && { echo "$id"; return 0; }
        kill -0 "$app_pid" 2>/dev/null || return 1
        sleep 0.005
    done
    return 1
}
# Starts the program and waits for its splash; sets splash to the splash's id.
start_program() {
    "$program" >"$work/app.log" 2>&1 &
    app_pid=$!
    splash=$(wait_window "^Curvalia Light\$" 20000) || { cat "$work/app.log"; fail "no splash window within 20 s"; }
}
# Closes the splash with Enter and waits for the main window; sets window.
start_past_splash() {
    start_program
    xdotool windowfocus --sync "$splash" 2>/dev/null
    # To the focused window, press and release alike: aimed at the splash,
    # the release finds it gone and xdotool stops with the key held down,
    # which the server then repeats into the main window.
    xdotool key Return
    window=$(wait_window "^${title}\$" 20000) || { cat "$work/app.log"; fail "no main window after Enter on the splash"; }
}
# Whole logical pixels of a position in twips, as the windows place controls.
px() { echo $(( ($1 + 7) / 15 )); }
# A click on a picture button: hovered first, as a user's pointer arrives, so
# the highlighted picture is the one that takes the click.
press_picture() { # x, y
    xdotool mousemove --sync "$1" "$2"
    sleep 0.3
    xdotool mousemove --sync $(( $1 + 1 )) "$2"
    sleep 0.3
    xdotool click 1
}
