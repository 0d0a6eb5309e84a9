#!/usr/bin/env bash
# Installs what is missing, checks the layers in the includes, builds, and
# runs every test label; then a second build with AddressSanitizer +
# UndefinedBehaviorSanitizer runs the unit tests,
# a ThreadSanitizer build runs the tests labelled tsan, and a clang build runs
# the fuzz targets briefly.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
export CCACHE_DIR=${CCACHE_DIR:-$root/.ccache}
export FONTCONFIG_FILE=$root/tests/support/fonts.conf
"$root/scripts/setup.sh" || exit 1
"$root/scripts/check_layers.sh" || exit 1

failed=0
run_ctest() {  # build-dir, ctest arguments...
  local dir=$1; shift
  (cd "$root/$dir" && ctest --output-on-failure -j"$(nproc)" "$@") || failed=1
}

"$root/scripts/build.sh" release || exit 1
run_ctest build -L unit
run_ctest build -L sim
run_ctest build -L readers
xvfb-run -a bash -c "cd '$root/build' && ctest --output-on-failure -L display" || failed=1

if ctest --test-dir "$root/build" -N -L tsan 2>/dev/null | grep -q 'Total Tests: [1-9]'; then
  "$root/scripts/build.sh" tsan tsan_tests || exit 1
  TSAN_OPTIONS=halt_on_error=1 run_ctest build-tsan -L tsan
fi

if command -v clang++ >/dev/null; then  # libFuzzer targets, a short bounded run each
  "$root/scripts/build.sh" fuzz fuzz_targets || exit 1
  run_ctest build-fuzz -L unit -R fuzz
fi

"$root/scripts/build.sh" asan || exit 1
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 run_ctest build-asan -L unit

exit $failed
