#!/usr/bin/python3
"""Draws the art of the game screens into game/data/gfx/ and writes the
sprite files that show it.

One look for all of it (see the art direction): bold cartoon shapes with a
dark outline, flat colour with one highlight band and one shadow band, the
night backdrop for the title and the arena, warm wood for the workshop, slate
panels, amber / teal / red buttons, DejaVu Sans Bold for every word.

Files written (all under game/data/gfx/):

  blackdrop.png                   black, 800 x 600 (behind the title)
  title_screen.xml / .png         the title: name, monster, "click to start"
  dialog_entername.png            the name dialog's panel, 654 x 330
  text_input.xml, text_input_back.png, name_font.ogf / .bmp
                                  the name field (145 x 75) and its 22 px font
  editor_okbutton.xml / .png      button strips, 4 frames side by side:
  shop_toshopbutton.xml / .png    normal, hover, pressed, normal; the press
  shop_tofightbutton.xml / .png   plays data/sound/click.wav
  editor_quitbutton.xml / .png
  editor_testbutton.xml / .png
  shop_selection_background.jpg   workshop | arena gate, 800 x 600
  editor_background.xml / .png    workshop wall with the 1 m grid and shelf
  background.xml / .png           the arena at night (fights)
  foreground.xml / .png           a low rail in front of the floor
  victory.xml / .png              "Victory!" band, plays data/sound/victory.ogg
  you_lose.xml / .png             "Defeat" band, plays data/sound/defeat.ogg
  new_parts_backdrop.xml / .png   the prize panel
  pin.xml / .png                  the brass pin of the editor tray, 14 x 14

Needs python3-cairo, python3-pil and fonts-dejavu-core (only to regenerate;
the output is committed). Output is deterministic.

Usage: /usr/bin/python3 tools/make_game_art.py [GAME_FOLDER]
"""
import math
import os
import random
import subprocess
import sys

import cairo
from PIL import Image

FONT_FACE = "DejaVu Sans"
FONT_FILE = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"


def hex_color(text):
    return tuple(int(text[i:i + 2], 16) / 255.0 for i in (1, 3, 5))


NIGHT_TOP = hex_color("#1f2140")
NIGHT_BOTTOM = hex_color("#3b2f55")
WALL = hex_color("#4a3b2f")
BENCH = hex_color("#6b5440")
PEG = hex_color("#33281f")
STONE = hex_color("#5b5f6b")
STONE_TOP = hex_color("#8a8f9c")
PANEL = hex_color("#232a36")
PANEL_BORDER = hex_color("#3c4a5e")
AMBER = hex_color("#f2b233")
AMBER_PRESSED = hex_color("#c98d16")
TEAL = hex_color("#2ec4b6")
TEAL_PRESSED = hex_color("#1f8f85")
RED = hex_color("#e63946")
RED_PRESSED = hex_color("#a4222d")
TEXT = hex_color("#f1faee")
OUTLINE = hex_color("#15171c")
BRASS = hex_color("#d9a441")
MONSTER_GREEN = hex_color("#4caf50")

W, H = 800, 600


# --- colour helpers ------------------------------------------------------------

def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def lighter(c, t):
    return mix(c, (1.0, 1.0, 1.0), t)


def darker(c, t):
    return mix(c, (0.0, 0.0, 0.0), t)


# --- drawing helpers ------------------------------------------------------------

def new_image(w, h):
    surface = cairo.ImageSurface(cairo.FORMAT_ARGB32, w, h)
    ctx = cairo.Context(surface)
    options = cairo.FontOptions()
    options.set_antialias(cairo.ANTIALIAS_GRAY)
    options.set_hint_style(cairo.HINT_STYLE_SLIGHT)
    ctx.set_font_options(options)
    return surface, ctx


def rounded_rect(ctx, x, y, w, h, r):
    r = min(r, w / 2.0, h / 2.0)
    ctx.new_sub_path()
    ctx.arc(x + w - r, y + r, r, -math.pi / 2, 0)
    ctx.arc(x + w - r, y + h - r, r, 0, math.pi / 2)
    ctx.arc(x + r, y + h - r, r, math.pi / 2, math.pi)
    ctx.arc(x + r, y + r, r, math.pi, 1.5 * math.pi)
    ctx.close_path()


def vertical_gradient(y0, y1, stops):
    gradient = cairo.LinearGradient(0, y0, 0, y1)
    for offset, color in stops:
        gradient.add_color_stop_rgba(offset, *color[:3], color[3] if len(color) > 3 else 1.0)
    return gradient


def fill_outline(ctx, fill, outline_width=2.0, outline=OUTLINE):
    """Fills the current path, then strokes it centred on the edge."""
    if isinstance(fill, cairo.Pattern):
        ctx.set_source(fill)
    else:
        ctx.set_source_rgba(*fill)
    ctx.fill_preserve()
    ctx.set_source_rgb(*outline)
    ctx.set_line_width(outline_width)
    ctx.set_line_join(cairo.LINE_JOIN_ROUND)
    ctx.stroke()


def circle(ctx, x, y, r):
    ctx.new_sub_path()
    ctx.arc(x, y, r, 0, 2 * math.pi)


def set_font(ctx, size):
    ctx.select_font_face(FONT_FACE, cairo.FONT_SLANT_NORMAL, cairo.FONT_WEIGHT_BOLD)
    ctx.set_font_size(size)


def text_origin(ctx, text, size, x, y, align):
    """Pen position that puts the text's capitals centred on y and the ink
    left of, centred on or right of x."""
    set_font(ctx, size)
    ext = ctx.text_extents(text)
    cap = ctx.text_extents("H")
    if align == "center":
        px = x - (ext.x_bearing + ext.width / 2.0)
    elif align == "right":
        px = x - (ext.x_bearing + ext.width)
    else:
        px = x - ext.x_bearing
    py = y - (cap.y_bearing + cap.height / 2.0)
    return px, py


def draw_text(ctx, text, size, x, y, color=TEXT, align="center", outline=0.0,
              shadow=(2, 2), shadow_alpha=0.6, alpha=1.0):
    """Text with the house treatment: a black shadow at 60 % offset by
    `shadow`, an optional dark outline of `outline` pixels, the fill on top.
    `color` is an RGB tuple or a cairo pattern."""
    px, py = text_origin(ctx, text, size, x, y, align)
    ctx.push_group()
    if shadow:
        ctx.push_group()
        ctx.move_to(px + shadow[0], py + shadow[1])
        ctx.text_path(text)
        if outline:
            ctx.set_line_width(outline * 2)
            ctx.set_line_join(cairo.LINE_JOIN_ROUND)
            ctx.set_source_rgb(0, 0, 0)
            ctx.stroke_preserve()
        ctx.set_source_rgb(0, 0, 0)
        ctx.fill()
        ctx.pop_group_to_source()
        ctx.paint_with_alpha(shadow_alpha)
    ctx.move_to(px, py)
    ctx.text_path(text)
    if outline:
        ctx.set_line_width(outline * 2)
        ctx.set_line_join(cairo.LINE_JOIN_ROUND)
        ctx.set_source_rgb(*OUTLINE)
        ctx.stroke_preserve()
    if isinstance(color, cairo.Pattern):
        ctx.set_source(color)
    else:
        ctx.set_source_rgb(*color)
    ctx.fill()
    ctx.pop_group_to_source()
    ctx.paint_with_alpha(alpha)


def title_text(ctx, text, size, x, y, base, align="center"):
    """The title treatment: a lit top and a darker foot on the colour, a
    3 px dark outline and a drop shadow."""
    set_font(ctx, size)
    cap = ctx.text_extents("H")
    top = y - cap.height / 2.0
    fill = vertical_gradient(top, top + cap.height, [
        (0.0, lighter(base, 0.35)), (0.45, base), (1.0, darker(base, 0.2))])
    shadow = (max(2, size // 16), max(2, size // 16))
    draw_text(ctx, text, size, x, y, fill, align, outline=3.0, shadow=shadow)


def night_sky(ctx, w, h, seed, star_bottom):
    ctx.rectangle(0, 0, w, h)
    ctx.set_source(vertical_gradient(0, h, [(0, NIGHT_TOP), (1, NIGHT_BOTTOM)]))
    ctx.fill()
    rng = random.Random(seed)
    for _ in range(90):
        x, y = rng.uniform(0, w), rng.uniform(0, star_bottom)
        r = rng.choice((0.7, 0.9, 1.1, 1.4))
        ctx.set_source_rgba(*TEXT, rng.uniform(0.25, 0.75))
        circle(ctx, x, y, r)
        ctx.fill()


def moon(ctx, x, y, r):
    glow = cairo.RadialGradient(x, y, r * 0.8, x, y, r * 2.6)
    glow.add_color_stop_rgba(0, 0.95, 0.92, 0.8, 0.22)
    glow.add_color_stop_rgba(1, 0.95, 0.92, 0.8, 0.0)
    ctx.set_source(glow)
    circle(ctx, x, y, r * 2.6)
    ctx.fill()
    body = cairo.RadialGradient(x - r * 0.3, y - r * 0.3, r * 0.1, x, y, r)
    body.add_color_stop_rgb(0, 0.99, 0.97, 0.88)
    body.add_color_stop_rgb(1, 0.88, 0.85, 0.72)
    circle(ctx, x, y, r)
    ctx.set_source(body)
    ctx.fill()
    ctx.set_source_rgba(0.72, 0.69, 0.58, 0.55)
    for dx, dy, cr in ((-0.3, -0.1, 0.18), (0.25, 0.3, 0.13), (0.1, -0.4, 0.09), (0.4, -0.05, 0.07)):
        circle(ctx, x + dx * r, y + dy * r, cr * r)
        ctx.fill()


def save_png(surface, path):
    surface.write_to_png(path)


def save_jpg(surface, path, quality=90):
    w, h = surface.get_width(), surface.get_height()
    surface.flush()
    image = Image.frombuffer("RGBA", (w, h), bytes(surface.get_data()), "raw", "BGRA", 0, 1)
    image.convert("RGB").save(path, quality=quality, optimize=True, subsampling=0)


# --- sprite files ---------------------------------------------------------------

def rect_xml(name, x, y, w, h, indent="  "):
    return '%s<%s h="%d" w="%d" x="%d" y="%d" >\n%s</%s>\n' % (indent, name, h, w, x, y, indent, name)


def field_xml(name, value, indent="  "):
    return "%s<%s>\n%s  %s\n%s</%s>\n" % (indent, name, indent, value, indent, name)


def base_sprite_xml(image, rect, z):
    return ('<sprite type="sprite_base" >\n' + field_xml("ImageFilename", image)
            + rect_xml("ImageRect", *rect) + field_xml("Z", z) + "</sprite>\n")


def frame_xml(rect, length, sound=None, indent="    "):
    inner = indent + "  "
    text = '%s<Frame type="frame_rect" >\n' % indent
    text += rect_xml("Rect", *rect, indent=inner)
    text += field_xml("FrameLength", length, indent=inner)
    if sound:
        # The rectangle is set and the sound played in one step.
        text += '%s<Wrapped type="frame_sound" sound_file="%s" >\n%s</Wrapped>\n' % (inner, sound, inner)
    return text + "%s</Frame>\n" % indent


def animated_sprite_xml(image, rect, z, animations, current):
    """animations: list of (name, loop, [(source rect, length, sound or None)])."""
    text = '<sprite type="sprite_animated" >\n' + field_xml("ImageFilename", image)
    text += rect_xml("ImageRect", *rect) + field_xml("Z", z)
    if current:
        text += field_xml("CurrentAnimation", current)
    text += field_xml("MiniumUpdateTime", 0)
    for name, loop, frames in animations:
        text += '  <Animation loop="%d" name="%s" >\n' % (1 if loop else 0, name)
        for source, length, sound in frames:
            text += frame_xml(source, length, sound)
        text += "  </Animation>\n"
    return text + "</sprite>\n"


# --- buttons ---------------------------------------------------------------------

CLICK_SOUND = "data/sound/click.wav"


def draw_icon(ctx, icon, cx, cy, size, color):
    """Small white pictograms for the big buttons: a wrench, crossed swords."""
    ctx.save()
    ctx.translate(cx, cy)
    s = size / 32.0
    ctx.scale(s, s)
    ctx.new_path()
    if icon == "wrench":
        ctx.rotate(-math.pi / 4)
        rounded_rect(ctx, -3.5, -4, 7, 20, 3)
        circle(ctx, 0, -9, 8)
        ctx.set_line_width(3.0 / s)
        ctx.set_source_rgb(*OUTLINE)
        ctx.stroke_preserve()
        ctx.set_source_rgb(*color)
        ctx.fill()
        # The jaw's opening.
        rounded_rect(ctx, -3, -19, 6, 10, 1.5)
        ctx.set_source_rgb(*OUTLINE)
        ctx.fill()
    elif icon == "swords":
        for angle in (-math.pi / 4, math.pi / 4):
            ctx.save()
            ctx.rotate(angle)
            ctx.new_path()
            ctx.move_to(0, -19)
            ctx.line_to(4.5, -13)
            ctx.line_to(4.5, 5)
            ctx.line_to(-4.5, 5)
            ctx.line_to(-4.5, -13)
            ctx.close_path()
            rounded_rect(ctx, -10, 5, 20, 5, 2)
            rounded_rect(ctx, -3, 10, 6, 9, 2)
            ctx.set_line_width(3.0 / s)
            ctx.set_line_join(cairo.LINE_JOIN_ROUND)
            ctx.set_source_rgb(*OUTLINE)
            ctx.stroke_preserve()
            ctx.set_source_rgb(*color)
            ctx.fill()
            ctx.restore()
    ctx.restore()


def button_face(ctx, x0, w, h, color, lift, label, size, icon=None):
    """One frame of a button at x0: the body lifted by `lift` pixels (1 hover,
    0 normal, -1 pressed) above a darker lip."""
    margin = 2.0
    radius = 12.0 if h >= 60 else 10.0
    lip = 4.0
    base_top = margin + 1
    body_top = base_top - lift
    body_bottom = h - margin - lip - lift
    left, right = x0 + margin, x0 + w - margin
    # Lip (the button's side) first, then the face over it.
    rounded_rect(ctx, left, body_top + 2, right - left, h - margin - body_top - 2, radius)
    ctx.set_source_rgb(*darker(color, 0.45))
    ctx.fill()
    rounded_rect(ctx, left, body_top, right - left, body_bottom - body_top, radius)
    ctx.set_source_rgb(*color)
    ctx.fill()
    # Highlight band across the top, shadow band along the foot.
    ctx.save()
    rounded_rect(ctx, left, body_top, right - left, body_bottom - body_top, radius)
    ctx.clip()
    band = (body_bottom - body_top) * 0.36
    rounded_rect(ctx, left + 5, body_top + 3, right - left - 10, band, radius - 4)
    ctx.set_source_rgba(1, 1, 1, 0.22)
    ctx.fill()
    ctx.rectangle(left, body_bottom - (body_bottom - body_top) * 0.22, right - left, h)
    ctx.set_source_rgba(0, 0, 0, 0.14)
    ctx.fill()
    ctx.restore()
    # One outline around face and lip.
    rounded_rect(ctx, left, body_top, right - left, h - margin - body_top, radius)
    ctx.set_source_rgb(*OUTLINE)
    ctx.set_line_width(2.0)
    ctx.stroke()
    ctx.move_to(left + radius * 0.4, body_bottom)
    ctx.line_to(right - radius * 0.4, body_bottom)
    ctx.set_source_rgba(*OUTLINE, 0.55)
    ctx.set_line_width(1.5)
    ctx.stroke()
    # Label (and pictogram) centred on the face.
    face_mid = (body_top + body_bottom) / 2.0
    cx = x0 + w / 2.0
    if icon:
        icon_size = min(38.0, (body_bottom - body_top) * 0.36)
        gap = 5.0
        total = icon_size + gap + size * 0.73
        icon_y = face_mid - total / 2.0 + icon_size / 2.0
        draw_icon(ctx, icon, cx, icon_y, icon_size, TEXT)
        label_y = face_mid + total / 2.0 - size * 0.73 / 2.0
    else:
        label_y = face_mid
    draw_text(ctx, label, size, cx, label_y, TEXT, outline=1.5, shadow=(2, 2))


def button(folder, name, w, h, label, color, pressed, size, icon=None):
    surface, ctx = new_image(4 * w, h)
    faces = [(color, 0), (lighter(color, 0.10), 1), (pressed, -1), (color, 0)]
    for i, (face, lift) in enumerate(faces):
        button_face(ctx, i * w, w, h, face, lift, label, size, icon)
    image = "data/gfx/%s.png" % name
    save_png(surface, os.path.join(folder, name + ".png"))

    def cell(i):
        return (i * w, 0, w, h)
    animations = [
        ("mouse_over", False, [(cell(1), 40, None)]),
        ("mouse_out", False, [(cell(3), 40, None)]),
        ("mouse_button_down", False, [(cell(2), 40, CLICK_SOUND)]),
        ("mouse_button_up", False, [(cell(1), 40, None)]),
    ]
    # The rectangle is the button's own size from the start, so that the
    # widget never scales the whole strip before the first frame is shown.
    xml = animated_sprite_xml(image, (0, 0, w, h), 50, animations, None)
    with open(os.path.join(folder, name + ".xml"), "w") as out:
        out.write(xml)


def all_buttons(folder):
    button(folder, "editor_okbutton", 146, 62, "OK", AMBER, AMBER_PRESSED, 28)
    button(folder, "shop_toshopbutton", 225, 121, "Workshop", TEAL, TEAL_PRESSED, 28, "wrench")
    button(folder, "shop_tofightbutton", 173, 98, "Fight!", AMBER, AMBER_PRESSED, 28, "swords")
    button(folder, "editor_quitbutton", 145, 75, "Quit", RED, RED_PRESSED, 26)
    button(folder, "editor_testbutton", 145, 75, "Test", TEAL, TEAL_PRESSED, 26)


# --- small pieces -----------------------------------------------------------------

def blackdrop(folder):
    surface, ctx = new_image(W, H)
    ctx.set_source_rgb(0, 0, 0)
    ctx.paint()
    save_png(surface, os.path.join(folder, "blackdrop.png"))


PIN_SIZE = 14


def pin(folder):
    surface, ctx = new_image(PIN_SIZE, PIN_SIZE)
    c = PIN_SIZE / 2.0
    head = cairo.RadialGradient(c - 2, c - 2, 0.5, c, c, 5.5)
    head.add_color_stop_rgb(0, *lighter(BRASS, 0.6))
    head.add_color_stop_rgb(0.5, *BRASS)
    head.add_color_stop_rgb(1, *darker(BRASS, 0.35))
    circle(ctx, c, c, 5.3)
    fill_outline(ctx, head, 1.6)
    # The pivot itself: a dark dot exactly on the pin point.
    circle(ctx, c, c, 1.3)
    ctx.set_source_rgb(*OUTLINE)
    ctx.fill()
    circle(ctx, c - 2.2, c - 2.4, 1.0)
    ctx.set_source_rgba(1, 1, 1, 0.8)
    ctx.fill()
    save_png(surface, os.path.join(folder, "pin.png"))
    with open(os.path.join(folder, "pin.xml"), "w") as out:
        out.write(base_sprite_xml("data/gfx/pin.png", (0, 0, PIN_SIZE, PIN_SIZE), 30))


# --- the name field ------------------------------------------------------------

FIELD_W, FIELD_H = 145, 75
CURSOR_H = 15          # data/gui/text_cursor.png, centred in the field by the widget


def name_field(folder, game):
    tools = os.path.dirname(os.path.abspath(__file__))
    base = os.path.join(game, "data", "gfx", "name_font")
    subprocess.check_call([sys.executable, os.path.join(tools, "make_ogf_font.py"), base, "22"])
    with open(base + ".ogf") as ogf:
        cell_h = int(ogf.readline().split(";")[4])
    # Glyphs are drawn one pixel down in their cells (make_ogf_font.py): put
    # the capitals' middle on the cursor's middle.
    from PIL import ImageFont
    font = ImageFont.truetype(FONT_FILE, 22)
    cap_top, cap_bottom = font.getbbox("H")[1] + 1, font.getbbox("H")[3] + 1
    cursor_mid = (FIELD_H - CURSOR_H) // 2 + CURSOR_H / 2.0
    text_y = int(round(cursor_mid - (cap_top + cap_bottom) / 2.0))
    text_x = 12

    surface, ctx = new_image(FIELD_W, FIELD_H)
    rounded_rect(ctx, 1, 1, FIELD_W - 2, FIELD_H - 2, 9)
    fill_outline(ctx, vertical_gradient(0, FIELD_H, [(0, (0.05, 0.06, 0.08)), (1, (0.10, 0.12, 0.15))]),
                 2.0, PANEL_BORDER)
    # Sunken: a shadow under the top edge, a light line at the bottom.
    ctx.save()
    rounded_rect(ctx, 2, 2, FIELD_W - 4, FIELD_H - 4, 8)
    ctx.clip()
    ctx.rectangle(0, 0, FIELD_W, 7)
    ctx.set_source(vertical_gradient(2, 9, [(0, (0, 0, 0, 0.55)), (1, (0, 0, 0, 0))]))
    ctx.fill()
    ctx.restore()
    ctx.move_to(10, FIELD_H - 3.5)
    ctx.line_to(FIELD_W - 10, FIELD_H - 3.5)
    ctx.set_source_rgba(*TEXT, 0.12)
    ctx.set_line_width(1)
    ctx.stroke()
    # A faint line under the text, where the name sits.
    ctx.move_to(text_x, text_y + cap_bottom + 7.5)
    ctx.line_to(FIELD_W - text_x, text_y + cap_bottom + 7.5)
    ctx.set_source_rgba(*TEAL, 0.35)
    ctx.set_line_width(1)
    ctx.stroke()
    save_png(surface, os.path.join(folder, "text_input_back.png"))

    xml = '<sprite type="sprite_text" >\n'
    xml += rect_xml("ImageRect", 0, 0, FIELD_W, FIELD_H) + field_xml("Z", 20)
    xml += '  <FontStartPosition x="%d" y="%d" >\n  </FontStartPosition>\n' % (text_x, text_y)
    xml += rect_xml("FontRect", text_x, text_y, FIELD_W - 2 * text_x, cell_h)
    xml += field_xml("BackdropFile", "data/gfx/text_input_back.png")
    xml += field_xml("FontFile", "data/gfx/name_font.ogf")
    xml += field_xml("FontAlignment", "left")
    xml += "</sprite>\n"
    with open(os.path.join(folder, "text_input.xml"), "w") as out:
        out.write(xml)


# --- panels -------------------------------------------------------------------------

def panel(ctx, x, y, w, h, radius=14):
    """The slate panel of dialogs and menus with its 2 px border and a soft
    shadow beneath."""
    for i in range(6, 0, -1):
        rounded_rect(ctx, x + 3 - i * 0.5, y + 6 - i * 0.5, w + i, h + i, radius + i)
        ctx.set_source_rgba(0, 0, 0, 0.06)
        ctx.fill()
    rounded_rect(ctx, x + 1, y + 1, w - 2, h - 2, radius)
    ctx.set_source(vertical_gradient(y, y + h, [(0, lighter(PANEL, 0.05)), (1, darker(PANEL, 0.12))]))
    ctx.fill()
    rounded_rect(ctx, x + 1, y + 1, w - 2, h - 2, radius)
    ctx.set_source_rgb(*PANEL_BORDER)
    ctx.set_line_width(2)
    ctx.stroke()
    rounded_rect(ctx, x + 3, y + 3, w - 6, h - 6, radius - 2)
    ctx.set_source_rgba(1, 1, 1, 0.05)
    ctx.set_line_width(1)
    ctx.stroke()


def little_monster(ctx, x, y, scale, body=MONSTER_GREEN, eye_color=(1, 1, 1), look=1.0):
    """The standard monster's look in small: a round head with eyes on a
    box torso with two wheels. (x, y) is the foot of the wheels."""
    s = scale
    ctx.save()
    ctx.translate(x, y)
    ctx.scale(s, s)
    lw = 2.0 / s
    for wx in (-18, 18):
        circle(ctx, wx, -10, 10)
        fill_outline(ctx, (0.18, 0.19, 0.22), lw)
        circle(ctx, wx, -10, 4)
        fill_outline(ctx, AMBER, lw * 0.8)
    rounded_rect(ctx, -28, -42, 56, 26, 6)
    fill_outline(ctx, darker(body, 0.1), lw)
    rounded_rect(ctx, -24, -39, 48, 6, 3)
    ctx.set_source_rgba(1, 1, 1, 0.25)
    ctx.fill()
    circle(ctx, 0, -60, 17)
    fill_outline(ctx, body, lw)
    for ex in (-6.5, 6.5):
        circle(ctx, ex, -63, 5)
        fill_outline(ctx, eye_color, lw * 0.7)
        circle(ctx, ex + 1.5 * look, -63, 2.2)
        ctx.set_source_rgb(*OUTLINE)
        ctx.fill()
    ctx.arc(0, -56, 7, 0.2 * math.pi, 0.8 * math.pi)
    ctx.set_source_rgb(*OUTLINE)
    ctx.set_line_width(lw)
    ctx.stroke()
    ctx.restore()


DIALOG_W, DIALOG_H = 654, 330
FIELD_IN_DIALOG = (60, 156, FIELD_W, FIELD_H)
OK_IN_DIALOG = (483, 241, 146, 62)


def dialog_entername(folder):
    surface, ctx = new_image(DIALOG_W, DIALOG_H)
    panel(ctx, 0, 0, DIALOG_W, DIALOG_H)
    # Header band.
    ctx.save()
    rounded_rect(ctx, 2, 2, DIALOG_W - 4, DIALOG_H - 4, 13)
    ctx.clip()
    ctx.rectangle(0, 0, DIALOG_W, 78)
    ctx.set_source(vertical_gradient(0, 78, [(0, lighter(PANEL_BORDER, 0.08)), (1, PANEL_BORDER)]))
    ctx.fill()
    ctx.restore()
    ctx.move_to(2, 78)
    ctx.line_to(DIALOG_W - 2, 78)
    ctx.set_source_rgb(*OUTLINE)
    ctx.set_line_width(2)
    ctx.stroke()
    title_text(ctx, "A new monster!", 34, 30, 40, AMBER, align="left")
    little_monster(ctx, 580, 74, 0.95)

    # The question, and the field's frame: a teal ring round the field.
    fx, fy, fw, fh = FIELD_IN_DIALOG
    draw_text(ctx, "Name your monster:", 18, fx, 122, align="left")
    rounded_rect(ctx, fx - 5, fy - 5, fw + 10, fh + 10, 13)
    ctx.set_source_rgba(*TEAL, 0.18)
    ctx.fill()
    rounded_rect(ctx, fx - 5, fy - 5, fw + 10, fh + 10, 13)
    ctx.set_source_rgb(*TEAL)
    ctx.set_line_width(2)
    ctx.stroke()
    # Placeholder field colour (the field draws itself over it).
    rounded_rect(ctx, fx, fy, fw, fh, 9)
    ctx.set_source_rgb(0.07, 0.08, 0.11)
    ctx.fill()

    hint_x = fx + fw + 34
    draw_text(ctx, "Type a name, then press", 17, hint_x, 170, align="left")
    draw_text(ctx, "Return or click OK.", 17, hint_x, 194, align="left")
    draw_text(ctx, "Not allowed:  \\ / : * ? \" < > |", 15, hint_x, 226,
              color=mix(TEXT, PANEL_BORDER, 0.35), align="left")

    # Footer: where the monster goes; the OK button's place stays plain.
    draw_text(ctx, "Your monster and its parts are kept", 15, fx, 270,
              color=mix(TEXT, PANEL_BORDER, 0.35), align="left")
    draw_text(ctx, "under this name in \"My Monsters\".", 15, fx, 291,
              color=mix(TEXT, PANEL_BORDER, 0.35), align="left")
    save_png(surface, os.path.join(folder, "dialog_entername.png"))


# --- the title -------------------------------------------------------------------------

def monster_silhouette(ctx, x, y, s, eyes=AMBER):
    """A big fighting monster in black against the moon; (x, y) its feet."""
    ctx.save()
    ctx.translate(x, y)
    ctx.scale(s, s)
    dark = (0.08, 0.08, 0.12)
    ctx.set_source_rgb(*dark)
    # Wheels.
    for wx in (-60, 60):
        circle(ctx, wx, -34, 34)
        ctx.fill()
    # Torso and a shoulder plate.
    rounded_rect(ctx, -92, -122, 184, 76, 14)
    ctx.fill()
    rounded_rect(ctx, -70, -138, 140, 24, 8)
    ctx.fill()
    # Neck and head.
    ctx.rectangle(-12, -160, 24, 30)
    ctx.fill()
    circle(ctx, 0, -196, 50)
    ctx.fill()
    # Horns.
    for side in (-1, 1):
        ctx.move_to(side * 30, -232)
        ctx.curve_to(side * 46, -262, side * 60, -268, side * 70, -268)
        ctx.curve_to(side * 58, -252, side * 52, -236, side * 44, -220)
        ctx.close_path()
        ctx.fill()
    # Right arm raised with a chain and a spiked ball.
    ctx.set_line_width(20)
    ctx.set_line_cap(cairo.LINE_CAP_ROUND)
    ctx.move_to(86, -104)
    ctx.line_to(142, -150)
    ctx.line_to(168, -206)
    ctx.stroke()
    ctx.set_line_width(6)
    for i in range(5):
        circle(ctx, 176 + i * 9, -220 - i * 12, 6)
        ctx.stroke()
    bx, by = 228, -296
    circle(ctx, bx, by, 30)
    ctx.fill()
    for k in range(10):
        a = k * math.pi / 5
        ctx.move_to(bx + math.cos(a - 0.22) * 26, by + math.sin(a - 0.22) * 26)
        ctx.line_to(bx + math.cos(a) * 46, by + math.sin(a) * 46)
        ctx.line_to(bx + math.cos(a + 0.22) * 26, by + math.sin(a + 0.22) * 26)
        ctx.close_path()
        ctx.fill()
    # Left arm with a blade.
    ctx.set_line_width(20)
    ctx.move_to(-86, -104)
    ctx.line_to(-140, -80)
    ctx.stroke()
    ctx.move_to(-136, -70)
    ctx.line_to(-150, -92)
    ctx.line_to(-236, -150)
    ctx.line_to(-214, -112)
    ctx.close_path()
    ctx.fill()
    # Rim light on the upper edges (the moon is behind).
    ctx.set_source_rgba(0.95, 0.92, 0.8, 0.18)
    ctx.set_line_width(3)
    ctx.arc(0, -196, 48.5, math.pi * 1.1, math.pi * 1.9)
    ctx.stroke()
    # Glowing eyes.
    for ex in (-19, 19):
        glow = cairo.RadialGradient(ex, -200, 2, ex, -200, 26)
        glow.add_color_stop_rgba(0, *eyes, 0.7)
        glow.add_color_stop_rgba(1, *eyes, 0.0)
        ctx.set_source(glow)
        circle(ctx, ex, -200, 26)
        ctx.fill()
        ctx.save()
        ctx.translate(ex, -200)
        ctx.scale(1.0, 0.6)
        circle(ctx, 0, 0, 10)
        ctx.restore()
        ctx.set_source_rgb(*lighter(eyes, 0.5))
        ctx.fill()
    # A grin of teeth.
    ctx.set_source_rgb(*lighter(eyes, 0.3))
    for i in range(-3, 4):
        ctx.move_to(i * 7 - 3, -172)
        ctx.line_to(i * 7 + 3, -172)
        ctx.line_to(i * 7, -164)
        ctx.close_path()
        ctx.fill()
    ctx.restore()


def arena_silhouette(ctx, top, bottom, color, seed):
    """The distant arena: a long wall with towers and flags."""
    rng = random.Random(seed)
    ctx.set_source_rgb(*color)
    ctx.rectangle(0, top + 40, W, bottom - top - 40)
    ctx.fill()
    x = -10
    while x < W + 10:
        ctx.rectangle(x, top + 30, 14, 12)
        ctx.fill()
        x += 26
    for tx in (90, 300, 520, 720):
        h = rng.choice((50, 62, 74))
        ctx.rectangle(tx - 26, top + 40 - h, 52, h)
        ctx.fill()
        for k in range(3):
            ctx.rectangle(tx - 26 + k * 20, top + 28 - h, 12, 14)
            ctx.fill()
        ctx.move_to(tx, top + 28 - h)
        ctx.line_to(tx, top - 10 - h)
        ctx.set_line_width(2)
        ctx.stroke()
        ctx.move_to(tx, top - 10 - h)
        ctx.line_to(tx + 20, top - 4 - h)
        ctx.line_to(tx, top + 2 - h)
        ctx.close_path()
        ctx.fill()


def title_screen(folder):
    surface, ctx = new_image(W, H)
    night_sky(ctx, W, H, 11, 420)
    moon(ctx, 400, 330, 120)
    arena_silhouette(ctx, 470, H, (0.21, 0.18, 0.33), 3)
    # Ground in front.
    ctx.rectangle(0, 540, W, 60)
    ctx.set_source(vertical_gradient(540, 600, [(0, (0.09, 0.08, 0.15)), (1, (0.05, 0.05, 0.09))]))
    ctx.fill()
    monster_silhouette(ctx, 390, 548, 0.86)
    title_text(ctx, "MONSTERS", 104, 400, 104, AMBER)
    draw_text(ctx, "build  \u2022  fight  \u2022  win new parts", 20, 400, 176, TEXT)
    draw_text(ctx, "click to start", 20, 400, 574, TEXT, alpha=0.85)
    save_png(surface, os.path.join(folder, "title_screen.png"))
    with open(os.path.join(folder, "title_screen.xml"), "w") as out:
        out.write(base_sprite_xml("data/gfx/title_screen.png", (0, 0, W, H), 50))


# --- workshop pieces --------------------------------------------------------------------

def wood_wall(ctx, x, y, w, h, plank=64, seed=5):
    rng = random.Random(seed)
    ctx.rectangle(x, y, w, h)
    ctx.set_source_rgb(*WALL)
    ctx.fill()
    px = x
    while px < x + w:
        shade = rng.uniform(-0.05, 0.05)
        ctx.rectangle(px, y, plank, h)
        ctx.set_source_rgba(*(lighter(WALL, shade) if shade > 0 else darker(WALL, -shade)), 1)
        ctx.fill()
        ctx.move_to(px + 0.5, y)
        ctx.line_to(px + 0.5, y + h)
        ctx.set_source_rgba(*PEG, 0.8)
        ctx.set_line_width(1)
        ctx.stroke()
        px += plank


def hanging_tool(ctx, kind, x, y, s=1.0):
    steel = (0.72, 0.75, 0.80)
    ctx.save()
    ctx.translate(x, y)
    ctx.scale(s, s)
    lw = 2.0 / s
    circle(ctx, 0, 0, 3)
    fill_outline(ctx, BRASS, lw)
    if kind == "wrench":
        rounded_rect(ctx, -5, 8, 10, 62, 4)
        fill_outline(ctx, steel, lw)
        circle(ctx, 0, 76, 12)
        fill_outline(ctx, steel, lw)
        rounded_rect(ctx, -4.5, 70, 9, 20, 2)
        ctx.set_source_rgb(*WALL)
        ctx.fill()
    elif kind == "hammer":
        rounded_rect(ctx, -4, 6, 8, 66, 3)
        fill_outline(ctx, (0.55, 0.36, 0.2), lw)
        rounded_rect(ctx, -20, 68, 40, 18, 3)
        fill_outline(ctx, (0.45, 0.48, 0.54), lw)
    elif kind == "saw":
        ctx.move_to(-8, 10)
        ctx.line_to(8, 10)
        ctx.line_to(14, 84)
        for i in range(8):
            ctx.line_to(10 - i * 3.2, 88 + (i % 2) * 4)
        ctx.line_to(-14, 84)
        ctx.close_path()
        fill_outline(ctx, steel, lw)
        rounded_rect(ctx, -11, 2, 22, 16, 5)
        fill_outline(ctx, RED, lw)
    elif kind == "pliers":
        for side in (-1, 1):
            ctx.move_to(side * 2, 10)
            ctx.curve_to(side * 10, 40, side * 12, 60, side * 9, 86)
            ctx.set_line_width(7)
            ctx.set_line_cap(cairo.LINE_CAP_ROUND)
            ctx.set_source_rgb(*OUTLINE)
            ctx.stroke_preserve()
            ctx.set_line_width(4)
            ctx.set_source_rgb(*TEAL)
            ctx.stroke()
        rounded_rect(ctx, -5, 4, 10, 12, 3)
        fill_outline(ctx, steel, lw)
    ctx.restore()


def pegboard(ctx, x, y, w, h, step=16):
    rounded_rect(ctx, x, y, w, h, 6)
    fill_outline(ctx, lighter(WALL, 0.12), 2)
    for py in range(int(y) + step // 2 + 2, int(y + h) - 4, step):
        for px in range(int(x) + step // 2 + 2, int(x + w) - 4, step):
            circle(ctx, px, py, 1.7)
            ctx.set_source_rgb(*PEG)
            ctx.fill()


def lamp_glow(ctx, x, y, r, alpha=0.22, color=AMBER):
    glow = cairo.RadialGradient(x, y, 4, x, y, r)
    glow.add_color_stop_rgba(0, *lighter(color, 0.4), alpha)
    glow.add_color_stop_rgba(1, *color, 0.0)
    ctx.set_source(glow)
    circle(ctx, x, y, r)
    ctx.fill()


def stone_blocks(ctx, x, y, w, h, base, bw=48, bh=24, seed=2):
    rng = random.Random(seed)
    ctx.save()
    ctx.rectangle(x, y, w, h)
    ctx.clip()
    ctx.rectangle(x, y, w, h)
    ctx.set_source_rgb(*base)
    ctx.fill()
    row = 0
    by = y
    while by < y + h:
        offset = (bw / 2) if row % 2 else 0
        bx = x - offset
        while bx < x + w:
            shade = rng.uniform(-0.06, 0.06)
            rounded_rect(ctx, bx + 1.5, by + 1.5, bw - 3, bh - 3, 3)
            ctx.set_source_rgb(*(lighter(base, shade) if shade > 0 else darker(base, -shade)))
            ctx.fill()
            ctx.rectangle(bx + 3, by + 2, bw - 6, 2)
            ctx.set_source_rgba(1, 1, 1, 0.08)
            ctx.fill()
            bx += bw
        ctx.move_to(x, by + 0.5)
        ctx.line_to(x + w, by + 0.5)
        ctx.set_source_rgba(*OUTLINE, 0.5)
        ctx.set_line_width(1)
        ctx.stroke()
        by += bh
        row += 1
    ctx.restore()


def torch(ctx, x, y):
    lamp_glow(ctx, x, y - 16, 70, 0.35)
    rounded_rect(ctx, x - 4, y - 6, 8, 30, 2)
    fill_outline(ctx, (0.35, 0.25, 0.18), 2)
    rounded_rect(ctx, x - 9, y - 10, 18, 8, 3)
    fill_outline(ctx, (0.3, 0.32, 0.36), 2)
    ctx.move_to(x, y - 38)
    ctx.curve_to(x + 12, y - 24, x + 10, y - 12, x, y - 10)
    ctx.curve_to(x - 10, y - 12, x - 12, y - 24, x, y - 38)
    fill_outline(ctx, AMBER, 2)
    ctx.move_to(x, y - 28)
    ctx.curve_to(x + 6, y - 20, x + 5, y - 14, x, y - 13)
    ctx.curve_to(x - 5, y - 14, x - 6, y - 20, x, y - 28)
    ctx.set_source_rgb(*lighter(AMBER, 0.6))
    ctx.fill()


def sign_board(ctx, cx, cy, w, h, text, size, color=TEXT):
    for side in (-1, 1):
        ctx.move_to(cx + side * w * 0.3, cy - h / 2 - 30)
        ctx.line_to(cx + side * w * 0.3, cy - h / 2 + 4)
        ctx.set_source_rgb(*OUTLINE)
        ctx.set_line_width(2)
        ctx.stroke()
    rounded_rect(ctx, cx - w / 2, cy - h / 2, w, h, 8)
    fill_outline(ctx, BENCH, 2)
    rounded_rect(ctx, cx - w / 2 + 5, cy - h / 2 + 4, w - 10, 5, 2)
    ctx.set_source_rgba(1, 1, 1, 0.15)
    ctx.fill()
    draw_text(ctx, text, size, cx, cy + 1, color, outline=2.0)


# --- shop selection --------------------------------------------------------------------

SHOP_BUTTON = (105, 334, 225, 121)
FIGHT_BUTTON = (538, 346, 173, 98)


def shop_selection(folder):
    surface, ctx = new_image(W, H)
    split_top, split_bottom = 430, 390
    # --- right: the arena gate at night ---
    night_sky(ctx, W, H, 23, 240)
    moon(ctx, 735, 62, 26)
    wall_top = 150
    stone_blocks(ctx, 360, wall_top, W - 360, 420, darker(STONE, 0.12), seed=4)
    # Battlements with their light top edge.
    for bx in range(372, W + 40, 56):
        ctx.rectangle(bx, wall_top - 26, 34, 28)
        fill_outline(ctx, darker(STONE, 0.08), 2)
        ctx.rectangle(bx + 1, wall_top - 25, 32, 5)
        ctx.set_source_rgb(*STONE_TOP)
        ctx.fill()
    ctx.rectangle(360, wall_top - 2, W - 360, 8)
    fill_outline(ctx, STONE_TOP, 2)
    # Flags on the wall.
    for fx, color in ((470, RED), (780, TEAL)):
        ctx.move_to(fx, wall_top - 26)
        ctx.line_to(fx, wall_top - 96)
        ctx.set_source_rgb(*OUTLINE)
        ctx.set_line_width(3)
        ctx.stroke()
        ctx.move_to(fx, wall_top - 96)
        ctx.line_to(fx + 34 * (1 if fx < 700 else -1), wall_top - 84)
        ctx.line_to(fx, wall_top - 70)
        ctx.close_path()
        fill_outline(ctx, color, 2)
    # The gate: an arch round the fight button's place.
    gx = FIGHT_BUTTON[0] + FIGHT_BUTTON[2] / 2.0
    gate_w, gate_top, gate_bottom = 232, 236, 540
    ctx.save()
    ctx.new_path()
    ctx.move_to(gx - gate_w / 2 - 18, gate_bottom)
    ctx.line_to(gx - gate_w / 2 - 18, gate_top + gate_w / 2)
    ctx.arc(gx, gate_top + gate_w / 2, gate_w / 2 + 18, math.pi, 2 * math.pi)
    ctx.line_to(gx + gate_w / 2 + 18, gate_bottom)
    ctx.close_path()
    fill_outline(ctx, lighter(STONE, 0.1), 2.5)
    ctx.new_path()
    ctx.move_to(gx - gate_w / 2, gate_bottom)
    ctx.line_to(gx - gate_w / 2, gate_top + gate_w / 2)
    ctx.arc(gx, gate_top + gate_w / 2, gate_w / 2, math.pi, 2 * math.pi)
    ctx.line_to(gx + gate_w / 2, gate_bottom)
    ctx.close_path()
    inside = vertical_gradient(gate_top, gate_bottom, [(0, (0.06, 0.05, 0.1)), (1, (0.16, 0.12, 0.2))])
    fill_outline(ctx, inside, 2.5)
    # Arena light far inside the gate.
    ctx.move_to(gx - gate_w / 2, gate_bottom)
    ctx.line_to(gx - gate_w / 2, gate_top + gate_w / 2)
    ctx.arc(gx, gate_top + gate_w / 2, gate_w / 2, math.pi, 2 * math.pi)
    ctx.line_to(gx + gate_w / 2, gate_bottom)
    ctx.close_path()
    ctx.clip()
    lamp_glow(ctx, gx, gate_bottom - 40, 200, 0.25)
    # The raised portcullis: bars only in the arch's top.
    for k in range(-5, 6):
        bx = gx + k * 20
        ctx.rectangle(bx - 3, gate_top - 10, 6, 92)
        fill_outline(ctx, (0.22, 0.23, 0.27), 1.5)
        ctx.move_to(bx - 3, gate_top + 82)
        ctx.line_to(bx, gate_top + 94)
        ctx.line_to(bx + 3, gate_top + 82)
        ctx.close_path()
        fill_outline(ctx, (0.22, 0.23, 0.27), 1.5)
    for ry in (gate_top + 20, gate_top + 56):
        ctx.rectangle(gx - gate_w / 2, ry, gate_w, 6)
        fill_outline(ctx, (0.22, 0.23, 0.27), 1.5)
    ctx.restore()
    # Keystone plaque with the caption.
    rounded_rect(ctx, gx - 78, 176, 156, 40, 8)
    fill_outline(ctx, STONE, 2.5)
    rounded_rect(ctx, gx - 72, 180, 144, 5, 2)
    ctx.set_source_rgb(*STONE_TOP)
    ctx.fill()
    draw_text(ctx, "ARENA", 26, gx, 197, AMBER, outline=2.0)
    torch(ctx, gx - gate_w / 2 - 48, 330)
    torch(ctx, gx + gate_w / 2 + 48, 330)
    # Sand in front.
    ctx.rectangle(360, 540, W - 360, 60)
    ctx.set_source(vertical_gradient(540, 600, [(0, (0.55, 0.45, 0.32)), (1, (0.42, 0.33, 0.23))]))
    ctx.fill()
    ctx.move_to(360, 540)
    ctx.line_to(W, 540)
    ctx.set_source_rgb(*OUTLINE)
    ctx.set_line_width(2)
    ctx.stroke()
    draw_text(ctx, "Fight the next opponent", 17, gx, 572, TEXT)

    # --- left: the workshop (clipped to the slanted split) ---
    ctx.save()
    ctx.move_to(0, 0)
    ctx.line_to(split_top, 0)
    ctx.line_to(split_bottom, H)
    ctx.line_to(0, H)
    ctx.close_path()
    ctx.clip()
    wood_wall(ctx, 0, 0, 440, H)
    pegboard(ctx, 28, 96, 360, 150)
    for i, kind in enumerate(("wrench", "hammer", "saw", "pliers", "wrench")):
        hanging_tool(ctx, kind, 64 + i * 70, 112, 1.25 if kind != "wrench" or i == 0 else 1.0)
    # Lamp hanging from the ceiling.
    ctx.move_to(300, 0)
    ctx.line_to(300, 26)
    ctx.set_source_rgb(*OUTLINE)
    ctx.set_line_width(2)
    ctx.stroke()
    lamp_glow(ctx, 300, 40, 230, 0.18)
    ctx.move_to(282, 40)
    ctx.line_to(318, 40)
    ctx.line_to(310, 24)
    ctx.line_to(290, 24)
    ctx.close_path()
    fill_outline(ctx, TEAL_PRESSED, 2)
    circle(ctx, 300, 43, 5)
    fill_outline(ctx, lighter(AMBER, 0.6), 1.5)
    sign_board(ctx, 130, 48, 200, 44, "WORKSHOP", 24, TEXT)
    # The bench: its top carries a monster in the making, its front the button.
    bench_top = 300
    little_monster(ctx, 300, bench_top + 1, 0.9, look=-1.0)
    for bx, by, bw, bh in ((70, 276, 56, 24), (140, 284, 30, 16)):
        rounded_rect(ctx, bx, by, bw, bh, 4)
        fill_outline(ctx, (0.55, 0.6, 0.66), 2)
    circle(ctx, 200, 288, 12)
    fill_outline(ctx, (0.18, 0.19, 0.22), 2)
    circle(ctx, 200, 288, 4)
    fill_outline(ctx, TEAL, 1.5)
    rounded_rect(ctx, 20, bench_top, 420, 22, 4)
    fill_outline(ctx, lighter(BENCH, 0.08), 2)
    ctx.rectangle(24, bench_top + 3, 412, 4)
    ctx.set_source_rgba(1, 1, 1, 0.15)
    ctx.fill()
    ctx.rectangle(36, bench_top + 22, 380, 260)
    fill_outline(ctx, darker(BENCH, 0.12), 2)
    ctx.rectangle(44, bench_top + 30, 364, 250)
    ctx.set_source_rgba(0, 0, 0, 0.12)
    ctx.fill()
    # Floor planks.
    ctx.rectangle(0, 540, 440, 60)
    ctx.set_source(vertical_gradient(540, 600, [(0, darker(BENCH, 0.3)), (1, darker(BENCH, 0.5))]))
    ctx.fill()
    ctx.move_to(0, 540)
    ctx.line_to(440, 540)
    ctx.set_source_rgb(*OUTLINE)
    ctx.stroke()
    draw_text(ctx, "Build and test your monster", 17, 217, 505, TEXT)
    ctx.restore()
    # The split: a dark seam with a light edge.
    ctx.move_to(split_top, 0)
    ctx.line_to(split_bottom, H)
    ctx.set_source_rgb(*OUTLINE)
    ctx.set_line_width(6)
    ctx.stroke()
    ctx.move_to(split_top + 4, 0)
    ctx.line_to(split_bottom + 4, H)
    ctx.set_source_rgba(*STONE_TOP, 0.6)
    ctx.set_line_width(1.5)
    ctx.stroke()
    save_jpg(surface, os.path.join(folder, "shop_selection_background.jpg"))


# --- the editor ------------------------------------------------------------------------

GRID = 32
ORIGIN = (400, 300)
TRAY_Y = 60
TRAY_X = [80 + 64 * k for k in range(11)]
TOOLBAR_TOP = 506


def editor_background(folder):
    surface, ctx = new_image(W, H)
    wood_wall(ctx, 0, 0, W, H, plank=96, seed=9)
    # Shade the wall towards the floor.
    ctx.rectangle(0, 0, W, H)
    ctx.set_source(vertical_gradient(0, H, [(0, (0, 0, 0, 0)), (1, (0, 0, 0, 0.25))]))
    ctx.fill()
    # Warm light from the workshop lamps over the building place.
    lamp_glow(ctx, 400, 260, 380, 0.22)
    # The 1 m grid: faint lines with pegboard holes where they cross.
    ctx.set_line_width(1)
    ox, oy = ORIGIN
    for x in range(ox % GRID, W, GRID):
        ctx.move_to(x + 0.5, 120)
        ctx.line_to(x + 0.5, 556)
        ctx.set_source_rgba(*TEXT, 0.16 if x == ox else 0.07)
        ctx.stroke()
    for y in range(oy % GRID, H, GRID):
        if y < 120 or y > 556:
            continue
        ctx.move_to(0, y + 0.5)
        ctx.line_to(W, y + 0.5)
        ctx.set_source_rgba(*TEXT, 0.16 if y == oy else 0.07)
        ctx.stroke()
    for x in range(ox % GRID, W, GRID):
        for y in range(oy % GRID, H, GRID):
            if 120 <= y <= 556:
                circle(ctx, x + 0.5, y + 0.5, 2.0)
                ctx.set_source_rgb(*PEG)
                ctx.fill()
    # A blueprint and a note on the wall, out of the building place.
    ctx.save()
    ctx.translate(38, 160)
    ctx.rotate(-0.04)
    rounded_rect(ctx, 0, 0, 132, 100, 3)
    fill_outline(ctx, (0.22, 0.42, 0.66), 2)
    ctx.set_source_rgba(1, 1, 1, 0.18)
    ctx.set_line_width(1)
    for gx in range(8, 132, 12):
        ctx.move_to(gx + 0.5, 4)
        ctx.line_to(gx + 0.5, 96)
    for gy in range(8, 100, 12):
        ctx.move_to(4, gy + 0.5)
        ctx.line_to(128, gy + 0.5)
    ctx.stroke()
    ctx.set_source_rgba(1, 1, 1, 0.8)
    ctx.set_line_width(1.5)
    circle(ctx, 66, 28, 12)
    ctx.stroke()
    rounded_rect(ctx, 40, 44, 52, 22, 3)
    ctx.stroke()
    for wx in (50, 82):
        circle(ctx, wx, 76, 9)
        ctx.stroke()
    ctx.move_to(92, 52)
    ctx.line_to(116, 34)
    ctx.stroke()
    circle(ctx, 66, 0, 4)
    fill_outline(ctx, RED, 1.5)
    ctx.restore()
    ctx.save()
    ctx.translate(640, 168)
    ctx.rotate(0.03)
    rounded_rect(ctx, 0, 0, 128, 78, 3)
    fill_outline(ctx, (0.93, 0.88, 0.7), 2)
    draw_text(ctx, "RULE 1:", 14, 64, 22, OUTLINE, shadow=None)
    draw_text(ctx, "protect", 14, 64, 42, (0.64, 0.13, 0.18), shadow=None)
    draw_text(ctx, "the head!", 14, 64, 60, (0.64, 0.13, 0.18), shadow=None)
    circle(ctx, 64, 0, 4)
    fill_outline(ctx, TEAL, 1.5)
    ctx.restore()

    # Where the monster is built: a ring on the origin.
    circle(ctx, ox + 0.5, oy + 0.5, 9)
    ctx.set_source_rgba(*AMBER, 0.35)
    ctx.set_line_width(2)
    ctx.stroke()

    # The tray shelf behind the row of loose parts.
    shelf_top, shelf_bottom = 18, 110
    ctx.rectangle(0, shelf_top, W, shelf_bottom - shelf_top)
    ctx.set_source(vertical_gradient(shelf_top, shelf_bottom,
                                     [(0, lighter(BENCH, 0.12)), (1, lighter(BENCH, 0.02))]))
    ctx.fill()
    ctx.rectangle(0, shelf_top, W, 4)
    ctx.set_source_rgba(1, 1, 1, 0.12)
    ctx.fill()
    ctx.move_to(0, shelf_top)
    ctx.line_to(W, shelf_top)
    ctx.set_source_rgb(*OUTLINE)
    ctx.set_line_width(2)
    ctx.stroke()
    # A rail the tray's pins hang on, with a faint mark per place.
    ctx.rectangle(0, TRAY_Y - 2, W, 4)
    ctx.set_source_rgba(*darker(BENCH, 0.35), 0.55)
    ctx.fill()
    for x in TRAY_X:
        circle(ctx, x, TRAY_Y, 9)
        ctx.set_source_rgba(*darker(BENCH, 0.3), 0.5)
        ctx.fill()
    # The shelf plank.
    rounded_rect(ctx, -4, shelf_bottom, W + 8, 12, 3)
    fill_outline(ctx, lighter(BENCH, 0.1), 2)
    ctx.rectangle(0, shelf_bottom + 2, W, 3)
    ctx.set_source_rgba(1, 1, 1, 0.15)
    ctx.fill()
    ctx.rectangle(0, shelf_bottom + 12, W, 6)
    ctx.set_source(vertical_gradient(shelf_bottom + 12, shelf_bottom + 18, [(0, (0, 0, 0, 0.35)), (1, (0, 0, 0, 0))]))
    ctx.fill()
    for bx in (40, 400, 760):
        ctx.move_to(bx - 10, shelf_bottom + 12)
        ctx.line_to(bx + 10, shelf_bottom + 12)
        ctx.line_to(bx, shelf_bottom + 30)
        ctx.close_path()
        fill_outline(ctx, (0.35, 0.37, 0.42), 2)
    draw_text(ctx, "PARTS", 14, 8, 40, mix(TEXT, BENCH, 0.2), align="left", shadow=(1, 1))

    # The bottom strip behind the toolbar: a calm skirting board.
    ctx.rectangle(0, 548, W, 20)
    fill_outline(ctx, darker(WALL, 0.3), 2)
    draw_text(ctx, "Drag a part by its pin onto your monster", 16, 400, 524, TEXT, alpha=0.8)
    save_png(surface, os.path.join(folder, "editor_background.png"))
    with open(os.path.join(folder, "editor_background.xml"), "w") as out:
        out.write(base_sprite_xml("data/gfx/editor_background.png", (0, 0, W, H), 1000))


# --- the arena ----------------------------------------------------------------------

FLOOR_TOP = 568       # temp/floor.xml: the floor's top at y 8.375 m


def crowd(ctx, top, bottom, rows, seed, colors):
    rng = random.Random(seed)
    row_h = (bottom - top) / rows
    for r in range(rows):
        y = top + (r + 1) * row_h
        color = colors[r % len(colors)]
        ctx.rectangle(0, y - row_h * 0.45, W, row_h * 0.45 + 1)
        ctx.set_source_rgb(*color)
        ctx.fill()
        x = rng.uniform(-8, 4)
        while x < W + 10:
            hr = rng.uniform(5.5, 7.5)
            cy = y - row_h * 0.45 - hr * 0.4 - rng.uniform(0, 3)
            ctx.set_source_rgb(*lighter(color, rng.choice((0.0, 0.04, 0.08, 0.12))))
            circle(ctx, x, cy, hr)
            ctx.fill()
            # Shoulders.
            rounded_rect(ctx, x - hr * 1.5, cy + hr * 0.6, hr * 3, row_h, hr)
            ctx.fill()
            if rng.random() < 0.08:
                # A raised arm or a little flag.
                ctx.move_to(x + hr, cy + 2)
                ctx.line_to(x + hr + 5, cy - 14)
                ctx.set_line_width(3)
                ctx.stroke()
                if rng.random() < 0.5:
                    ctx.move_to(x + hr + 5, cy - 14)
                    ctx.line_to(x + hr + 17, cy - 10)
                    ctx.line_to(x + hr + 5, cy - 6)
                    ctx.close_path()
                    ctx.set_source_rgb(*rng.choice((AMBER, TEAL, RED)))
                    ctx.fill()
            x += rng.uniform(13, 19)


def floodlight(ctx, x, top, bottom, lean):
    ctx.move_to(x - 6, bottom)
    ctx.line_to(x - 3, top + 20)
    ctx.line_to(x + 3, top + 20)
    ctx.line_to(x + 6, bottom)
    ctx.close_path()
    fill_outline(ctx, (0.16, 0.15, 0.24), 2)
    # The beam, soft, towards the middle.
    beam = cairo.LinearGradient(x, top, x + lean * 300, top + 420)
    beam.add_color_stop_rgba(0, 1, 0.95, 0.8, 0.16)
    beam.add_color_stop_rgba(1, 1, 0.95, 0.8, 0.0)
    ctx.move_to(x, top + 10)
    ctx.line_to(x + lean * 120, top + 470)
    ctx.line_to(x + lean * 420, top + 470)
    ctx.close_path()
    ctx.set_source(beam)
    ctx.fill()
    rounded_rect(ctx, x - 22, top, 44, 22, 4)
    fill_outline(ctx, (0.22, 0.22, 0.3), 2)
    for k in range(3):
        circle(ctx, x - 13 + k * 13, top + 11, 5)
        fill_outline(ctx, (1, 0.96, 0.82), 1.5)


def background(folder):
    surface, ctx = new_image(W, H)
    night_sky(ctx, W, H, 31, 300)
    moon(ctx, 92, 120, 34)
    # The stands: tiers of a crowd in the dark.
    stands_top, wall_top = 318, 470
    ctx.rectangle(0, stands_top, W, wall_top - stands_top)
    ctx.set_source_rgb(0.12, 0.11, 0.2)
    ctx.fill()
    crowd(ctx, stands_top, wall_top - 6, 5, 41,
          [(0.15, 0.13, 0.25), (0.17, 0.15, 0.27), (0.19, 0.16, 0.29), (0.21, 0.18, 0.31), (0.23, 0.2, 0.33)])
    # Roof line of the stands.
    ctx.rectangle(0, stands_top - 10, W, 12)
    fill_outline(ctx, (0.2, 0.19, 0.3), 2)
    floodlight(ctx, 34, 200, stands_top - 8, 1)
    floodlight(ctx, W - 34, 200, stands_top - 8, -1)
    # The arena wall behind the fighters: stone with a lighter top edge.
    stone_blocks(ctx, 0, wall_top, W, FLOOR_TOP - wall_top + 32, darker(STONE, 0.22), bw=64, bh=32, seed=8)
    ctx.rectangle(0, wall_top, W, 8)
    fill_outline(ctx, darker(STONE_TOP, 0.1), 2)
    # Banners on the wall.
    for bx, color in ((150, TEAL), (400, AMBER), (650, RED)):
        ctx.move_to(bx - 26, wall_top + 8)
        ctx.line_to(bx + 26, wall_top + 8)
        ctx.line_to(bx + 26, wall_top + 58)
        ctx.line_to(bx, wall_top + 70)
        ctx.line_to(bx - 26, wall_top + 58)
        ctx.close_path()
        fill_outline(ctx, darker(color, 0.25), 2)
        ctx.rectangle(bx - 26, wall_top + 12, 52, 5)
        ctx.set_source_rgba(1, 1, 1, 0.18)
        ctx.fill()
        circle(ctx, bx, wall_top + 38, 10)
        fill_outline(ctx, darker(color, 0.5), 1.5)
    # Night shade over the wall's foot, so the fighters stand out.
    ctx.rectangle(0, wall_top, W, FLOOR_TOP - wall_top)
    ctx.set_source(vertical_gradient(wall_top, FLOOR_TOP, [(0, (0, 0, 0, 0)), (1, (0, 0, 0, 0.3))]))
    ctx.fill()
    # Under the floor sprite: earth, in case a frame shows it.
    ctx.rectangle(0, FLOOR_TOP, W, H - FLOOR_TOP)
    ctx.set_source_rgb(0.36, 0.25, 0.16)
    ctx.fill()
    save_png(surface, os.path.join(folder, "background.png"))
    with open(os.path.join(folder, "background.xml"), "w") as out:
        out.write(base_sprite_xml("data/gfx/background.png", (0, 0, W, H), 1000))


FOREGROUND_TOP = 574
FOREGROUND_H = H - FOREGROUND_TOP


def foreground(folder):
    """A low iron rail along the front of the floor, below the fighters'
    feet: nothing of it rises above the floor's top."""
    surface, ctx = new_image(W, FOREGROUND_H)
    iron = (0.16, 0.16, 0.21)
    rail_y = 6
    posts = list(range(40, W, 90))
    for px in posts:
        rounded_rect(ctx, px - 3.5, rail_y, 7, FOREGROUND_H - rail_y + 3, 2)
        fill_outline(ctx, iron, 1.5)
    for y in (rail_y, rail_y + 13):
        rounded_rect(ctx, -4, y, W + 8, 5, 2.5)
        fill_outline(ctx, iron, 1.5)
        ctx.rectangle(0, y + 1, W, 1.2)
        ctx.set_source_rgba(*STONE_TOP, 0.65)
        ctx.fill()
    for px in posts:
        circle(ctx, px, rail_y + 2.5, 4.5)
        fill_outline(ctx, BRASS, 1.5)
        circle(ctx, px - 1.3, rail_y + 1.2, 1.3)
        ctx.set_source_rgba(1, 1, 1, 0.7)
        ctx.fill()
    save_png(surface, os.path.join(folder, "foreground.png"))
    with open(os.path.join(folder, "foreground.xml"), "w") as out:
        out.write(base_sprite_xml("data/gfx/foreground.png", (0, FOREGROUND_TOP, W, FOREGROUND_H), 40))


# --- outcome -------------------------------------------------------------------------

BAND_Y, BAND_H = 200, 200


def outcome(folder, name, word, color, sound, ornament):
    surface, ctx = new_image(W, BAND_H)
    band_top, band_bottom = 34, BAND_H - 34
    ctx.rectangle(0, band_top - 16, W, band_bottom - band_top + 32)
    ctx.set_source(vertical_gradient(band_top - 16, band_bottom + 16, [
        (0, (0.05, 0.05, 0.1, 0.0)), (16.0 / (band_bottom - band_top + 32), (0.05, 0.05, 0.1, 0.62)),
        (1 - 16.0 / (band_bottom - band_top + 32), (0.05, 0.05, 0.1, 0.62)), (1, (0.05, 0.05, 0.1, 0.0))]))
    ctx.fill()
    for y in (band_top, band_bottom):
        ctx.rectangle(0, y - 1.5, W, 3)
        ctx.set_source_rgba(*color, 0.85)
        ctx.fill()
    cy = BAND_H / 2.0 - 8
    title_text(ctx, word, 64, 400, cy, color)
    set_font(ctx, 64)
    half = ctx.text_extents(word).width / 2.0
    for side in (-1, 1):
        ox = 400 + side * (half + 54)
        if ornament == "star":
            ctx.new_path()
            for k in range(10):
                r = 22 if k % 2 == 0 else 9
                a = -math.pi / 2 + k * math.pi / 5
                ctx.line_to(ox + math.cos(a) * r, cy + math.sin(a) * r)
            ctx.close_path()
            fill_outline(ctx, lighter(color, 0.15), 2.5)
        else:
            # A knocked-out monster head: crossed eyes, a flat mouth.
            circle(ctx, ox, cy, 22)
            fill_outline(ctx, MONSTER_GREEN, 2.5)
            ctx.set_source_rgb(*OUTLINE)
            ctx.set_line_width(2.5)
            ctx.set_line_cap(cairo.LINE_CAP_ROUND)
            for ex in (-8, 8):
                for d in (-1, 1):
                    ctx.move_to(ox + ex - 4, cy - 5 - 4 * d)
                    ctx.line_to(ox + ex + 4, cy - 5 + 4 * d)
                    ctx.stroke()
            ctx.move_to(ox - 7, cy + 10)
            ctx.curve_to(ox - 3, cy + 7, ox + 3, cy + 7, ox + 7, cy + 10)
            ctx.stroke()
    draw_text(ctx, "click to continue", 18, 400, band_bottom - 20, TEXT, alpha=0.9)
    save_png(surface, os.path.join(folder, name + ".png"))
    animations = [("show", False, [((0, 0, W, BAND_H), 100, sound)])]
    xml = animated_sprite_xml("data/gfx/%s.png" % name, (0, BAND_Y, W, BAND_H), 10, animations, "show")
    with open(os.path.join(folder, name + ".xml"), "w") as out:
        out.write(xml)


# --- new parts --------------------------------------------------------------------

PRIZE_CENTRES = [(296, 259), (451, 259), (376, 259)]
NEW_PARTS_RECT = (151, 104, 450, 300)


def new_parts_backdrop(folder):
    x0, y0, w, h = NEW_PARTS_RECT
    surface, ctx = new_image(w, h)
    panel(ctx, 0, 0, w, h, radius=16)
    title_text(ctx, "New parts!", 48, w / 2.0, 44, AMBER)
    # The display: a lit stage wide enough for one prize or two.
    sx, sy, sw, sh = 30, 84, w - 60, 150
    rounded_rect(ctx, sx, sy, sw, sh, 12)
    ctx.set_source(vertical_gradient(sy, sy + sh, [(0, (0.07, 0.08, 0.11)), (1, (0.12, 0.14, 0.18))]))
    ctx.fill()
    ctx.save()
    rounded_rect(ctx, sx, sy, sw, sh, 12)
    ctx.clip()
    for cx, _ in PRIZE_CENTRES[:2]:
        lamp_glow(ctx, cx - x0, 259 - y0, 90, 0.16, TEAL)
    lamp_glow(ctx, 376 - x0, 259 - y0, 120, 0.10, AMBER)
    ctx.restore()
    rounded_rect(ctx, sx, sy, sw, sh, 12)
    ctx.set_source_rgb(*PANEL_BORDER)
    ctx.set_line_width(2)
    ctx.stroke()
    draw_text(ctx, "They wait for you in the workshop", 16, w / 2.0, 254, TEXT)
    draw_text(ctx, "click to continue", 16, w / 2.0, 279, mix(TEXT, PANEL_BORDER, 0.35))
    save_png(surface, os.path.join(folder, "new_parts_backdrop.png"))
    with open(os.path.join(folder, "new_parts_backdrop.xml"), "w") as out:
        out.write(base_sprite_xml("data/gfx/new_parts_backdrop.png", NEW_PARTS_RECT, 8))


def main():
    game = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.dirname(os.path.abspath(__file__))), "game")
    folder = os.path.join(game, "data", "gfx")
    os.makedirs(folder, exist_ok=True)
    blackdrop(folder)
    title_screen(folder)
    name_field(folder, game)
    dialog_entername(folder)
    all_buttons(folder)
    shop_selection(folder)
    editor_background(folder)
    background(folder)
    foreground(folder)
    outcome(folder, "victory", "Victory!", AMBER, "data/sound/victory.ogg", "star")
    outcome(folder, "you_lose", "Defeat", RED, "data/sound/defeat.ogg", "bolt")
    new_parts_backdrop(folder)
    pin(folder)


if __name__ == "__main__":
    main()
