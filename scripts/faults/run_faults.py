#!/usr/bin/env python3
"""Runs each fault of a list against a worktree's Ninja build.

Usage: run_faults.py WORKTREE LIST.jsonl OUT.jsonl [BUILDDIR]
WORKTREE is a checkout with a Ninja Debug build in BUILDDIR (build-n unless given).
OUT gets one result a fault (caught, missed, nobuild or stale) and is resumable.
For each fault: put the line in, rebuild, run the fault's folder's test program,
then every other gtest program; caught at the first failure (or a timeout).
The file is put back after each fault, whatever happens.
"""
import json, os, subprocess, sys, time

WT, LIST, OUT = sys.argv[1], sys.argv[2], sys.argv[3]
BUILD = os.path.join(WT, sys.argv[4] if len(sys.argv) > 4 else 'build-n')
ORDER = ['base', 'dotdata', 'dotdata_widgets', 'textinput', 'animation', 'canvas', 'dialogs', 'frame', 'app']
env = dict(os.environ, QT_QPA_PLATFORM='offscreen')
done = set()
if os.path.exists(OUT):
    done = {json.loads(l)['id'] for l in open(OUT) if l.strip()}

def programs_for(path):
    folder = path.split('/')[0]
    first = [folder]
    if folder == 'dotdata':
        first = ['dotdata_widgets', 'dotdata']
    return first + [p for p in ORDER if p not in first]

for line in open(LIST):
    f = json.loads(line)
    if f['id'] in done:
        continue
    path = os.path.join(WT, f['file'])
    orig = open(path, encoding='utf-8').read()
    lines = orig.split('\n')
    rec = dict(f)
    t0 = time.time()
    try:
        if lines[f['line'] - 1] != f['old']:
            rec['result'] = 'stale'
        else:
            lines[f['line'] - 1] = f['new']
            open(path, 'w', encoding='utf-8').write('\n'.join(lines))
            b = subprocess.run(['ninja', '-C', BUILD], capture_output=True, text=True)
            if b.returncode != 0:
                rec['result'] = 'nobuild'
            else:
                rec['result'] = 'missed'
                for p in programs_for(f['file']):
                    exe = os.path.join(BUILD, 'tests_' + p)
                    try:
                        r = subprocess.run([exe, '--gtest_brief=1'], cwd=os.path.join(BUILD, 'tests'),
                                           capture_output=True, text=True, env=env, timeout=400)
                        failed = r.returncode != 0
                        why = [l for l in r.stdout.split('\n') if l.startswith('[  FAILED  ]')][:3]
                    except subprocess.TimeoutExpired:
                        failed, why = True, ['timeout']
                    if failed:
                        rec['result'] = 'caught'
                        rec['by'] = p
                        rec['why'] = why
                        break
    finally:
        open(path, 'w', encoding='utf-8').write(orig)
    rec['secs'] = round(time.time() - t0, 1)
    with open(OUT, 'a') as o:
        o.write(json.dumps(rec) + '\n')
    print(rec['id'], f['file'], f['line'], rec['result'], rec.get('by', ''), rec['secs'], flush=True)
# leave the build matching the sources
subprocess.run(['ninja', '-C', BUILD], capture_output=True)
