#!/bin/bash
# --set on a pty records ComPort, ComType and ComDevice and makes the Wine link; bad input writes nothing.
set -u
picker=$1
work=$(mktemp -d); trap 'kill $socat 2>/dev/null; rm -rf "$work"' EXIT
socat pty,raw,echo=0,link="$work/a" pty,raw,echo=0,link="$work/b" & socat=$!
for _ in $(seq 50); do [ -e "$work/a" ] && break; sleep 0.1; done
export HOME=$work/home WINEPREFIX=$work/prefix XDG_CONFIG_HOME=$work/home/.config
mkdir -p "$HOME" "$WINEPREFIX/dosdevices"
ln -s /dev/null "$WINEPREFIX/dosdevices/com1" # taken: the lowest free number is 2
ini=$HOME/Documents/Brimlow/Keywright24/Uplinker.ini
fail() { echo "FAIL: $*"; exit 1; }

# Bad input: exit code, a message on stderr, and nothing written.
while IFS='|' read -r code args; do
  # shellcheck disable=SC2086
  "$picker" $args >/dev/null 2>"$work/err"; rc=$?
  [ "$rc" = "$code" ] || fail "$args: exit $rc, wanted $code"
  [ -s "$work/err" ] || fail "$args: no message"
  [ ! -e "$ini" ] || fail "$args: wrote $ini"
  [ ! -e "$WINEPREFIX/dosdevices/com2" ] || fail "$args: made a link"
done <<CASES
1|--set $work/vanished
2|--set $work/a --type X
2|--set
2|--bogus
CASES

"$picker" --set "$work/a" --type U > "$work/out" || fail "--set failed"
grep -q "^COM2	" "$work/out" || fail "not COM2: $(cat "$work/out")"
[ "$(readlink "$WINEPREFIX/dosdevices/com2")" = "$work/a" ] || fail "no link com2"
tr -d '\r' < "$ini" | grep -qx "ComPort=2" || fail "no ComPort"
tr -d '\r' < "$ini" | grep -qx "ComType=U" || fail "no ComType"
tr -d '\r' < "$ini" | grep -qx "ComDevice=$work/a" || fail "no ComDevice"

# Again: the prefix already maps the device, so it keeps its number.
"$picker" --set "$work/a" > "$work/out" || fail "second --set failed"
grep -q "^COM2	" "$work/out" || fail "number changed: $(cat "$work/out")"
echo ok
