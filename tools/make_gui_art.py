#!/usr/bin/env python3
"""Generates the widget art under game/data/gui/.

One look for every widget: a dark slate window with a thin light frame, a
blue title bar, rounded blue buttons that light up under the pointer and
darken when pressed (the close button turns red), a sunken dark text field
with light text and a light text cursor.

Files written (all into the output folder, default game/data/gui):

  background.png        window background, 400 x 200 (the console window's
                        own size, so it is drawn unscaled there)
  titlebar.png          title bar, 64 x 20, the same in every column (it is
                        stretched sideways to the window's width)
  maximize.png          the maximize button's frames side by side, 4 x 20 x 20:
  close.png             normal, half lit, lit, pressed
  maximize.xml          animated sprite files over those strips with the
  close.xml             animations the buttons play: "mouse_over",
                        "mouse_out", "mouse_button_down", "mouse_button_up"
  text_input_back.png   the text field, 400 x 20
  text_input.xml        the text sprite of the console's input line
  text_input.ogf        its font: the glyphs of the built-in system font
  text_input_font.bmp   (tools/make_system_font.py) in the text colour, as
                        an OGF grid with proportional widths
  text_cursor.png       the text cursor, 2 x 15

Only the standard library is used. Output is deterministic.

Usage: tools/make_gui_art.py [output folder] [--preview preview.png]
"""
import os
import struct
import sys
import zlib

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import make_system_font  # noqa: E402  (the glyph art)

# --- palette -------------------------------------------------------------------

FRAME = (74, 88, 104)
WINDOW_TOP = (38, 45, 55)
WINDOW_BOTTOM = (26, 31, 38)
WINDOW_INNER = (46, 54, 66)
TITLE_TOP = (64, 112, 168)
TITLE_BOTTOM = (40, 84, 134)
TITLE_LIGHT = (98, 142, 196)
TITLE_DARK = (28, 58, 96)
BUTTON = {
    "maximize": [(52, 94, 143), (64, 110, 163), (78, 128, 184), (33, 70, 110)],
    "close": [(52, 94, 143), (140, 72, 70), (196, 64, 52), (132, 38, 30)],
}
BUTTON_EDGE = (24, 50, 82)
ICON = (232, 238, 245)
FIELD = (17, 21, 26)
FIELD_SHADOW = (9, 11, 14)
TEXT = (220, 228, 236)
MAGENTA = (255, 0, 255)

BUTTON_SIZE = 20
FRAME_COUNT = 4


# --- images ----------------------------------------------------------------------

class Image:
    """RGBA pixels, rows of (r, g, b, a)."""

    def __init__(self, w, h, color=(0, 0, 0, 0)):
        self.w, self.h = w, h
        self.px = [[color for _ in range(w)] for _ in range(h)]

    def put(self, x, y, color, coverage=1.0):
        """Blends color over the pixel by its alpha times coverage."""
        if not (0 <= x < self.w and 0 <= y < self.h) or coverage <= 0:
            return
        r, g, b = color[:3]
        a = (color[3] if len(color) > 3 else 255) / 255.0 * min(coverage, 1.0)
        dr, dg, db, da = self.px[y][x]
        da /= 255.0
        out = a + da * (1 - a)
        if out <= 0:
            self.px[y][x] = (0, 0, 0, 0)
            return

        def mix(s, d):
            return int(round((s * a + d * da * (1 - a)) / out))
        self.px[y][x] = (mix(r, dr), mix(g, dg), mix(b, db), int(round(out * 255)))

    def fill(self, x0, y0, w, h, color):
        for y in range(y0, y0 + h):
            for x in range(x0, x0 + w):
                self.put(x, y, color)

    def blit(self, other, dx, dy):
        for y in range(other.h):
            for x in range(other.w):
                if 0 <= x + dx < self.w and 0 <= y + dy < self.h:
                    self.px[y + dy][x + dx] = other.px[y][x]


def lerp(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


def shade(color, factor):
    return tuple(max(0, min(255, int(round(c * factor)))) for c in color[:3])


def coverage(inside, x, y, samples=4):
    """The part of pixel (x, y) for which inside(px, py) holds."""
    hits = 0
    for sy in range(samples):
        for sx in range(samples):
            if inside(x + (sx + 0.5) / samples, y + (sy + 0.5) / samples):
                hits += 1
    return hits / float(samples * samples)


def rounded(x0, y0, x1, y1, radius):
    """Inside test of a rounded rectangle [x0, x1) x [y0, y1)."""
    def inside(px, py):
        if px < x0 or px >= x1 or py < y0 or py >= y1:
            return False
        cx = min(max(px, x0 + radius), x1 - radius)
        cy = min(max(py, y0 + radius), y1 - radius)
        return (px - cx) ** 2 + (py - cy) ** 2 <= radius * radius
    return inside


def segment(ax, ay, bx, by, half_width):
    """Inside test of a thick line from (ax, ay) to (bx, by)."""
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy

    def inside(px, py):
        t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / length2))
        qx, qy = ax + t * dx - px, ay + t * dy - py
        return qx * qx + qy * qy <= half_width * half_width
    return inside


def paint(image, inside, color, box=None):
    x0, y0, x1, y1 = box or (0, 0, image.w, image.h)
    for y in range(y0, y1):
        for x in range(x0, x1):
            c = coverage(inside, x, y)
            if c > 0:
                image.put(x, y, color, c)


# --- the pieces --------------------------------------------------------------------

def window_background(w=400, h=200):
    image = Image(w, h)
    for y in range(h):
        row = lerp(WINDOW_TOP, WINDOW_BOTTOM, y / float(h - 1))
        for x in range(w):
            image.px[y][x] = row + (255,)
    # A light frame, and a faint inner line that lifts the edge.
    for x in range(w):
        image.px[0][x] = FRAME + (255,)
        image.px[h - 1][x] = shade(FRAME, 0.8) + (255,)
    for y in range(h):
        image.px[y][0] = FRAME + (255,)
        image.px[y][w - 1] = shade(FRAME, 0.8) + (255,)
    for x in range(1, w - 1):
        image.px[1][x] = WINDOW_INNER + (255,)
    for y in range(1, h - 1):
        image.px[y][1] = WINDOW_INNER + (255,)
    return image


def title_bar(w=64, h=20):
    image = Image(w, h)
    for y in range(h):
        if y == 0:
            color = TITLE_LIGHT
        elif y == h - 1:
            color = TITLE_DARK
        else:
            color = lerp(TITLE_TOP, TITLE_BOTTOM, (y - 1) / float(h - 3))
        for x in range(w):
            image.px[y][x] = color + (255,)
    return image


def maximize_icon(image, offset):
    # A window outline with a thick top edge, 10 x 9, centred.
    x0, y0 = 5 + offset, 5.5
    outline = [
        (x0, y0, 10, 2),          # title edge
        (x0, y0, 1.5, 9),         # left
        (x0 + 8.5, y0, 1.5, 9),   # right
        (x0, y0 + 7.5, 10, 1.5),  # bottom
    ]
    for (x, y, w, h) in outline:
        paint(image, lambda px, py, x=x, y=y, w=w, h=h: x <= px < x + w and y <= py < y + h,
              ICON, (offset, 0, offset + BUTTON_SIZE, BUTTON_SIZE))


def close_icon(image, offset):
    box = (offset, 0, offset + BUTTON_SIZE, BUTTON_SIZE)
    a, b = 6.0, 14.0
    paint(image, segment(offset + a, a, offset + b, b, 1.1), ICON, box)
    paint(image, segment(offset + b, a, offset + a, b, 1.1), ICON, box)


def button_strip(kind):
    image = Image(BUTTON_SIZE * FRAME_COUNT, BUTTON_SIZE)
    for frame, color in enumerate(BUTTON[kind]):
        x = frame * BUTTON_SIZE
        box = (x, 0, x + BUTTON_SIZE, BUTTON_SIZE)
        paint(image, rounded(x + 1, 1, x + 19, 19, 4.0), BUTTON_EDGE, box)
        # Body with a soft top-to-bottom shading; pressed buttons are flat.
        inner = rounded(x + 2, 2, x + 18, 18, 3.0)
        for y in range(2, 18):
            t = (y - 2) / 15.0
            row = color if frame == 3 else lerp(shade(color, 1.12), shade(color, 0.9), t)
            for px in range(x + 2, x + 18):
                c = coverage(inner, px, y)
                if c > 0:
                    image.put(px, y, row, c)
        if kind == "maximize":
            maximize_icon(image, x + (1 if frame == 3 else 0))
        else:
            close_icon(image, x + (1 if frame == 3 else 0))
    return image


def text_field(w=400, h=20):
    image = Image(w, h, FIELD + (255,))
    for x in range(w):
        image.px[0][x] = FRAME + (255,)
        image.px[h - 1][x] = FRAME + (255,)
        image.px[1][x] = FIELD_SHADOW + (255,)
    for y in range(h):
        image.px[y][0] = FRAME + (255,)
        image.px[y][w - 1] = FRAME + (255,)
    for y in range(1, h - 1):
        image.px[y][1] = FIELD_SHADOW + (255,)
    return image


def text_cursor(h=15):
    image = Image(2, h, TEXT + (255,))
    return image


# --- the font ---------------------------------------------------------------------

FONT_COLUMNS = 16
FONT_CELL_W = make_system_font.CELL_W
FONT_CELL_H = make_system_font.CELL_H
SPACE_WIDTH = 5


def font_grid():
    """The printable Latin-1 characters in grid order with their art."""
    codes = [32] + [c for c in range(33, 255) if c in make_system_font.GLYPHS]
    rows = (len(codes) + FONT_COLUMNS - 1) // FONT_COLUMNS
    pixels = [[MAGENTA for _ in range(FONT_COLUMNS * FONT_CELL_W)]
              for _ in range(rows * FONT_CELL_H)]
    widths = []
    for index, code in enumerate(codes):
        gx = (index % FONT_COLUMNS) * FONT_CELL_W
        gy = (index // FONT_COLUMNS) * FONT_CELL_H
        if code == 32:
            widths.append(SPACE_WIDTH)
            continue
        top, art = make_system_font.GLYPHS[code]
        width = max(len(row.rstrip(".")) for row in art)
        for r, row in enumerate(art):
            for c, ch in enumerate(row):
                if ch == "#":
                    pixels[gy + top + r][gx + c] = TEXT
        # One column of air after each glyph.
        widths.append(min(width + 1, FONT_CELL_W))
    return codes, rows, pixels, widths


def ogf_line(codes, rows, widths, image_name):
    # Widths in 64ths of a cell, two digits each.
    digits = "".join("%02d" % (w * 64 // FONT_CELL_W) for w in widths)
    characters = bytes(codes).decode("latin-1")
    fields = ["OGF", str(FONT_COLUMNS), str(rows), str(FONT_CELL_W), str(FONT_CELL_H),
              str(len(codes)), "888", characters, digits, image_name]
    return ";".join(fields).encode("latin-1")


# --- files ----------------------------------------------------------------------------

def write_png(path, image):
    raw = b"".join(b"\x00" + b"".join(bytes(p) for p in row) for row in image.px)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))
    header = struct.pack(">IIBBBBB", image.w, image.h, 8, 6, 0, 0, 0)
    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
                  chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def write_bmp(path, pixels):
    """24-bit BMP, bottom-up, rows padded to 4 bytes."""
    h, w = len(pixels), len(pixels[0])
    pad = (4 - (w * 3) % 4) % 4
    data = b"".join(b"".join(bytes((b, g, r)) for (r, g, b) in row) + b"\x00" * pad
                    for row in reversed(pixels))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, "wb") as out:
        out.write(header + info + data)


def element(name, value, indent):
    pad = "  " * indent
    return "%s<%s>\n%s  %s\n%s</%s>\n" % (pad, name, pad, value, pad, name)


def rect(name, x, y, w, h, indent):
    pad = "  " * indent
    return '%s<%s h="%d" w="%d" x="%d" y="%d" >\n%s</%s>\n' % (pad, name, h, w, x, y, pad, name)


def button_sprite(image_name):
    """An animated sprite over a strip of FRAME_COUNT button frames."""
    def frame(index, length):
        return ('    <Frame type="frame_rect" >\n' +
                rect("Rect", index * BUTTON_SIZE, 0, BUTTON_SIZE, BUTTON_SIZE, 3) +
                element("FrameLength", length, 3) + "    </Frame>\n")

    def animation(name, frames):
        return ('  <Animation loop="0" name="%s" >\n' % name +
                "".join(frame(i, ms) for i, ms in frames) + "  </Animation>\n")
    return ('<sprite type="sprite_animated" >\n' +
            element("ImageFilename", image_name, 1) +
            element("Z", 50, 1) +
            element("CurrentAnimation", "mouse_out", 1) +
            element("MiniumUpdateTime", 0, 1) +
            animation("mouse_over", [(1, 40), (2, 40)]) +
            animation("mouse_out", [(1, 40), (0, 40)]) +
            animation("mouse_button_down", [(3, 40)]) +
            animation("mouse_button_up", [(2, 40)]) +
            "</sprite>\n")


def text_input_sprite(folder_name):
    return ('<sprite type="sprite_text" >\n' +
            rect("ImageRect", 0, 0, 400, 20, 1) +
            element("Z", 50, 1) +
            rect_point("FontStartPosition", 5, 3, 1) +
            rect("FontRect", 5, 3, 390, 15, 1) +
            element("BackdropFile", folder_name + "/text_input_back.png", 1) +
            element("FontFile", folder_name + "/text_input.ogf", 1) +
            element("FontAlignment", "left", 1) +
            "</sprite>\n")


def rect_point(name, x, y, indent):
    pad = "  " * indent
    return '%s<%s x="%d" y="%d" >\n%s</%s>\n' % (pad, name, x, y, pad, name)


def preview(path, images, scale=3):
    """All pieces on one sheet, enlarged, for looking at them."""
    gap = 6
    w = max(i.w for i in images) + 2 * gap
    h = sum(i.h + gap for i in images) + gap
    sheet = Image(w, h, (120, 120, 120, 255))
    y = gap
    for image in images:
        sheet.blit(image, gap, y)
        y += image.h + gap
    big = Image(w * scale, h * scale)
    for yy in range(big.h):
        for xx in range(big.w):
            r, g, b, a = sheet.px[yy // scale][xx // scale]
            big.px[yy][xx] = (r, g, b, 255) if a else (120, 120, 120, 255)
    write_png(path, big)


def main(argv):
    folder = "game/data/gui"
    preview_path = None
    args = list(argv)
    while args:
        arg = args.pop(0)
        if arg == "--preview":
            preview_path = args.pop(0)
        else:
            folder = arg
    os.makedirs(folder, exist_ok=True)
    runtime = "data/gui"  # how the game names the folder from its runtime folder

    pieces = {
        "background.png": window_background(),
        "titlebar.png": title_bar(),
        "maximize.png": button_strip("maximize"),
        "close.png": button_strip("close"),
        "text_input_back.png": text_field(),
        "text_cursor.png": text_cursor(),
    }
    for name, image in pieces.items():
        write_png(os.path.join(folder, name), image)
    for name in ("maximize", "close"):
        with open(os.path.join(folder, name + ".xml"), "w", newline="\n") as out:
            out.write(button_sprite(runtime + "/" + name + ".png"))
    with open(os.path.join(folder, "text_input.xml"), "w", newline="\n") as out:
        out.write(text_input_sprite(runtime))

    codes, rows, pixels, widths = font_grid()
    write_bmp(os.path.join(folder, "text_input_font.bmp"), pixels)
    with open(os.path.join(folder, "text_input.ogf"), "wb") as out:
        out.write(ogf_line(codes, rows, widths, "text_input_font.bmp") + b"\n")

    if preview_path:
        font = Image(len(pixels[0]), len(pixels))
        for y, row in enumerate(pixels):
            for x, color in enumerate(row):
                font.px[y][x] = (0, 0, 0, 0) if color == MAGENTA else color + (255,)
        preview(preview_path, [pieces["background.png"], pieces["titlebar.png"],
                               pieces["maximize.png"], pieces["close.png"],
                               pieces["text_input_back.png"], font])


if __name__ == "__main__":
    main(sys.argv[1:])
