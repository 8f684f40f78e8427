#!/usr/bin/env bash
# Plays the demo game: installs the Debian packages that are missing, builds the
# project, generates the demo content into demo/ when it is not there yet, and
# starts the game there. Without a display the game runs on the headless canvas
# (nothing is shown; a tour named by HGL_TOUR can still play and take
# screenshots). Ctrl-C ends the game as closing its window does.
set -euo pipefail
root="$(cd "$(dirname "$0")" && pwd)"
cd "$root"
./tools/install-deps.sh

build="$root/build/release"
if [ ! -f "$build/build.ninja" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build "$build" -j "$(nproc)" --target game mkdemo

demo="$root/demo"
if [ ! -e "$demo/Data.hac" ] || [ ! -e "$demo/Local.hac" ]; then
  echo "Generating the demo game into $demo"
  "$build/mkdemo" "$demo"
fi

if [ -z "${HGL_WINDOW:-}" ] && [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: the game runs headless (HGL_WINDOW=headless); nothing is shown. Ctrl-C ends it."
  export HGL_WINDOW=headless
fi
cd "$demo"
exec "$build/game" "$@"
