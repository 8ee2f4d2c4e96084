#!/bin/bash
# Two builds of the same sources in different folders, BUILD's and one from a copy of SOURCE,
# give the same zip (so the same exes), and MSIs alike but for what wixl stamps on each
# package (the summary information's package code and times).
# usage: reproducible.sh SOURCE BUILD
set -u
src=$1 one=$2 two=$(mktemp -d)
trap 'rm -rf "$two"' EXIT
fail() { echo "FAIL: $*" && exit 1; }

(cd "$src" && git ls-files -z -co --exclude-standard | tar --null --ignore-failed-read -T - -cf -) |
    tar -xf - -C "$two" || fail "copying the sources"
(cd "$two" && SOURCE_DATE_EPOCH=$(git -C "$src" log -1 --format=%ct) \
    cmake --workflow --preset release >build.log 2>&1) || fail "$(tail -n 20 "$two/build.log")"
cmp "$one"/dist/*.zip "$two"/dist/*.zip || fail "the zips differ (and so their exes)"

tables() {
    for t in $(msiinfo tables "$1"); do
        echo "== $t" && msiinfo export "$1" "$t" | awk -v t="$t" \
            't != "_SummaryInformation" || !/^(9|12|13)\t/' || echo "export failed"
    done
}
diff <(tables "$one"/dist/*.msi) <(tables "$two"/dist/*.msi) || fail "the MSIs' tables differ"
msiextract -C "$two/x1" "$one"/dist/*.msi >/dev/null && msiextract -C "$two/x2" "$two"/dist/*.msi \
    >/dev/null && diff -r "$two/x1" "$two/x2" || fail "the MSIs' files differ"
echo "same exes and zip, MSIs alike but for their stamps"
