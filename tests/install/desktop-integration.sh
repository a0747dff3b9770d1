#!/usr/bin/env bash
# Checks the installed desktop entry, MIME type and icon with the desktop's own tools: the entry and
# the MIME XML are valid, they name the same file type, the entry's program and icon are installed,
# and the desktop's databases built from them open *.ckd files with Keywright24.
#   desktop-integration.sh PREFIX
set -euo pipefail
prefix=$1
desktop=$prefix/share/applications/keywright24.desktop
mime=$prefix/share/mime/packages/keywright24.xml
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

# desktop-file-validate exits 0 on mere hints; any remark counts here.
remarks=$(desktop-file-validate "$desktop" 2>&1) || true
[ -z "$remarks" ] || fail "desktop-file-validate: $remarks"
xmllint --noout "$mime" || fail "the MIME XML is not well-formed"
xmllint --noout "$prefix/share/icons/hicolor/scalable/apps/keywright24.svg" || fail "the icon is not well-formed"

entry() { sed -n "s/^$1=//p" "$desktop"; }
mime_type=$(xmllint --xpath "string(//*[local-name()='mime-type']/@type)" "$mime")
glob=$(xmllint --xpath "string(//*[local-name()='mime-type']/*[local-name()='glob']/@pattern)" "$mime")
[ "$glob" = "*.ckd" ] || fail "the MIME type's glob is '$glob', not *.ckd"
[ "$(entry MimeType)" = "$mime_type;" ] || fail "the entry opens '$(entry MimeType)', the MIME XML defines '$mime_type'"
program=$(entry Exec | cut -d' ' -f1)
[ -x "$prefix/bin/$program" ] || fail "the entry starts '$program', which is not installed in bin"
case $(entry Exec) in *' %f' | *' %F') ;; *) fail "the entry's Exec hands the program no file: $(entry Exec)" ;; esac
[ -f "$prefix/share/icons/hicolor/scalable/apps/$(entry Icon).svg" ] || fail "the entry's icon '$(entry Icon)' is not installed"

# What the desktop makes of them: the MIME database knows *.ckd, and the application database opens
# that type with this entry.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/mime/packages" "$scratch/applications"
cp "$mime" "$scratch/mime/packages/"
cp "$desktop" "$scratch/applications/"
XDG_DATA_DIRS=$scratch update-mime-database "$scratch/mime" 2>&1 | sed 's/^/update-mime-database: /' >&2
grep -qxF "50:$mime_type:*.ckd" "$scratch/mime/globs2" || fail "the MIME database has no *.ckd glob for $mime_type"
update-desktop-database "$scratch/applications"
grep -qxF "$mime_type=keywright24.desktop;" "$scratch/applications/mimeinfo.cache" \
  || fail "the application database does not open $mime_type with keywright24.desktop"

[ "$failures" -eq 0 ] || exit 1
echo "desktop integration: entry, MIME type ($mime_type, *.ckd) and icon in order"
