#!/bin/sh
# Runs orvikel-dump over every meeting and race of generated data folders and keeps, for each
# run, its stdout, stderr, exit status and every work file it wrote. Two such trees, one from
# before a change and one from after it, are compared with
# `diff -r -x OrviKV.lock -x OrviKV.db BEFORE AFTER`: any byte that differs is a change in what
# the viewer shows or writes. The lock is the program folder's, no output; the odds history
# OrviKV.db stores the clock time of each snapshot, so its bytes differ from run to run, and
# what it holds is compared instead through --history, the snapshots as orvikel-dump reads
# them back, at the end of each stdout.
#
#   scripts/dump-every-race.sh BUILD DEST [SEED...]     (seeds default to 1 2 3)
set -eu

if [ $# -lt 2 ]; then
    echo "usage: $0 BUILD DEST [SEED...]" >&2
    exit 2
fi
build=$1
dest=$2
shift 2
seeds=${*:-1 2 3}

build=$(cd "$build" && pwd)
sample="$build/src/tools/orvikel-sample"
dump="$build/src/tools/orvikel-dump"
rm -rf "$dest"
mkdir -p "$dest"
# Relative paths from here on, so that texts naming a file read the same in both trees.
cd "$dest"
# A missing ini: --data names the folder, and every order flag keeps its default.
ini="none.ini"

for seed in $seeds; do
    data="data-$seed"
    "$sample" "$data" --seed "$seed" >/dev/null
    for meeting in 1 2 3 4 5 6; do
        for race in 1 2 3 4 5 6 7 8 9 10 11 12; do
            out="seed-$seed/m$meeting-r$race"
            mkdir -p "$out"
            status=0
            "$dump" --ini "$ini" --data "$data" --meeting "$meeting" --race "$race" \
                --out "$out" --grid --history >"$out/stdout" 2>"$out/stderr" || status=$?
            echo "$status" >"$out/status"
            # Then the trio panel over the same race: BOX of the first five horses.
            tdir="$out/trio"
            mkdir -p "$tdir"
            status=0
            "$dump" --ini "$ini" --data "$data" --meeting "$meeting" --race "$race" \
                --out "$tdir" --trio box --horses 1,2,3,4,5 --history >"$tdir/stdout" \
                2>"$tdir/stderr" || status=$?
            echo "$status" >"$tdir/status"
        done
    done
    rm -rf "$data"  # regenerated from the seed; only what the viewer made is compared
done
