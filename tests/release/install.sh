#!/bin/bash
# The release as an admin meets it, under Wine: dist and the zip hold exactly what ships, the
# MSI silently upgrades the installed 1.0beta2 in place, the installed exes run and read back,
# schtasks imports the task, a silent uninstall leaves only the logs, and so does this test.
# usage: install.sh SOURCE DIST PREFIX VERSIONINFO EXES BANNER FILENUMERIC NUMERIC RUNNER...
set -u
src=$1 dist=$2 prefix=$3 info=$4 banner=$6 filenumeric=$7 numeric=$8
IFS=, read -r -a exes <<<"$5"
shift 8
run=("$@") work=$(mktemp -d)
dir="$prefix/drive_c/Program Files/Tessark" win='C:\Program Files\Tessark'
fail() { echo "FAIL: $*" && exit 1; }
# Output to a file: programs started here inherit its descriptors and may outlive a pipe.
w() { "${run[@]}" "$@" </dev/null >>"$work/wine.log" 2>&1; }
msi() { w msiexec "$1" "Z:${2//\//\\}" /qn; }
versions() { "${run[@]}" reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s \
    </dev/null 2>/dev/null | sed -n 's/^ *DisplayVersion *REG_SZ *\([0-9.]*\).*/\1/p' | xargs; }
cleanup() {
    if [ -d "$dir" ]; then # after a failure: close the demo's programs, uninstall, unregister
        (cd "$dir" && w "$win\\tessark.exe" examples/justclose.cfg)
        for m in "$earlier" "$package"; do msi /x "$m"; done
        w schtasks /delete /tn Tessark /f; rm -rf "$dir"
    fi
    rm -rf "$work"
}
trap cleanup EXIT

# The MSI of 1.0beta2, the first release: see README.md here.
earlier=$src/tests/release/tessark-1.0beta2-win64.msi
zip=$(echo "$dist"/tessark-*-win64.zip) package=${zip%.zip}.msi
version=${zip##*/tessark-} version=${version%-win64.zip}
[ "$(ls "$dist" | xargs)" = "SHA256SUMS ${package##*/} ${zip##*/}" ] || fail "dist: $(ls "$dist")"
(cd "$dist" && sha256sum --quiet -c SHA256SUMS) || fail "SHA256SUMS"
ship=$(printf '%s\n' "${exes[@]}" LICENSE README.md tessark-task.xml
    cd "$src" && ls examples/*.cfg)
[ "$(unzip -Z1 "$zip" | sort)" = "$(sort <<<"$ship")" ] || fail "the zip holds $(unzip -Z1 "$zip")"
unzip -q "$zip" -d "$work/zip" || fail "unzip"

msi /i "$earlier" || fail "installing 1.0beta2"
[ "$(versions)" = 1.0.202 ] && [ -f "$dir/tessark.exe" ] || fail "1.0beta2: $(versions)"
echo "installed 1.0beta2: $(ls "$dir" | xargs)"
msi /i "$package" || fail "installing $version over 1.0beta2"
[ -f "$dir/tessarklog.exe" ] || fail "no tessarklog.exe installed"
# One product left, the new one, with exactly the zip's files.
[ "$(versions)" = "${numeric%.0}" ] || fail "installed versions: $(versions)"
diff -r "$work/zip" "$dir" || fail "the MSI installs other files than the zip holds"
echo "installed $version over it: products $(versions), files $(ls "$dir" | xargs)"

cd "$dir" || fail "no $dir"
# Each run after the task's first action, which rotates the log here at its first byte.
for cfg in juststart justclose; do
    w "$win\\tessarklog.exe" --rotate 1 tessark.log
    w "$win\\tessark.exe" examples/$cfg.cfg
    [ $cfg = justclose ] || sleep 2 # for Notepad and Clock to open their windows
done
grep -q '^   starting c:/windows/system32/notepad.exe$' tessark.log.1 &&
    grep -q '^   c:/windows/system32/notepad.exe exist, pid' tessark.log &&
    [ "$(cat tessark.log.1 tessark.log | grep -c 'normal shutdown$')" = 2 ] ||
    fail "the demo's logs: $(cat tessark.log.1 tessark.log)"
"${run[@]}" "$win\\tessarklog.exe" tessark.log.1 tessark.log </dev/null 2>&1 |
    grep -q '^runs: 2 (2 normal' || fail "the report of the rotated logs"
grep -qx $'Tessark, version '"$banner"$'\r' "$work/wine.log" || fail "no banner of $banner"
# The file version is tessark.exe's, the product version the release's.
for exe in "${exes[@]}"; do
    got=$("${run[@]}" "$info" "$win\\$exe" </dev/null 2>&1 | tr -d '\r')
    [ "$got" = "$filenumeric $numeric $banner $version Tessark $exe " ] || fail "$exe's version: $got"
done

w schtasks /create /xml "$win\\tessark-task.xml" /tn Tessark || fail "schtasks /create"
# Wine keeps only the settings of an imported task, not its triggers, principal or action.
grep -cE '<(MultipleInstancesPolicy>IgnoreNew|\w+OnBatteries>false|ExecutionTimeLimit>PT10M)<' \
    "$prefix/drive_c/windows/system32/tasks/Tessark" | grep -qx 4 || fail "the task lost settings"
w schtasks /delete /tn Tessark /f || fail "schtasks /delete"

msi /x "$package" || fail "uninstalling"
[ "$(find . -mindepth 1 | sort | xargs)" = "./tessark.log ./tessark.log.1" ] &&
    [ -z "$(versions)" ] ||
    fail "left after uninstalling: $(find . -mindepth 1) $(versions)"
echo "ran the demo, read the resources, uninstalled: $(find . -mindepth 1 | xargs) left"
cd / && rm -rf "$dir"
