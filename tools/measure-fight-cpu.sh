#!/bin/sh
# CPU share and frame rate of the shipped game during a fight of two 8-part
# monsters with motors (the ladder's level-8 reference monster against the
# level-8 opponent), measured over SECONDS seconds of the fight. Needs an X
# display (DISPLAY, e.g. Xvfb :5) and xdotool; works on a copy of game/.
#   DISPLAY=:5 sh tools/measure-fight-cpu.sh [seconds]
set -e
top=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-20}
work=$(mktemp -d)
cp -r "$top/game/autoexec.txt" "$top/game/data" "$top/game/temp" "$work/"
mkdir -p "$work/My Monsters/profile_stuff"
cp "$top/tests/data/ladder/level_08.xml" "$work/My Monsters/Bench.xml"
# Levels 0-7 beaten: the next fight is level 8.
sed -e '/position="[0-7]"/s/completed="0"/completed="1"/' "$top/game/data/monster_list.xml" \
    > "$work/My Monsters/profile_stuff/Bench_levellist.xml"
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
sleep "$seconds"
after=$(cpu)
xdotool key Escape
wait "$pid" || true
echo "CPU share over $seconds s of the fight: $(echo "scale=1; 100 * ($after - $before) / $ticks / $seconds" | bc) % of one core"
grep -i 'frames' log.txt | tail -n 2 || true
cd / && rm -rf "$work"
