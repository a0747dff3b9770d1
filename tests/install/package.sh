#!/usr/bin/env bash
# Builds the Debian package with cpack and checks it: its file list is the install's, bin/keywright24
# links into the program folder, its dependencies were worked out from the programs, and the programs
# unpacked from it run.
#   package.sh BUILD OUTPUT INSTALLED_FILES VERSION
set -euo pipefail
build=$1 output=$2 expected=$3 version=$4
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

rm -rf "$output"
mkdir -p "$output"
if ! cpack -G DEB --config "$build/CPackConfig.cmake" -B "$output" >"$output/cpack.log" 2>&1; then
  cat "$output/cpack.log" >&2
  echo "FAIL: cpack could not build the package" >&2
  exit 1
fi
package=$(find "$output" -maxdepth 1 -name '*.deb')
[ "$(echo "$package" | wc -l)" -eq 1 ] && [ -n "$package" ] || { echo "FAIL: cpack made '$package'" >&2; exit 1; }
architecture=$(dpkg --print-architecture)
[ "$(basename "$package")" = "keywright24_${version}_$architecture.deb" ] || fail "the package is named $(basename "$package")"

# Files and links, without the folders; a link's line ends in " -> TARGET".
contents=$(dpkg-deb -c "$package")
listed=$(grep -v '^d' <<<"$contents" | sed -E 's/^([^ ]+ +){5}\.\/usr\///; s/ -> .*//' | LC_ALL=C sort)
if ! diff -u <(LC_ALL=C sort "$expected") <(echo "$listed") >&2; then
  fail "the package's files differ from $(basename "$expected") (- expected, + packaged)"
fi
grep -q ' \./usr/bin/keywright24 -> \.\./lib/keywright24/keywright24$' <<<"$contents" \
  || fail "the package's bin/keywright24 is not the link into the program folder"

field() { dpkg-deb --field "$package" "$1"; }
[ "$(field Package)" = keywright24 ] || fail "Package: $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version: $(field Version)"
[ "$(field Architecture)" = "$architecture" ] || fail "Architecture: $(field Architecture)"
depends=$(field Depends)
depended=$(sed 's/ ([^)]*)//g; s/, */\n/g' <<<"$depends")
for library in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6; do
  grep -qxF "$library" <<<"$depended" || fail "Depends lacks $library: $depends"
done
# The face the windows are laid out for, with the packages that also hold one of Arial's widths.
grep -qxF "fonts-liberation2 | fonts-liberation | fonts-croscore" <<<"$depended" \
  || fail "Depends lacks the designed font: $depends"
# Without a PDF viewer the help documents cannot be read.
grep -q 'pdf-viewer' <<<"$(field Recommends)" || fail "Recommends lacks a PDF viewer: $(field Recommends)"
# The companion programs open serial ports; the keypad's loader is a Windows program that wine runs.
grep -qxF libqt6serialport6 <<<"$depended" || fail "Depends lacks libqt6serialport6: $depends"
grep -qE '(^|, )wine(,|$| )' <<<"$(field Recommends)" || fail "Recommends lacks wine: $(field Recommends)"

unpacked=$output/unpacked
dpkg-deb -x "$package" "$unpacked"
[ "$("$unpacked/usr/bin/keywright24-cli" --version)" = "keywright24-cli $version" ] \
  || fail "keywright24-cli from the package does not run"
# The main program starts the companions as programs of their own and never loads the serial port
# library itself, so its start-up stays as it was.
if readelf -d "$unpacked/usr/lib/keywright24/keywright24" | grep -q 'NEEDED.*SerialPort'; then
  fail "the main program links the serial port library"
fi

[ "$failures" -eq 0 ] || exit 1
echo "package: $(basename "$package"), $(wc -l <"$expected") files, Depends: $depends"
