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
touch "$work/regular"
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
1|--set $work/regular
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

# An INI file that cannot be written: the link the choice needed is taken back.
mv "$ini" "$work/ini.bak" && mkdir "$ini"
"$picker" --set "$work/b" >/dev/null 2>"$work/err" && fail "recorded into a folder"
grep -q Uplinker.ini "$work/err" || fail "no message naming the INI file: $(cat "$work/err")"
[ ! -e "$WINEPREFIX/dosdevices/com3" ] || fail "left the link com3 behind"
rmdir "$ini" && mv "$work/ini.bak" "$ini"

# Again: the prefix already maps the device, so it keeps its number.
"$picker" --set "$work/a" > "$work/out" || fail "second --set failed"
grep -q "^COM2	" "$work/out" || fail "number changed: $(cat "$work/out")"

# An INI file naming a device that is gone, and a COM number Wine does not know: --list says the
# device is gone and changes nothing.
printf '[Com Port Configuration]\r\nComPort=999\r\nComDevice=%s\r\n' "$work/vanished" > "$ini"
cp "$ini" "$work/ini.before"
"$picker" --list >/dev/null 2>"$work/err" || fail "--list failed with a missing device"
grep -qF "COM999 ($work/vanished), is not there" "$work/err" || fail "--list does not say the device is gone: $(cat "$work/err")"
cmp -s "$ini" "$work/ini.before" || fail "--list changed the INI file"

# A port the user may not open: recorded all the same, with the group to join and the command.
pty=$(readlink -f "$work/b")
chmod a+rwx "$work" "$HOME" "$WINEPREFIX/dosdevices"
chmod -R a+rwX "$HOME"
if [ "$(id -u)" = 0 ]; then
  chgrp dialout "$pty" && chmod 660 "$pty"
  as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
  group=dialout
else
  chmod 000 "$pty"
  as_user=()
  group=$(stat -c %G "$pty")
fi
"${as_user[@]}" "$picker" --set "$work/b" > "$work/out" 2>"$work/err" || fail "a forbidden port was not recorded"
grep -q "sudo usermod -aG $group" "$work/err" || fail "no hint to join $group: $(cat "$work/err")"
tr -d '\r' < "$ini" | grep -qx "ComDevice=$work/b" || fail "the forbidden port was not recorded"
echo ok
