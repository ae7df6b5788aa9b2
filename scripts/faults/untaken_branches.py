#!/usr/bin/env python3
"""Lists executed lines where some outcome of a condition was never taken.

Usage: untaken_branches.py REPORT.json SOURCE_ROOT OUT_DIR (writes OUT_DIR/<folder>-branches.txt)
Compiler-made branches (exceptions, temporaries) show up too; judge by the line.
"""
import collections
import re
import sys

from faults_common import report_sources, write_lists

CONDITION = re.compile(r'\b(if|while|for|switch|case)\b|\?|&&|\|\|')

report, root, out = sys.argv[1:4]
per = collections.defaultdict(dict)
for folder, name, entry, src in report_sources(report, root):
    rows = []
    for l in entry['lines']:
        text = src[l['line_number'] - 1]
        if l['count'] == 0 or not CONDITION.search(text):
            continue
        outcomes = [b for b in l.get('branches', []) if not b.get('throw')]
        never = sum(1 for b in outcomes if b['count'] == 0)
        if never:
            rows.append((l['line_number'], text, never, len(outcomes)))
    if rows:
        per[folder][name] = rows
write_lists(per, out, '-branches.txt', lambda count: f'{count} lines with a condition outcome never taken',
            lambda name, r: f'{name}:{r[0]}: [{r[2]} of {r[3]} outcomes never taken] {r[1].strip()}')
