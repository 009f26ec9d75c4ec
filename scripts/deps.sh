#!/usr/bin/env bash
# Installs the Debian packages Orvalith needs to build, only those that are missing
# (naming an installed package to apt-get would upgrade it).
set -euo pipefail
need=()
for pkg in "$@"; do
  if [ "$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null)" != "install ok installed" ]; then
    need+=("$pkg")
  fi
done
if [ ${#need[@]} -gt 0 ]; then
  echo "Installing: ${need[*]}"
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${need[@]}"
fi
