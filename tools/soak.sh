#!/bin/sh
# Endurance run: the real game from game/autoexec.txt under SDL's dummy video
# and audio drivers, for a number of minutes, in a scratch copy of game/.
#
#   sh tools/soak.sh [minutes] [build folder]        (default 60 and build)
#
# Environment:
#   SOAK_SAMPLE_SECONDS  seconds between samples (default 60)
#   SOAK_WARMUP_MINUTES  memory growth is measured from the first sample at or
#                        after this many minutes (default 5, or the first
#                        sample when the run is shorter)
#   SOAK_SCRIPT          console lines appended to the copy's autoexec.txt, for
#                        example 'debug::PlaybackInput(soak.rec)' to drive the
#                        screens with a recording placed in game/
#   SOAK_MAX_GROWTH      allowed resident memory growth in percent (default 5)
#
# Every sample (elapsed seconds, resident memory in kB, log size in bytes) is
# printed. Fails when resident memory grew by more than SOAK_MAX_GROWTH percent
# after the warm-up, when the program died before the end, or when a log line
# repeats so often that the log grows with every frame (more often than once
# per 10 seconds of run time). Ends with the graphics task's frame-rate line.
set -u
MINUTES=${1:-60}
BUILD=${2:-build}
SAMPLE=${SOAK_SAMPLE_SECONDS:-60}
WARMUP=${SOAK_WARMUP_MINUTES:-5}
MAX_GROWTH=${SOAK_MAX_GROWTH:-5}
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BIN="$ROOT/$BUILD/bin/monsters"
[ -x "$BIN" ] || { echo "soak: $BIN is missing; build first" >&2; exit 2; }

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
cp -r "$ROOT/game" "$WORK/game"
rm -f "$WORK/game/log.txt"
if [ -n "${SOAK_SCRIPT:-}" ]; then
    printf '\n%s\n' "$SOAK_SCRIPT" >> "$WORK/game/autoexec.txt"
fi

cd "$WORK/game"
SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy "$BIN" > stdout.txt 2> stderr.txt &
PID=$!

DURATION=$((MINUTES * 60))
WARMUP_SECONDS=$((WARMUP * 60))
[ "$WARMUP_SECONDS" -ge "$DURATION" ] && WARMUP_SECONDS=0
elapsed=0
base=""
peak_growth=0
status=0
echo "seconds rss_kb log_bytes"
while [ "$elapsed" -lt "$DURATION" ]; do
    step=$SAMPLE
    [ $((elapsed + step)) -gt "$DURATION" ] && step=$((DURATION - elapsed))
    sleep "$step"
    elapsed=$((elapsed + step))
    if ! kill -0 "$PID" 2>/dev/null; then
        echo "soak: the game ended after about $elapsed s" >&2
        status=1
        break
    fi
    rss=$(awk '/^VmRSS:/ {print $2}' "/proc/$PID/status")
    log=$(wc -c < log.txt 2>/dev/null || echo 0)
    echo "$elapsed $rss $log"
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

echo "resident memory growth after the warm-up: ${peak_growth}% (allowed ${MAX_GROWTH}%)"
[ "$peak_growth" -gt "$MAX_GROWTH" ] && status=1

# A line written every frame repeats thousands of times: allow one per 10 s.
limit=$((DURATION / 10 + 10))
repeated=$(sort log.txt | uniq -c | sort -rn | awk -v limit="$limit" '$1 > limit' | head -5)
if [ -n "$repeated" ]; then
    echo "log lines repeated more than $limit times:"
    echo "$repeated"
    status=1
fi
touch log.txt
echo "warnings: $(grep -c '\[WARNING\]' log.txt), errors: $(grep -c '\[ERROR\]' log.txt)"
grep "frames per second" log.txt | tail -1
[ "$status" -eq 0 ] && echo "soak passed" || echo "soak failed"
exit "$status"
