#!/usr/bin/env python3
"""Checks every quoted include against the layer table of
docs/ARCHITECTURE.md: a file includes headers of its own folder and of the
folders its row allows, each by its path from the repository root.

usage: check_includes.py REPOSITORY_ROOT"""
import os
import re
import sys

root = sys.argv[1] if len(sys.argv) > 1 else '.'
doc = open(os.path.join(root, 'docs', 'ARCHITECTURE.md'), encoding='utf-8').read()

# The table under the heading "## Includes": | `folder/` | `a/`, `b/` |
section = doc.split('## Includes', 1)
if len(section) < 2:
    sys.exit('docs/ARCHITECTURE.md has no "## Includes" table')
allowed = {}
for line in section[1].splitlines():
    if line.startswith('## '):
        break
    cells = [c.strip() for c in line.strip().strip('|').split('|')]
    if len(cells) != 2 or not cells[0].startswith('`'):
        continue
    folder = cells[0].strip('`').rstrip('/')
    allowed[folder] = {f.strip('` ').rstrip('/') for f in re.findall(r'`[^`]+`', cells[1])}

def folder_of(path):
    """The table row a file belongs to: the longest folder that holds it."""
    best = None
    for folder in allowed:
        if path.startswith(folder + '/') and (best is None or len(folder) > len(best)):
            best = folder
    return best

include = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)
problems = []
sources = 0
for dirpath, dirnames, filenames in os.walk(root):
    rel_dir = os.path.relpath(dirpath, root)
    dirnames[:] = [d for d in dirnames if not d.startswith(('.', 'build'))]
    for name in filenames:
        if not name.endswith(('.h', '.cpp')):
            continue
        rel = os.path.normpath(os.path.join(rel_dir, name))
        own = folder_of(rel)
        if own is None:
            problems.append('%s: its folder has no row in the table' % rel)
            continue
        sources += 1
        text = open(os.path.join(root, rel), encoding='utf-8', errors='replace').read()
        for target in include.findall(text):
            if target.endswith('.moc') or target.startswith(('moc_', 'ui_')):
                continue
            if not os.path.isfile(os.path.join(root, target)):
                problems.append('%s: "%s" is not a path from the repository root' % (rel, target))
                continue
            theirs = folder_of(target)
            if theirs != own and theirs not in allowed[own]:
                problems.append('%s: includes "%s", but %s/ may not include %s/' % (rel, target, own, theirs))

for p in problems:
    print(p)
print('%d files checked, %d problems' % (sources, len(problems)))
sys.exit(1 if problems else 0)
