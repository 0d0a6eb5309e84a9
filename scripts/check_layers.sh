#!/usr/bin/env bash
# Checks the layers in the #include lines: every include of a project header
# must run along an allowed folder edge, and the outside libraries' headers
# may appear only in the folders that wrap them. Prints each wrong include as
# file:line and exits 1 when there is one. scripts/check_layers.sh [root]
set -euo pipefail
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
cd "$root"

# folder: the folders its files may include besides its own (shell patterns).
edges='
platform/rtl:
platform/hid: platform/rtl
platform/net: platform/rtl
platform/gdiplus: platform/rtl
platform/d2d: platform/rtl platform/gdiplus
platform/gui: platform/rtl platform/hid platform/net platform/gdiplus
ui/core: platform/rtl
ui/render: platform/rtl platform/gdiplus platform/d2d ui/core
ui/controls: platform/rtl ui/core ui/render
ui/window: platform/* ui/core ui/render ui/controls
device: platform/*
params: platform/*
pdf: platform/*
components: platform/*
tools: platform/* device params pdf ui/core ui/render
resources: platform/*
app: *
tests: *
bench: *
'

# Outside library headers (shell patterns) and the folders that may include
# them; headers not listed (the C++ and C libraries, POSIX) are free.
libraries='
glib.h glib/* glib-unix.h glib-object.h gio/*: platform/* ui/window app tests bench
gtk/* gdk/gdk.h gdk/gdkx.h X11/*: platform/gui ui/window app tests bench
cairo.h cairo/* pango/* fontconfig/* gdk-pixbuf/*: platform/gdiplus platform/d2d platform/gui ui/window app tests bench
hidapi/* libudev.h: platform/hid tests
jpeglib.h: platform/rtl tests
sqlite3.h tomcrypt.h: device tools tests
webkit2/*: platform/gui
'

# Includes that still cross a layer the wrong way, as file:header. An entry
# that no longer matches is reported too, so the list only shrinks.
pending='
'

set -f  # the tables' patterns are matched, never expanded to file names

folder_of() {  # path -> layer folder ("platform/rtl", "device", "tests") in $folder
  local first=${1%%/*} rest=${1#*/}
  if [[ $1 != */* ]]; then folder=""
  elif [[ $first == platform || $first == ui ]] && [[ $rest == */* ]]; then folder=$first/${rest%%/*}
  else folder=$first
  fi
}

declare -A edge_row=() library_owners=() pending_seen=()
while IFS= read -r line; do
  [[ -n $line ]] && edge_row[${line%%:*}]=${line#*:}
done <<<"$edges"
library_patterns=()
while IFS= read -r line; do
  [[ -z $line ]] && continue
  for pattern in ${line%%:*}; do
    library_patterns+=("$pattern")
    library_owners[$pattern]=${line#*:}
  done
done <<<"$libraries"

matches_any() {  # word patterns...
  local word=$1 pattern
  shift
  for pattern in "$@"; do
    # shellcheck disable=SC2053
    [[ $word == $pattern ]] && return 0
  done
  return 1
}

include_allowed() {  # from-folder header-kind header
  local from=$1 kind=$2 header=$3 pattern
  if [[ $kind == project ]]; then
    folder_of "$header"
    [[ -z $folder || $folder == "$from" ]] && return 0
    # shellcheck disable=SC2086
    matches_any "$folder" ${edge_row[$from]}
    return
  fi
  for pattern in "${library_patterns[@]}"; do
    # shellcheck disable=SC2053,SC2086
    [[ $header == $pattern ]] && { matches_any "$from" ${library_owners[$pattern]}; return; }
  done
  return 0
}

failures=0
report() { echo "$1" >&2; failures=$((failures + 1)); }

quoted='^[[:space:]]*#[[:space:]]*include[[:space:]]*"([^"]+)"'
angled='^[[:space:]]*#[[:space:]]*include[[:space:]]*<([^>]+)>'
while IFS= read -r hit; do
  file=${hit%%:*} rest=${hit#*:}
  line=${rest%%:*} text=${rest#*:}
  folder_of "$file"
  from=$folder
  [[ -z $from ]] && continue
  [[ -v edge_row[$from] ]] || { report "$file: folder $from has no row in the layer table"; continue; }
  if [[ $text =~ $quoted ]]; then kind=project
  elif [[ $text =~ $angled ]]; then kind=library
  else continue
  fi
  header=${BASH_REMATCH[1]}
  include_allowed "$from" "$kind" "$header" && continue
  if grep -qxF "$file:$header" <<<"$pending"; then
    pending_seen[$file:$header]=1
    continue
  fi
  report "$file:$line: $from may not include $header"
done < <(git grep --untracked -nE '^[[:space:]]*#[[:space:]]*include' -- '*.h' '*.hpp' '*.c' '*.cpp')

while IFS= read -r entry; do
  [[ -z $entry || -n ${pending_seen[$entry]:-} ]] && continue
  report "scripts/check_layers.sh: pending include $entry is gone; drop it from the list"
done <<<"$pending"

if ((failures)); then
  echo "check_layers: $failures wrong-way include(s)" >&2
  exit 1
fi
echo "check_layers: every include runs along an allowed edge"
