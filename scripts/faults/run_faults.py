#!/usr/bin/env python3
"""Runs each fault of a list against a worktree's Ninja build.

Usage: run_faults.py WORKTREE LIST.jsonl OUT.jsonl [BUILDDIR]
WORKTREE is a checkout with a Ninja Debug build in BUILDDIR (build-n unless given).
OUT gets one result a fault (caught, missed, nobuild or stale) and is resumable.
For each fault: put the line in, rebuild, run the fault's folder's test program,
then every other gtest program; caught at the first failure (or a timeout).
The file is put back after each fault, whatever happens.
"""
import json
import os
import subprocess
import sys
import time

from faults_common import put_in, rebuild, run_tests

WT, LIST, OUT = sys.argv[1], sys.argv[2], sys.argv[3]
BUILD = os.path.join(WT, sys.argv[4] if len(sys.argv) > 4 else 'build-n')
# The programs from the lowest layer up; a fault's own folder goes first.
ORDER = ['base', 'dotdata', 'dotdata_widgets', 'textinput', 'animation', 'canvas', 'dialogs', 'frame', 'app']


def programs_for(path):
    folder = path.split('/')[0]
    first = ['dotdata_widgets', 'dotdata'] if folder == 'dotdata' else [folder]
    return ['tests_' + p for p in first + [p for p in ORDER if p not in first]]


def try_one(fault, record):
    """Fills in record's result: stale, nobuild, caught (with by and why) or missed."""
    path = os.path.join(WT, fault['file'])
    if open(path, encoding='utf-8').read().split('\n')[fault['line'] - 1] != fault['old']:
        record['result'] = 'stale'
        return
    with put_in(path, fault['line'], fault['new']):
        if rebuild(BUILD).returncode != 0:
            record['result'] = 'nobuild'
            return
        for program in programs_for(fault['file']):
            failed, why = run_tests(BUILD, program)
            if failed:
                record.update(result='caught', by=program[len('tests_'):], why=why[:3])
                return
        record['result'] = 'missed'


done = set()
if os.path.exists(OUT):
    done = {json.loads(l)['id'] for l in open(OUT) if l.strip()}
for line in open(LIST):
    fault = json.loads(line)
    if fault['id'] in done:
        continue
    record = dict(fault)
    started = time.time()
    try_one(fault, record)
    record['secs'] = round(time.time() - started, 1)
    with open(OUT, 'a') as out:
        out.write(json.dumps(record) + '\n')
    print(record['id'], fault['file'], fault['line'], record['result'], record.get('by', ''), record['secs'], flush=True)
# Leave the build matching the sources.
rebuild(BUILD)
