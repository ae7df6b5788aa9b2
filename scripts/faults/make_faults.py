#!/usr/bin/env python3
"""Writes every plausible one-line fault in the program's sources (not the tests,
benchmarks or fuzz targets), one JSON object a line.

Usage: make_faults.py ROOT OUT.jsonl
Each fault: {"id","file","line","kind","old","new"}, old and new being the whole line.
Kinds: rel (< <= > >= == != swapped), logic (&& ||), arith (+ - * / += -=),
const (an integer moved by one; 0 and 1 swapped), bool (true/false), negate (an if
condition), delete (a statement on a line of its own).
"""
import collections
import json
import os
import re
import subprocess
import sys

from faults_common import FOLDERS

ROOT, OUT = sys.argv[1], sys.argv[2]
files = subprocess.run(['git', '-C', ROOT, 'ls-files', '*.cpp'], capture_output=True,
                       text=True).stdout.split()
files = [f for f in files if f.split('/')[0] in FOLDERS]

def mask(line):
    """Blank out string/char literal contents and trailing // comments."""
    out = list(line)
    i, n = 0, len(line)
    while i < n:
        c = line[i]
        if c == '/' and i + 1 < n and line[i + 1] == '/':
            for j in range(i, n):
                out[j] = ' '
            break
        if c in '"\'':
            q = c
            j = i + 1
            while j < n and line[j] != q:
                if line[j] == '\\':
                    out[j] = ' '
                    j += 1
                if j < n:
                    out[j] = ' '
                j += 1
            i = j + 1
            continue
        i += 1
    return ''.join(out)

SWAPS = [(' < ', ' <= '), (' <= ', ' < '), (' > ', ' >= '), (' >= ', ' > '),
         (' == ', ' != '), (' != ', ' == '), (' && ', ' || '), (' || ', ' && '),
         (' + ', ' - '), (' - ', ' + '), (' * ', ' / '), (' / ', ' * '),
         (' += ', ' -= '), (' -= ', ' += ')]
KIND = {' < ': 'rel', ' <= ': 'rel', ' > ': 'rel', ' >= ': 'rel', ' == ': 'rel', ' != ': 'rel',
        ' && ': 'logic', ' || ': 'logic', ' + ': 'arith', ' - ': 'arith', ' * ': 'arith',
        ' / ': 'arith', ' += ': 'arith', ' -= ': 'arith'}
DEL_RE = re.compile(r'^(\s*)((emit\s+)?[A-Za-z_][\w:]*(\s*(\.|->)\s*[A-Za-z_]\w*)*\s*(\(.*\))?'
                    r'(\s*(\.|->)\s*[A-Za-z_]\w*\(.*\))*\s*(=|\+=|-=|\|=|&=|<<=|>>=|\+\+|--)?.*;)\s*$')
DECL_START = re.compile(r'^\s*(const\s+|static\s+|auto\s|return\b|case\b|default\b|using\b|typedef\b|'
                        r'delete\b|throw\b|goto\b|Q_|[A-Z]\w*(::\w+)*(<.*>)?[&*]?\s+[a-z_]\w*\s*(\(|=|\{|;))')

# A declaration such as "QImage picture(size);" or "int* p = q;".
DECLARATION = re.compile(r'^\s*(const\s+)?[\w:]+(<[^;]*>)?[\s*&]+[*&]?\w+\s*(=|\{|;|\(|\[)')
# A line that ends a statement or opens or closes a block.
STATEMENT_ENDS = (';', '{', '}', ':')


def balanced(s):
    return s.count('(') == s.count(')') and s.count('{') == s.count('}') and s.count('[') == s.count(']')


def deletable(m, ms, prev_code):
    """Whether the masked line m (stripped: ms) is a whole statement that can go:
    not a declaration, a loop or if head, a block end or a continued line."""
    if not ms.endswith(';') or not balanced(ms) or DECL_START.match(m) or not DEL_RE.match(m):
        return False
    if ms.startswith(('}', 'for', 'while', 'if')):
        return False
    if DECLARATION.match(m) and not ms.startswith('emit '):
        return False
    if prev_code == '' or prev_code.endswith(STATEMENT_ENDS):
        return True
    # After a ')' only the body of an unbraced if, for, while or else.
    return prev_code.endswith(')') and (re.match(r'^\s*(\}\s*)?(if|for|while|else)\b', prev_code) is not None
                                        or prev_code.startswith('else'))

faults = []
for f in files:
    lines = open(os.path.join(ROOT, f), encoding='utf-8').read().split('\n')
    in_block = False
    prev_code = ''
    for ln, line in enumerate(lines, 1):
        s = line.strip()
        if in_block:
            if '*/' in s:
                in_block = False
            continue
        if s.startswith('/*'):
            if '*/' not in s:
                in_block = True
            continue
        if not s or s.startswith('//') or s.startswith('#'):
            continue
        m = mask(line)
        ms = m.strip()
        def add(kind, new):
            if new != line:
                faults.append({'file': f, 'line': ln, 'kind': kind, 'old': line, 'new': new})
        # operator swaps, each occurrence separately
        for a, b in SWAPS:
            start = 0
            while True:
                i = m.find(a, start)
                if i < 0:
                    break
                add(KIND[a], line[:i] + b + line[i + len(a):])
                start = i + 1
        # boolean literals
        for w, r in (('true', 'false'), ('false', 'true')):
            for mm in re.finditer(r'\b' + w + r'\b', m):
                add('bool', line[:mm.start()] + r + line[mm.end():])
        # integer literals, but not enumerator values or compile-time checks
        numbers = [] if ms.startswith(('enum', 'static_assert')) else re.finditer(r'(?<![\w.])(\d+)(?![\w.])', m)
        for mm in numbers:
            n = int(mm.group(1))
            reps = ['1'] if n == 0 else (['0', '2'] if n == 1 else [str(n + 1), str(n - 1)])
            for r in reps:
                add('const', line[:mm.start()] + r + line[mm.end():])
        # negate if conditions
        mm = re.match(r'^(\s*(?:\}\s*else\s+)?if\s*)\((.*)\)(\s*\{?\s*)$', m)
        if mm and balanced(mm.group(2)):
            a, b = mm.start(2), mm.end(2)
            cond = line[a:b]
            if cond.startswith('!') and balanced(cond[1:]) and re.match(r'^!\w[\w.\->()]*$', cond.replace(' ', '')):
                add('negate', line[:a] + cond[1:] + line[b:])
            else:
                add('negate', line[:a] + '!(' + cond + ')' + line[b:])
        # delete a whole statement, never a declaration or a continued line
        if deletable(m, ms, prev_code):
            indent = line[:len(line) - len(line.lstrip())]
            add('delete', indent + ';')
        prev_code = ms
for i, flt in enumerate(faults):
    flt['id'] = i
with open(OUT, 'w') as o:
    o.writelines(json.dumps(flt) + '\n' for flt in faults)
print(len(faults), collections.Counter(f['kind'] for f in faults))
