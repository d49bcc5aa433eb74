#!/bin/sh
# Endurance run: the real game from game/autoexec.txt under SDL's dummy video
# and audio drivers, for a number of minutes, in a scratch copy of game/,
# driven through its screens by a mouse recording played with
# debug::PlaybackInput.
#
#   sh tools/soak.sh [minutes] [build folder]        (default 60 and build)
#
# The player "soak" starts with a ready monster (tests/data/ladder/level_06.xml,
# which wins the first four fights of the ladder and then meets one it cannot
# beat). After the title, the name is typed by a small preloaded library
# (tools/soak_keys.c): recordings hold only the mouse. Then one cycle of the
# recording below repeats until the end: the workshop (a part dragged from the
# shelf), a test fight and back, Quit (the monster is saved), a fight of 40 s,
# then the outcome and the prizes are clicked away, or a fight without an
# outcome is stopped, back to the shop selection. The recording holds as many
# cycles as the run needs, each one the same clicks shifted in time.
#
# Environment:
#   SOAK_SAMPLE_SECONDS  seconds between samples (default 60)
#   SOAK_WARMUP_MINUTES  memory growth is measured from the first sample at or
#                        after this many minutes (default 5; in shorter runs,
#                        from the first sample after the first cycle)
#   SOAK_MAX_GROWTH      allowed resident memory growth in percent (default 5)
#   SOAK_KEEP            a folder to copy the run's game folder to (log, saves)
#
# Every sample (elapsed seconds, resident memory in kB, log size in bytes,
# cycles begun) is printed. Fails when resident memory grew by more than
# SOAK_MAX_GROWTH percent after the warm-up, when the program died before the
# end, when a log line repeats so often that the log grows with every frame
# (more often than once per second of run time), or when warnings or
# errors are logged after the first cycle. Ends with the graphics task's
# frame-rate line.
set -u
MINUTES=${1:-60}
BUILD=${2:-build}
SAMPLE=${SOAK_SAMPLE_SECONDS:-60}
WARMUP=${SOAK_WARMUP_MINUTES:-5}
MAX_GROWTH=${SOAK_MAX_GROWTH:-5}
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BIN="$ROOT/$BUILD/bin/monsters"
[ -x "$BIN" ] || { echo "soak: $BIN is missing; build first" >&2; exit 2; }

# Milliseconds of the app clock: the title is clicked away at START_CLICK, the
# name typed at TYPE_AT, the first cycle begins at FIRST_CYCLE; each lasts CYCLE.
START_CLICK=1000
TYPE_AT=2500
FIRST_CYCLE=6000
CYCLE=60000
# One cycle, from the shop selection back to it: time in ms, action, points.
CYCLE_STEPS='
0     click 217 394          shop selection: to the workshop
2500  drag  80 60 150 380    a part from the shelf to the floor
5000  click 720 541          test fight
11000 click 75 40            back to the workshop
13000 click 75 541           Quit: the monster is saved
15000 click 624 395          shop selection: fight
55000 click 400 300          an outcome: on to the prizes (victory) or back (defeat)
56500 click 400 300          the prizes: back to the shop selection
58000 click 75 40            a fight without an outcome: stop it
'

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
cp -r "$ROOT/game" "$WORK/game"
rm -rf "$WORK/game/log.txt" "$WORK/game/My Monsters"
mkdir -p "$WORK/game/My Monsters"
cp "$ROOT/tests/data/ladder/level_06.xml" "$WORK/game/My Monsters/soak.xml"
cc -O2 -shared -fPIC $(pkg-config --cflags sdl) -o "$WORK/soak_keys.so" \
    "$ROOT/tools/soak_keys.c" -ldl || { echo "soak: cannot build soak_keys.so" >&2; exit 2; }

DURATION=$((MINUTES * 60))
CYCLES=$(( (DURATION * 1000 - FIRST_CYCLE) / CYCLE + 2 ))
# The recording: a seed, the title click, then the cycles. A click is a move,
# a press 50 ms later and a release 80 ms after that; a drag moves in ten
# steps over half a second between its press and release.
{
    echo 1
    echo "$CYCLE_STEPS" | awk -v start="$START_CLICK" -v first="$FIRST_CYCLE" \
        -v cycle="$CYCLE" -v cycles="$CYCLES" '
        function click(t, x, y) {
            printf "%d mm %d %d\n%d md 1\n%d mu 1\n", t, x, y, t + 50, t + 130
        }
        function drag(t, x1, y1, x2, y2,   i) {
            printf "%d mm %d %d\n%d md 1\n", t, x1, y1, t + 50
            for (i = 1; i <= 10; ++i)
                printf "%d mm %d %d\n", t + 50 + 50 * i, x1 + (x2 - x1) * i / 10, y1 + (y2 - y1) * i / 10
            printf "%d mu 1\n", t + 600
        }
        NF >= 4 { steps[++n] = $0 }
        END {
            click(start, 400, 300)
            for (c = 0; c < cycles; ++c)
                for (i = 1; i <= n; ++i) {
                    split(steps[i], f, " ")
                    t = first + c * cycle + f[1]
                    if (f[2] == "click") click(t, f[3], f[4])
                    else drag(t, f[3], f[4], f[5], f[6])
                }
        }'
} > "$WORK/game/soak.rec"
printf '\ndebug::PlaybackInput(soak.rec)\n' >> "$WORK/game/autoexec.txt"

cd "$WORK/game"
SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy SOAK_TYPE=soak SOAK_TYPE_AFTER_MS=$TYPE_AT \
    LD_PRELOAD="$WORK/soak_keys.so" "$BIN" > stdout.txt 2> stderr.txt &
PID=$!

FIRST_CYCLE_END=$(( (FIRST_CYCLE + CYCLE) / 1000 + 1 ))
WARMUP_SECONDS=$((WARMUP * 60))
if [ "$WARMUP_SECONDS" -ge "$DURATION" ]; then
    WARMUP_SECONDS=$FIRST_CYCLE_END
fi
elapsed=0
base=""
peak_growth=0
first_cycle_log=""
status=0
echo "seconds rss_kb log_bytes cycles"
while [ "$elapsed" -lt "$DURATION" ]; do
    sleep 1
    elapsed=$((elapsed + 1))
    if ! kill -0 "$PID" 2>/dev/null; then
        echo "soak: the game ended after about $elapsed s" >&2
        status=1
        break
    fi
    log=$(wc -c < log.txt 2>/dev/null || echo 0)
    # Warnings up to here belong to the first cycle (loading, the first of everything).
    if [ -z "$first_cycle_log" ] && [ "$elapsed" -ge "$FIRST_CYCLE_END" ]; then
        first_cycle_log=$log
    fi
    [ $((elapsed % SAMPLE)) -eq 0 ] || [ "$elapsed" -eq "$DURATION" ] || continue
    rss=$(awk '/^VmRSS:/ {print $2}' "/proc/$PID/status")
    cycles=$(( (elapsed * 1000 - FIRST_CYCLE) / CYCLE + 1 ))
    [ "$cycles" -lt 0 ] && cycles=0
    echo "$elapsed $rss $log $cycles"
    if [ "$elapsed" -ge "$WARMUP_SECONDS" ]; then
        if [ -z "$base" ]; then
            base=$rss
        else
            growth=$(( (rss - base) * 100 / base ))
            [ "$growth" -gt "$peak_growth" ] && peak_growth=$growth
        fi
    fi
done

kill -TERM "$PID" 2>/dev/null
i=0
while kill -0 "$PID" 2>/dev/null && [ $i -lt 20 ]; do sleep 1; i=$((i + 1)); done
kill -0 "$PID" 2>/dev/null && kill -KILL "$PID"
wait "$PID" 2>/dev/null
touch log.txt

echo "resident memory growth after the warm-up: ${peak_growth}% (allowed ${MAX_GROWTH}%)"
[ "$peak_growth" -gt "$MAX_GROWTH" ] && status=1

# A line written every frame comes 60 times a second; lines of the player's
# actions (a click's sound, a screen opened) come a few times a minute.
limit=$((DURATION + 10))
repeated=$(sort log.txt | uniq -c | sort -rn | awk -v limit="$limit" '$1 > limit' | head -5)
if [ -n "$repeated" ]; then
    echo "log lines repeated more than $limit times:"
    echo "$repeated"
    status=1
fi
echo "warnings: $(grep -c '\[WARNING\]' log.txt), errors: $(grep -c '\[ERROR\]' log.txt)"
# A run shorter than the first cycle has no later warnings to look at.
[ -n "$first_cycle_log" ] || first_cycle_log=$(wc -c < log.txt)
later=$(tail -c +$((first_cycle_log + 1)) log.txt | grep '\[WARNING\]\|\[ERROR\]' | sort | uniq -c | head -5)
if [ -n "$later" ]; then
    echo "warnings or errors after the first cycle:"
    echo "$later"
    status=1
fi
levels=$(grep -c 'completed="1"' "My Monsters/profile_stuff/soak_levellist.xml" 2>/dev/null)
echo "played: $(grep -c 'Test Called' log.txt) test fights, $(grep -c 'Quit Called' log.txt) editor saves," \
    "$(grep -c 'music/fight' log.txt) fights, $(grep -c 'sound/victory' log.txt) victories," \
    "$(grep -c 'sound/defeat' log.txt) defeats, ${levels:-0} levels won"
grep "frames per second" log.txt | tail -1
if [ -n "${SOAK_KEEP:-}" ]; then
    rm -rf "$SOAK_KEEP"
    cp -r "$WORK/game" "$SOAK_KEEP"
fi
[ "$status" -eq 0 ] && echo "soak passed" || echo "soak failed"
exit "$status"
