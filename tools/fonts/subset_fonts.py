#!/usr/bin/python3
"""Cuts Liberation Sans Bold and Regular down to the characters the game draws and renames the
family, as the fonts' licence asks of a modified version that drops the reserved name.

Usage: tools/fonts/subset_fonts.py SOURCE_DIR OUT_DIR
  SOURCE_DIR holds LiberationSans-{Bold,Regular}.ttf (Debian's fonts-liberation2);
  OUT_DIR receives BolvendaSans-{Bold,Regular}.ttf, which the project commits in scene/assets/.
The hinting instructions and the 'kern' table (the only kerning the game reads) are kept; the
OpenType layout tables, which only a shaping library would read, are not.
"""
import sys
from pathlib import Path

from fontTools import subset
from fontTools.ttLib import TTFont

# Every character of the captions and tooltips, the digits of the numbers and counters, and
# what a number could ever be written with ("1E+07", "-3"). A test fails when the game shows
# a character that is missing here.
CHARACTERS = (" !+,-.0123456789:"
              "ABCDEFGHIJKLMNOPQRSTUVWXYZ"
              "È")

FAMILY = ("Liberation Sans", "Bolvenda Sans")
POSTSCRIPT = ("LiberationSans", "BolvendaSans")


def rename(font):
    for record in font["name"].names:
        # The copyright, trademark and licence records say where the design comes from: kept.
        if record.nameID in (0, 7, 13, 14):
            continue
        text = record.toUnicode()
        renamed = text.replace(FAMILY[0], FAMILY[1]).replace(POSTSCRIPT[0], POSTSCRIPT[1])
        if renamed != text:
            record.string = renamed


def cut(source, target):
    options = subset.Options()
    options.hinting = True
    options.legacy_kern = True
    options.name_IDs = ["*"]
    options.name_languages = ["*"]
    options.notdef_outline = True
    options.layout_features = []
    options.drop_tables += ["GSUB", "GPOS", "GDEF", "FFTM"]
    font = TTFont(source, recalcTimestamp=False)
    subsetter = subset.Subsetter(options)
    subsetter.populate(unicodes=[ord(c) for c in CHARACTERS])
    subsetter.subset(font)
    rename(font)
    font.save(target)


def main(argv):
    if len(argv) != 3:
        sys.exit(__doc__)
    source, out = Path(argv[1]), Path(argv[2])
    out.mkdir(parents=True, exist_ok=True)
    for face in ("Bold", "Regular"):
        cut(source / f"LiberationSans-{face}.ttf", out / f"BolvendaSans-{face}.ttf")


if __name__ == "__main__":
    main(sys.argv)
