#!/usr/bin/python3
"""Draws the art of the parts catalogue with Pillow: one sprite per part at
the camera's 32 pixels per metre, exactly the size of its body (outline
inside), every opponent's recoloured and mirrored copies, and the prize
cards of the new-parts screen. Writes the sprite files that show them.

Look (see the art direction): a dark 2 px outline, flat colour with one
highlight band and one shadow band. Armour is blue-grey steel with rivets;
damage parts are bright steel with a red-orange edge; wheels dark rubber
with a coloured hub whose spokes show the turning; structure painted wood or
green-grey metal; counterweights dark iron; every head has eyes, heavy heads
a helmet. Opponents wear one accent colour on their non-damage parts.

Usage: /usr/bin/python3 tools/make_parts_art.py [GAME_FOLDER]   (default game/)
Needs python3-pil. The output is committed; run it again only to change the art.
"""
import glob
import math
import os
import sys

from PIL import Image, ImageChops, ImageDraw, ImageFont, ImageOps

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import parts_catalogue as catalogue  # noqa: E402

PPM = 32          # pixels per metre
SS = 4            # supersampling
OUTLINE = (21, 23, 28)
STEEL = (150, 162, 178)      # armour: blue-grey
BRIGHT = (214, 220, 230)     # damage parts
EDGE = (232, 86, 48)         # red-orange edge
RUBBER = (44, 44, 50)
IRON = (58, 60, 66)
WOOD = (176, 120, 70)
METAL = (112, 132, 112)      # green-grey structure
SKIN = (132, 196, 98)
WHITE = (246, 246, 240)

# The player's own colours: what the shop's sprites wear.
PLAYER_ACCENT = None

# Each opponent's accent colour, by the name in tools/ladder/oN_NAME.txt.
ACCENTS = {
    "rattler": (236, 200, 70),
    "tortoise": (70, 170, 120),
    "jouster": (120, 130, 230),
    "needle": (70, 190, 220),
    "sawbones": (214, 70, 70),
    "bulldozer": (232, 140, 52),
    "buzzsaw": (170, 110, 210),
    "thorn": (150, 210, 70),
    "whirligig": (240, 120, 170),
    "overlord": (200, 40, 60),
}


def lighter(c, f=0.25):
    return tuple(int(round(v + (255 - v) * f)) for v in c)


def darker(c, f=0.3):
    return tuple(int(round(v * (1 - f))) for v in c)


def blend(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


class Art:
    """A picture of w x h pixels drawn at SS times the size."""

    def __init__(self, w, h):
        self.w, self.h = w, h
        self.img = Image.new("RGBA", (w * SS, h * SS), (0, 0, 0, 0))

    def s(self, v):
        return v * SS

    def box(self, x0, y0, x1, y1):
        return [self.s(x0), self.s(y0), self.s(x1) - 1, self.s(y1) - 1]

    def mask(self):
        return Image.new("L", self.img.size, 0)

    def paint(self, mask, colour, alpha=255):
        layer = Image.new("RGBA", self.img.size, colour + (alpha,))
        m = mask if alpha == 255 else ImageChops.multiply(mask, Image.new("L", mask.size, alpha))
        self.img.paste(layer, (0, 0), m)

    def shape(self, kind, x0, y0, x1, y1, colour, radius=0, alpha=255, clip=None):
        m = self.mask()
        d = ImageDraw.Draw(m)
        b = self.box(x0, y0, x1, y1)
        if b[2] < b[0] or b[3] < b[1]:
            return m
        if kind == "ellipse":
            d.ellipse(b, fill=255)
        else:
            d.rounded_rectangle(b, radius=self.s(radius), fill=255)
        if clip is not None:
            m = ImageChops.multiply(m, clip)
        self.paint(m, colour, alpha)
        return m

    def poly(self, points, colour, alpha=255, clip=None):
        m = self.mask()
        ImageDraw.Draw(m).polygon([(self.s(x), self.s(y)) for x, y in points], fill=255)
        if clip is not None:
            m = ImageChops.multiply(m, clip)
        self.paint(m, colour, alpha)
        return m

    def line(self, x0, y0, x1, y1, width, colour, alpha=255, clip=None):
        m = self.mask()
        ImageDraw.Draw(m).line([(self.s(x0), self.s(y0)), (self.s(x1), self.s(y1))],
                               fill=255, width=max(1, int(self.s(width))))
        if clip is not None:
            m = ImageChops.multiply(m, clip)
        self.paint(m, colour, alpha)

    def bands(self, clip, top, bottom):
        """One highlight band over the top and one shadow band over the bottom
        of the clipped area."""
        h = self.h
        self.shape("box", -1, -1, self.w + 1, top, (255, 255, 255), alpha=70, clip=clip)
        self.shape("box", -1, h - bottom, self.w + 1, h + 1, (0, 0, 0), alpha=60, clip=clip)

    def rivet(self, x, y, r=0.9):
        self.shape("ellipse", x - r, y - r, x + r, y + r, darker(STEEL, 0.45))
        self.shape("ellipse", x - r * 0.5, y - r * 0.7, x + r * 0.3, y, lighter(STEEL, 0.5))

    def result(self, mirrored):
        out = self.img.resize((self.w, self.h), Image.LANCZOS)
        # Keep the colour key out of the edges.
        px = out.load()
        for y in range(self.h):
            for x in range(self.w):
                r, g, b, a = px[x, y]
                if (r, g, b) == (255, 0, 255):
                    px[x, y] = (254, 0, 254, a)
        return ImageOps.mirror(out) if mirrored else out


# --- Parts -------------------------------------------------------------------------

def outlined_box(a, colour, radius, inset=0.0):
    w, h = a.w, a.h
    a.shape("box", inset, inset, w - inset, h - inset, OUTLINE, radius)
    return a.shape("box", inset + 2, inset + 2, w - inset - 2, h - inset - 2, colour,
                   max(0, radius - 1.5))


def outlined_circle(a, colour, inset=0.0):
    w, h = a.w, a.h
    a.shape("ellipse", inset, inset, w - inset, h - inset, OUTLINE)
    return a.shape("ellipse", inset + 2, inset + 2, w - inset - 2, h - inset - 2, colour)


def draw_head(a, part, accent, helmet):
    skin = accent or SKIN
    w, h = a.w, a.h
    inner = outlined_circle(a, skin)
    a.bands(inner, h * 0.3, h * 0.28)
    cx, cy = w / 2, h / 2
    er = w * 0.13
    for ex in (cx - w * 0.04, cx + w * 0.24):      # looking ahead (+x)
        a.shape("ellipse", ex - er - 1, cy - er - 1 - h * 0.02, ex + er + 1, cy + er + 1 - h * 0.02, OUTLINE)
        a.shape("ellipse", ex - er, cy - er - h * 0.02, ex + er, cy + er - h * 0.02, WHITE)
        pr = er * 0.5
        a.shape("ellipse", ex + er * 0.25 - pr, cy - pr, ex + er * 0.25 + pr, cy + pr, OUTLINE)
    # a grim mouth
    a.line(cx - w * 0.05, cy + h * 0.24, cx + w * 0.28, cy + h * 0.2, 1.4, OUTLINE, clip=inner)
    if helmet:
        steel = STEEL
        a.shape("box", 0, 0, w, h * 0.36 + 2, OUTLINE, clip=_circle_mask(a, 0))
        dome = a.shape("box", 0, 0, w, h * 0.36, steel, clip=_circle_mask(a, 2))
        a.shape("box", 0, 0, w, h * 0.14, lighter(steel, 0.45), clip=dome)
        for k in range(5):
            x = w * (0.2 + 0.15 * k)
            a.rivet(x, h * 0.28, 1.0)
        if accent:
            a.shape("box", w * 0.45, 0, w * 0.58, h * 0.36, accent, clip=dome)


def _circle_mask(a, inset):
    m = a.mask()
    ImageDraw.Draw(m).ellipse(a.box(inset, inset, a.w - inset, a.h - inset), fill=255)
    return m


def draw_chassis(a, part, accent):
    paint = accent or WOOD
    inner = outlined_box(a, paint, 3)
    # planks
    for k in range(1, 4):
        x = a.w * k / 4
        a.line(x, 2, x, a.h - 2, 1.0, darker(paint, 0.35), clip=inner)
    a.bands(inner, a.h * 0.3, a.h * 0.3)
    for x in (4.5, a.w - 4.5):
        for y in (4.5, a.h - 4.5):
            a.rivet(x, y, 1.0)


def draw_beam(a, part, accent):
    inner = outlined_box(a, METAL, 2)
    if accent:
        a.shape("box", 0, 0, a.w, a.h * 0.38, accent, clip=inner)
    # lightening holes
    n = 6
    for k in range(n):
        x = a.w * (k + 0.5) / n
        r = a.h * 0.18
        a.shape("ellipse", x - r, a.h * 0.62 - r, x + r, a.h * 0.62 + r, darker(METAL, 0.55))
    a.bands(inner, a.h * 0.25, a.h * 0.25)


def draw_wheel(a, part, accent, spiked=False):
    w, h = a.w, a.h
    cx, cy = w / 2, h / 2
    r = w / 2
    tyre = outlined_circle(a, RUBBER)
    hub_colour = accent or (224, 186, 64)
    if spiked:
        # steel teeth round the rim, red-orange tips
        for k in range(10):
            ang = k * 2 * math.pi / 10
            pts = []
            for da, rr in ((-0.16, r * 0.72), (0.0, r - 1.5), (0.16, r * 0.72)):
                pts.append((cx + math.cos(ang + da) * rr, cy + math.sin(ang + da) * rr))
            a.poly(pts, BRIGHT)
            tip = (cx + math.cos(ang) * (r - 2.5), cy + math.sin(ang) * (r - 2.5))
            a.shape("ellipse", tip[0] - 1.1, tip[1] - 1.1, tip[0] + 1.1, tip[1] + 1.1, EDGE)
    else:
        # tread notches show the turning
        for k in range(12):
            ang = k * math.pi / 6
            a.line(cx + math.cos(ang) * (r - 4), cy + math.sin(ang) * (r - 4),
                   cx + math.cos(ang) * (r - 2), cy + math.sin(ang) * (r - 2), 1.2, (24, 24, 28))
    a.bands(tyre, h * 0.25, h * 0.25)
    hr = r * 0.5
    a.shape("ellipse", cx - hr - 1, cy - hr - 1, cx + hr + 1, cy + hr + 1, OUTLINE)
    hub = a.shape("ellipse", cx - hr, cy - hr, cx + hr, cy + hr, hub_colour)
    a.shape("box", 0, 0, w, cy - hr * 0.3, lighter(hub_colour, 0.35), clip=hub)
    for k in range(3):
        ang = k * 2 * math.pi / 3 + 0.4
        a.line(cx, cy, cx + math.cos(ang) * hr, cy + math.sin(ang) * hr, 1.6, darker(hub_colour, 0.5))
    a.shape("ellipse", cx - 1.6, cy - 1.6, cx + 1.6, cy + 1.6, OUTLINE)


def draw_leg(a, part, accent):
    paint = accent or METAL
    inner = outlined_box(a, paint, 2)
    a.bands(inner, 0, 0)
    w, h = a.w, a.h
    a.shape("box", 0, 0, w * 0.45, h, lighter(paint, 0.3), clip=inner)
    # foot pad at the far end, hip joint at the pin
    a.shape("box", 1, h - 7, w - 1, h - 1, OUTLINE, 1)
    a.shape("box", 2, h - 6, w - 2, h - 2, RUBBER, 1)
    a.shape("ellipse", w / 2 - 2, 1.5, w / 2 + 2, 5.5, darker(paint, 0.5))


def draw_armour(a, part, accent):
    inner = outlined_box(a, STEEL, 1.5)
    a.bands(inner, a.h * 0.22 if a.h > a.w else a.h * 0.35, a.h * 0.22 if a.h > a.w else a.h * 0.3)
    if accent:
        if a.h > a.w:
            a.shape("box", 0, a.h * 0.42, a.w, a.h * 0.58, accent, clip=inner)
        else:
            a.shape("box", a.w * 0.44, 0, a.w * 0.56, a.h, accent, clip=inner)
    long_side = max(a.w, a.h)
    n = max(2, int(long_side // 9))
    for k in range(n):
        t = (k + 0.5) / n
        if a.h > a.w:
            a.rivet(a.w / 2, a.h * t, 0.9)
        else:
            a.rivet(a.w * t, a.h / 2, 0.9)


def draw_spike(a, part, accent):
    w, h = a.w, a.h
    # a mount at the pin end (left), a tapered lance to the right
    pts_o = [(0, 0), (w * 0.55, 0), (w, h / 2), (w * 0.55, h), (0, h)]
    a.poly(pts_o, OUTLINE)
    inner = a.poly([(1.6, 1.6), (w * 0.55, 1.6), (w - 2.6, h / 2), (w * 0.55, h - 1.6), (1.6, h - 1.6)], BRIGHT)
    a.shape("box", 0, h / 2, w, h, darker(BRIGHT, 0.3), clip=inner)
    a.line(w * 0.5, 1.8, w - 2.5, h / 2, 1.0, EDGE, clip=inner)
    a.line(w * 0.5, h - 1.8, w - 2.5, h / 2, 1.0, EDGE, clip=inner)
    a.shape("box", 1.5, 1.5, w * 0.22, h - 1.5, accent or darker(STEEL, 0.2), clip=inner)


def draw_blade(a, part, accent):
    w, h = a.w, a.h
    pts_o = [(0, h / 2), (h, 0), (w - h, 0), (w, h / 2), (w - h, h), (h, h)]
    a.poly(pts_o, OUTLINE)
    inner = a.poly([(2.5, h / 2), (h + 0.8, 1.5), (w - h - 0.8, 1.5), (w - 2.5, h / 2),
                    (w - h - 0.8, h - 1.5), (h + 0.8, h - 1.5)], BRIGHT)
    a.shape("box", 0, 0, w, 2.6, EDGE, clip=inner)
    a.shape("box", 0, h - 2.6, w, h, EDGE, clip=inner)
    a.shape("ellipse", w / 2 - h / 2, 0.5, w / 2 + h / 2, h - 0.5, OUTLINE)
    a.shape("ellipse", w / 2 - h / 2 + 1.2, 1.7, w / 2 + h / 2 - 1.2, h - 1.7, accent or STEEL)


def draw_hammer(a, part, accent):
    w, h = a.w, a.h
    head_w = w * 0.28
    # handle from the pin (left) to the head
    a.shape("box", 0, h * 0.25, w - head_w + 2, h * 0.75, OUTLINE, 1)
    handle = a.shape("box", 1.5, h * 0.25 + 1.5, w - head_w + 2, h * 0.75 - 1.5, accent or WOOD, 1)
    a.shape("box", 0, 0, w, h * 0.42, lighter(accent or WOOD, 0.3), clip=handle)
    a.shape("box", w - head_w, 0, w, h, OUTLINE, 2)
    head = a.shape("box", w - head_w + 2, 2, w - 2, h - 2, BRIGHT, 1)
    a.bands(head, h * 0.3, h * 0.3)
    a.shape("box", w - 4.5, 0, w, h, EDGE, clip=head)


def draw_flail(a, part, accent):
    w, h = a.w, a.h
    # chain links from the pin to a heavy striker
    a.shape("box", 0, h * 0.2, w, h * 0.8, OUTLINE, h * 0.3)
    chain = a.shape("box", 1.2, h * 0.2 + 1.2, w - 1.2, h * 0.8 - 1.2, darker(BRIGHT, 0.25), h * 0.3)
    for k in range(int(w // 6)):
        x = 3 + k * 6
        a.line(x, 0, x, h, 1.0, OUTLINE, clip=chain)
    sw = w * 0.25
    a.shape("box", w - sw, 0, w, h, OUTLINE, 2)
    striker = a.shape("box", w - sw + 1.5, 1.5, w - 1.5, h - 1.5, BRIGHT, 1)
    a.shape("box", w - 4, 0, w, h, EDGE, clip=striker)
    a.shape("box", 0, 0, 4, h, OUTLINE, 1)
    a.shape("box", 1, 1, 3.5, h - 1, accent or METAL, 1)


def draw_arm(a, part, accent):
    paint = accent or METAL
    inner = outlined_box(a, paint, a.h / 2)
    a.bands(inner, a.h * 0.3, a.h * 0.3)
    w, h = a.w, a.h
    # piston line and two joints
    a.line(h, h / 2, w - h, h / 2, 1.2, darker(paint, 0.45), clip=inner)
    for x in (h * 0.55 + 0.5, w - h * 0.55 - 0.5):
        a.shape("ellipse", x - h * 0.32, h / 2 - h * 0.32, x + h * 0.32, h / 2 + h * 0.32, darker(paint, 0.55))


def draw_weight(a, part, accent):
    inner = outlined_circle(a, IRON)
    a.bands(inner, a.h * 0.3, a.h * 0.3)
    w, h = a.w, a.h
    # a stripe across shows it turning; a ring in the accent colour
    a.line(w * 0.2, h / 2, w * 0.8, h / 2, 2.2, accent or (200, 60, 50), clip=inner)
    r = w * 0.16
    a.shape("ellipse", w / 2 - r, h / 2 - r, w / 2 + r, h / 2 + r, OUTLINE)
    a.shape("ellipse", w / 2 - r + 1, h / 2 - r + 1, w / 2 + r - 1, h / 2 + r - 1, lighter(IRON, 0.3))


def size_of(part):
    ex, ey = part["extents"]
    if part["shape"] == "circle":
        ey = ex
    return int(round(ex * 2 * PPM)), int(round(ey * 2 * PPM))


def draw_part(part, accent=None, mirrored=False):
    w, h = size_of(part)
    a = Art(w, h)
    kind = part["kind"]
    if kind in ("head", "helmet"):
        draw_head(a, part, accent, kind == "helmet")
    elif kind == "chassis":
        draw_chassis(a, part, accent)
    elif kind == "beam":
        draw_beam(a, part, accent)
    elif kind == "wheel":
        draw_wheel(a, part, accent)
    elif kind == "spikedwheel":
        draw_wheel(a, part, accent, spiked=True)
    elif kind == "leg":
        draw_leg(a, part, accent)
    elif kind == "armour":
        draw_armour(a, part, accent)
    elif kind == "spike":
        draw_spike(a, part, None)
    elif kind == "blade":
        draw_blade(a, part, None)
    elif kind == "hammer":
        draw_hammer(a, part, None)
    elif kind == "flail":
        draw_flail(a, part, None)
    elif kind == "arm":
        draw_arm(a, part, accent)
    elif kind == "weight":
        draw_weight(a, part, accent)
    else:
        raise ValueError(kind)
    return a.result(mirrored)


# --- Prize cards -----------------------------------------------------------------

CARD = 120
FONT = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"


def prize_card(part):
    card = Image.new("RGBA", (CARD * SS, CARD * SS), (0, 0, 0, 0))
    d = ImageDraw.Draw(card)
    d.rounded_rectangle([0, 0, CARD * SS - 1, CARD * SS - 1], radius=12 * SS, fill=(60, 74, 94, 255))
    d.rounded_rectangle([2 * SS, 2 * SS, CARD * SS - 2 * SS - 1, CARD * SS - 2 * SS - 1],
                        radius=10 * SS, fill=(35, 42, 54, 255))
    d.rounded_rectangle([6 * SS, 6 * SS, CARD * SS - 6 * SS - 1, 24 * SS], radius=6 * SS,
                        fill=(242, 178, 51, 255))
    card = card.resize((CARD, CARD), Image.LANCZOS)
    # the part three times its size on the card, at most 104 x 72 pixels
    w, h = size_of(part)
    scale = min(3.0, 104.0 / w, 72.0 / h)
    big = draw_scaled(part, scale)
    card.alpha_composite(big, ((CARD - big.width) // 2, 28 + (72 - big.height) // 2))
    d = ImageDraw.Draw(card)
    font = ImageFont.truetype(FONT, 14)
    label = part["name"].replace("_", " ").upper()
    while d.textlength(label, font=font) > CARD - 14 and font.size > 9:
        font = ImageFont.truetype(FONT, font.size - 1)
    tw = d.textlength(label, font=font)
    d.text(((CARD - tw) / 2 + 1, 8), label, font=font, fill=(0, 0, 0, 150))
    d.text(((CARD - tw) / 2, 7), label, font=font, fill=(35, 30, 20, 255))
    return card


def draw_scaled(part, scale):
    """The part drawn at scale times the camera's size (for the cards)."""
    global PPM
    saved = PPM
    PPM = saved * scale
    try:
        return draw_part(part)
    finally:
        PPM = saved


# --- Files -------------------------------------------------------------------------

def sprite_xml(path, image, z):
    with open(path, "w") as out:
        out.write('<sprite type="sprite_base" >\n'
                  '  <ImageFilename>\n    %s\n  </ImageFilename>\n'
                  '  <Z>\n    %d\n  </Z>\n'
                  '</sprite>\n' % (image, z))


def opponents(tools):
    """(name, part names) of every opponent recipe under tools/ladder."""
    found = []
    for recipe in sorted(glob.glob(os.path.join(tools, "ladder", "o*_*.txt"))):
        name = os.path.basename(recipe)[:-4].split("_", 1)[1]
        used = set()
        with open(recipe) as text:
            for line in text:
                words = line.split("#")[0].split()
                if len(words) >= 2 and words[0] == "part":
                    used.add(os.path.basename(words[1])[:-4])
        found.append((name, sorted(used)))
    return found


def main():
    tools = os.path.dirname(os.path.abspath(__file__))
    game = sys.argv[1] if len(sys.argv) > 1 else os.path.join(tools, "..", "game")
    gfx = os.path.join(game, "data", "gfx")
    parts_dir = os.path.join(gfx, "parts")
    prizes = os.path.join(gfx, "prizes")
    os.makedirs(parts_dir, exist_ok=True)
    os.makedirs(prizes, exist_ok=True)

    for part in catalogue.PARTS:
        name = part["name"]
        draw_part(part).save(os.path.join(parts_dir, name + ".png"))
        sprite_xml(os.path.join(parts_dir, name + ".xml"), "data/gfx/parts/%s.png" % name, part["z"])
        prize_card(part).save(os.path.join(prizes, name + ".png"))
        sprite_xml(os.path.join(prizes, name + ".xml"), "data/gfx/prizes/%s.png" % name, 5)

    for opponent, used in opponents(tools):
        accent = ACCENTS[opponent]
        folder = os.path.join(parts_dir, "opponents", opponent)
        os.makedirs(folder, exist_ok=True)
        for name in used:
            part = catalogue.BY_NAME[name]
            damage = part["kind"] in catalogue.DAMAGE_KINDS
            draw_part(part, None if damage else accent, mirrored=True).save(
                os.path.join(folder, name + ".png"))
            sprite_xml(os.path.join(folder, name + ".xml"),
                       "data/gfx/parts/opponents/%s/%s.png" % (opponent, name), part["z"])


if __name__ == "__main__":
    main()
