#!/usr/bin/python3
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 The clickshow developers
"""Writes the captions' face as C++ data: its vertical metrics, and for each
printable ASCII character its advance and the box of its ink, in font units
(y up). Every player carries this face and lays its captions out by these
numbers, so they stand alike whatever draws them.

    captionface.py FACE.otf OUTPUT.h
"""
import os
import sys

from fontTools.pens.boundsPen import BoundsPen
from fontTools.ttLib import TTFont

face_path, output = sys.argv[1:3]
face = TTFont(face_path)
glyphs = face.getGlyphSet()
cmap = face.getBestCmap()
os2 = face['OS/2']

rows = []
for code in range(0x20, 0x7f):
    name = cmap.get(code, '.notdef')
    pen = BoundsPen(glyphs)
    glyphs[name].draw(pen)
    box = pen.bounds or (0, 0, 0, 0)
    advance = face['hmtx'][name][0]
    rows.append('    {%d, %d, %d, %d, %d}, // %r' % ((advance,) + tuple(round(v) for v in box) + (chr(code),)))

family = face['name'].getDebugName(1)
os.makedirs(os.path.dirname(output) or ".", exist_ok=True)
with open(output, "w") as out:
    out.write('// Written by player/captionface.py from %s: do not edit.\n' % face_path.split('/')[-1])
    out.write('#pragma once\n\nnamespace player::face {\n\n')
    out.write('inline constexpr const char *kFamily = "%s";\n' % family)
    out.write('inline constexpr int kUnitsPerEm = %d;\n' % face['head'].unitsPerEm)
    # The cell, as Windows sizes a line of it: its top is the line's top.
    out.write('inline constexpr int kAscent = %d;\n' % os2.usWinAscent)
    out.write('inline constexpr int kDescent = %d;\n' % os2.usWinDescent)
    out.write('inline constexpr char kFirst = \' \', kLast = \'~\';\n\n')
    out.write('struct Glyph\n{\n    int advance, left, bottom, right, top;\n};\n\n')
    out.write('inline constexpr Glyph kGlyphs[] = {\n%s\n};\n\n} // namespace player::face\n' % '\n'.join(rows))
