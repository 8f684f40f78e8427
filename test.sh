#!/usr/bin/env bash
# Builds and runs the whole suite twice: the normal build, then under
# AddressSanitizer + UndefinedBehaviorSanitizer (LeakSanitizer on).
set -euo pipefail
cd "$(dirname "$0")"
./tools/install-deps.sh
# Layers only look down, and every tracked C++ file keeps the repository format.
./tools/check-layers.sh
./tools/check-format.sh

jobs=$(nproc)
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
# Software OpenGL and audio, headless.
export LIBGL_ALWAYS_SOFTWARE=1
# llvmpipe rasterizes on the calling thread: LeakSanitizer's tracer crashes at exit
# when it meets Mesa's rasterizer threads in some programs.
export LP_NUM_THREADS=0

run_build() {
  local dir="$1"; shift
  cmake -S . -B "$dir" -G Ninja "$@"
  cmake --build "$dir" -j "$jobs"
  # A test that fails once fails the suite: no second run hides an intermittent fault.
  ctest --test-dir "$dir" --output-on-failure -j "$jobs" --timeout 300
}

echo "=== normal build"
run_build build/release -DCMAKE_BUILD_TYPE=RelWithDebInfo
echo "=== sanitizer build"
run_build build/sanitize -DCMAKE_BUILD_TYPE=Debug -DHGL_SANITIZE=ON -DHGL_BENCH=OFF
echo "=== all suites passed"
