#!/usr/bin/env python3
"""Makes Boxwright's interface font: the system's Japanese font cut down to the
characters of the program's own texts.

    make_interface_font.py FONT INDEX OUTPUT SOURCE...

FONT and INDEX name the font (a collection's member by its index), OUTPUT is
the file written (OpenType), each SOURCE a C++ file whose non-ASCII characters
the font keeps. Outlines, metrics, hints and the font's copyright and licence
records are kept as they are; only the family is renamed, so that the cut-down
font never stands in for the whole one in other programs or in Qt's lists.

The window shows its Japanese captions from this small file; the whole font
(a collection of about 20 MB) is still used for every other character. That
spares the start the pages of the large file that its glyphs, scattered
through it, would bring into memory.
"""

import sys

from fontTools import subset
from fontTools.ttLib import TTFont

FAMILY = "Boxwright UI JP"
POSTSCRIPT_NAME = "BoxwrightUIJP-Regular"

# Name records that carry the family: family, full name, typographic family,
# compatible full name, WWS family. The unique ID (3) names the font file.
FAMILY_RECORDS = {1, 4, 16, 18, 21}


def interface_characters(sources):
    chars = set()
    for path in sources:
        with open(path, encoding="utf-8") as source:
            chars.update(c for c in source.read() if ord(c) > 0x7F)
    return "".join(sorted(chars))


def main(argv):
    if len(argv) < 5:
        sys.stderr.write(__doc__)
        return 2
    font_file, index, output, sources = argv[1], int(argv[2]), argv[3], argv[4:]
    font = TTFont(font_file, fontNumber=index)
    source_family = font["name"].getDebugName(1)

    options = subset.Options()
    options.name_IDs = ["*"]
    options.name_languages = ["*"]
    options.layout_features = ["*"]
    options.notdef_outline = True
    subsetter = subset.Subsetter(options)
    subsetter.populate(text=interface_characters(sources))
    subsetter.subset(font)

    for record in font["name"].names:
        if record.nameID in FAMILY_RECORDS:
            record.string = FAMILY
        elif record.nameID == 6:
            record.string = POSTSCRIPT_NAME
        elif record.nameID == 3:
            record.string = f"{FAMILY}; the interface characters of {source_family}"
    if "CFF " in font:
        cff = font["CFF "].cff
        cff.fontNames = [POSTSCRIPT_NAME]
        top = cff.topDictIndex[0]
        for key in ("FamilyName", "FullName"):
            if key in top.rawDict:
                setattr(top, key, FAMILY)
    font.save(output)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
