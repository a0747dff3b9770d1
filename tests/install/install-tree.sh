#!/usr/bin/env bash
# Installs the build below /usr in STAGE and checks the tree against the list of installed files;
# installs it once more below another prefix to check that the program link does not depend on it.
#   install-tree.sh BUILD STAGE INSTALLED_FILES VERSION
set -euo pipefail
build=$1 stage=$2 expected=$3 version=$4
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

# The files and links below PREFIX in ROOT, one a line, sorted.
listing() { (cd "$1$2" && find . \( -type f -o -type l \) -printf '%P\n' | LC_ALL=C sort); }

check_tree() {
  local root=$1 prefix=$2 listed
  listed=$(listing "$root" "$prefix")
  if ! diff -u <(LC_ALL=C sort "$expected") <(echo "$listed") >&2; then
    fail "the files installed below $prefix differ from $(basename "$expected") (- expected, + installed)"
  fi
  local link=$root$prefix/bin/keywright24
  if [ ! -L "$link" ]; then
    fail "bin/keywright24 below $prefix is not a symbolic link"
  else
    case $(readlink "$link") in /*) fail "bin/keywright24 links to an absolute path: $(readlink "$link")" ;; esac
    [ "$(readlink -f "$link")" = "$(readlink -f "$root$prefix/lib/keywright24/keywright24")" ] \
      || fail "bin/keywright24 below $prefix leads to $(readlink -f "$link"), not the program folder's program"
  fi
  for program in lib/keywright24/keywright24 bin/keywright24-cli; do
    [ -x "$root$prefix/$program" ] || fail "$program below $prefix is not executable"
  done
}

rm -rf "$stage"
DESTDIR=$stage cmake --install "$build" --prefix /usr >/dev/null
check_tree "$stage" /usr

# The built help documents are the installed ones.
for document in "Keywright24.pdf" "Getting Started.pdf"; do
  cmp -s "$build/ui/main/Help/$document" "$stage/usr/lib/keywright24/Help/$document" \
    || fail "the installed $document differs from the one in the build's Help folder"
done

output=$("$stage/usr/bin/keywright24-cli" --version) || fail "the installed keywright24-cli does not run"
[ "$output" = "keywright24-cli $version" ] || fail "keywright24-cli --version says '$output'"

moved=$(mktemp -d)
trap 'rm -rf "$moved"' EXIT
cmake --install "$build" --prefix "$moved/opt/keywright24" >/dev/null
check_tree "" "$moved/opt/keywright24"

[ "$failures" -eq 0 ] || exit 1
echo "install tree: $(wc -l <"$expected") files in place, below /usr and below another prefix"
