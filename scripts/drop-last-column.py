#!/usr/bin/env python3
"""Removes the last column from the tab-delimited and XML spreadsheet outputs
in a folder tree, so that the outputs of a build whose tables gained a
trailing column can be compared with those of a build without it.
    scripts/drop-last-column.py FOLDER
Tab-delimited: the last field of every line that holds a tab. XML: the last
column's width, its cell in every row, and the column count."""
import os
import re
import sys


def drop_tab(data: bytes) -> bytes:
    out = []
    for line in data.split(b'\n'):
        end = b''
        if line.endswith(b'\r'):
            line, end = line[:-1], b'\r'
        if b'\t' in line:
            line = line[:line.rindex(b'\t')]
        out.append(line + end)
    return b'\n'.join(out)


def drop_xml(text: str) -> str:
    lines = text.split('\n')
    out = []
    row = []
    in_row = False
    columns = [i for i, l in enumerate(lines) if l.strip().startswith('<Column ')]
    last_column = columns[-1] if columns else -1
    for i, line in enumerate(lines):
        if i == last_column:
            continue
        m = re.search(r'ss:ExpandedColumnCount="(\d+)"', line)
        if m:
            line = line.replace(m.group(0), 'ss:ExpandedColumnCount="%d"' % (int(m.group(1)) - 1))
        if line.strip().startswith('<Row'):
            in_row, row = True, [line]
            continue
        if in_row:
            if line.strip().startswith('</Row>'):
                cells = [k for k, l in enumerate(row) if l.strip().startswith('<Cell')]
                indexed = [k for k in cells if 'ss:Index' in row[k]]
                if indexed:
                    # The title row spans the columns: its last cells move
                    # one column to the left.
                    k = indexed[-1]
                    m = re.search(r'ss:Index="(\d+)"', row[k])
                    row[k] = row[k].replace(m.group(0), 'ss:Index="%d"' % (int(m.group(1)) - 1))
                elif cells:
                    del row[cells[-1]]
                out.extend(row + [line])
                in_row = False
                continue
            row.append(line)
            continue
        out.append(line)
    return '\n'.join(out)


for root, _, files in os.walk(sys.argv[1]):
    for name in files:
        path = os.path.join(root, name)
        if name in ('stderr', 'status'):
            continue
        with open(path, 'rb') as f:
            data = f.read()
        if name.endswith('.xml') or data.lstrip().startswith(b'<?xml'):
            data = drop_xml(data.decode('utf-8')).encode('utf-8')
        else:
            data = drop_tab(data)
        with open(path, 'wb') as f:
            f.write(data)
