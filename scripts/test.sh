#!/usr/bin/env bash
# Builds everything with warnings as errors and runs the whole test suite,
# then once more under AddressSanitizer and UndefinedBehaviorSanitizer, then
# builds the fuzz targets of the file readers with clang and runs each briefly.
# Every stage runs even when an earlier one failed; the summary at the end
# says which failed, and the exit status is 1 if any did.
#
# Runs as any user, beside other runs in other clones: the tests print on a
# CUPS scheduler of their build folder's own and write only into their build
# folder and private temporary folders.
set -uo pipefail
source_dir="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

"$source_dir/scripts/install-deps.sh" || exit 1

stages=()
failed=()
build_dirs=("$source_dir/build-ci" "$source_dir/build-ci-sanitize" "$source_dir/build-ci-fuzz")

# CTest stops the test printer after the tests; should it be interrupted, the
# printer ends with this script all the same.
stop_test_printers() {
  for build_dir in "${build_dirs[@]}"; do
    [ -d "$build_dir/test-printer" ] && sh "$source_dir/scripts/cups-test-printer.sh" stop "$build_dir/test-printer"
  done
}
trap stop_test_printers EXIT

run_suite() {
  local name="$1" build_dir="$2"; shift 2
  stages+=("$name")
  if cmake -S "$source_dir" -B "$build_dir" -G Ninja -DMC_WERROR=ON "$@" >/dev/null &&
     cmake --build "$build_dir" &&
     ctest --test-dir "$build_dir" --output-on-failure -j "$(nproc)"; then
    echo "== $name: passed"
  else
    echo "== $name: FAILED"
    failed+=("$name")
  fi
}

# Printing goes to the test printer, whatever this account's own settings say.
unset PRINTER LPDEST CUPS_SERVER
export QT_QPA_PLATFORM=offscreen

run_suite "suite" "${build_dirs[0]}" -DCMAKE_BUILD_TYPE=Debug
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  run_suite "sanitizers" "${build_dirs[1]}" -DCMAKE_BUILD_TYPE=Debug -DMC_SANITIZE=ON
CXX=clang++ run_suite "fuzz" "${build_dirs[2]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMC_FUZZ_ONLY=ON

echo
if [ ${#failed[@]} -eq 0 ]; then
  echo "All ${#stages[@]} stages passed: ${stages[*]}."
else
  echo "FAILED: ${failed[*]} (of ${stages[*]})."
  exit 1
fi
