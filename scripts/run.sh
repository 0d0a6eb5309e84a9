#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program from its program
# folder (build/esctool: the executable beside lang.ini, pictures, help and
# history pages, version_control.xml and the generated settings databases).
# ESCTOOL_SIMULATED_HID=<model> (for example CAR_ESC) runs it on the
# simulated adapter instead of a plugged-in one.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" release esctool sample_databases
cd "$root/build/esctool"
exec ./esctool "$@"
