#!/usr/bin/env bash
# A sweep over maps and scanner ranges: one batch run of TAV1 for each pair, each in a folder
# of its own with its own copy of the map and tav.ini. Each run's state (its Dump) becomes one
# line of OUT/sweep.jsonl,
#   {"map":"corridor.png","range":150,"state":{...}}
# and its folder OUT/runs/MAP-RANGE/ keeps the snapshot and the log.
#
# Usage: sweep.sh [OUT]            every run, as many at once as there are cores (GNU parallel)
#        sweep.sh --task N [OUT]   run N alone (0 to 5, the maps by the ranges, in the order of
#                                  sweep.jsonl), e.g. as task N of a cluster's job array; prints
#                                  its line of sweep.jsonl
# OUT defaults to ./sweep. TAV1 names the program (default: tav1 on PATH); the maps and tav.ini
# come from this script's folder.
set -euo pipefail

maps=(mapa.bmp corridor.png)
ranges=(50 150 300)

task=
if [ "${1:-}" = --task ]; then
    task=${2:-}
    shift 2 || true
    if ! [[ $task =~ ^[0-9]+$ ]] || ((task >= ${#maps[@]} * ${#ranges[@]})); then
        echo "sweep.sh: --task wants a run number from 0 to $((${#maps[@]} * ${#ranges[@]} - 1))" >&2
        exit 2
    fi
fi
here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "${1:-sweep}"
out=$(cd "${1:-sweep}" && pwd)
TAV1=${TAV1:-tav1}
export TAV1 here out

# One run: MAP RANGE. Prints its line of sweep.jsonl.
run() {
    local map=$1 range=$2
    local dir="$out/runs/${map%.*}-$range"
    mkdir -p "$dir" && cp "$here/$map" "$dir/" || return 1
    sed -e "s/^Bitmapa=.*/Bitmapa=$map/" -e "s/^DosahScanerra=.*/DosahScanerra=$range/" \
        "$here/tav.ini" > "$dir/tav.ini" || return 1
    printf '%s\n' 'Settings amplitude=40' StartCiel Sin2Pi Animuj 'Snapshot snapshot.png' 'Dump dump.json' |
        (cd "$dir" && "$TAV1" --batch - --fast > log.txt 2>&1)
    if [ $? -ne 0 ] || [ ! -s "$dir/dump.json" ]; then
        echo "run $map $range failed:" >&2
        cat "$dir/log.txt" >&2
        return 1
    fi
    printf '{"map":"%s","range":%d,"state":%s}\n' "$map" "$range" "$(cat "$dir/dump.json")"
}

if [ -n "$task" ]; then
    run "${maps[task / ${#ranges[@]}]}" "${ranges[task % ${#ranges[@]}]}" || exit 1
    exit
fi
export -f run
parallel --halt soon,fail=1 --keep-order run ::: "${maps[@]}" ::: "${ranges[@]}" > "$out/sweep.jsonl"
echo "$(wc -l < "$out/sweep.jsonl") runs in $out/sweep.jsonl"
