#!/bin/sh
# The fight-like frame benchmark (FightFrameDirtyRects) of two builds, run
# alternately so that both meet the same moments of a shared machine. Per run:
# the processor time per frame (the benchmark's CPU column, the mean over its
# frames; older builds have no frame_cpu_median_ms counter, so this is the
# figure both have), the median wall-clock frame time (frame_median_ms) and,
# where the build has it, the median processor time (frame_cpu_median_ms).
# Then the median of the runs for each build and the ratios old / new. Each
# build runs from the game/ folder beside its build folder
# (<checkout>/build -> <checkout>/game).
#   sh tools/compare-frame-bench.sh OLD_BUILD NEW_BUILD [rounds (3)]
set -e
if [ $# -lt 2 ]; then
    echo "usage: $0 OLD_BUILD NEW_BUILD [rounds]" >&2
    exit 2
fi
old=$(cd "$1" && pwd)
new=$(cd "$2" && pwd)
rounds=${3:-3}
for build in "$old" "$new"; do
    if [ ! -x "$build/bin/vorn_bench" ] || [ ! -d "$build/../game" ]; then
        echo "$build: no bin/vorn_bench, or no game/ folder beside it" >&2
        exit 2
    fi
done

# One run: "cpu wall cpu_median" in milliseconds (cpu_median "-" when the
# build does not count it).
run() {
    line=$(cd "$1/../game" && "$1/bin/vorn_bench" --benchmark_filter=FightFrameDirty 2>/dev/null |
        grep '^BM_FightFrameDirtyRects')
    figures=$(echo "$line" | awk '{
        wall = "-"; cpuMedian = "-"
        for (i = 6; i <= NF; ++i) {
            split($i, kv, "=")
            if (kv[1] == "frame_median_ms") wall = kv[2]
            if (kv[1] == "frame_cpu_median_ms") cpuMedian = kv[2]
        }
        if ($5 == "ms" && wall != "-") print $4, wall, cpuMedian }')
    if [ -z "$figures" ]; then
        echo "$1: the benchmark gave no figures" >&2
        exit 1
    fi
    echo "$figures"
}
median() { tr ' ' '\n' | grep . | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
ratio() { echo "$1 $2" | awk '{ printf "%.2f", $1 / $2 }'; }

oldCpu=""
oldWall=""
newCpu=""
newWall=""
newCpuMedian=""
i=1
while [ "$i" -le "$rounds" ]; do
    set -- $(run "$old")
    echo "round $i old: cpu $1 ms, wall median $2 ms, cpu median $3 ms"
    oldCpu="$oldCpu $1"
    oldWall="$oldWall $2"
    set -- $(run "$new")
    echo "round $i new: cpu $1 ms, wall median $2 ms, cpu median $3 ms"
    newCpu="$newCpu $1"
    newWall="$newWall $2"
    newCpuMedian="$newCpuMedian $3"
    i=$((i + 1))
done
oc=$(echo "$oldCpu" | median)
nc=$(echo "$newCpu" | median)
ow=$(echo "$oldWall" | median)
nw=$(echo "$newWall" | median)
echo "processor time per frame: old $oc ms, new $nc ms, ratio $(ratio "$oc" "$nc")"
echo "median frame (wall clock): old $ow ms, new $nw ms, ratio $(ratio "$ow" "$nw")"
echo "new frame_cpu_median_ms, median of the runs: $(echo "$newCpuMedian" | tr -d '-' | median)"
