#!/usr/bin/python3
"""Writes a stand-in for the heading's font at build time: a copy of a free font whose family is
named "Elephant", so that the tests can see the heading take up the face that the program carries.
No font file is kept in the repository.

Usage: make-elephant-stand-in.py SOURCE.ttf OUTPUT.ttf
"""

import sys

from fontTools.ttLib import TTFont

# Family, unique identifier, full name, PostScript name, typographic family.
NAMES = {1: "Elephant", 3: "Elephant stand-in", 4: "Elephant", 6: "Elephant", 16: "Elephant"}

font = TTFont(sys.argv[1])
for record in font["name"].names:
    if record.nameID in NAMES:
        record.string = NAMES[record.nameID]
font.save(sys.argv[2])
