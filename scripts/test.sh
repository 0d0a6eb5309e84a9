#!/usr/bin/env bash
# Installs what is missing, checks the layers in the includes, builds, and
# runs every test label; then a build
# with AddressSanitizer + UndefinedBehaviorSanitizer runs the unit, sim,
# display and end-to-end tests, a ThreadSanitizer build runs the tests labelled tsan, and a
# clang build runs each fuzz target briefly. Each of these builds compiles
# only the targets it runs. At the end it prints each stage's wall and CPU time.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
export FONTCONFIG_FILE=$root/tests/support/fonts.conf
jobs=$(nproc)
failed=0
timings=()

# CPU time (user + system, in clock ticks) of this shell's finished children.
children_cpu() {
  local -a stat
  read -r -a stat < /proc/$$/stat
  cpu_ticks=$((stat[15] + stat[16]))
}

# stage <name> <command...>: runs one timed stage and returns its status.
stage() {
  local name=$1; shift
  local wall0=${EPOCHREALTIME//[.,]/} cpu0 status
  children_cpu; cpu0=$cpu_ticks
  echo "=== $name"
  "$@"; status=$?
  children_cpu
  local wall=$(( (${EPOCHREALTIME//[.,]/} - wall0) / 1000000 ))
  local cpu=$(( (cpu_ticks - cpu0) / $(getconf CLK_TCK) ))
  timings+=("$(printf '%-22s %4d:%02d %6d:%02d%s' "$name" $((wall / 60)) $((wall % 60)) \
                $((cpu / 60)) $((cpu % 60)) "$( ((status)) && echo '  FAILED')")")
  return $status
}

print_timings() {
  children_cpu
  local wall=$(( (${EPOCHREALTIME//[.,]/} - run_start) / 1000000 ))
  local cpu=$(( (cpu_ticks - run_cpu0) / $(getconf CLK_TCK) ))
  printf '\n%-22s %7s %9s\n' "stage (min:s)" "wall" "CPU"
  printf '%s\n' "${timings[@]}"
  printf '%-22s %4d:%02d %6d:%02d\n' total $((wall / 60)) $((wall % 60)) $((cpu / 60)) $((cpu % 60))
}

ctest_in() {  # build-dir, ctest arguments...
  local dir=$1; shift
  ctest --test-dir "$root/$dir" --output-on-failure -j"$jobs" "$@"
}

xvfb_ctest_in() {  # build-dir, label, ctest arguments...: tests of one label under Xvfb, one at a time
  local dir=$1 label=$2; shift 2
  xvfb-run -a ctest --test-dir "$root/$dir" --output-on-failure -L "^$label\$" "$@"
}

stage_or_stop() {  # name, command...: a stage whose failure ends the run
  stage "$@" && return
  print_timings
  exit 1
}

build_or_stop() {  # stage name, build.sh arguments...
  local name=$1; shift
  stage_or_stop "$name" "$root/scripts/build.sh" "$@"
}

run_start=${EPOCHREALTIME//[.,]/}
children_cpu; run_cpu0=$cpu_ticks
stage_or_stop setup "$root/scripts/setup.sh"
stage_or_stop "check layers" "$root/scripts/check_layers.sh"

build_or_stop "build release" release
stage "test release" ctest_in build -L '^(unit|sim|readers)$' || failed=1
stage "test release display" xvfb_ctest_in build display || failed=1
stage "test release e2e" xvfb_ctest_in build e2e || failed=1

build_or_stop "build tsan" tsan tsan_tests
TSAN_OPTIONS=halt_on_error=1 stage "test tsan" ctest_in build-tsan -L '^tsan$' || failed=1

if command -v clang++ >/dev/null; then
  build_or_stop "build fuzz" fuzz fuzz_targets
  stage "run fuzz" ctest_in build-fuzz -L '^fuzz$' || failed=1
fi

build_or_stop "build asan" asan unit_tests sim_tests display_tests e2e_tests
export ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
stage "test asan" ctest_in build-asan -L '^(unit|sim)$' || failed=1
# Full stacks, so the suppressions of the desktop libraries' own caches match.
# The web engine stays out: the leak checker crashes scanning its modules'
# thread-local storage.
ESCTOOL_NO_WEB_ENGINE=1 NO_AT_BRIDGE=1 ASAN_OPTIONS=$ASAN_OPTIONS:fast_unwind_on_malloc=0 \
  LSAN_OPTIONS=suppressions=$root/tests/support/lsan.supp \
  stage "test asan display" xvfb_ctest_in build-asan '(display|e2e)' || failed=1

print_timings
exit $failed
