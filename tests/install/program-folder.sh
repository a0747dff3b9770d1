#!/usr/bin/env bash
# Lays out a program folder with a link to its program, as the install does, starts the program
# through the link and checks that it takes the program folder, not the link's folder, as its own.
#   program-folder.sh PROBE SCRATCH
set -euo pipefail
probe=$1 scratch=$2
rm -rf "$scratch"
mkdir -p "$scratch/lib/keywright24" "$scratch/bin"
cp "$probe" "$scratch/lib/keywright24/keywright24"
ln -s ../lib/keywright24/keywright24 "$scratch/bin/keywright24"

expected=$(cd "$scratch/lib/keywright24" && pwd -P)
# Started by its full path, by a path relative to the working folder, and by name from the search path
# (as the desktop entry does).
check() {
  local how=$1 folder
  shift
  folder=$("$@")
  [ "$folder" = "$expected" ] || { echo "FAIL: started $how, the program takes $folder as its folder, not $expected" >&2; exit 1; }
}
check "by its full path" "$scratch/bin/keywright24"
check "by a relative path" env -C "$scratch" bin/keywright24
check "from the search path" env PATH="$scratch/bin:$PATH" keywright24
echo "program folder: found through the link as $expected"
