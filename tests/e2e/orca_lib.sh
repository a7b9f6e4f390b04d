# Orca itself, for the sessions that check what a screen reader says. Orca's
# debug log holds every utterance ("SPEECH OUTPUT: '...'"), so no speech
# server is needed: speech-dispatcher is kept from starting at all. The order:
#   orca_retry "$@"   first of all: the whole session, and once more if it fails
#   a11y_session "$@" (a11y_lib.sh) a D-Bus session of its own; e2e_lib.sh next
#   orca_start        after a11y_start, before the program; stopped at exit
#   orca_mark         before the keys; then orca_wait and orca_said_since
# Needs fail, cannot_run and work from e2e_lib.sh.

# Runs the whole script up to twice: a screen reader on a loaded machine can
# miss an event now and then. A skip (77) is not tried again.
orca_retry() { # the script's arguments
    [ -n "${CURVALIA_ORCA_TRY:-}" ] && return 0
    local try status=1
    for try in 1 2; do
        CURVALIA_ORCA_TRY=$try bash "$0" "$@"
        status=$?
        { [ "$status" -eq 0 ] || [ "$status" -eq 77 ]; } && exit "$status"
        [ "$try" -eq 1 ] && echo "NOTE: the session failed; trying once more"
    done
    exit "$status"
}

orca_pid=""
orca_log=""
orca_start() {
    local orca first
    orca=$(command -v orca) || cannot_run "Orca is not installed (Debian's orca)"
    # Orca's launcher is a script of the system's Python, which has its modules.
    read -r first <"$orca"
    [ "${first#\#!}" != "$first" ] || cannot_run "$orca is not Orca's launcher script"
    mkdir -p "$work/orca-prefs" # settings of its own, never the user's
    orca_log=$work/orca.log
    # shellcheck disable=SC2086 # the interpreter line may carry an argument
    SPEECHD_CMD=$(command -v false) ${first#\#!} "$(dirname "${BASH_SOURCE[0]}")/orca_launch.py" \
        "$orca" "$orca_log" -u "$work/orca-prefs" >"$work/orca.out" 2>&1 &
    orca_pid=$!
    # Listening once it starts its registry's loop.
    local from; from=$(now_ms)
    while [ $(( $(now_ms) - from )) -lt 30000 ]; do
        grep -q "ORCA: Starting registry" "$orca_log" 2>/dev/null && return 0
        kill -0 "$orca_pid" 2>/dev/null || break
        sleep 0.1
    done
    tail -n 5 "$work/orca.out"
    cannot_run "Orca did not start within 30 s"
}
orca_stop() {
    [ -n "$orca_pid" ] || return 0
    kill "$orca_pid" 2>/dev/null
    for _ in $(seq 50); do
        kill -0 "$orca_pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -9 "$orca_pid" 2>/dev/null
    wait "$orca_pid" 2>/dev/null
    [ -n "${CURVALIA_ORCA_LOG:-}" ] && [ -f "$orca_log" ] && cp "$orca_log" "$CURVALIA_ORCA_LOG"
    orca_pid=""
}

# Every utterance so far, one a line. A log line is
#   HH:MM:SS.micro - SPEECH OUTPUT: 'text'[ voice=name]{voice settings}
# and the text may hold quotes itself.
orca_utterances() {
    sed -nE "s/^[0-9:.]+ - SPEECH OUTPUT: '(.*)'( voice=[^{]*)? ?(\{.*\})?$/\1/p" "$orca_log"
}
orca_mark() { orca_utterances | wc -l; }
orca_said_since() { # mark
    orca_utterances | tail -n +$(( $1 + 1 ))
}
# Waits until an utterance since the mark holds the text; sets heard to it.
orca_wait() { # mark, text, timeout ms
    local from; from=$(now_ms)
    while [ $(( $(now_ms) - from )) -lt "$3" ]; do
        heard=$(orca_said_since "$1" | grep -F -m 1 -- "$2") && return 0
        sleep 0.1
    done
    heard=""
    return 1
}
