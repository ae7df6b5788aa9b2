#!/usr/bin/env bash
# Saving a project over an old one, killed (kill -9) at twenty different
# moments: every time the file is whole, either the old project or the new
# one, and opens.
# Usage: test-save-kill.sh PELLMARK
set -euo pipefail

PROGRAM=$(readlink -f "$1")
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
cd "$WORK"
export QT_QPA_PLATFORM=offscreen

# The old project: a small sign. The new one: the largest canvas of noise,
# which takes the longest to write.
"$PROGRAM" --new 64x16:text --text "OLD" --merge --save-project old.png
python3 - <<'PY'
import random, struct
w, h = 1024, 768
random.seed(7)
row = (w * 3 + 3) & ~3
pixels = bytearray(random.getrandbits(8) for _ in range(row * h))
header = b'BM' + struct.pack('<IHHI', 54 + len(pixels), 0, 0, 54)
info = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 24, 0, len(pixels), 0, 0, 0, 0)
open('noise.bmp', 'wb').write(header + info + pixels)
PY
"$PROGRAM" --new 1024x768:image --match dither --open noise.bmp --save-project new.png
cp old.png target.png
cmp -s old.png new.png && { echo "FAIL: old and new are the same"; exit 1; }

for i in $(seq 20); do
  "$PROGRAM" --open new.png --save-project target.png &
  pid=$!
  sleep "0.$(printf '%02d' $(( i * 4 )))"
  kill -9 "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  if ! cmp -s target.png old.png && ! cmp -s target.png new.png; then
    echo "FAIL: round $i left a file that is neither the old project nor the new one"; exit 1
  fi
  "$PROGRAM" --open target.png --save-dots check.txt || { echo "FAIL: round $i left a file that does not open"; exit 1; }
  which=old; cmp -s target.png new.png && which=new
  echo "round $i: $which project, whole"
  cp old.png target.png
done
echo "ok: 20 kills while saving left a whole project each time"
