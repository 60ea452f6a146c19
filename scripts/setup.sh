#!/usr/bin/env bash
# Installs the Debian packages that the build and the tests need, when they are missing.
set -euo pipefail

# The engine and the core need only the compilers and the test libraries; the desktop program
# adds Qt 6 (widgets, printing, OpenGL widgets, SVG), libxlsxwriter and Mesa's OpenGL and GLU;
# the window tests and screenshots run under the offscreen platform or a virtual X display.
packages=(build-essential cmake ninja-build clang libclang-rt-14-dev libgtest-dev libgmock-dev
          libbenchmark-dev qt6-base-dev qt6-base-dev-tools libqt6opengl6-dev libqt6svg6-dev
          libxlsxwriter-dev libgl-dev libglu1-mesa-dev xvfb xauth desktop-file-utils unzip)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "${missing[@]}"
fi

# A decimal-comma locale lets the tests check that numbers are still written with a point.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  if [ "$(id -u)" -eq 0 ] && command -v localedef >/dev/null; then
    localedef -i de_DE -f UTF-8 de_DE.UTF-8 || echo "note: the de_DE.UTF-8 locale could not be made"
  fi
fi
