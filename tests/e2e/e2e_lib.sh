# Shared by the end-to-end scripts: Xvfb on a free display, openbox when it
# is installed, the program's process, and small helpers for windows.
# Sourced, not run; the sourcing script sets "program" first. Exits 77
# (skipped) only when Xvfb cannot start, and under CI fails then instead.
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

# A session that cannot run hides every fault it guards: under CI
# (CI=true) that is a failure; elsewhere, on a machine without the tools,
# the session is skipped.
cannot_run() {
    if [ "${CI:-}" = true ]; then
        echo "FAIL: $* (under CI a session that cannot run fails)"
        exit 1
    fi
    echo "SKIP: $*"
    exit 77
}

# --- Xvfb on a display number of its own -------------------------------------
command -v Xvfb >/dev/null 2>&1 || cannot_run "Xvfb is not installed, the end-to-end test cannot run"
# With -displayfd alone every server starting at once races the others for
# the same lowest free numbers, and a server that ends was replaced at once
# in the same race. Each attempt takes a number of its own instead, at random
# from a wide range and not one a server holds, and a server that ends (the
# number was taken after all) is replaced at once on another number. One that is merely slow (a loaded machine) is
# waited for: Xvfb writes its number to the descriptor only once it accepts
# clients, and a client's answer confirms it.
xvfb_wait_ms=20000
display_number() {
    if [ -n "${CURVALIA_DISPLAY:-}" ]; then
        number=$CURVALIA_DISPLAY
        return
    fi
    for _ in $(seq 20); do
        number=$(( 100 + RANDOM % 30000 ))
        [ -e "/tmp/.X$number-lock" ] || [ -e "/tmp/.X11-unix/X$number" ] || return
    done
}
start_xvfb() { # display number
    : >"$work/display"
    Xvfb ":$1" -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
    xvfb_pid=$!
    local from; from=$(now_ms)
    while [ $(( $(now_ms) - from )) -lt "$xvfb_wait_ms" ]; do
        kill -0 "$xvfb_pid" 2>/dev/null || break
        if [ -s "$work/display" ] && DISPLAY=":$1" xdotool getdisplaygeometry >/dev/null 2>&1; then
            export DISPLAY=":$1"
            return 0
        fi
        sleep 0.05
    done
    echo "NOTE: Xvfb on :$1 did not start in $(( $(now_ms) - from )) ms: $(tail -n 2 "$work/xvfb.log" | tr '\n' ' ')"
    kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    xvfb_pid=""
    return 1
}
for attempt in 1 2 3 4 5; do
    display_number
    start_xvfb "$number" && break
    [ "$attempt" -eq 5 ] && cannot_run "Xvfb could not start in 5 attempts"
done
unset WAYLAND_DISPLAY
export QT_QPA_PLATFORM=xcb

# --- a window manager, as a user has one -----------------------------------------
# The frame, the buttons on it and the placement are the window manager's
# work; without one the checks of them are left out.
wm=""
# openbox publishes _NET_SUPPORTING_WM_CHECK before it handles the windows
# that ask to be shown: one mapped in that moment (a splash, on a loaded
# machine) stays unmapped for good. So openbox counts as started once it has
# shown a probe window; a probe it has not shown in 2 s is replaced by another.
shows_windows() {
    local from; from=$(now_ms)
    while [ $(( $(now_ms) - from )) -lt 15000 ]; do
        xev -name curvalia-wm-probe >/dev/null 2>&1 &
        local probe=$! shown="" asked; asked=$(now_ms)
        while [ $(( $(now_ms) - asked )) -lt 2000 ]; do
            xdotool search --onlyvisible --name '^curvalia-wm-probe$' >/dev/null 2>&1 && { shown=1; break; }
            sleep 0.02
        done
        kill "$probe" 2>/dev/null && wait "$probe" 2>/dev/null
        [ -n "$shown" ] && return 0
        kill -0 "$wm_pid" 2>/dev/null || return 1
    done
    return 1
}
if command -v openbox >/dev/null 2>&1 && command -v xprop >/dev/null 2>&1 && command -v xev >/dev/null 2>&1; then
    # On a loaded machine (other tests starting their own servers) openbox
    # can take seconds to claim the screen, or lose a race and end: it is
    # given time, and two more starts.
    for _ in 1 2 3; do
        openbox --sm-disable >"$work/openbox.log" 2>&1 &
        wm_pid=$!
        for _ in $(seq 300); do
            xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && { wm=openbox; break; }
            kill -0 "$wm_pid" 2>/dev/null || break
            sleep 0.05
        done
        [ -n "$wm" ] && shows_windows && break
        wm=""
        kill "$wm_pid" 2>/dev/null && wait "$wm_pid" 2>/dev/null
        wm_pid=""
    done
    [ -n "$wm" ] || echo "NOTE: openbox did not start: $(tail -n 3 "$work/openbox.log" | tr '\n' ' ')"
fi
echo "Window manager: ${wm:-none}"
# For sessions that check the window manager's work: without one they cannot run.
need_wm() { [ -n "$wm" ] || cannot_run "$1"; }
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
# Waits up to five seconds for no window of that title to be shown.
window_gone() { # title pattern
    for _ in $(seq 100); do
        [ -z "$(xdotool search --onlyvisible --name "$1" 2>/dev/null)" ] && return 0
        sleep 0.05
    done
    return 1
}
# Starts the program (with the arguments given) and waits for its splash;
# sets splash to the splash's id.
start_program() {
    "$program" "$@" >"$work/app.log" 2>&1 &
    app_pid=$!
    splash=$(wait_window "^Curvalia Light\$" 20000) || { cat "$work/app.log"; fail "no splash window within 20 s"; }
}
# Closes the splash with Enter and waits for the main window; sets window.
start_past_splash() {
    start_program "$@"
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
# The main window's layout, in twips / 15 under the menu bar: the frame, the
# plot's drawing (graph_x, graph_y: its first pixel, inside the border), the
# expression box and the pen button. Taken again until the window manager
# has framed and placed the window.
plot_layout() {
    geometry "$window"
    menu=$(( HEIGHT - 429 ))
    frame_x=$(( X + $(px 120) )); frame_y=$(( Y + menu ))
    graph_x=$(( frame_x + $(px 120) + 1 )); graph_y=$(( frame_y + $(px 240) + 1 ))
    fx_x=$(( frame_x + $(px 180) + 100 )); fx_y=$(( frame_y + $(px 5400) + 10 ))
    pen_x=$(( frame_x + $(px 6960) + 16 ))
}
# How many of the points of a curve at 40 columns, mapped through the frame
# of the range xmin xmax ymin ymax, have the curve's colour in the
# screenshot; and how many lie inside the frame at all. Points under the
# legend that several curves get (the top-left corner) are not counted, nor
# those where a curve drawn later in the cover colour crosses this one.
curve_hits() { # screenshot colour expression xmin xmax ymin ymax [cover colour]
    convert "$1" -crop "446x310+${graph_x}+${graph_y}" +repage txt:- |
        awk -v colour="$2" -v e="$3" -v xmin="$4" -v xmax="$5" -v ymin="$6" -v ymax="$7" -v cover="${8:-}" '
        function f(x) {
            if (e == "x^2") return x * x
            if (e == "x^2/10") return x * x / 10
            if (e == "sin(x)") return sin(x)
            if (e == "cos(x)") return cos(x)
            if (e == "x^3-3*x") return x * x * x - 3 * x
            print "curve_hits knows no " e > "/dev/stderr"; exit 2
        }
        # The nearest sample may sit a pixel to either side.
        function near(c, r, want) {
            return pixel[c "," r] == want || pixel[c-1 "," r] == want || pixel[c+1 "," r] == want ||
                pixel[c "," r-1] == want || pixel[c "," r+1] == want
        }
        /^[0-9]+,[0-9]+:/ { split($1, p, /[,:]/); pixel[p[1] "," p[2]] = $3 }
        END {
            inside = 0; hits = 0
            for (i = 1; i <= 40; ++i) {
                X = i * 6675 / 41; x = xmin + X / 6675 * (xmax - xmin); y = f(x)
                if (y < ymin || y > ymax) continue
                Y = 4635 * (ymax - y) / (ymax - ymin)
                c = int(X / 15); r = int(Y / 15)
                if (c < 50 && r < 40) continue
                if (near(c, r, colour)) ++hits
                else if (cover != "" && near(c, r, cover)) continue
                ++inside
            }
            print hits, inside
        }'
}
shot() { import -window root "$work/$1.png" || fail "no screenshot"; }
# Types an expression over the one in the expression box and draws it.
type_expression() { # text
    xdotool mousemove --sync "$fx_x" "$fx_y" click 1
    xdotool key ctrl+a
    xdotool type --delay 15 "$1"
    xdotool key Return
}
# Types an expression and waits until it is drawn where the default range
# puts it; a busy machine may still be settling the window, so it is typed
# again if need be.
draw_at_default() { # expression, colour
    local attempt
    for attempt in 1 2 3; do
        plot_layout
        type_expression "$1"
        wait_curves drawn -10 10 -10 10 "$2" "$1" && { echo "Drawn:$hits_text"; return 0; }
        echo "NOTE: attempt $attempt:$hits_text typing again"
    done
    fail "$1 is not where the default range puts it"
}
# Takes screenshots until every point of each curve named has its colour
# on the plot (a loaded machine may still be drawing), but where the next
# one, drawn later, crosses it. Sets hits_text.
wait_curves() { # screenshot name, xmin xmax ymin ymax, then colour expression pairs
    local name=$1 xmin=$2 xmax=$3 ymin=$4 ymax=$5
    shift 5
    for _ in $(seq 20); do
        shot "$name"
        local all=1 pair=("$@") i
        hits_text=""
        for (( i = 0; i < ${#pair[@]}; i += 2 )); do
            read -r hits inside <<<"$(curve_hits "$work/$name.png" "${pair[i]}" "${pair[i+1]}" "$xmin" "$xmax" "$ymin" "$ymax" "${pair[i+2]:-}")"
            hits_text="$hits_text ${pair[i+1]}: $hits of $inside;"
            [ "$inside" -gt 5 ] && [ "$hits" -eq "$inside" ] || all=""
        done
        [ -n "$all" ] && return 0
        sleep 0.3
    done
    return 1
}
