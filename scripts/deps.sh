#!/usr/bin/env bash
# Installs the Debian packages Veltaro needs to build, run and test, if any
# is missing.  Safe to run again: it does nothing when all are present.
set -euo pipefail
pkgs=(g++ cmake make pkg-config libfox-1.6-dev libgtest-dev libgmock-dev googletest
      libbenchmark-dev libcli11-dev nlohmann-json3-dev xvfb xdotool imagemagick x11-utils valgrind
      help2man man-db groff-base desktop-file-utils dpkg-dev file libxml2-utils
      openbox lintian)
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi
