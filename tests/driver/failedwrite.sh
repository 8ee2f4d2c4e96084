#!/bin/bash
# A log whose writes fail (a link to /dev/full) ends the run quietly: exit code 0 and nothing on
# the console but the banner. usage: failedwrite.sh RUNNER... TESSARK_EXE
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
cd "$dir" && ln -s /dev/full tessark.log && : >empty.cfg || exit 1
"$@" empty.cfg >out.txt 2>&1 || { echo "exit code $?, wanted 0"; exit 1; }
printf 'Tessark, version 1.0beta2\r\nkeeps the configured programs in the state you want\r\n' >want.txt
cmp out.txt want.txt || { cat -A out.txt; exit 1; }
