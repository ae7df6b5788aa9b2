#!/usr/bin/env python3
"""Puts one fault into a worktree, rebuilds, runs one test program, puts it back.

Usage: try_fault.py WORKTREE FILE LINE OLD NEW TEST_PROGRAM [GTEST_FILTER]
  FILE is relative to WORKTREE (e.g. canvas/SelectTool.cpp); LINE is 1-based;
  OLD must occur in that line and is replaced (first occurrence) by NEW.
  TEST_PROGRAM is e.g. tests_canvas (in WORKTREE/build-n).
Prints CAUGHT, MISSED or NOBUILD, and appends the attempt to the log named by
FAULT_LOG (default: WORKTREE/build-n/faults-tried.jsonl), so that a later sample can
leave out the faults already tried.
"""
import json, os, subprocess, sys, time, fcntl
wt, rel, ln, old, new, prog = sys.argv[1:7]
flt = sys.argv[7] if len(sys.argv) > 7 else None
ln = int(ln)
path = os.path.join(wt, rel)
orig = open(path, encoding='utf-8').read()
lines = orig.split('\n')
if old not in lines[ln - 1]:
    sys.exit(f'"{old}" is not in line {ln}: {lines[ln-1]!r}')
newline = lines[ln - 1].replace(old, new, 1)
result = 'MISSED'
try:
    lines[ln - 1] = newline
    open(path, 'w', encoding='utf-8').write('\n'.join(lines))
    b = subprocess.run(['ninja', '-C', os.path.join(wt, 'build-n')], capture_output=True, text=True)
    if b.returncode != 0:
        result = 'NOBUILD'
        print(b.stdout[-2000:])
    else:
        cmd = [os.path.join(wt, 'build-n', prog), '--gtest_brief=1']
        if flt:
            cmd.append('--gtest_filter=' + flt)
        env = dict(os.environ, QT_QPA_PLATFORM='offscreen')
        try:
            r = subprocess.run(cmd, capture_output=True, text=True, env=env, timeout=400,
                               cwd=os.path.join(wt, 'build-n', 'tests'))
            if r.returncode != 0:
                result = 'CAUGHT'
                print('\n'.join([l for l in r.stdout.split('\n') if 'FAILED' in l][:5]))
        except subprocess.TimeoutExpired:
            result = 'CAUGHT (timeout)'
finally:
    open(path, 'w', encoding='utf-8').write(orig)
    subprocess.run(['ninja', '-C', os.path.join(wt, 'build-n')], capture_output=True)
print(result)
log = os.environ.get('FAULT_LOG', os.path.join(wt, 'build-n', 'faults-tried.jsonl'))
with open(log, 'a') as o:
    fcntl.flock(o, fcntl.LOCK_EX)
    o.write(json.dumps({'file': rel, 'line': ln, 'old': orig.split('\n')[ln - 1], 'new': newline,
                        'result': result, 'prog': prog, 'time': time.time()}) + '\n')
