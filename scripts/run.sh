#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it in the current
# directory, where it lists, opens and saves its macro files.
set -euo pipefail
source_dir="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build_dir="$source_dir/build"

"$source_dir/scripts/install-deps.sh"
cmake -S "$source_dir" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build_dir" --target tavrel_macro_creator

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "Built $build_dir/src/app/tavrel-macro-creator, but there is no display to show its windows on." >&2
  echo "Start it from a desktop session (or set DISPLAY)." >&2
  exit 1
fi
exec "$build_dir/src/app/tavrel-macro-creator"
