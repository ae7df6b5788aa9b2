#!/usr/bin/env python3
"""Turns a gcovr JSON report into per-folder lists of unexecuted source lines.

Usage: unexecuted_lines.py REPORT.json SOURCE_ROOT OUT_DIR (writes OUT_DIR/<folder>.txt)
"""
import collections
import sys

from faults_common import report_sources, write_lists

report, root, out = sys.argv[1:4]
per = collections.defaultdict(dict)
for folder, name, entry, src in report_sources(report, root):
    unrun = sorted({l['line_number'] for l in entry['lines'] if l['count'] == 0 and not l.get('gcovr/noncode')})
    if unrun:
        per[folder][name] = [(n, src[n - 1]) for n in unrun]
write_lists(per, out, '.txt', lambda count: f'{count} unexecuted lines',
            lambda name, item: f'{name}:{item[0]}: {item[1].strip()}')
