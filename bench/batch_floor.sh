#!/usr/bin/env bash
# The batch full-canvas job against its floor: a fully lit 1024 x 768 BMP
# turned into a listing, against the program's start-up (--version) plus
# copying a listing of the same size. Runs interleaved, prints the medians
# and the ratio. Usage: bench/batch_floor.sh [PELLMARK] [ROUNDS]
set -euo pipefail
PELLMARK=${1:-build/pellmark}
ROUNDS=${2:-5}
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
export QT_QPA_PLATFORM=offscreen

# A fully lit picture in the seven dot colours, drawn by the program itself.
python3 - "$WORK/full.bmp" <<'PY'
import struct, sys
w, h = 1024, 768
colours = [(0,0,255),(0,255,0),(255,0,0),(0,255,255),(143,143,188),(255,255,255),(0,127,255)]  # BGR
rows = bytearray()
for y in range(h):
    for x in range(w):
        rows += bytes(colours[(x + y) % 7])
header = b'BM' + struct.pack('<IHHI', 54 + len(rows), 0, 0, 54)
info = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 24, 0, len(rows), 2835, 2835, 0, 0)
open(sys.argv[1], 'wb').write(header + info + rows)
PY
"$PELLMARK" --open "$WORK/full.bmp" --save-dots "$WORK/ref.txt"

ms() { local t0 t1; t0=$(date +%s%N); "$@" >/dev/null; t1=$(date +%s%N); echo $(( (t1 - t0) / 1000000 )); }
job=(); floor=()
for _ in $(seq "$ROUNDS"); do
    job+=("$(ms "$PELLMARK" --open "$WORK/full.bmp" --save-dots "$WORK/out.txt")")
    floor+=("$(ms sh -c "\"$PELLMARK\" --version && cp \"$WORK/ref.txt\" \"$WORK/copy.txt\"")")
done
median() { printf '%s\n' "$@" | sort -n | sed -n "$(( ($# + 1) / 2 ))p"; }
J=$(median "${job[@]}"); F=$(median "${floor[@]}")
PEAK=$( { /usr/bin/time -f '%M' "$PELLMARK" --open "$WORK/full.bmp" --save-dots "$WORK/out.txt" ; } 2>&1 | tail -1 )
echo "listing bytes: $(stat -c %s "$WORK/ref.txt")"
echo "batch full-canvas job: ${J} ms (median of $ROUNDS: ${job[*]})"
echo "floor (--version + copy): ${F} ms (median of $ROUNDS: ${floor[*]})"
awk -v j="$J" -v f="$F" 'BEGIN { printf "ratio: %.2f x the floor\n", j / f }'
echo "peak memory of the job: $((PEAK / 1024)) MB"
