#!/usr/bin/env bash
# Configures and builds one configuration: scripts/build.sh [release|asan|tsan|fuzz] [targets...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
kind=${1:-release}
shift || true
case "$kind" in
  release) dir=build;      flags=(-DESCTOOL_WERROR=ON) ;;
  asan)    dir=build-asan; flags=(-DESCTOOL_SANITIZE=ON -DESCTOOL_BENCH=OFF) ;;
  tsan)    dir=build-tsan; flags=(-DESCTOOL_TSAN=ON -DESCTOOL_BENCH=OFF) ;;
  fuzz)    dir=build-fuzz; flags=(-DESCTOOL_WERROR=ON -DESCTOOL_FUZZ=ON -DESCTOOL_BENCH=OFF -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++) ;;
  *) echo "build.sh: unknown configuration $kind" >&2; exit 2 ;;
esac
# ccache keeps its cache outside the clone (its default folder, or CCACHE_DIR)
# and hashes paths relative to the clone's root, not the clone's folder, so
# another clone on the same machine, such as a CI run's, reuses its objects.
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$root}
export CCACHE_NOHASHDIR=${CCACHE_NOHASHDIR:-1}
# On a miss, the compiler's own dependency list names the headers, so ccache
# does not run the preprocessor a second time for every file.
export CCACHE_DEPEND=${CCACHE_DEPEND:-1}
cmake -S "$root" -B "$root/$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${flags[@]}" >/dev/null
if (($#)); then
  cmake --build "$root/$dir" --target "$@"
else
  cmake --build "$root/$dir"
fi
