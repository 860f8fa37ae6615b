#!/usr/bin/env bash
# Installs the Debian 12 packages the program and its tests need, when missing.
set -euo pipefail

packages=(
  # building
  cmake ninja-build g++ pkg-config
  qt6-base-dev libgl-dev libcups2-dev
  libcli11-dev nlohmann-json3-dev libcsv-dev
  fonts-liberation2 fontconfig
  # the tests: GoogleTest; the run's own CUPS scheduler and its commands
  # (cupsd, lpadmin, lpstat, cupsreject, cancel); reading PDFs back (pdftotext,
  # pdffonts, pdfinfo, pdftoppm); the fuzz targets (clang's libFuzzer)
  libgtest-dev googletest
  cups-daemon cups-client poppler-utils
  clang libclang-rt-14-dev
  # the package test: dpkg-buildflags and dpkg-shlibdeps, readelf, file,
  # lintian, desktop-file-validate, appstreamcli, man
  dpkg-dev binutils file lintian desktop-file-utils appstream man-db
  # scripts/bench.sh
  hyperfine
)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
