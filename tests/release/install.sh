#!/bin/bash
# The release as an admin meets it, under Wine: dist and the zip hold exactly what ships, each
# exe of the subsystem its name promises, the MSI silently upgrades the installed 1.0beta2 in
# place, the installed exes run the way the task runs them and read back, schtasks imports the
# task, a silent uninstall leaves only the logs, and so does this test.
# usage: install.sh SOURCE DIST PREFIX VERSIONINFO EXES BANNER FILENUMERIC NUMERIC RUNNER...
set -u
src=$1 dist=$2 prefix=$3 info=$4 banner=$6 filenumeric=$7 numeric=$8
IFS=, read -r -a exes <<<"$5"
shift 8
run=("$@") work=$(mktemp -d)
dir="$prefix/drive_c/Program Files/Tessark" win='C:\Program Files\Tessark'
# The task's working directory, where the log lives: README's layout.
logs="$prefix/drive_c/ProgramData/Tessark/logs" winlogs='C:\ProgramData\Tessark\logs'
fail() { echo "FAIL: $*" && exit 1; }
# The PE header's subsystem: 2 for a windowless (GUI) exe, 3 for a console one.
subsystem() { od -An -tu2 -j$(($(od -An -tu4 -j60 -N4 "$1") + 92)) -N2 "$1" | tr -d ' '; }
# Output to a file: programs started here inherit its descriptors and may outlive a pipe.
w() { "${run[@]}" "$@" </dev/null >>"$work/wine.log" 2>&1; }
msi() { w msiexec "$1" "Z:${2//\//\\}" /qn; }
versions() { "${run[@]}" reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s \
    </dev/null 2>/dev/null | sed -n 's/^ *DisplayVersion *REG_SZ *\([0-9.]*\).*/\1/p' | xargs; }
cleanup() {
    if [ -d "$dir" ]; then # after a failure: close the demo's programs, uninstall, unregister
        (cd "$logs" && w "$win\\tessark.exe" "$win\\examples\\justclose.cfg")
        for m in "$earlier" "$package"; do msi /x "$m"; done
        w schtasks /delete /tn Tessark /f; rm -rf "$dir"
    fi
    rm -rf "${logs%/logs}"
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
# The windowless forms are named as pythonw.exe is beside python.exe: with a final w.
for exe in "$work/zip"/*.exe; do
    want=3 && [[ $exe == *w.exe ]] && want=2
    [ "$(subsystem "$exe")" = $want ] || fail "$exe has subsystem $(subsystem "$exe"), not $want"
done
# Every action of the task runs a windowless exe of the kit: no console window at each run.
commands=$(sed -n 's/.*<Command>"*\([^<"]*\)"*<\/Command>.*/\1/p' "$work/zip/tessark-task.xml")
[ -n "$commands" ] || fail "the task has no Command"
while read -r command; do
    exe=${command##*\\}
    [[ $command == "$win\\$exe" && -f "$work/zip/$exe" && $(subsystem "$work/zip/$exe") = 2 ]] ||
        fail "the task runs $command, no windowless exe of the kit"
done <<<"$commands"

msi /i "$earlier" || fail "installing 1.0beta2"
[ "$(versions)" = 1.0.202 ] && [ -f "$dir/tessark.exe" ] || fail "1.0beta2: $(versions)"
echo "installed 1.0beta2: $(ls "$dir" | xargs)"
msi /i "$package" || fail "installing $version over 1.0beta2"
[ -f "$dir/tessarklog.exe" ] || fail "no tessarklog.exe installed"
# One product left, the new one, with exactly the zip's files.
[ "$(versions)" = "${numeric%.0}" ] || fail "installed versions: $(versions)"
diff -r "$work/zip" "$dir" || fail "the MSI installs other files than the zip holds"
echo "installed $version over it: products $(versions), files $(ls "$dir" | xargs)"

mkdir -p "$logs" && cd "$logs" || fail "no $logs"
# As the task runs: the windowless exes, in the log's folder, the configuration by its full path;
# each run after the first action, which rotates the log here at its first byte.
for cfg in juststart justclose; do
    w "$win\\tessarklogw.exe" --rotate 1 tessark.log
    w "$win\\tessarkw.exe" "$win\\examples\\$cfg.cfg"
    [ $cfg = justclose ] || sleep 2 # for About Windows to open (Wine lacks charmap.exe)
done
grep -q '^   starting c:/windows/system32/winver.exe$' tessark.log.1 &&
    grep -q '^   c:/windows/system32/winver.exe exist, pid' tessark.log &&
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
grep -cE '<(MultipleInstancesPolicy>IgnoreNew|\w+OnBatteries>false|ExecutionTimeLimit>PT10M|Priority>4)<' \
    "$prefix/drive_c/windows/system32/tasks/Tessark" | grep -qx 5 || fail "the task lost settings"
w schtasks /delete /tn Tessark /f || fail "schtasks /delete"

msi /x "$package" || fail "uninstalling"
[ ! -e "$dir" ] && [ "$(find . -mindepth 1 | sort | xargs)" = "./tessark.log ./tessark.log.1" ] &&
    [ -z "$(versions)" ] ||
    fail "left after uninstalling: $(find "$dir" . -mindepth 1) $(versions)"
echo "ran the demo as the task does, read the resources, uninstalled: $(find . -mindepth 1 | xargs) left"
cd / && rm -rf "$dir" "${logs%/logs}"
