#!/usr/bin/env bash
# Fails when a library's source includes a header of a higher layer. The build
# enforces the same through the per-library include views (cmake/HglModules.cmake),
# but only for what a library's .cpp files reach; this also covers headers that
# only higher layers or tests include. core/Types.h may be used by every layer.
set -euo pipefail
cd "$(dirname "$0")/.."
layers=(engine/platform engine/core engine/io engine/script engine/framework engine/graphics engine/gui
        engine/sonvex engine/movie engine/app game/core game/stage game/screens)
# The include prefix of each layer, as written in #include "...".
prefix() { local p="${1#engine/}"; echo "$p"; }
bad=0
for ((i = 0; i < ${#layers[@]}; i++)); do
  dir="${layers[$i]}"
  [ -d "$dir" ] || continue
  higher=()
  for ((j = i + 1; j < ${#layers[@]}; j++)); do higher+=("$(prefix "${layers[$j]}")/"); done
  # The top layer has nothing above it (an empty pattern would match every include).
  [ ${#higher[@]} -eq 0 ] && continue
  pattern=$(IFS='|'; echo "${higher[*]}")
  hits=$(git ls-files -- "$dir" | grep -E '\.(cpp|h)$' |
         xargs -r grep -nP "^\\s*#\\s*include\\s*\"($pattern)" | grep -v '"core/Types\.h"' || true)
  if [ -n "$hits" ]; then
    echo "check-layers: $dir includes a higher layer:" >&2
    echo "$hits" >&2
    bad=1
  fi
done
# OpenGL belongs to the graphics layer and below: the layers above draw through
# graphics/draw/Painter.h.
gl=$(git ls-files -- engine/framework engine/gui engine/sonvex engine/movie engine/app game | grep -E '\.(cpp|h)$' |
     xargs -r grep -nP '^\s*#\s*include\s*<(GL|EGL|GLFW)/' || true)
if [ -n "$gl" ]; then
  echo "check-layers: OpenGL headers above the graphics layer:" >&2
  echo "$gl" >&2
  bad=1
fi
[ "$bad" -eq 0 ] && echo "check-layers: every layer includes only its own and lower layers, and OpenGL stays in graphics"
exit "$bad"
