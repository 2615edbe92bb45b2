#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when any is missing.
set -euo pipefail
# fonts-liberation2: faces with the widths of "Courier New", "Arial" and "Times New Roman", which the
# printed song book's columns are measured for. fonts-urw-base35: families that two makers ship under
# one name, which the face lists must still offer. clang-format-14: the one formatter the house style is
# checked with (scripts/check-format).
packages=(cmake g++ make qt6-base-dev libgl-dev libgtest-dev libbenchmark-dev poppler-utils fonts-liberation2
  fonts-urw-base35 clang-format-14)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  if [ "$(id -u)" -eq 0 ]; then sudo_cmd=(); else sudo_cmd=(sudo); fi
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
