#!/bin/bash
# The port picker maps a pty to COMn; a Windows program under the real Wine writes to COMn and the
# bytes arrive at the pty's other end.
set -u
picker=$1 probe=$2
work=$(mktemp -d)
export HOME=$work/home WINEPREFIX=$work/prefix WINEDEBUG=-all XDG_CONFIG_HOME=$work/home/.config
trap 'kill $socat 2>/dev/null; wineserver -k 2>/dev/null; rm -rf "$work"' EXIT
mkdir -p "$HOME"
socat pty,raw,echo=0,link="$work/a" pty,raw,echo=0,link="$work/b" & socat=$!
# One Wine server for the whole test, kept 30 s after its last program: one that ends between two
# programs can drop the next one.
mkdir -p "$WINEPREFIX" && wineserver -p30 || { echo "FAIL: wineserver"; exit 1; }
wineboot -i >/dev/null 2>&1 || { echo "FAIL: wineboot"; exit 1; }
for _ in $(seq 50); do [ -e "$work/a" ] && break; sleep 0.1; done
port=$("$picker" --set "$work/a" --type V | cut -f1) || { echo "FAIL: --set"; exit 1; }
timeout 30 head -c 11 "$work/b" > "$work/got" &
reader=$!
wine "$probe" "$port" "hello keypad" || { echo "FAIL: probe exit $?"; exit 1; }
wait $reader
[ "$(cat "$work/got")" = "hello keypa" ] || { echo "FAIL: got '$(cat "$work/got")'"; exit 1; }
echo ok
