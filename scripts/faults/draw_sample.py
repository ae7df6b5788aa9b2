#!/usr/bin/env python3
"""Draws a sample of faults that no earlier run has seen.

Usage: draw_sample.py POOL.jsonl N SEED OUT_PREFIX [TRIED.jsonl ...]
Leaves out every fault of POOL that a TRIED log holds (same file, line text before
and after), shuffles the rest with SEED and keeps the first N. Writes
OUT_PREFIX.jsonl and two halves, OUT_PREFIXA.jsonl and OUT_PREFIXB.jsonl, to run
side by side in two worktrees.
"""
import json, random, sys

pool_path, n, seed, prefix = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), sys.argv[4]

def key(f):
    return (f['file'], f['old'].strip(), f['new'].strip())

tried = set()
for path in sys.argv[5:]:
    with open(path) as log:
        tried.update(key(json.loads(l)) for l in log if l.strip())
pool = [json.loads(l) for l in open(pool_path) if l.strip()]
rest = [f for f in pool if key(f) not in tried]
print(f'pool {len(pool)}, left out {len(pool) - len(rest)}')
random.Random(seed).shuffle(rest)
sample = rest[:n]
for suffix, part in (('', sample), ('A', sample[0::2]), ('B', sample[1::2])):
    with open(prefix + suffix + '.jsonl', 'w') as out:
        out.writelines(json.dumps(f) + '\n' for f in part)
