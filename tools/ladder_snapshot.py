#!/usr/bin/python3
"""Draws frames of a fight from `monsters-ladder watch` output with the parts'
own sprites, on the fight's floor, for looking at a fight without a window.

Usage: monsters-ladder watch PLAYER OPPONENT EVERY > fight.txt
       /usr/bin/python3 tools/ladder_snapshot.py fight.txt OUT.png [STEP ...]
Without steps it draws a strip of six frames spread over the fight. Needs
python3-pil.
"""
import os
import sys
import xml.etree.ElementTree as ET

from PIL import Image, ImageDraw

GAME = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "game")


def image_of(sprite, cache):
    if sprite not in cache:
        if not os.path.exists(os.path.join(GAME, sprite)):
            sprite = "data/gfx/parts/" + os.path.basename(sprite)
        root = ET.parse(os.path.join(GAME, sprite)).getroot()
        cache[sprite] = Image.open(os.path.join(GAME, root.find("ImageFilename").text.strip())).convert("RGBA")
    return cache[sprite]


def frame(rows, cache, background):
    img = background.copy()
    for sprite, x, y, angle, hp in rows:
        pic = image_of(sprite, cache)
        # y points down; a positive angle turns clockwise on the screen
        turned = pic.rotate(-angle * 57.29578, resample=Image.BICUBIC, expand=True)
        sx, sy = 400 + x * 32, 300 + y * 32
        img.alpha_composite(turned, (int(sx - turned.width / 2), int(sy - turned.height / 2)))
    return img


def main():
    steps = {}
    winner = ""
    for line in open(sys.argv[1]):
        if line.startswith("#"):
            winner = line[2:].strip()
            continue
        step, m, sprite, x, y, a, hp = line.split()
        steps.setdefault(int(step), []).append((sprite, float(x), float(y), float(a), float(hp)))
    keys = sorted(steps)
    wanted = [int(s) for s in sys.argv[3:]] or [keys[int(i * (len(keys) - 1) / 5)] for i in range(6)]
    cache = {}
    background = Image.new("RGBA", (800, 600), (31, 33, 64, 255))
    floor = Image.open(os.path.join(GAME, "data/gfx/parts/floor.png")).convert("RGBA")
    background.alpha_composite(floor, (0, 300 + int(8.375 * 32)))
    wall = Image.open(os.path.join(GAME, "data/gfx/parts/floor_wall.png")).convert("RGBA")
    for wx in (-12.25, 12.25):
        background.alpha_composite(wall, (int(400 + wx * 32 - 8), int(300 + 7.375 * 32 - 32)))
    frames = []
    for s in wanted:
        near = min(keys, key=lambda k: abs(k - s))
        f = frame(steps[near], cache, background).crop((0, 200, 800, 600))
        ImageDraw.Draw(f).text((10, 10), "step %d  %s" % (near, winner), fill=(255, 255, 255, 255))
        frames.append(f)
    sheet = Image.new("RGBA", (800, 400 * len(frames)))
    for i, f in enumerate(frames):
        sheet.paste(f, (0, 400 * i))
    sheet.save(sys.argv[2])


if __name__ == "__main__":
    main()
