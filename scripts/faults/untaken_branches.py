#!/usr/bin/env python3
"""Lists executed lines where some outcome of a condition was never taken.

Usage: untaken_branches.py REPORT.json SOURCE_ROOT OUT_DIR (writes OUT_DIR/<folder>-branches.txt)
Compiler-made branches (exceptions, temporaries) show up too; judge by the line.
"""
import json, sys, os, collections, re
rep = json.load(open(sys.argv[1])); root = sys.argv[2]; out = sys.argv[3]
folders = ('animation', 'app', 'base', 'canvas', 'dialogs', 'dotdata', 'frame', 'textinput')
per = collections.defaultdict(dict)
for f in rep['files']:
    name = os.path.relpath(f['file'], root) if f['file'].startswith('/') else f['file']
    top = name.split('/')[0]
    if top not in folders or not name.endswith('.cpp'):
        continue
    src = open(os.path.join(root, name), encoding='utf-8').read().split('\n')
    rows = []
    for l in f['lines']:
        if l['count'] == 0:
            continue
        text = src[l['line_number'] - 1]
        if not re.search(r'\b(if|while|for|switch|case)\b|\?|&&|\|\|', text):
            continue
        br = [b for b in l.get('branches', []) if not b.get('throw')]
        if br and any(b['count'] == 0 for b in br):
            rows.append((l['line_number'], text, sum(1 for b in br if b['count'] == 0), len(br)))
    if rows:
        per[top][name] = rows
tot = 0
for top, files in per.items():
    with open(os.path.join(out, top + '-branches.txt'), 'w') as o:
        for name, rows in sorted(files.items(), key=lambda kv: -len(kv[1])):
            o.write(f'## {name}: {len(rows)} lines with a condition outcome never taken\n')
            for n, t, z, b in rows:
                o.write(f'{name}:{n}: [{z} of {b} outcomes never taken] {t.strip()}\n')
        tot += sum(len(r) for r in files.values())
    print(top, sum(len(r) for r in files.values()))
print('total', tot)
