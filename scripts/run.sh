#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program from its program folder.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" release esctool
exec "$root/build/esctool/esctool" "$@"
