#!/usr/bin/env bash
# Builds the Debian package, unpacks it into a temporary root and checks what
# a workstation gets: the files, their validators, the dependencies of the
# programs, and the program started from its desktop entry.
#   package_test.sh SOURCE_DIR VERSION
set -uo pipefail
source_dir="$1"
version="$2"
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

# A check whose tool is missing would pass by doing nothing: stop instead.
for tool in dpkg-deb dpkg-shlibdeps readelf ldd file lintian desktop-file-validate appstreamcli man; do
  command -v "$tool" >/dev/null || { echo "FAIL: the package test needs $tool (scripts/install-deps.sh installs it)" >&2; exit 1; }
done

bash "$source_dir/scripts/package.sh" || { echo "FAIL: the package does not build" >&2; exit 1; }
deb="$source_dir/build-package/tavrel-macro-creator_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || { echo "FAIL: no $deb" >&2; exit 1; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
root="$work/root"
dpkg-deb -x "$deb" "$root"
dpkg-deb -e "$deb" "$work/control"

# The control fields.
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = tavrel-macro-creator ] || fail "Package is '$(field Package)'"
[ "$(field Version)" = "$version" ] || fail "Version is '$(field Version)', not $version"
[ -n "$(field Description)" ] || fail "no Description"
depends="$(field Depends)"
echo "Depends: $depends"
# The package names alone, one a line.
depended="$(sed 's/ *([^)]*)//g; s/ *| */\n/g; s/, */\n/g' <<<"$depends")"

# No maintainer scripts: removing the package touches nothing but its own files.
for script in preinst postinst prerm postrm; do
  [ -e "$work/control/$script" ] && fail "the package has a $script script"
done

# Nothing outside /usr: the package owns no file of a user's.
[ "$(ls "$root")" = usr ] || fail "the package installs outside /usr: $(ls "$root")"

# The files a desktop installation needs.
expected=(
  usr/bin/tavrel-macro-creator
  usr/share/applications/tavrel-macro-creator.desktop
  usr/share/metainfo/org.tavrel.MacroCreator.metainfo.xml
  usr/share/icons/hicolor/scalable/apps/tavrel-macro-creator.svg
  usr/share/man/man1/tavrel-macro-creator.1.gz
  usr/share/doc/tavrel-macro-creator/copyright
  usr/share/doc/tavrel-macro-creator/changelog.gz
)
for size in 16 24 32 48 64 128 256; do
  expected+=("usr/share/icons/hicolor/${size}x${size}/apps/tavrel-macro-creator.png")
done
# The command-line program, whenever the source has it, with its manual page.
if [ -f "$source_dir/src/cli/CMakeLists.txt" ]; then
  expected+=(usr/bin/tavrel-macro usr/share/man/man1/tavrel-macro.1.gz)
fi
for file in "${expected[@]}"; do
  [ -s "$root/$file" ] || fail "missing $file"
done
for size in 16 24 32 48 64 128 256; do
  png="$root/usr/share/icons/hicolor/${size}x${size}/apps/tavrel-macro-creator.png"
  file -b "$png" | grep -q "PNG image data, $size x $size" || fail "$png is not a $size px PNG"
done
[ -e "$root/usr/bin/tavrel-macro" ] && [ ! -e "$root/usr/share/man/man1/tavrel-macro.1.gz" ] &&
  fail "tavrel-macro has no manual page"

# Every library a program needs comes from a package it depends on, and the
# programs look for them nowhere but in the system's folders.
for program in "$root"/usr/bin/*; do
  readelf -d "$program" | grep -qE 'RPATH|RUNPATH' && fail "$program carries a library search path"
  ldd "$program" | grep -q 'not found' && fail "$program misses libraries: $(ldd "$program" | grep 'not found')"
  for soname in $(readelf -d "$program" | sed -n 's/.*Shared library: \[\(.*\)\]/\1/p'); do
    owners="$(dpkg -S "*/$soname" 2>/dev/null | sed 's/: .*//; s/, /\n/g' | sed 's/:.*//' | sort -u)"
    found=0
    for owner in $owners; do
      grep -qxF "$owner" <<<"$depended" && found=1
    done
    [ "$found" = 1 ] || fail "$(basename "$program") links $soname, whose package ($owners) is not in Depends"
  done
done

# The validators of Debian and of the desktop.
lintian_report="$(lintian --tag-display-limit 0 "$deb" 2>&1)"
echo "$lintian_report"
grep -q '^E: ' <<<"$lintian_report" && fail "lintian reports errors"
desktop-file-validate "$root/usr/share/applications/tavrel-macro-creator.desktop" || fail "desktop entry invalid"
appstreamcli validate --no-net "$root/usr/share/metainfo/org.tavrel.MacroCreator.metainfo.xml" ||
  fail "metainfo invalid"
appstreamcli validate-tree --no-net "$root" || fail "the installed tree does not validate"
for page in "$root"/usr/share/man/man1/*.1.gz; do
  warnings="$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l "$page" 2>&1 >/dev/null)"
  [ -z "$warnings" ] || fail "$page: $warnings"
done

# Started as the menu starts it: the desktop entry's command, with the
# unpacked program, for a user whose documents folder does not exist yet.
exec_line="$(sed -n 's/^Exec=//p' "$root/usr/share/applications/tavrel-macro-creator.desktop")"
read -r -a command <<<"$exec_line"
[ "${command[0]}" = tavrel-macro-creator ] || fail "the desktop entry starts '${command[0]}'"
command[0]="$root/usr/bin/tavrel-macro-creator"
home="$work/home"
mkdir -p "$home"
log="$work/start.log"
# The minimal platform draws the windows off screen and, asked to, saves each
# picture it shows into the working folder: proof the start-up window appeared.
(cd "$home" && env -i PATH=/usr/bin:/bin HOME="$home" XDG_CONFIG_HOME="$home/.config" \
  XDG_RUNTIME_DIR="$work" QT_QPA_PLATFORM=minimal:enable_fonts QT_DEBUG_BACKINGSTORE=1 \
  timeout 10 "${command[@]}" >"$log" 2>&1)
status=$?
cat "$log"
[ "$status" = 124 ] || fail "the program ended with status $status instead of running"
folder="$home/Documents/Tavrel Macros"
[ -d "$folder" ] || fail "no folder 'Tavrel Macros' among the documents"
picture="$folder/output0000.png"
if file -b "$picture" 2>/dev/null | grep -qE 'PNG image data, [0-9]{3,} x [0-9]{3,}'; then
  cp "$picture" "$source_dir/build-package/start-up-window.png"
else
  fail "no start-up window was shown in the documents folder's 'Tavrel Macros'"
fi

# Started from a shell it works in the shell's folder, and it answers for its
# version without a display.
shell_folder="$work/ward 3"
mkdir -p "$shell_folder"
(cd "$shell_folder" && env -i PATH=/usr/bin:/bin HOME="$home" XDG_RUNTIME_DIR="$work" \
  QT_QPA_PLATFORM=minimal:enable_fonts QT_DEBUG_BACKINGSTORE=1 \
  timeout 10 "$root/usr/bin/tavrel-macro-creator" >/dev/null 2>&1)
[ -f "$shell_folder/output0000.png" ] || fail "started from a shell, it does not work in the shell's folder"
env -i PATH=/usr/bin:/bin HOME="$home" "$root/usr/bin/tavrel-macro-creator" --version 2>&1 | grep -q "$version" ||
  fail "--version does not say $version"

[ "$failures" = 0 ] && echo "The package is fine." || exit 1
