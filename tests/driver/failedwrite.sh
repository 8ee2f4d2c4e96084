#!/bin/bash
# A log whose writes fail (a link to /dev/full) must end the run quietly: exit code 0 and
# nothing on the console but the banner, no abort message, no crash.
# usage: failedwrite.sh RUNNER... TESSARK_EXE
set -u
exe=${*: -1}
runner=("${@:1:$#-1}")
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
cd "$dir" || exit 1
ln -s /dev/full tessark.log
: >empty.cfg
"${runner[@]}" "$exe" empty.cfg >out.txt 2>&1
rc=$?
printf 'Tessark, version 1.0beta2\r\nkeeps the configured programs in the state you want\r\n' >want.txt
if [ "$rc" -ne 0 ]; then
    echo "exit code $rc, wanted 0"
    cat out.txt
    exit 1
fi
if ! cmp -s out.txt want.txt; then
    echo "console shows more than the banner:"
    cat -A out.txt
    exit 1
fi
echo "quiet end, exit code 0"
