#!/usr/bin/env bash
# Checks the installed manual page of keywright24-cli: groff formats it without a warning, and it
# describes every command the tool's --help lists.
#   manual-page.sh PAGE.1.gz KEYWRIGHT24_CLI
set -euo pipefail
page=$1 cli=$2
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

source=$(zcat "$page")
warnings=$(echo "$source" | groff -man -ww -z -t 2>&1) || fail "groff cannot format the manual page"
[ -z "$warnings" ] || fail "groff: $warnings"
grep -q '@[A-Z0-9_]*@' <<<"$source" && fail "the manual page holds an unreplaced @...@ placeholder"

commands=$("$cli" --help | sed -n '/^Subcommands:/,$p' | awk 'NR > 1 && NF { print $1 }')
[ -n "$commands" ] || fail "keywright24-cli --help lists no commands"
for command in $commands; do
  grep -q "^\.B keywright24-cli $command\$" <<<"$source" || fail "the synopsis lacks the command $command"
  grep -q "^\.BI\? $command\b\|^\.BR $command\b" <<<"$source" || fail "the manual page does not describe $command"
done

[ "$failures" -eq 0 ] || exit 1
echo "manual page: formats cleanly and describes" $commands
