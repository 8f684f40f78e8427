#!/bin/sh
# Runs a test program under a private X server. Exits 77 (counted as skipped) when
# xvfb-run is missing or no X server can start here.
screen="-screen 0 1024x768x24"
if ! command -v xvfb-run >/dev/null 2>&1; then
    echo "skipped: xvfb-run is not installed (package xvfb)"
    exit 77
fi
if ! xvfb-run -a -s "$screen" true >/dev/null 2>&1; then
    echo "skipped: no X server could be started"
    exit 77
fi
exec xvfb-run -a -s "$screen" "$@"
