#!/usr/bin/env python3
"""Turns a gcovr JSON report into per-folder lists of unexecuted source lines.

Usage: unexecuted_lines.py REPORT.json SOURCE_ROOT OUT_DIR (writes OUT_DIR/<folder>.txt)
"""
import json, sys, os, collections
rep = json.load(open(sys.argv[1]))
root = sys.argv[2]
out = sys.argv[3]
folders = ('animation', 'app', 'base', 'canvas', 'dialogs', 'dotdata', 'frame', 'textinput')
per = collections.defaultdict(dict)
for f in rep['files']:
    name = f['file']
    if name.startswith(root):
        name = os.path.relpath(name, root)
    top = name.split('/')[0]
    if top not in folders or not name.endswith('.cpp'):
        continue
    src = open(os.path.join(root, name), encoding='utf-8').read().split('\n')
    miss = sorted({l['line_number'] for l in f['lines'] if l['count'] == 0 and not l.get('gcovr/noncode')})
    if miss:
        per[top][name] = [(n, src[n - 1]) for n in miss]
tot = 0
for top, files in per.items():
    with open(os.path.join(out, top + '.txt'), 'w') as o:
        for name, ls in sorted(files.items(), key=lambda kv: -len(kv[1])):
            o.write(f'## {name}: {len(ls)} unexecuted lines\n')
            for n, t in ls:
                o.write(f'{name}:{n}: {t.strip()}\n')
            tot += len(ls)
    print(top, sum(len(v) for v in files.values()))
print('total', tot)
