#!/usr/bin/python3
"""Draws the images of the engine showcase (task type "gfxtest").

Writes PNG files into game/data/gfxtest/. The generated files are committed;
run this only to change them (needs Debian's python3-pil):

    tools/make_showcase_art.py game/data/gfxtest
"""
import math
import os
import sys

from PIL import Image, ImageDraw, ImageFilter

SCALE = 4  # draw large, then shrink: smooth edges with real alpha


def smooth(size, paint):
    big = Image.new("RGBA", (size[0] * SCALE, size[1] * SCALE), (0, 0, 0, 0))
    paint(ImageDraw.Draw(big), SCALE)
    return big.resize(size, Image.LANCZOS)


def background(path):
    w, h = 800, 600
    image = Image.new("RGB", (w, h))
    pixels = image.load()
    for y in range(h):
        t = y / (h - 1)
        top, bottom = (28, 36, 64), (82, 58, 96)
        row = tuple(int(a + (b - a) * t) for a, b in zip(top, bottom))
        for x in range(w):
            pixels[x, y] = row
    draw = ImageDraw.Draw(image)
    for x in range(0, w, 40):
        draw.line([(x, 0), (x, h)], fill=(255, 255, 255, 0), width=1)
    image = Image.blend(image, Image.new("RGB", (w, h), (40, 46, 80)), 0.12)
    draw = ImageDraw.Draw(image)
    for x in range(0, w, 40):
        draw.line([(x, 0), (x, h)], fill=(52, 58, 92))
    for y in range(0, h, 40):
        draw.line([(0, y), (w, y)], fill=(52, 58, 92))
    draw.rectangle([0, 520, w, h], fill=(46, 40, 52))
    draw.line([(0, 520), (w, 520)], fill=(120, 110, 140), width=2)
    image.save(path)


def gem_strip(path, frames=8, size=64):
    strip = Image.new("RGBA", (frames * size, size), (0, 0, 0, 0))
    for f in range(frames):
        squash = abs(math.cos(math.pi * f / frames))  # a gem turning round
        def paint(d, s, squash=squash, f=f):
            cx, cy, r = size * s / 2, size * s / 2, size * s * 0.42
            half = max(r * squash, r * 0.08)
            body = [(cx, cy - r), (cx + half, cy - r * 0.25), (cx + half * 0.7, cy + r * 0.45),
                    (cx, cy + r), (cx - half * 0.7, cy + r * 0.45), (cx - half, cy - r * 0.25)]
            shade = int(150 + 100 * squash)
            d.polygon(body, fill=(40, shade, 120 + int(80 * squash), 255),
                      outline=(220, 255, 240, 255))
            d.polygon([(cx, cy - r), (cx + half, cy - r * 0.25), (cx, cy)],
                      fill=(190, 255, 230, 200))
        strip.paste(smooth((size, size), paint), (f * size, 0))
    strip.save(path)


def gear(path, size=96, teeth=10):
    def paint(d, s):
        c = size * s / 2
        outer, inner, hub = c * 0.95, c * 0.75, c * 0.28
        points = []
        for i in range(teeth * 4):
            a = 2 * math.pi * i / (teeth * 4)
            r = outer if i % 4 in (1, 2) else inner
            points.append((c + r * math.cos(a), c + r * math.sin(a)))
        d.polygon(points, fill=(214, 160, 60, 255), outline=(90, 60, 20, 255))
        d.ellipse([c - inner * 0.8, c - inner * 0.8, c + inner * 0.8, c + inner * 0.8],
                  fill=(236, 190, 90, 255))
        d.ellipse([c - hub, c - hub, c + hub, c + hub], fill=(70, 50, 30, 255))
        d.line([(c - outer * 0.5, c), (c + outer * 0.5, c)], fill=(120, 80, 30, 255), width=s * 3)
    smooth((size, size), paint).save(path)


def bar(path, w, h, top, bottom, border):
    def paint(d, s):
        d.rounded_rectangle([0, 0, w * s - 1, h * s - 1], radius=h * s // 2, fill=border)
        inset = 2 * s
        steps = h * s - 2 * inset
        for i in range(steps):
            t = i / max(1, steps - 1)
            colour = tuple(int(a + (b - a) * t) for a, b in zip(top, bottom)) + (255,)
            d.line([(inset + h * s // 4, inset + i), (w * s - inset - h * s // 4, inset + i)],
                   fill=colour)
    smooth((w, h), paint).save(path)


def logo(path, w=300, h=80):
    def paint(d, s):
        d.rounded_rectangle([0, 0, w * s - 1, h * s - 1], radius=18 * s, fill=(20, 20, 30, 220),
                            outline=(255, 200, 90, 255), width=3 * s)
        for i, x in enumerate(range(30, 270, 48)):
            d.ellipse([(x) * s, 22 * s, (x + 36) * s, 58 * s],
                      fill=(90 + 30 * i, 200 - 20 * i, 120 + 25 * i, 255))
    smooth((w, h), paint).filter(ImageFilter.SMOOTH).save(path)


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else "game/data/gfxtest"
    os.makedirs(out, exist_ok=True)
    background(os.path.join(out, "background.png"))
    gem_strip(os.path.join(out, "gem_strip.png"))
    gear(os.path.join(out, "gear.png"))
    bar(os.path.join(out, "slider_bottom.png"), 240, 24, (70, 70, 80), (40, 40, 50), (16, 16, 20, 255))
    bar(os.path.join(out, "slider_top.png"), 240, 24, (120, 230, 110), (40, 150, 60), (16, 16, 20, 255))
    logo(os.path.join(out, "logo.png"))


if __name__ == "__main__":
    main()
