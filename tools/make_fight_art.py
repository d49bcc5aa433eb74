#!/usr/bin/env python3
"""Draws the images of the fight data: the parts of the standard monster, the
floor with its walls and the two health bars, as PNG files with an alpha
channel, and writes the sprite files that show them.

Every image is drawn from signed distance functions (negative inside a
shape), sampled 4 x 4 times per pixel for smooth edges. The part images are
exactly as large as their bodies at the camera's 32 pixels per metre, so the
sizes here must follow the extents in game/data/standard_monster.xml and
game/temp/floor.xml.

Usage: tools/make_fight_art.py [GAME_FOLDER]   (default: game/ beside tools/)
The output is committed; run the script again only to change the art.
"""
import math
import os
import struct
import sys
import zlib

SUPERSAMPLE = 4
PIXELS_PER_METRE = 32


# --- PNG writing ---------------------------------------------------------------

def write_png(path, width, height, pixels):
    """pixels: rows of (r, g, b, a) tuples with 0..255 integers."""
    raw = bytearray()
    for row in pixels:
        raw.append(0)  # filter: none
        for r, g, b, a in row:
            raw += bytes((r, g, b, a))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    png = b"\x89PNG\r\n\x1a\n"
    png += chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(bytes(raw), 9))
    png += chunk(b"IEND", b"")
    with open(path, "wb") as out:
        out.write(png)


# --- Shapes --------------------------------------------------------------------

def circle(cx, cy, r):
    return lambda x, y: math.hypot(x - cx, y - cy) - r


def rounded_box(cx, cy, hw, hh, radius):
    def sdf(x, y):
        qx = abs(x - cx) - hw + radius
        qy = abs(y - cy) - hh + radius
        outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
        return outside + min(max(qx, qy), 0.0) - radius
    return sdf


def ring(cx, cy, r, thickness):
    return lambda x, y: abs(math.hypot(x - cx, y - cy) - r) - thickness / 2


def segment(x0, y0, x1, y1, thickness):
    def sdf(x, y):
        dx, dy = x1 - x0, y1 - y0
        t = max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / (dx * dx + dy * dy)))
        return math.hypot(x - x0 - t * dx, y - y0 - t * dy) - thickness / 2
    return sdf


def shrink(sdf, amount):
    return lambda x, y: sdf(x, y) + amount


def intersect(a, b):
    return lambda x, y: max(a(x, y), b(x, y))


# --- Painting ------------------------------------------------------------------

def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def vertical(top, bottom, y0, y1):
    """A colour function: top colour at y0 blending to bottom at y1."""
    def paint(x, y):
        t = 0.0 if y1 == y0 else max(0.0, min(1.0, (y - y0) / (y1 - y0)))
        return mix(top, bottom, t)
    return paint


def radial(inner, outer, cx, cy, r):
    def paint(x, y):
        t = max(0.0, min(1.0, math.hypot(x - cx, y - cy) / r))
        return mix(inner, outer, t)
    return paint


def solid(colour):
    return lambda x, y: colour


class Canvas:
    def __init__(self, width, height):
        self.width = width
        self.height = height
        self.layers = []

    def add(self, sdf, paint, alpha=1.0):
        if not callable(paint):
            paint = solid(paint)
        self.layers.append((sdf, paint, alpha))

    def render(self):
        rows = []
        n = SUPERSAMPLE
        for py in range(self.height):
            row = []
            for px in range(self.width):
                acc = [0.0, 0.0, 0.0, 0.0]
                for sy in range(n):
                    for sx in range(n):
                        x = px + (sx + 0.5) / n
                        y = py + (sy + 0.5) / n
                        r = g = b = a = 0.0
                        for sdf, paint, alpha in self.layers:
                            if sdf(x, y) > 0:
                                continue
                            c = paint(x, y)
                            # "over" in premultiplied terms
                            r = c[0] * alpha + r * (1 - alpha)
                            g = c[1] * alpha + g * (1 - alpha)
                            b = c[2] * alpha + b * (1 - alpha)
                            a = alpha + a * (1 - alpha)
                        acc[0] += r
                        acc[1] += g
                        acc[2] += b
                        acc[3] += a
                count = n * n
                a = acc[3] / count
                if a <= 0:
                    row.append((0, 0, 0, 0))
                    continue
                # Un-premultiply; keep the colour key (magenta) out of edges.
                pixel = tuple(int(round(min(255, max(0, acc[i] / count / a)))) for i in range(3))
                if pixel == (255, 0, 255):
                    pixel = (254, 0, 254)
                row.append(pixel + (int(round(a * 255)),))
            rows.append(row)
        return rows

    def save(self, path):
        write_png(path, self.width, self.height, self.render())


def noise(x, y, seed):
    """Deterministic value in 0..1 for an integer lattice point."""
    h = (int(x) * 374761393 + int(y) * 668265263 + seed * 2147483647) & 0xFFFFFFFF
    h = ((h ^ (h >> 13)) * 1274126177) & 0xFFFFFFFF
    return (h ^ (h >> 16)) / 0xFFFFFFFF


# --- The standard monster --------------------------------------------------------

SKIN_LIGHT = (132, 196, 98)
SKIN_DARK = (62, 128, 60)
OUTLINE = (28, 44, 32)


def head(path):
    size = 32
    c = Canvas(size, size)
    mid = size / 2
    c.add(circle(mid, mid, 15.6), OUTLINE)
    c.add(circle(mid, mid, 14.2), radial(SKIN_LIGHT, SKIN_DARK, mid - 4, mid - 5, 18))
    # eyes looking ahead, a grin and a highlight
    for ex in (mid - 5.2, mid + 5.2):
        c.add(circle(ex, mid - 3, 4.0), OUTLINE)
        c.add(circle(ex, mid - 3, 3.0), (250, 250, 240))
        c.add(circle(ex + 1.1, mid - 2.6, 1.5), (20, 20, 24))
    mouth = intersect(ring(mid, mid + 1.5, 7.0, 1.8), lambda x, y: (mid + 4.5) - y)
    c.add(mouth, OUTLINE)
    c.add(circle(mid - 6, mid - 9, 2.2), (255, 255, 255), 0.35)
    c.save(path)


def torso(path, width, height):
    c = Canvas(width, height)
    cx, cy = width / 2, height / 2
    c.add(rounded_box(cx, cy, width / 2 - 0.2, height / 2 - 0.2, 6), OUTLINE)
    c.add(rounded_box(cx, cy, width / 2 - 1.6, height / 2 - 1.6, 5),
          vertical(SKIN_LIGHT, SKIN_DARK, 0, height))
    # belly plates
    for i in range(3):
        px = cx + (i - 1) * 13
        c.add(rounded_box(px, cy + 2, 5.2, 6.2, 2.5), (48, 92, 52), 0.55)
        c.add(rounded_box(px, cy + 1, 4.2, 5.2, 2), vertical((236, 214, 150), (196, 160, 96), cy - 5, cy + 7))
    c.add(rounded_box(cx, 4, width / 2 - 7, 1.0, 1), (255, 255, 255), 0.25)
    c.save(path)


def wheel(path, size):
    c = Canvas(size, size)
    mid = size / 2
    r = size / 2 - 0.2
    c.add(circle(mid, mid, r), (24, 24, 28))
    c.add(circle(mid, mid, r - 1.4), radial((78, 78, 86), (40, 40, 46), mid - 3, mid - 3, r))
    # treads: notches round the rim show the turning
    for k in range(12):
        a = k * math.pi / 6
        x0, y0 = mid + math.cos(a) * (r - 3.2), mid + math.sin(a) * (r - 3.2)
        x1, y1 = mid + math.cos(a) * (r - 1.0), mid + math.sin(a) * (r - 1.0)
        c.add(segment(x0, y0, x1, y1, 1.4), (22, 22, 26))
    c.add(circle(mid, mid, r * 0.55), (196, 170, 64))
    c.add(circle(mid, mid, r * 0.55 - 1.2), radial((250, 226, 120), (200, 160, 48), mid - 2, mid - 2, r * 0.6))
    for k in range(3):
        a = k * 2 * math.pi / 3 + 0.3
        c.add(segment(mid, mid, mid + math.cos(a) * r * 0.5, mid + math.sin(a) * r * 0.5, 1.6), (120, 92, 30))
    c.add(circle(mid, mid, 2.2), (60, 46, 20))
    c.save(path)


def flail(path, width, height):
    c = Canvas(width, height)
    cx, cy = width / 2, height / 2
    c.add(rounded_box(cx, cy, width / 2 - 0.2, height / 2 - 0.2, height / 2 - 0.2), (34, 36, 44))
    c.add(rounded_box(cx, cy, width / 2 - 1.3, height / 2 - 1.3, height / 2 - 1.3),
          vertical((214, 220, 232), (120, 126, 140), 0, height))
    # the striking end is heavier
    c.add(rounded_box(width - 7, cy, 6, height / 2 - 0.2, 3), (34, 36, 44))
    c.add(rounded_box(width - 7, cy, 5, height / 2 - 1.2, 2.5), vertical((240, 120, 90), (170, 56, 40), 0, height))
    for rx in (5, 13, 21, 29):
        c.add(circle(rx, cy, 1.1), (70, 74, 88))
    c.save(path)


# --- Floor ---------------------------------------------------------------------------

def floor(path, width, height):
    c = Canvas(width, height)

    def earth(x, y):
        base = mix((120, 84, 52), (76, 52, 34), y / height)
        n = noise(x // 3, y // 3, 7)
        shade = 0.88 + 0.22 * n
        return tuple(v * shade for v in base)

    def grass(x, y):
        n = noise(x // 2, 0, 3)
        return mix((118, 188, 74), (72, 140, 52), min(1.0, y / 7 + 0.3 * n))

    everything = lambda x, y: -1.0
    c.add(everything, earth)
    blade = lambda x, y: y - (5.0 + 2.5 * noise(x // 2, 1, 11))
    c.add(blade, grass)
    c.add(lambda x, y: abs(y - 0.6) - 0.6, (170, 220, 120), 0.6)
    # pebbles
    for i in range(40):
        px = 10 + i * 19.7 + 6 * noise(i, 2, 5)
        py = 14 + 12 * noise(i, 3, 5)
        c.add(circle(px, py, 1.2 + 1.3 * noise(i, 4, 5)), (150, 140, 128), 0.8)
    c.save(path)


def wall(path, width, height):
    c = Canvas(width, height)
    c.add(rounded_box(width / 2, height / 2, width / 2 - 0.2, height / 2 - 0.2, 2), (40, 40, 46))
    rows = 5
    stone_h = (height - 2) / rows
    for i in range(rows):
        top = 1 + i * stone_h
        tone = 0.85 + 0.3 * noise(i, 9, 1)
        colour = tuple(v * tone for v in (150, 150, 160))
        c.add(rounded_box(width / 2, top + stone_h / 2, width / 2 - 1.6, stone_h / 2 - 1.0, 1.5),
              vertical(tuple(min(255, v * 1.15) for v in colour), colour, top, top + stone_h))
    c.save(path)


# --- Health bars ---------------------------------------------------------------------------

BAR_W, BAR_H = 270, 28
FILL_INSET = 4


def bar_frame(path):
    c = Canvas(BAR_W, BAR_H)
    cx, cy = BAR_W / 2, BAR_H / 2
    c.add(rounded_box(cx, cy, BAR_W / 2 - 0.2, BAR_H / 2 - 0.2, 8), (16, 18, 24), 0.9)
    c.add(rounded_box(cx, cy, BAR_W / 2 - 1.5, BAR_H / 2 - 1.5, 7), vertical((92, 98, 112), (52, 56, 66), 0, BAR_H))
    c.add(rounded_box(cx, cy, BAR_W / 2 - FILL_INSET + 0.5, BAR_H / 2 - FILL_INSET + 0.5, 4.5), (22, 24, 30))
    c.save(path)


def bar_fill(path, light, dark):
    w, h = BAR_W - 2 * FILL_INSET, BAR_H - 2 * FILL_INSET
    c = Canvas(w, h)
    c.add(rounded_box(w / 2, h / 2, w / 2, h / 2, 4), vertical(light, dark, 0, h))
    c.add(rounded_box(w / 2, 4.5, w / 2 - 4, 2.0, 2), (255, 255, 255), 0.3)
    # segment marks every tenth of the bar
    for k in range(1, 10):
        x = k * w / 10
        c.add(lambda px, py, x=x: abs(px - x) - 0.5, (0, 0, 0), 0.18)
    c.save(path)


# --- Sprite files ---------------------------------------------------------------------------

def sprite_file(path, image, z):
    with open(path, "w") as out:
        out.write('<sprite type="sprite_base" >\n'
                  '  <ImageFilename>\n    %s\n  </ImageFilename>\n'
                  '  <Z>\n    %d\n  </Z>\n'
                  '</sprite>\n' % (image, z))


def slider_file(path, x, y, fill):
    with open(path, "w") as out:
        out.write('<sprite type="sprite_slider" >\n'
                  '  <BottomRect h="%d" w="%d" x="%d" y="%d" >\n  </BottomRect>\n'
                  '  <TopRect h="%d" w="%d" x="%d" y="%d" >\n  </TopRect>\n'
                  '  <TopSprite>\n    %s\n  </TopSprite>\n'
                  '  <BottomSprite>\n    data/gfx/health_bar_frame.xml\n  </BottomSprite>\n'
                  '  <Value>\n    1\n  </Value>\n'
                  '</sprite>\n' % (BAR_H, BAR_W, x, y, BAR_H - 2 * FILL_INSET,
                                   BAR_W - 2 * FILL_INSET, x + FILL_INSET, y + FILL_INSET, fill))


def px(metres):
    value = metres * PIXELS_PER_METRE
    assert abs(value - round(value)) < 1e-6, "extents must be whole pixels"
    return int(round(value))


def main():
    game = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "game")
    gfx = os.path.join(game, "data", "gfx")
    parts = os.path.join(gfx, "parts")
    os.makedirs(parts, exist_ok=True)

    # Parts: (name, image drawer, z). Sizes follow the monster files.
    head(os.path.join(parts, "standard_head.png"))
    torso(os.path.join(parts, "standard_torso.png"), px(2 * 0.875), px(2 * 0.4375))
    wheel(os.path.join(parts, "standard_wheel.png"), px(2 * 0.4375))
    flail(os.path.join(parts, "standard_flail.png"), px(2 * 0.8125), px(2 * 0.15625))
    floor(os.path.join(parts, "floor.png"), px(2 * 12.5), px(2 * 0.5))
    wall(os.path.join(parts, "floor_wall.png"), px(2 * 0.25), px(2 * 1.0))
    for name, z in (("standard_head", 48), ("standard_torso", 50), ("standard_wheel", 49),
                    ("standard_flail", 47), ("floor", 60), ("floor_wall", 60)):
        sprite_file(os.path.join(parts, name + ".xml"), "data/gfx/parts/%s.png" % name, z)

    bar_frame(os.path.join(gfx, "health_bar_frame.png"))
    bar_fill(os.path.join(gfx, "health_bar_fill1.png"), (150, 232, 96), (52, 150, 46))
    bar_fill(os.path.join(gfx, "health_bar_fill2.png"), (252, 150, 92), (196, 52, 40))
    sprite_file(os.path.join(gfx, "health_bar_frame.xml"), "data/gfx/health_bar_frame.png", 11)
    sprite_file(os.path.join(gfx, "health_bar_fill1.xml"), "data/gfx/health_bar_fill1.png", 10)
    sprite_file(os.path.join(gfx, "health_bar_fill2.xml"), "data/gfx/health_bar_fill2.png", 10)
    # Player's bar on the left (clear of the fight's quit button), opponent's on the right.
    slider_file(os.path.join(gfx, "health_bar1.xml"), 170, 22, "data/gfx/health_bar_fill1.xml")
    slider_file(os.path.join(gfx, "health_bar2.xml"), 800 - 20 - BAR_W, 22, "data/gfx/health_bar_fill2.xml")


if __name__ == "__main__":
    main()
