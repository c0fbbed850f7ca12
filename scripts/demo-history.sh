#!/usr/bin/env bash
# Gives the demo some odds history: writes the demo folder as it stands at a few moments of
# the afternoon and records each race of today's meetings at each moment into the viewer's
# OrviKV.db (orvikel-dump records like the viewer). The folder is left at the last moment.
#   demo-history.sh BUILD DEMO
set -euo pipefail
build=$1
demo=$2
program="$build/src/gui"
last=16
if [ -e "$program/OrviKV.db" ]; then
    # Recorded by an earlier run: the folder only goes back to the last moment.
    exec "$build/src/tools/orvikel-sample" "$demo" --minutes "$last"
fi
for minutes in 0 4 8 12 "$last"; do
    "$build/src/tools/orvikel-sample" "$demo" --minutes "$minutes" >/dev/null
    for meeting in 1 2 3; do
        for race in 1 2 3 4 5 6 7 8 9 10 11 12; do
            "$build/src/tools/orvikel-dump" --data "$demo" --meeting "$meeting" --race "$race" \
                --out "$program" >/dev/null 2>&1 || true
        done
    done
done
