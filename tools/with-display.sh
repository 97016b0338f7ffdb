#!/usr/bin/env bash
# Runs a command on a private X display of its own, which ends with it.
fifo="$(mktemp -u)"
mkfifo "$fifo" || exit 1
Xvfb -displayfd 3 -screen 0 ${TARNWICK_SCREEN:-1024x768}x24 -nolisten tcp -noreset 3>"$fifo" 2>/dev/null &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null' EXIT
read -r -t 20 display <"$fifo"
rm -f "$fifo"
[ -n "$display" ] || { echo "Xvfb did not start" >&2; exit 1; }
DISPLAY=":$display" "$@"
