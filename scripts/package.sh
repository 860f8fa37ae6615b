#!/usr/bin/env bash
# Builds the Debian package of the program in build-package/:
#   build-package/tavrel-macro-creator_VERSION_ARCH.deb
# Install it with: sudo apt install ./build-package/tavrel-macro-creator_*.deb
set -euo pipefail
source_dir="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build_dir="$source_dir/build-package"

# The compiler and linker hardening of Debian's own packages.
if command -v dpkg-buildflags >/dev/null; then
  CXXFLAGS="$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
  LDFLAGS="$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get LDFLAGS)"
  export CXXFLAGS LDFLAGS
fi

cmake -S "$source_dir" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DMC_BUILD_TESTS=OFF -DCMAKE_INSTALL_PREFIX=/usr >/dev/null
cmake --build "$build_dir"
(cd "$build_dir" && cpack -G DEB)
ls "$build_dir"/tavrel-macro-creator_*.deb
