#!/usr/bin/env bash
# A benchmark, not a test: times the program side by side with plain
# references in one run and prints what it measured.
#   - start-up to first paint, against a bare Qt window of the same size with one label;
#   - opening an editor window (the click to its first paint), against the
#     start-up window's own set-up and paint, and each editor window against a
#     bare Qt twin: the same widgets and layouts in plain Qt, with no logic;
#   - opening a full library (the click on "Open" to the department page painted);
#   - `tavrel-macro check` of a full library of each kind, against `cat` of the same file;
#   - the PDF printout, per page.
# Builds its own optimised copy in build-bench (or BENCH_BUILD_DIR). Needs hyperfine.
set -euo pipefail
source_dir="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build_dir="${BENCH_BUILD_DIR:-$source_dir/build-bench}"

command -v hyperfine >/dev/null || { echo "bench.sh needs hyperfine (scripts/install-deps.sh installs it)" >&2; exit 2; }
cmake -S "$source_dir" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build_dir" --target mc_bench tavrel-macro tavrel-macro-print >/dev/null

bench="$build_dir/bench/mc_bench"
cli="$build_dir/src/cli/tavrel-macro"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen
"$bench" write-libraries "$work"

echo "== Start-up to first paint"
hyperfine -N --warmup 3 --runs 30 "$bench first-paint selection" "$bench first-paint bare"

echo
echo "== Windows"
"$bench" windows 2>/dev/null

echo
echo "== check of a full library, against cat"
hyperfine -N --warmup 3 -i \
  "$cli check $work/full041.tm2" "cat $work/full041.tm2" \
  "$cli check $work/full036.tm2" "cat $work/full036.tm2" \
  "$cli check $work/full.tv1" "cat $work/full.tv1" \
  "$cli check $work/full.tb2" "cat $work/full.tb2" \
  "$cli check $work/full.tv9" "cat $work/full.tv9"

echo
echo "== PDF printout"
# print never replaces a file, so each run starts without the PDF of the last.
pages="$("$cli" print --pdf "$work/out.pdf" "$work/full041.tm2" | awk '{print $2}')"
hyperfine --warmup 1 --runs 5 --prepare "rm -f $work/out.pdf" --export-csv "$work/print.csv" \
  "$cli print --pdf $work/out.pdf $work/full041.tm2"
awk -F, -v pages="$pages" 'NR == 2 { printf "%d pages: %.2f ms a page\n", pages, $2 * 1000 / pages }' "$work/print.csv"
