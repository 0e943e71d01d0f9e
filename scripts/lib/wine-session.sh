# Sourced by the scripts that run Windows programs here. Gives them a display (Xvfb, when there
# is none) and one persistent wineserver for a prefix, and stops both by process id at exit.
#   kelvane_start_display
#   kelvane_start_wineserver DIR     # the prefix of tests/wine/make-prefix DIR
#   trap kelvane_stop_session EXIT

kelvane_session_pids=()
kelvane_session_prefix=""

kelvane_stop_session() {
    local index pid
    # Wine's processes outlive a wineserver that is merely terminated; asked with -k, the server
    # of this prefix (the one started below) kills its processes, then ends.
    if [ -n "$kelvane_session_prefix" ]; then
        WINEPREFIX=$kelvane_session_prefix timeout 20 wineserver -k 2>/dev/null || true
        kelvane_session_prefix=""
    fi
    # Last started, first stopped: the wineserver (and with it every Wine process of the prefix)
    # before the display that they draw on.
    for ((index = ${#kelvane_session_pids[@]} - 1; index >= 0; index--)); do
        pid=${kelvane_session_pids[index]}
        kill "$pid" 2>/dev/null || continue
        for _ in $(seq 50); do
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.1
        done
        kill -9 "$pid" 2>/dev/null || true
    done
    kelvane_session_pids=()
}

kelvane_start_display() {
    [ -z "${DISPLAY:-}" ] || return 0
    local number_file number=""
    number_file=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$number_file" >/dev/null 2>&1 &
    kelvane_session_pids+=($!)
    for _ in $(seq 100); do
        number=$(cat "$number_file")
        [ -n "$number" ] && break
        sleep 0.1
    done
    rm -f "$number_file"
    if [ -z "$number" ]; then
        echo "Xvfb did not start within 10 s" >&2
        return 1
    fi
    export DISPLAY=":$number"
}

kelvane_start_wineserver() {
    local here
    here=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
    eval "$("$here/tests/wine/make-prefix" "$1")"
    wineserver -f -p >/dev/null 2>&1 &
    kelvane_session_pids+=($!)
    kelvane_session_prefix=$WINEPREFIX
    sleep 0.5
    if ! kill -0 "$!" 2>/dev/null; then
        echo "another wineserver already serves $WINEPREFIX: stop it first" >&2
        return 1
    fi
    # The first Wine process of a server starts Wine's services, which keep the standard output
    # they inherit open: let that be /dev/null here rather than the pipe of a test runner, which
    # would then wait for them.
    timeout 120 "$here/tests/wine/wine-run" "$1" wineboot >/dev/null 2>&1
}
