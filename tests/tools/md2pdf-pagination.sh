#!/usr/bin/env bash
# Checks that the help documents' pages keep together what belongs together. The fixture (a list with
# its introduction, a paragraph of four lines, a heading with its text) is put after more and more
# filler lines, so that the end of the first page falls at every place in it in turn; on no page may a
# heading or an introduction stand last, a list item stand apart from the others, or a single line of
# the paragraph stand alone.
#   md2pdf-pagination.sh MD2PDF FIXTURE WORK_FOLDER
set -euo pipefail
md2pdf=$1 fixture=$2 work=$3
mkdir -p "$work"
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

# The text of every page inside the text area, without the footer and without the parts of lines that
# belong to the pages before and after (drawn there but cut off), into PDF.N.txt.
split_pages() {
  local pdf=$1 page pages
  pages=$(pdfinfo "$pdf" | sed -n 's/^Pages: *//p')
  for page in $(seq 1 "$pages"); do
    pdftotext -layout -f "$page" -l "$page" -x 0 -y 50 -W 595 -H 715 "$pdf" "$pdf.$page.txt"
  done
}
# The page that shows WORD, 0 when none does.
page_of() {
  local found
  found=$(grep -lw -- "$2" "$1".*.txt | head -n 1)
  [ -n "$found" ] && { found=${found%.txt}; echo "${found##*.}"; } || echo 0
}

first_list_page=() last_fixture_page=()
for fillers in $(seq 26 41); do
  markdown=$work/fillers-$fillers.md pdf=$work/fillers-$fillers.pdf
  { echo "# Page breaks"; for i in $(seq "$fillers"); do printf '\nFiller paragraph %s.\n' "$i"; done
    echo; cat "$fixture"; } >"$markdown"
  rm -f "$pdf".*.txt
  QT_QPA_PLATFORM=offscreen "$md2pdf" --title "Page breaks" "$markdown" "$pdf"
  split_pages "$pdf"
  case=" (after $fillers fillers)"

  intro=$(page_of "$pdf" introduces) alpha=$(page_of "$pdf" Alpha)
  bravo=$(page_of "$pdf" Bravo) charlie=$(page_of "$pdf" Charlie)
  [ "$intro" = "$alpha" ] || fail "the introduction stands apart from its list$case"
  [ "$alpha" = "$bravo" ] && [ "$bravo" = "$charlie" ] || fail "a list item stands apart: $alpha $bravo $charlie$case"
  [ "$(page_of "$pdf" Echo)" = "$(page_of "$pdf" Foxtrot)" ] || fail "the heading stands apart from its text$case"
  for page_text in "$pdf".*.txt; do
    lines=$(grep -c '\bw[0-9][0-9]\b' "$page_text" || true)
    [ "$lines" -ne 1 ] || fail "a page holds a single line of the paragraph: $(basename "$page_text")$case"
  done
  first_list_page+=("$alpha") last_fixture_page+=("$(page_of "$pdf" Foxtrot)")
done

# The end of the first page went through the whole fixture.
[ "${last_fixture_page[0]}" = 1 ] && [ "${first_list_page[-1]}" = 2 ] ||
  fail "the fillers do not move the fixture across the end of the first page"
[ "$failures" -eq 0 ] || exit 1
