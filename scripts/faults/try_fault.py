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
import fcntl
import json
import os
import sys
import time

from faults_common import put_in, rebuild, run_tests

wt, rel, line_no, old, new, program = sys.argv[1:7]
gtest_filter = sys.argv[7] if len(sys.argv) > 7 else None
line_no = int(line_no)
build = os.path.join(wt, 'build-n')
path = os.path.join(wt, rel)
old_line = open(path, encoding='utf-8').read().split('\n')[line_no - 1]
if old not in old_line:
    sys.exit(f'"{old}" is not in line {line_no}: {old_line!r}')
new_line = old_line.replace(old, new, 1)
with put_in(path, line_no, new_line):
    built = rebuild(build)
    if built.returncode != 0:
        result = 'NOBUILD'
        print(built.stdout[-2000:])
    else:
        failed, why = run_tests(build, program, gtest_filter)
        result = ('CAUGHT (timeout)' if why == ['timeout'] else 'CAUGHT') if failed else 'MISSED'
        print('\n'.join(why[:5]))
rebuild(build)
print(result)
log = os.environ.get('FAULT_LOG', os.path.join(build, 'faults-tried.jsonl'))
with open(log, 'a') as out:
    fcntl.flock(out, fcntl.LOCK_EX)
    out.write(json.dumps({'file': rel, 'line': line_no, 'old': old_line, 'new': new_line,
                          'result': result, 'prog': program, 'time': time.time()}) + '\n')
