#!/usr/bin/env bash
# Builds everything with warnings as errors and runs the whole test suite,
# then once more under AddressSanitizer and UndefinedBehaviorSanitizer, then
# builds the fuzz targets of the file readers with clang and runs each briefly.
set -euo pipefail
source_dir="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

"$source_dir/scripts/install-deps.sh"

run_suite() {
  local build_dir="$1"; shift
  cmake -S "$source_dir" -B "$build_dir" -G Ninja -DMC_WERROR=ON "$@" >/dev/null
  cmake --build "$build_dir"
  ctest --test-dir "$build_dir" --output-on-failure -j "$(nproc)"
}

# Printing goes to the test printer, whatever this account's own settings say.
unset PRINTER LPDEST
export QT_QPA_PLATFORM=offscreen

run_suite "$source_dir/build-ci" -DCMAKE_BUILD_TYPE=Debug
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  run_suite "$source_dir/build-ci-sanitize" -DCMAKE_BUILD_TYPE=Debug -DMC_SANITIZE=ON
CXX=clang++ run_suite "$source_dir/build-ci-fuzz" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMC_FUZZ_ONLY=ON
