#!/usr/bin/env python3
"""Makes Boxwright's interface font: the system's Japanese font cut down to the
characters of the program's own texts.

    make_interface_font.py --check FONT INDEX
        Prints the family of FONT (a collection's member by its INDEX) when it
        can be cut: a Japanese font under the SIL Open Font License. Otherwise
        prints why not and exits with 1.

    make_interface_font.py FONT INDEX OUTPUT LICENCE SOURCE...
        Writes OUTPUT (OpenType) with the non-ASCII characters of each SOURCE
        (C++ files), and beside it OUTPUT's name with "-LICENSE.txt": the
        font's copyright and the licence text LICENCE, which every copy of a
        font under that licence carries.

Outlines, metrics, hints and the font's copyright and licence records are kept
as they are; only the family is renamed, so that the cut-down font never
stands in for the whole one in other programs or in Qt's lists.

The window shows its Japanese captions from this small file; the whole font
(a collection of about 20 MB) is still used for every other character. That
spares the start the pages of the large file that its glyphs, scattered
through it, would bring into memory.
"""

import os
import sys

from fontTools import subset
from fontTools.ttLib import TTFont

FAMILY = "Boxwright UI JP"
POSTSCRIPT_NAME = "BoxwrightUIJP-Regular"

# Name records that carry the family: family, full name, typographic family,
# compatible full name, WWS family. The unique ID (3) names the font file.
FAMILY_RECORDS = {1, 4, 16, 18, 21}

# A font that has these is one for Japanese text: kana of both kinds and kanji.
JAPANESE_SAMPLE = "あア日本"


def name(font, name_id):
    return font["name"].getDebugName(name_id) or ""


def why_not(font):
    """Why the font cannot be cut, or None when it can."""
    licence = (name(font, 13) + " " + name(font, 14)).lower()
    if not any(mark in licence for mark in ("open font license", "scripts.sil.org/ofl", "openfontlicense.org")):
        return "it is not under the SIL Open Font License, so it may not be redistributed cut down"
    cmap = font.getBestCmap() or {}
    if not all(ord(c) in cmap for c in JAPANESE_SAMPLE):
        return "it is no Japanese font"
    return None


def interface_characters(sources):
    chars = set()
    for path in sources:
        with open(path, encoding="utf-8") as source:
            chars.update(c for c in source.read() if ord(c) > 0x7F)
    return "".join(sorted(chars))


def check(font_file, index):
    try:
        font = TTFont(font_file, fontNumber=index, lazy=True)
        reason = why_not(font)
    except Exception as error:  # any file fontTools cannot read is simply not used
        reason = f"fontTools cannot read it ({error})"
    if reason:
        print(reason)
        return 1
    print(name(font, 1))
    return 0


def cut(font_file, index, output, licence_file, sources):
    font = TTFont(font_file, fontNumber=index)
    source = f"{name(font, 1)} {name(font, 5)}".strip() or os.path.basename(font_file)
    copyright_notice = name(font, 0)

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
            record.string = f"{FAMILY}; the interface characters of {source}"
    if "CFF " in font:
        cff = font["CFF "].cff
        cff.fontNames = [POSTSCRIPT_NAME]
        top = cff.topDictIndex[0]
        for key in ("FamilyName", "FullName"):
            if key in top.rawDict:
                setattr(top, key, FAMILY)
    font.save(output)

    with open(licence_file, encoding="utf-8") as licence:
        licence_text = licence.read()
    notice = os.path.splitext(output)[0] + "-LICENSE.txt"
    with open(notice, "w", encoding="utf-8") as out:
        out.write(f"{os.path.basename(output)}: {FAMILY}, the characters of Boxwright's own texts\n")
        out.write(f"cut from {source} ({os.path.basename(font_file)}), renamed, otherwise unchanged.\n\n")
        out.write(f"{copyright_notice}\n\n{licence_text}")
    return 0


def main(argv):
    if len(argv) == 4 and argv[1] == "--check":
        return check(argv[2], int(argv[3]))
    if len(argv) >= 6:
        return cut(argv[1], int(argv[2]), argv[3], argv[4], argv[5:])
    sys.stderr.write(__doc__)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
