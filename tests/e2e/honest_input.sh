#!/usr/bin/env bash
# Drives the real program under Xvfb, with the help document in the working
# folder and the desktop opener (xdg-open) present but no program on the
# desktop for the document:
#   - "2*π" drawn: nothing is plotted (the symbol is not read as 0) and the
#     status line shows the checker's message;
#   - "Area" with X min -0.5: the dialog grows to show its note, and shrinks
#     back when the text is a whole number again;
#   - ? > Help: the opener is called (its calls are logged) and the program's
#     own help window appears within 4 s at about 640 x 600;
#   - "Area", "Valore" and the help window lie side by side, no two
#     overlapping, all on the screen.
# Exit 77 (skipped) only when Xvfb cannot start; under CI (CI=true) that fails.
#   honest_input.sh <program>
#   CURVALIA_SHOT=<file> keeps the screenshot with the three windows open,
#   CURVALIA_PI_SHOT=<file> the one after drawing 2*π,
#   CURVALIA_AREA_SHOT=<file> the one of "Area" with its note,
#   CURVALIA_DISPLAY=<n> runs on display :n instead of a free one.
set -u

program=$(realpath "${1:?usage: honest_input.sh <program>}")
docs=$(cd "$(dirname "$0")/../../docs" && pwd)

. "$(dirname "$0")/e2e_lib.sh"

# --- the desktop: the opener, logged, and nothing that opens the document ------
real_opener=$(command -v xdg-open) || fail "xdg-open is not installed"
mkdir -p "$work/bin" "$work/cwd" "$work/data" "$work/config"
opener_log="$work/opener.log"
cat >"$work/bin/xdg-open" <<SCRIPT
#!/bin/sh
echo "\$*" >>"$opener_log"
exec "$real_opener" "\$@"
SCRIPT
chmod +x "$work/bin/xdg-open"
export PATH="$work/bin:$PATH" XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config"
unset BROWSER XDG_CURRENT_DESKTOP DESKTOP_SESSION
cp "$docs/CurvaliaHelp.doc" "$work/cwd/"
cd "$work/cwd" || fail "no working folder"

start_past_splash
geometry "$window"
menu=$(( HEIGHT - 429 ))
frame_x=$(( X + $(px 120) )); frame_y=$(( Y + menu ))
graph_x=$(( frame_x + $(px 120) + 1 )); graph_y=$(( frame_y + $(px 240) + 1 ))
fx_x=$(( frame_x + $(px 180) + 100 )); fx_y=$(( frame_y + $(px 5400) + 10 ))
pen_x=$(( frame_x + $(px 6960) + 16 )); pen_y=$(( frame_y + $(px 660) + 16 ))
settings_y=$(( frame_y + $(px 2400) + 16 )); lens_y=$(( frame_y + $(px 3240) + 16 ))
status_x=$(( X + $(px 60) + $(px 180) )); status_y=$(( Y + menu + $(px 5820) + $(px 180) ))
count_colour() { # screenshot, geometry, colour -> pixels of that colour
    convert "$1" -crop "$2" +repage txt:- | grep -c "$3"
}
dark_pixels() { # screenshot, geometry -> pixels darker than mid grey (text)
    convert "$1" -crop "$2" +repage -colorspace gray -threshold 50% txt:- | grep -c '#000000'
}

# --- a symbol outside the language is refused, not plotted as y = 0 ------------
xdotool mousemove --sync "$fx_x" "$fx_y" click 1
xdotool type --delay 30 '2*π'
press_picture "$pen_x" "$pen_y"
sleep 1
import -window root "$work/pi.png" || fail "no screenshot"
[ -n "${CURVALIA_PI_SHOT:-}" ] && cp "$work/pi.png" "$CURVALIA_PI_SHOT"
green=$(count_colour "$work/pi.png" "446x310+${graph_x}+${graph_y}" '#00FF00')
text=$(dark_pixels "$work/pi.png" "485x13+${status_x}+${status_y}")
echo "2*π drawn: $green curve pixels, $text dark pixels of text on the status line"
[ "$green" -eq 0 ] || fail "2*π was plotted ($green curve pixels): read as a number"
[ "$text" -ge 150 ] || fail "2*π left no message on the status line"
# The same line for x: a curve this time, and the message gone.
xdotool mousemove --sync "$fx_x" "$fx_y" click 1
xdotool key ctrl+a
xdotool type --delay 30 'x'
press_picture "$pen_x" "$pen_y"
sleep 1
import -window root "$work/x.png" || fail "no screenshot"
green=$(count_colour "$work/x.png" "446x310+${graph_x}+${graph_y}" '#00FF00')
text=$(dark_pixels "$work/x.png" "485x13+${status_x}+${status_y}")
echo "x drawn: $green curve pixels, $text dark pixels on the status line"
[ "$green" -ge 100 ] || fail "x drew only $green curve pixels"
[ "$text" -eq 0 ] || fail "the message stayed after a draw of x"

# --- the note of "Area" -----------------------------------------------------------
press_picture "$pen_x" "$settings_y"
area=$(wait_window "^Area\$" 5000) || fail "Impostazioni did not open the Area dialog"
sleep 0.3
geometry "$area"; plain=$HEIGHT
xdotool mousemove --sync $(( X + $(px 720) + 10 )) $(( Y + $(px 240) + 8 )) click 1
xdotool key ctrl+a
xdotool type --delay 30 -- '-0.5'
sleep 0.5
geometry "$area"; noted=$HEIGHT
[ -n "${CURVALIA_AREA_SHOT:-}" ] && import -window root "$CURVALIA_AREA_SHOT"
xdotool key ctrl+a
xdotool type --delay 30 -- '-10'
sleep 0.5
geometry "$area"; back=$HEIGHT
echo "Area: ${plain} px high, ${noted} with X min -0.5 (its note), ${back} with -10 again"
[ "$noted" -gt "$plain" ] || fail "Area shows no note for X min -0.5"
[ "$back" -eq "$plain" ] || fail "Area did not shrink back when the note went"

# --- Valore, then Help with no program for the document --------------------------
press_picture "$pen_x" "$lens_y"
value=$(wait_window "^Valore\$" 5000) || fail "Lente did not open the Valore window"
geometry "$window"
xdotool mousemove --sync $(( X + 20 )) $(( Y + menu / 2 )) click 1
sleep 0.3
asked=$(now_ms)
xdotool key Right Right h       # "&?" > "&Help"
help=$(wait_window "Guida" 4000) || { cat "$work/app.log"; fail "no help window within 4 s of ? > Help"; }
echo "? > Help to the program's own help window: $(( $(now_ms) - asked )) ms"
echo "Opener calls: $(cat "$opener_log" 2>/dev/null)"
grep -q "CurvaliaHelp.doc\$" "$opener_log" 2>/dev/null || fail "the opener was not asked to open the document"
sleep 0.5
geometry "$help"
echo "Help window ${WIDTH}x${HEIGHT} at $X,$Y, frame $(frame_extents "$help")"
[ "$WIDTH" -ge 600 ] && [ "$WIDTH" -le 680 ] && [ "$HEIGHT" -ge 560 ] && [ "$HEIGHT" -le 640 ] ||
    fail "the help window is ${WIDTH}x${HEIGHT}, not about 640x600"

# --- side by side -------------------------------------------------------------------
outer() { # id -> "left top right bottom" of the framed window
    local X Y WIDTH HEIGHT l r t b
    geometry "$1"
    IFS=', ' read -r l r t b <<<"$(frame_extents "$1")"
    echo "$(( X - ${l:-0} )) $(( Y - ${t:-0} )) $(( X + WIDTH + ${r:-0} )) $(( Y + HEIGHT + ${b:-0} ))"
}
names=(Area Valore Help)
rects=("$(outer "$area")" "$(outer "$value")" "$(outer "$help")")
for i in 0 1 2; do
    read -r l t r b <<<"${rects[$i]}"
    echo "${names[$i]}: $l,$t to $r,$b"
    [ "$l" -ge 0 ] && [ "$t" -ge 0 ] && [ "$r" -le 1280 ] && [ "$b" -le 1024 ] ||
        fail "${names[$i]} is not wholly on the screen"
    for j in $(seq $(( i + 1 )) 2); do
        read -r l2 t2 r2 b2 <<<"${rects[$j]}"
        [ "$l" -ge "$r2" ] || [ "$l2" -ge "$r" ] || [ "$t" -ge "$b2" ] || [ "$t2" -ge "$b" ] ||
            fail "${names[$i]} and ${names[$j]} overlap"
    done
done
[ -n "${CURVALIA_SHOT:-}" ] && import -window root "$CURVALIA_SHOT"
echo "PASS"
