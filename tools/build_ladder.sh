#!/bin/sh
# Rebuilds the ladder's monsters through the real editor: the part files from
# the catalogue, every reference player monster (tests/data/ladder/level_NN.txt
# -> level_NN.xml) and every opponent (tools/ladder/oN_NAME.txt ->
# game/data/opponents/NAME.xml, mirrored to face left), then runs the proof.
#   tools/build_ladder.sh [BUILD]        (default build/)
# Run /usr/bin/python3 tools/make_parts_art.py after adding an opponent.
set -e
cd "$(dirname "$0")/.."
BUILD=${1:-build}
python3 tools/parts_catalogue.py game
for recipe in tests/data/ladder/level_*.txt; do
    "$BUILD/bin/monsters-ladder" build "$recipe" "${recipe%.txt}.xml" | grep -v "pin.xml" || true
done
mkdir -p game/data/opponents
for recipe in tools/ladder/o*_*.txt; do
    name=$(basename "$recipe" .txt)
    name=${name#*_}
    "$BUILD/bin/monsters-ladder" opponent "$recipe" "$name" "game/data/opponents/$name.xml" | grep -v "pin.xml" || true
done
"$BUILD/bin/monsters-ladder" proof
