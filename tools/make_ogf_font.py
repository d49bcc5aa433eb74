#!/usr/bin/python3
"""Renders a TrueType font from Debian's packages into an OGF bitmap font.

Writes <name>.ogf and <name>.bmp: a grid of glyph cells on magenta (the
engine's colour key), white glyphs with a dark outline so that text reads on
light and dark backgrounds alike. The generated files are committed; run this
only to change the font:

    apt-get install fonts-dejavu-core python3-pil
    tools/make_ogf_font.py game/data/fonts/sans 15

OGF line: OGF;columns;rows;cell width;cell height;N;888;<N characters>;
<two digits per character: glyph width in 64ths of a cell>;<image file>
"""
import os
import sys

from PIL import Image, ImageDraw, ImageFont

FONT = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"
MAGENTA = (255, 0, 255)
OUTLINE = (24, 24, 32)
FILL = (250, 250, 250)
COLUMNS = 16


def main():
    if len(sys.argv) != 3:
        sys.exit("usage: make_ogf_font.py OUTPUT_BASE PIXEL_SIZE")
    base, size = sys.argv[1], int(sys.argv[2])
    font = ImageFont.truetype(FONT, size)
    chars = "".join(chr(c) for c in range(32, 127))
    ascent, descent = font.getmetrics()
    cell_h = ascent + descent + 2          # one pixel of outline above and below
    cell_w = max(int(font.getlength(c)) for c in chars) + 3
    # Widths are stored in 64ths of a cell with two digits: keep cells <= 99/64 wide.
    rows = (len(chars) + COLUMNS - 1) // COLUMNS
    image = Image.new("RGB", (COLUMNS * cell_w, rows * cell_h), MAGENTA)
    widths = []
    for i, c in enumerate(chars):
        x0, y0 = (i % COLUMNS) * cell_w, (i // COLUMNS) * cell_h
        # Render anti-aliased, then threshold: the colour key is all or nothing.
        mask = Image.new("L", (cell_w, cell_h), 0)
        ImageDraw.Draw(mask).text((1, 1), c, font=font, fill=255)
        glyph = mask.point(lambda v: 255 if v >= 110 else 0)
        outline = glyph.copy()
        for dx in (-1, 0, 1):
            for dy in (-1, 0, 1):
                outline.paste(255, (dx, dy), glyph)
        image.paste(OUTLINE, (x0, y0), outline)
        image.paste(FILL, (x0, y0), glyph)
        advance = int(round(font.getlength(c))) + 2
        widths.append(min(99, max(1, (advance * 64 + cell_w - 1) // cell_w)))
    image_name = os.path.basename(base) + ".bmp"
    image.save(base + ".bmp")
    width_digits = "".join("%02d" % w for w in widths)
    line = "OGF;%d;%d;%d;%d;%d;888;%s;%s;%s" % (
        COLUMNS, rows, cell_w, cell_h, len(chars), chars, width_digits,
        os.path.join(os.path.dirname(base).split("game/", 1)[-1], image_name))
    with open(base + ".ogf", "w") as out:
        out.write(line + "\n")


if __name__ == "__main__":
    main()
