#!/bin/bash
# tessarklog.exe's reports as the monitoring reads them, under Wine: the Prometheus file written
# with --output scraped through a real node exporter, the plugin line's performance data parsed
# by the monitoring plugins' Perl library, and the JSON parsed strictly as UTF-8.
# usage: monitoring.sh TESSARKLOG_EXE RUNNER...
set -u
exe=$1
shift
run=("$@") work=$(mktemp -d) nepid= failed=0
trap '[ -z "$nepid" ] || { kill "$nepid" && wait "$nepid"; } 2>/dev/null; rm -rf "$work"' EXIT
trap 'exit 1' HUP INT PIPE TERM
want() { # what, got, wanted
    [ "$2" = "$3" ] || { echo "FAIL: $1: got [$2], wanted [$3]" && failed=1; }
}
report() { (cd "$work" && "${run[@]}" "$exe" --every 0 "$@" tessark.log </dev/null 2>/dev/null); }

# Four runs in the last four hours: a broken configuration; a juststart of which one start does
# not take; a run cut off by the next, which finds the first program not responding, ends it and
# starts it again; a justclose that terminates the first program and neither reaches nor
# terminates the second. The second program's command needs escaping in a label and holds 0x80
# and 0xE9, € and é in Wine's code page 1252.
now=$(date -u +%s) app=c:/kiosk/app.exe cafe=$'c:\\kiosk\\\x80caf\xe9.exe'
ago() { date -u -d "@$((now - $1))" '+%d.%m.%Y %H:%M:%S'; }
cat >"$work/tessark.log" <<EOF
$(ago 14400) *** started
...not enough memory or syntax error at line 3 in config file
$(ago 14400) *** stop due to errors
$(ago 10800) *** started
process dump:
   $app not exist
   $cafe not exist
...starting all not existed
   starting $app
   starting $cafe
$(ago 10800) *** normal shutdown
$(ago 7200) *** started
process dump:
   $app exist, pid 208 found 1 hwnds
   $cafe not exist
   not responding $app
...starting all not existed
   starting $app
   starting $cafe
$(ago 3600) *** started
process dump:
   $app exist, pid 208 found 1 hwnds
   $cafe exist, pid 209 found 1 hwnds
...closing all existing applications
   trying to close $app
...failed to close process, trying to terminate
   trying to close $cafe
   failed to reach $cafe
...failed to close process, trying to terminate
   failed to terminate $cafe
$(ago 3600) *** normal shutdown
EOF
cafe=$(printf %s "$cafe" | iconv -f CP1252 -t UTF-8)

# Prometheus: scraped with only the textfile collector.
mkdir "$work/textfile"
report --format prometheus --output textfile/tessark.prom
port=$(/usr/bin/python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
# Bounded too, should this script be killed before its trap can end it.
timeout 60 prometheus-node-exporter --web.listen-address="127.0.0.1:$port" --collector.disable-defaults \
    --collector.textfile --collector.textfile.directory="$work/textfile" >"$work/exporter.log" 2>&1 &
nepid=$!
for _ in $(seq 100); do
    curl -sf "http://127.0.0.1:$port/metrics" >"$work/metrics" && break
    kill -0 "$nepid" || break
    sleep 0.1
done 2>/dev/null
[ -s "$work/metrics" ] || { echo "FAIL: no node exporter: $(cat "$work/exporter.log")" && exit 1; }
metric() { k=$1 awk '$1 == ENVIRON["k"] { printf "%.0f\n", $2 }' "$work/metrics"; }
escaped=${cafe//\\/\\\\}
for m in node_textfile_scrape_error=0 tessark_status=1 'tessark_runs{result="normal"}=2' \
    'tessark_runs{result="errors"}=1' 'tessark_runs{result="cutoff"}=1' \
    tessark_last_run_timestamp_seconds=$((now - 3600)) tessark_window_seconds=86400 \
    "tessark_program_running{command=\"$app\"}=0" "tessark_program_running{command=\"$escaped\"}=1" \
    "tessark_program_starts{command=\"$app\"}=2" "tessark_program_starts{command=\"$escaped\"}=2" \
    "tessark_program_lost{command=\"$escaped\"}=1" "tessark_program_terminations{command=\"$app\"}=1" \
    "tessark_program_terminations{command=\"$escaped\"}=0" "tessark_program_refused{command=\"$escaped\"}=1" \
    "tessark_program_unreached{command=\"$escaped\"}=1" "tessark_program_recoveries{command=\"$escaped\"}=2" \
    "tessark_program_recoveries{command=\"$app\"}=2" "tessark_program_hangs{command=\"$app\"}=1" \
    "tessark_program_hangs{command=\"$escaped\"}=0"; do
    want "${m%=*}" "$(metric "${m%=*}")" "${m##*=}"
done

# The plugin line: its status and exit code, a reason naming the program, and every item of the
# performance data as the library reads it.
report --format nagios | tr -d '\r' >"$work/nagios"
want "nagios exit code" "${PIPESTATUS[0]}" 1
grep -q "^TESSARK WARNING - [^|]* | " <(head -1 "$work/nagios") || want "the plugin line" "$(head -1 "$work/nagios")" "TESSARK WARNING - ... | ..."
tail -n +2 "$work/nagios" | grep -q "$app" || want "a reason naming $app" "$(cat "$work/nagios")" ""
perf=$(head -1 "$work/nagios" | sed 's/^[^|]*| //')
parsed=$(/usr/bin/perl -MMonitoring::Plugin::Performance -e 'print $_->label, "=", $_->value, "\n"
    for Monitoring::Plugin::Performance->parse_perfstring($ARGV[0])' "$perf")
want "items parsed of [$perf]" "$(grep -c . <<<"$parsed")" "$(wc -w <<<"$perf")"
for p in runs=4 errors=1 cutoff=1 starts=4 lost=1 terminations=1 refused=1 unreached=1 hangs=1 \
    restartfailures=0; do
    grep -qx "$p" <<<"$parsed" || want "perfdata ${p%=*}" "$(grep "^${p%=*}=" <<<"$parsed")" "$p"
done

# JSON: strict UTF-8, no repeated key, no NaN; then the keys and values.
report --format json >"$work/report.json"
/usr/bin/python3 - "$work/report.json" "$now" "$cafe" <<'EOF' || failed=1
import calendar, json, sys, time
def unique(pairs):
    assert len(pairs) == len(dict(pairs)), "a repeated key: %s" % pairs
    return dict(pairs)
def refuse(constant):
    raise ValueError("not JSON: " + constant)
got = json.loads(open(sys.argv[1], "rb").read().decode("utf-8"), object_pairs_hook=unique,
                 parse_constant=refuse)
now, cafe, iso = int(sys.argv[2]), sys.argv[3], "%Y-%m-%dT%H:%M:%SZ"
keys = ["command", "running", "closedbylastrun", "starts", "recoveries", "lost", "closes",
        "terminations", "refused", "unreached", "hangs"]
wanted = {"status": "WARNING", "code": 1, "runs": [2, 1, 1],
          "lastrun": [time.strftime(iso, time.gmtime(now - 3600)), "normal"],
          "programs": [["c:/kiosk/app.exe", False, True, 2, 2, 0, 1, 1, 0, 0, 1],
                       [cafe, True, False, 2, 2, 1, 1, 0, 1, 1, 0]]}
# More keys are welcome: only these are compared, as JSON text so that 1 is not taken for true.
seen = dict(got, runs=[got["runs"][k] for k in ["normal", "errors", "cutoff"]],
            lastrun=[got["lastrun"][k] for k in ["started", "result"]],
            programs=[[p[k] for k in keys] for p in got["programs"]])
bad = ["%s: got %s, wanted %s" % (k, json.dumps(seen[k]), json.dumps(v))
       for k, v in wanted.items() if json.dumps(seen[k]) != json.dumps(v)]
if not 0 <= calendar.timegm(time.strptime(got["since"], iso)) - (now - 86400) < 600:
    bad.append("since: got %r, wanted 24 hours before now" % got["since"])
for name in ["c:/kiosk/app.exe", cafe]:
    if not any(name in r for r in got["reasons"]):
        bad.append("reasons: got %r, wanted one naming %s" % (got["reasons"], name))
print("".join("FAIL: json %s\n" % b for b in bad), end="")
sys.exit(1 if bad else 0)
EOF

[ $failed = 0 ] && echo "node exporter, Monitoring::Plugin and a strict JSON parser read the reports"
exit $failed
