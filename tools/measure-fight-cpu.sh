#!/bin/sh
# CPU share and frame rate of the shipped game during a fight of two 10-part
# monsters with motors: tools/measure/fighter10.txt (4 motors) against its
# mirror image, built through the real editor by monsters-ladder. They push
# and cut at each other for minutes without a winner, so the whole measured
# time is fight. Measured over SECONDS seconds of the fight (default 60).
# Needs an X display (DISPLAY, e.g. Xvfb :5 -noreset) and xdotool; works on a
# copy of game/.
#   DISPLAY=:5 sh tools/measure-fight-cpu.sh [seconds]
set -e
top=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
work=$(mktemp -d)
cp -r "$top/game/autoexec.txt" "$top/game/data" "$top/game/temp" "$work/"
mkdir -p "$work/My Monsters/profile_stuff"
ladder="$top/build/bin/monsters-ladder"
"$ladder" build --data "$work" "$top/tools/measure/fighter10.txt" "$work/My Monsters/Bench.xml" \
    | grep -v pin.xml || true
# The mirror image keeps the player's colours.
"$ladder" opponent --data "$work" "$top/tools/measure/fighter10.txt" sawbones "$work/mirror10.xml" \
    | grep -v pin.xml || true
sed -i 's|parts/opponents/sawbones/|parts/|' "$work/mirror10.xml"
cat > "$work/My Monsters/profile_stuff/Bench_levellist.xml" <<'LEVELS'
<LevelList>
  <Level completed="0" filename="mirror10.xml" position="0" >
  </Level>
</LevelList>
LEVELS
cd "$work"
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}
"$top/build/bin/monsters" >/dev/null 2>&1 &
pid=$!
sleep 1
xdotool mousemove 400 300 click 1
sleep 0.5
xdotool type --delay 30 Bench
xdotool key Return
sleep 0.7
xdotool mousemove 624 395 click 1
sleep 1
ticks=$(getconf CLK_TCK)
cpu() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
before=$(cpu)
start=$(date +%s.%N)
sleep "$seconds"
after=$(cpu)
end=$(date +%s.%N)
xdotool key Escape
wait "$pid" || true
elapsed=$(echo "$end - $start" | bc)
echo "CPU share over $seconds s of the fight: $(echo "scale=1; 100 * ($after - $before) / $ticks / $elapsed" | bc) % of one core"
grep -c "WARNING" log.txt | sed 's/^/warnings in the log: /'
grep -i 'frames per second' log.txt | tail -n 1 || true
grep -q "sound/victory\|sound/defeat" log.txt && echo "note: the fight ended before the end of the measurement"
cd / && rm -rf "$work"
