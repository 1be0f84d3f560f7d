# Sourced by the scripts that need an X server of their own (smoke-sdl, wine-check,
# measure-pacing).
#
# start_xvfb DIR [SCREEN]: starts Xvfb with SCREEN (default 1024x768x24) on a display
# it picks itself, so parallel runs never share one; waits until the server answers;
# exports DISPLAY and sets xvfb to the server's process id for the caller's clean-up.
# Its output goes to DIR/xvfb.out. Returns 1 if it does not answer within 15 s.
start_xvfb() {
    rm -f "$1/display"
    Xvfb -displayfd 3 -screen 0 "${2:-1024x768x24}" -nolisten tcp 3>"$1/display" \
        >"$1/xvfb.out" 2>&1 &
    xvfb=$!
    _tries=0
    until [ -s "$1/display" ]; do
        _tries=$((_tries + 1))
        [ $_tries -lt 100 ] || return 1
        sleep 0.1
    done
    DISPLAY=":$(cat "$1/display")"
    export DISPLAY
    until xdpyinfo >/dev/null 2>&1; do
        _tries=$((_tries + 1))
        [ $_tries -lt 150 ] || return 1
        sleep 0.1
    done
}
