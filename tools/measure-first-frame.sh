#!/bin/sh
# Time from the game's start to its first drawn frame (the title screen), over
# several runs. Uses the display in DISPLAY, or SDL's dummy driver without one.
#   sh tools/measure-first-frame.sh [runs]
set -e
top=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-10}
probe=$(mktemp -d)/first_frame_probe.so
cc -O2 -shared -fPIC $(pkg-config --cflags sdl) -o "$probe" "$top/tools/first_frame_probe.c" -ldl
[ -n "$DISPLAY" ] || export SDL_VIDEODRIVER=dummy
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}
cd "$top/game"
i=0
while [ "$i" -lt "$runs" ]; do
    LD_PRELOAD="$probe" "$top/build/bin/monsters" 2>&1 >/dev/null | grep 'first frame'
    i=$((i + 1))
done
rm -f "$probe"
