#!/bin/bash
# The task file as schtasks takes it on every Windows: ASCII only, an XML declaration that names
# no encoding, and normal priority (4) in its Settings, which the programs it starts inherit.
# usage: task.sh TASKFILE
set -u
task=$1
fail() { echo "FAIL: $*" && exit 1; }
[ "$(head -1 "$task")" = '<?xml version="1.0"?>' ] || fail "the declaration: $(head -1 "$task")"
# grep answers 1 for none found; 0, or 2 for a grep that cannot tell, fail alike.
LC_ALL=C grep -n '[^[:print:][:space:]]' "$task"
[ $? -eq 1 ] || fail "bytes beyond ASCII, or no answer from grep"
sed -n '/<Settings>/,/<\/Settings>/p' "$task" | grep -qx ' *<Priority>4</Priority>' ||
    fail "no Priority 4 in the Settings"
echo "$task: ASCII, no encoding declared, priority 4"
