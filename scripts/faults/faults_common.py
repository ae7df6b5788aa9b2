"""What the fault scripts share: the program's folders, putting a fault in and
taking it out again, rebuilding, running a test program, and reading a gcovr
JSON report."""
import contextlib
import json
import os
import subprocess

# The folders of program code; tests, benchmarks and fuzz targets are left out.
FOLDERS = ('animation', 'app', 'base', 'canvas', 'dialogs', 'dotdata', 'frame', 'textinput')
TEST_TIMEOUT = 400  # seconds; a fault that hangs a test program counts as caught


@contextlib.contextmanager
def put_in(path, line_no, new_line):
    """Replaces line line_no (1-based) of path for the duration; the file is put
    back whatever happens. Yields the file's original text."""
    original = open(path, encoding='utf-8').read()
    lines = original.split('\n')
    lines[line_no - 1] = new_line
    try:
        with open(path, 'w', encoding='utf-8') as f:
            f.write('\n'.join(lines))
        yield original
    finally:
        with open(path, 'w', encoding='utf-8') as f:
            f.write(original)


def rebuild(build_dir):
    """Runs ninja; returns the finished process (returncode, stdout)."""
    return subprocess.run(['ninja', '-C', build_dir], capture_output=True, text=True)


def run_tests(build_dir, program, gtest_filter=None):
    """Runs one test program offscreen, as ctest does (from build_dir/tests).
    Returns (failed, lines naming the failed tests)."""
    cmd = [os.path.join(build_dir, program), '--gtest_brief=1']
    if gtest_filter:
        cmd.append('--gtest_filter=' + gtest_filter)
    env = dict(os.environ, QT_QPA_PLATFORM='offscreen')
    try:
        r = subprocess.run(cmd, cwd=os.path.join(build_dir, 'tests'), capture_output=True, text=True,
                           env=env, timeout=TEST_TIMEOUT)
    except subprocess.TimeoutExpired:
        return True, ['timeout']
    return r.returncode != 0, [l for l in r.stdout.split('\n') if l.startswith('[  FAILED  ]')]


def report_sources(report_path, root):
    """Yields (folder, file name, gcovr file entry, source lines) for each
    program source of a gcovr JSON report."""
    report = json.load(open(report_path))
    for entry in report['files']:
        name = entry['file']
        if name.startswith('/'):
            name = os.path.relpath(name, root)
        folder = name.split('/')[0]
        if folder not in FOLDERS or not name.endswith('.cpp'):
            continue
        yield folder, name, entry, open(os.path.join(root, name), encoding='utf-8').read().split('\n')


def write_lists(per_folder, out_dir, suffix, heading, row):
    """Writes one list a folder, files with the most rows first; heading(count)
    and row(name, item) make the lines. Prints the counts."""
    total = 0
    for folder, files in per_folder.items():
        count = sum(len(items) for items in files.values())
        with open(os.path.join(out_dir, folder + suffix), 'w') as out:
            for name, items in sorted(files.items(), key=lambda kv: -len(kv[1])):
                out.write(f'## {name}: {heading(len(items))}\n')
                out.writelines(row(name, item) + '\n' for item in items)
        print(folder, count)
        total += count
    print('total', total)
