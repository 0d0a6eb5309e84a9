#!/usr/bin/env bash
# Installs the Debian packages listed in scripts/packages.txt that are missing,
# and the clang runtime that matches the installed clang.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
sudo_cmd=()
[[ $(id -u) -ne 0 ]] && sudo_cmd=(sudo)

installed() {
  dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"
}

apt_updated=0
install_missing() {  # packages...
  local missing=() pkg
  for pkg; do installed "$pkg" || missing+=("$pkg"); done
  ((${#missing[@]})) || return 0
  echo "setup: installing ${missing[*]}"
  if ((!apt_updated)); then
    "${sudo_cmd[@]}" apt-get update -qq
    apt_updated=1
  fi
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

mapfile -t listed < <(grep -Ev '^[[:space:]]*(#|$)' "$here/packages.txt")
install_missing "${listed[@]}"

# The sanitizer and libFuzzer runtimes ship apart from clang, in a package
# named after clang's major version.
install_missing "libclang-rt-$(clang -dumpversion | cut -d. -f1)-dev"

# A locale whose decimal separator is "," for the locale-independence tests.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf8$'; then
  if [[ -f /etc/locale.gen ]]; then
    "${sudo_cmd[@]}" sed -i 's/^# *de_DE.UTF-8 UTF-8/de_DE.UTF-8 UTF-8/' /etc/locale.gen
    grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen || echo 'de_DE.UTF-8 UTF-8' | "${sudo_cmd[@]}" tee -a /etc/locale.gen >/dev/null
    "${sudo_cmd[@]}" locale-gen >/dev/null || echo "setup: could not generate de_DE.UTF-8; locale tests will skip"
  fi
fi
