#!/usr/bin/env bash
# Checks the help documents made from docs/manual: each PDF holds its Markdown's headings as text and no
# Markdown left unread, carries every picture and its title, its contents table points at the right
# pages, and the user manual quotes every text listed in manual-texts.txt.
#   help-documents.sh HELP_FOLDER MARKDOWN_FOLDER
set -euo pipefail
help=$1 markdown=$2
texts=$(dirname "${BASH_SOURCE[0]}")/manual-texts.txt
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

# The text of a PDF's pages FIRST to LAST, on one line with single blanks, as a reader sees it.
flat_text() { pdftotext -enc UTF-8 -f "$2" -l "$3" "$1" - | tr -s '[:space:]' ' '; }
contains() { grep -qF -- "$(printf '%s' "$2" | tr -s '[:space:]' ' ')" <<<"$1"; }

check_document() {
  local pdf=$help/$1 source=$markdown/$2 title=$3
  if [ ! -s "$pdf" ]; then
    fail "$1 is missing or empty"
    return
  fi
  local pages text
  pages=$(pdfinfo "$pdf" | sed -n 's/^Pages: *//p')
  [ "$(pdfinfo "$pdf" | sed -n 's/^Title: *//p')" = "$title" ] || fail "$1 is not titled '$title'"
  text=$(flat_text "$pdf" 1 "$pages")

  # The first heading opens the first page; every heading is there as text.
  local first
  first=$(sed -n 's/^# //p' "$source" | head -n 1)
  contains "$(flat_text "$pdf" 1 1)" "$first" || fail "$1 does not open with '$first'"
  while IFS= read -r heading; do
    contains "$text" "$heading" || fail "$1 lacks the heading '$heading'"
  done < <(sed -n 's/^##* //p' "$source" | sed 's/`//g')
  for syntax in '](' '**' '[contents]' '|---'; do
    contains "$text" "$syntax" && fail "$1 shows Markdown left unread: '$syntax'"
  done

  local pictures embedded
  pictures=$(grep -o '!\[[^]]*\]([^)]*)' "$source" | sed 's/.*(//; s/)$//' | sort -u | wc -l)
  embedded=$(pdfimages -list "$pdf" | tail -n +3 | awk '$3 == "image"' | wc -l)
  [ "$embedded" -ge "$pictures" ] || fail "$1 shows $embedded pictures, its Markdown $pictures"

  # A contents line reads "Heading ... N"; page N must show that heading. A form feed opens each page.
  local lines=0
  while IFS= read -r line; do
    local heading=${line%% [0-9]*} page=${line##* }
    lines=$((lines + 1))
    contains "$(flat_text "$pdf" "$page" "$page")" "$heading" || fail "$1: the contents put '$heading' on page $page"
  done < <(pdftotext -layout -f 1 -l 2 "$pdf" - | tr -d '\f' | sed -n 's/^ *\(.*[^ ]\)   *\([0-9][0-9]*\)$/\1 \2/p')
  if grep -qx '\[contents\]' "$source" && [ "$lines" -eq 0 ]; then
    fail "$1 has no contents table"
  fi
  echo "$1: $pages pages, $embedded pictures, $lines contents lines"
}

check_document "Keywright24.pdf" user-manual.md "Keywright24 User Manual"
check_document "Getting Started.pdf" getting-started.md "Keywright24: Getting Started"

manual=$(flat_text "$help/Keywright24.pdf" 1 "$(pdfinfo "$help/Keywright24.pdf" | sed -n 's/^Pages: *//p')")
while IFS= read -r expected; do
  [ -z "$expected" ] || [[ $expected == '#'* ]] && continue
  contains "$manual" "$expected" || fail "the user manual does not quote: $expected"
done <"$texts"

[ "$failures" -eq 0 ] || exit 1
