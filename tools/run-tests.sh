#!/bin/sh
# Runs every test of a build folder and ends with the line "N passed, N failed".
BUILD=${1:-build}
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
out=$(mktemp)
"$BUILD/bin/monsters_tests" --gtest_color=no >"$out" 2>&1
status=$?
cat "$out"
passed=$(grep -c '^\[       OK \]' "$out")
failed=$(grep -c '^\[  FAILED  \] [A-Za-z0-9_/.]*\.[A-Za-z0-9_/]* (' "$out")
rm -f "$out"
# A crash ends the binary without a summary: count it as a failure.
if [ "$status" -ne 0 ] && [ "$failed" -eq 0 ]; then failed=1; fi
echo "$passed passed, $failed failed"
[ "$status" -eq 0 ] && [ "$failed" -eq 0 ]
