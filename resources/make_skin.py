#!/usr/bin/python3
"""Draws the control desk's skin into resources/skin/.

Draws every skin bitmap in 24-bit colour, then writes it as an 8-bit
uncompressed BMP. All of them share one table of 256 colours: the 20 that
Windows keeps in the system palette at 256 colours, the two the bitmap
gauge fills with, and 234 chosen over the whole skin (median cut refined by
k-means), so that the program realises one palette for all of them;
skin_palette.bmp, of one pixel, carries the table alone, for the program to
make its palette from. Also writes the two window icons, the "psize" resize
cursor and contact-sheet.png (every bitmap as it ships, with its name and
size, a preview of one assembled column, and the control gallery's faces
put together as their controls show them) for review.

It prints the mean absolute difference, per channel, between the 8-bit skin
and the 24-bit drawing. Three checks stop the run: that difference above
1.5, a legend of the panel's backgrounds under one of its controls, and a
knob top that is not one plain colour wherever the knob's indicator patch
can land (in 24 bits and in 8).

Run with Debian's Python 3 and Pillow:

    /usr/bin/python3 resources/make_skin.py

The output is the same, byte for byte, on every run. The generated files are
committed; the build only compiles desk.rc and never runs this script.

Look: a dark anodised, brushed front plate with white printed legends. Keys
of the card settings light amber when on; the timecode keys light green, the
colour of the timecode readout. Unlit keys are dark with dim lettering.
"""
import math
import os
import random
import struct

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont, ImageStat

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "skin")
FONT_DIR = "/usr/share/fonts/truetype/dejavu"

COLUMN_W = 339
MAIN_H = 254
TIMECODE_H = 100

# ------------------------------------------------------------------ palette
PLATE = (50, 54, 60)            # anodised front plate, mid tone
PLATE_EDGE_LIGHT = (92, 97, 105)
PLATE_EDGE_DARK = (16, 17, 19)
LEGEND = (214, 217, 222)         # printed legends
LEGEND_DIM = (140, 146, 154)
RULE = (98, 104, 112)            # printed rules beside captions
RULE_SHADOW = (30, 32, 36)

KEY_RIM = (12, 13, 15)
KEY_OFF_TOP = (60, 64, 71)
KEY_OFF_BOTTOM = (37, 40, 45)
KEY_OFF_HILITE = (86, 91, 99)
KEY_SHADOW = (25, 27, 30)
TEXT_OFF = (132, 138, 147)

AMBER = {
    "top": (88, 70, 40), "bottom": (56, 43, 24), "hilite": (132, 106, 62),
    "led": (255, 168, 36), "core": (255, 238, 186), "led_off": (66, 50, 30),
    "text": (255, 228, 168), "glow": (255, 150, 20),
}
GREEN = {
    "top": (44, 78, 46), "bottom": (26, 50, 28), "hilite": (76, 124, 78),
    "led": (60, 235, 70), "core": (210, 255, 200), "led_off": (30, 56, 32),
    "text": (200, 255, 190), "glow": (30, 220, 40),
}

# Faces of the on/off switch class by resource number: which state each one
# shows, and its file name.
SWITCH_FACES = [
    (129, "switch_off_pressed", False, True),
    (130, "switch_off", False, False),
    (131, "switch_on", True, False),
    (132, "switch_on_pressed", True, True),
]

# Where the controls of one column sit (x, y, w, h); y counts from the top of
# "mainbak", so the timecode row starts at y = 254. Legends on the
# backgrounds must stay clear of all of these.
CONTROL_RECTS = (
    [(18, y, 123, 15) for y in (58, 74, 117, 133, 161, 177, 193, 209)]
    + [(197, 56 + 16 * r, 17, 15) for r in range(4)]
    + [(215, 56 + 16 * r, 72, 15) for r in range(4)]
    + [(288, 56 + 16 * r, 17, 15) for r in range(4)]
    + [(312, 62, 19, 53)]
    + [(197, 133 + 16 * i, 110, 15) for i in range(3)]
    + [(312, 129, 19, 53), (197, 198, 110, 15), (40, 11, 25, 31)]
    + [(x, 269, 50, 44) for x in (39, 94, 149, 204)]
    + [(269, 280, 44, 31)]
    + [(37 + 45 * j, 326, 40, 21) for j in range(5)]
)

_fonts = {}


def font(size, bold=True):
    key = (size, bold)
    if key not in _fonts:
        name = "DejaVuSans-Bold.ttf" if bold else "DejaVuSans.ttf"
        _fonts[key] = ImageFont.truetype(os.path.join(FONT_DIR, name), size)
    return _fonts[key]


def lerp(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


def text_size(text, fnt):
    l, t, r, b = fnt.getbbox(text)
    return r - l, b - t, l, t


def draw_text_centred(draw, box, text, fnt, fill):
    """Centres the ink of text in box (x0, y0, x1, y1), x1/y1 exclusive."""
    x0, y0, x1, y1 = box
    w, h, l, t = text_size(text, fnt)
    x = x0 + (x1 - x0 - w) // 2 - l
    y = y0 + (y1 - y0 - h) // 2 - t
    draw.text((x, y), text, font=fnt, fill=fill)
    return x + l, y + t, w, h


# --------------------------------------------------------------- the plate
def brushed_plate(w, h, seed):
    """Anodised aluminium with fine horizontal brushing."""
    rng = random.Random(seed)
    coarse = Image.frombytes("L", (max(2, w // 24), h),
                             bytes(rng.randrange(256) for _ in range(max(2, w // 24) * h)))
    streaks = coarse.resize((w, h), Image.BILINEAR)
    fine = Image.frombytes("L", (w, h), bytes(rng.randrange(256) for _ in range(w * h)))
    img = Image.new("RGB", (w, h))
    sp = streaks.load()
    fp = fine.load()
    px = img.load()
    for y in range(h):
        shade = 1.0 + 0.05 * (0.5 - y / h)       # light falls from above
        for x in range(w):
            n = (sp[x, y] - 128) / 128.0 * 4.0 + (fp[x, y] - 128) / 128.0 * 2.0
            px[x, y] = tuple(max(0, min(255, int(round(c * shade + n)))) for c in PLATE)
    return img


def plate_bevel(draw, w, h):
    draw.line([(0, 0), (w - 1, 0)], fill=PLATE_EDGE_LIGHT)
    draw.line([(0, 0), (0, h - 1)], fill=PLATE_EDGE_LIGHT)
    draw.line([(0, h - 1), (w - 1, h - 1)], fill=PLATE_EDGE_DARK)
    draw.line([(w - 1, 0), (w - 1, h - 1)], fill=PLATE_EDGE_DARK)


def screw(img, cx, cy):
    """A small countersunk Phillips screw centred on (cx, cy)."""
    d = ImageDraw.Draw(img)
    d.ellipse([cx - 4, cy - 4, cx + 4, cy + 4], fill=(28, 30, 33))
    d.ellipse([cx - 3, cy - 3, cx + 3, cy + 3], fill=(128, 132, 138))
    d.pieslice([cx - 3, cy - 3, cx + 3, cy + 3], 200, 20, fill=(158, 162, 168))
    d.line([(cx - 2, cy), (cx + 2, cy)], fill=(40, 42, 46))
    d.line([(cx, cy - 2), (cx, cy + 2)], fill=(40, 42, 46))


def printed(draw, xy, text, fnt, fill=LEGEND):
    draw.text(xy, text, font=fnt, fill=fill)


def caption(draw, x, bottom, text, right=None, size=8):
    """A section caption whose capitals end at row bottom - 1, with a printed
    rule running on to x = right."""
    fnt = font(size)
    w, h, l, t = text_size(text, fnt)
    top = bottom - h
    draw.text((x - l, top - t), text, font=fnt, fill=LEGEND)
    if right is not None and right > x + w + 6:
        ry = top + h // 2
        draw.line([(x + w + 4, ry), (right, ry)], fill=RULE)
        draw.line([(x + w + 4, ry + 1), (right, ry + 1)], fill=RULE_SHADOW)


def groove_v(draw, x, y0, y1):
    draw.line([(x, y0), (x, y1)], fill=RULE_SHADOW)
    draw.line([(x + 1, y0), (x + 1, y1)], fill=PLATE_EDGE_LIGHT)


def groove_h(draw, x0, x1, y):
    draw.line([(x0, y), (x1, y)], fill=RULE_SHADOW)
    draw.line([(x0, y + 1), (x1, y + 1)], fill=PLATE_EDGE_LIGHT)


def plain_mainbak():
    img = brushed_plate(COLUMN_W, MAIN_H, seed=20)
    d = ImageDraw.Draw(img)
    plate_bevel(d, COLUMN_W, MAIN_H)
    for cx, cy in ((7, 7), (COLUMN_W - 8, 7), (7, MAIN_H - 8), (COLUMN_W - 8, MAIN_H - 8)):
        screw(img, cx, cy)
    return img


def mainbak():
    img = plain_mainbak()
    d = ImageDraw.Draw(img)

    # Title beside the card badge at (40, 11).
    title = font(12)
    d.text((72, 12), "TARA DOCK 20", font=title, fill=LEGEND)
    d.text((73, 29), "MULTI-CHANNEL PCI AUDIO", font=font(8, bold=False), fill=LEGEND_DIM)

    # Left half: input, fs mode and clock source; their keys sit at x = 18.
    caption(d, 18, 55, "DIGITAL INPUT", right=141)
    caption(d, 18, 114, "FS MODE", right=141)
    caption(d, 18, 158, "CLOCK SOURCE", right=141)

    groove_v(d, 168, 46, 224)

    # Right half: routing (A and B columns), sample rate, display.
    caption(d, 197, 41, "OUTPUT ROUTING", right=331)
    small = font(8)
    for cx, text in ((205, "A"), (296, "B")):
        w, h, l, t = text_size(text, small)
        d.text((cx - w // 2 - l, 46 - t), text, font=small, fill=LEGEND)
    w, h, l, t = text_size("OUTPUTS", font(7))
    d.text((251 - w // 2 - l, 47 - t), "OUTPUTS", font=font(7), fill=LEGEND_DIM)
    caption(d, 197, 130, "SAMPLE RATE", right=307)
    caption(d, 197, 195, "DISPLAY", right=307)

    # Foot of the plate.
    groove_h(d, 18, COLUMN_W - 19, 231)
    foot = "DIGITAL AUDIO CONTROL DESK"
    fnt = font(8, bold=False)
    w, h, l, t = text_size(foot, fnt)
    d.text(((COLUMN_W - w) // 2 - l, 239 - t), foot, font=fnt, fill=LEGEND_DIM)
    return img


def plain_smptebak():
    img = brushed_plate(COLUMN_W, TIMECODE_H, seed=21)
    d = ImageDraw.Draw(img)
    plate_bevel(d, COLUMN_W, TIMECODE_H)
    for cx, cy in ((7, 7), (COLUMN_W - 8, 7), (7, TIMECODE_H - 8), (COLUMN_W - 8, TIMECODE_H - 8)):
        screw(img, cx, cy)
    return img


def smptebak():
    img = plain_smptebak()
    d = ImageDraw.Draw(img)

    # One dark readout window behind the four digit fields (x 39..253,
    # y 15..58); the fields paint themselves black with green digits, and
    # the colons between them belong to the window.
    d.rectangle([36, 12, 256, 61], fill=PLATE_EDGE_DARK)
    d.line([(36, 61), (256, 61)], fill=PLATE_EDGE_LIGHT)
    d.line([(256, 12), (256, 61)], fill=PLATE_EDGE_LIGHT)
    d.rectangle([37, 13, 255, 60], fill=(0, 0, 0))
    for x in (90, 145, 200):
        for y in (29, 42):
            d.rectangle([x, y, x + 1, y + 1], fill=(0, 200, 0))

    small = font(8)
    for x, text in ((39, "HOURS"), (94, "MIN"), (149, "SEC"), (204, "FRAMES")):
        w, h, l, t = text_size(text, small)
        d.text((x + 25 - w // 2 - l, 3 - t), text, font=small, fill=LEGEND)

    # Generator start key at (269, 26), 44 x 31.
    fnt = font(8)
    w, h, l, t = text_size("START", fnt)
    d.text((291 - w // 2 - l, 15 - t), "START", font=fnt, fill=LEGEND)

    # Frame-rate keys at y = 72, x = 37 + 45 j, 40 x 21 each.
    w, h, l, t = text_size("FRAME RATE", fnt)
    d.text((264 - l, 73 - t), "FRAME RATE", font=fnt, fill=LEGEND)
    d.text((264, 84), "fps", font=font(8, bold=False), fill=LEGEND_DIM)
    return img


# ------------------------------------------------------------------- keys
def key_body(w, h, on, accent):
    """A rectangular key in a dark rim, lit (accent colours) or unlit."""
    img = Image.new("RGB", (w, h), KEY_RIM)
    px = img.load()
    top, bottom = (accent["top"], accent["bottom"]) if on else (KEY_OFF_TOP, KEY_OFF_BOTTOM)
    for y in range(1, h - 1):
        c = lerp(top, bottom, (y - 1) / max(1, h - 3))
        for x in range(1, w - 1):
            px[x, y] = c
    d = ImageDraw.Draw(img)
    d.line([(1, 1), (w - 2, 1)], fill=accent["hilite"] if on else KEY_OFF_HILITE)
    d.line([(1, h - 2), (w - 2, h - 2)], fill=KEY_SHADOW)
    # Soften the corners into the plate.
    for x, y in ((0, 0), (w - 1, 0), (0, h - 1), (w - 1, h - 1)):
        px[x, y] = lerp(KEY_RIM, PLATE, 0.6)
    return img


def glow(img, mask, colour, radius, strength):
    """Adds a soft light of colour around the lit pixels of mask."""
    halo = mask.filter(ImageFilter.GaussianBlur(radius))
    halo = halo.point(lambda v: min(255, int(v * strength)))
    light = Image.new("RGB", img.size, colour)
    lit = ImageChops.multiply(light, Image.merge("RGB", (halo, halo, halo)))
    return ImageChops.add(img, lit)


def led(img, cx, cy, r, on, accent):
    """Round LED of radius r; lit LEDs throw a small glow on the key."""
    box = [cx - r, cy - r, cx + r, cy + r]
    if on:
        mask = Image.new("L", img.size, 0)
        ImageDraw.Draw(mask).ellipse(box, fill=255)
        img = glow(img, mask, accent["glow"], 2.0, 0.55)
        d = ImageDraw.Draw(img)
        d.ellipse(box, fill=accent["led"])
        d.ellipse([cx - r + 1, cy - r + 1, cx + r - 1, cy + r - 1], fill=lerp(accent["led"], accent["core"], 0.5))
        d.point((cx - 1, cy - 1), fill=accent["core"])
    else:
        d = ImageDraw.Draw(img)
        d.ellipse([box[0] - 1, box[1] - 1, box[2] + 1, box[3] + 1], fill=KEY_RIM)
        d.ellipse(box, fill=accent["led_off"])
        d.point((cx - 1, cy - 1), fill=lerp(accent["led_off"], (160, 160, 160), 0.3))
    return img


def bar_led(img, x, y, length, on, accent):
    """Flat bar LED, two pixels high, from (x, y)."""
    box = [x, y, x + length - 1, y + 1]
    if on:
        mask = Image.new("L", img.size, 0)
        ImageDraw.Draw(mask).rectangle(box, fill=255)
        img = glow(img, mask, accent["glow"], 1.5, 0.6)
        d = ImageDraw.Draw(img)
        d.rectangle(box, fill=accent["led"])
        d.line([(x + 1, y), (x + length - 2, y)], fill=accent["core"])
    else:
        d = ImageDraw.Draw(img)
        d.rectangle([box[0] - 1, box[1] - 1, box[2] + 1, box[3] + 1], fill=KEY_RIM)
        d.rectangle(box, fill=accent["led_off"])
    return img


def key_text(img, box, text, on, accent, size=9):
    d = ImageDraw.Draw(img)
    if on:
        mask = Image.new("L", img.size, 0)
        draw_text_centred(ImageDraw.Draw(mask), box, text, font(size), 255)
        img = glow(img, mask, accent["glow"], 1.2, 0.35)
        d = ImageDraw.Draw(img)
    draw_text_centred(d, box, text, font(size), accent["text"] if on else TEXT_OFF)
    return img


def wide_key(w, h, text, on, accent=AMBER):
    """Selector key: LED at the left, legend centred in the rest."""
    img = key_body(w, h, on, accent)
    img = led(img, 8, h // 2, 2, on, accent)
    return key_text(img, (14, 0, w - 4, h), text, on, accent)


def square_key(w, h, on, accent=AMBER):
    """Routing key: a bare LED key."""
    img = key_body(w, h, on, accent)
    return led(img, w // 2, h // 2, 3, on, accent)


def tall_key(w, h, text, on, accent=AMBER):
    """Upright key: LED at the top, legend running up the key."""
    img = key_body(w, h, on, accent)
    img = led(img, w // 2, 8, 3, on, accent)
    # Draw the legend across a sideways strip, then turn it upright.
    strip_w, strip_h = h - 16, w
    strip = Image.new("RGB", (strip_w, strip_h))
    strip.paste(img.crop((w - strip_h, 15, w, 15 + strip_w)).rotate(-90, expand=True), (0, 0))
    strip = key_text(strip, (0, 0, strip_w, strip_h), text, on, accent)
    img.paste(strip.rotate(90, expand=True), (0, 15))
    # The key's rim and bevel run under the legend strip; put them back.
    d = ImageDraw.Draw(img)
    d.line([(0, 15), (0, h - 2)], fill=KEY_RIM)
    d.line([(w - 1, 15), (w - 1, h - 2)], fill=KEY_RIM)
    return img


def badge(number, background):
    """Card number plate at (40, 11): a big lit digit in a dark window."""
    img = background.copy()
    w, h = img.size
    d = ImageDraw.Draw(img)
    d.rounded_rectangle([0, 0, w - 1, h - 1], radius=3, fill=KEY_RIM)
    d.rounded_rectangle([1, 1, w - 2, h - 2], radius=2, fill=(6, 6, 7), outline=(40, 42, 46))
    mask = Image.new("L", img.size, 0)
    draw_text_centred(ImageDraw.Draw(mask), (0, 0, w, h), str(number), font(20), 255)
    img = glow(img, mask, AMBER["glow"], 1.6, 0.6)
    draw_text_centred(ImageDraw.Draw(img), (0, 0, w, h), str(number), font(20), AMBER["led"])
    return img


def row_label(text, background):
    """Static label between the routing keys: printed on the plate itself."""
    img = background.copy()
    d = ImageDraw.Draw(img)
    w, h = img.size
    draw_text_centred(d, (0, 0, w, h), text, font(9), LEGEND)
    return img


def start_key(on):
    w, h = 44, 31
    img = key_body(w, h, on, GREEN)
    img = led(img, 8, 8, 2, on, GREEN)
    tri = [(17, 9), (17, 22), (28, 15)]
    if on:
        mask = Image.new("L", img.size, 0)
        ImageDraw.Draw(mask).polygon(tri, fill=255)
        img = glow(img, mask, GREEN["glow"], 1.5, 0.5)
    ImageDraw.Draw(img).polygon(tri, fill=GREEN["text"] if on else TEXT_OFF)
    return img


def frame_rate_key(text, on):
    w, h = 40, 21
    img = key_body(w, h, on, GREEN)
    img = bar_led(img, (w - 10) // 2, 4, 10, on, GREEN)
    return key_text(img, (0, 7, w, h - 2), text, on, GREEN)


def switch_knob(pressed):
    """The switch's sliding knob, 16 x 16; pressed, it is pushed in: darker,
    lit from below instead of above."""
    w = h = 16
    img = Image.new("RGB", (w, h), KEY_RIM)
    px = img.load()
    top, bottom = (KEY_OFF_TOP, KEY_OFF_BOTTOM) if not pressed else ((30, 32, 36), (46, 49, 55))
    for y in range(1, h - 1):
        c = lerp(top, bottom, (y - 1) / (h - 3))
        for x in range(1, w - 1):
            px[x, y] = c
    d = ImageDraw.Draw(img)
    if not pressed:
        d.line([(1, 1), (w - 2, 1)], fill=KEY_OFF_HILITE)
        d.line([(1, h - 2), (w - 2, h - 2)], fill=KEY_SHADOW)
    else:
        d.line([(1, 1), (w - 2, 1)], fill=(14, 15, 17))
        d.line([(1, 1), (1, h - 2)], fill=(20, 21, 24))
    for gx in (5, 8, 11):
        d.line([(gx, 4), (gx, 11)], fill=KEY_SHADOW)
        d.line([(gx + 1, 4), (gx + 1, 11)], fill=(70, 74, 81) if not pressed else (50, 53, 58))
    return img


def switch_face(on, pressed):
    """On/off switch, 40 x 20: a slide switch with its knob at the left (off)
    or right (on) and the state lettered in the free half of the slot; the
    pressed faces show the knob pushed in, one pixel lower."""
    w, h = 40, 20
    img = Image.new("RGB", (w, h), KEY_RIM)
    d = ImageDraw.Draw(img)
    d.rectangle([1, 1, w - 2, h - 2], fill=(18, 19, 22))
    d.line([(1, 1), (w - 2, 1)], fill=(8, 8, 10))
    if on:
        img = key_text(img, (2, 1, 21, h - 1), "ON", True, AMBER, size=8)
        kx = 22
    else:
        img = key_text(img, (19, 1, 38, h - 1), "OFF", False, AMBER, size=8)
        kx = 2
    img.paste(switch_knob(pressed), (kx, 2 + (1 if pressed else 0)))
    if pressed:
        ImageDraw.Draw(img).line([(kx, 2), (kx + 15, 2)], fill=(8, 8, 10))
    return img


# ------------------------------------------------------------ all bitmaps
def build_all():
    """Returns [(name, image)] in the order of the contact sheet."""
    main = mainbak()
    timecode = smptebak()
    items = []

    def pair(name, draw_face):
        items.append((name + "_on", draw_face(True)))
        items.append((name + "_off", draw_face(False)))

    for name, text in (("coaxial", "COAXIAL"), ("optical", "OPTICAL"),
                       ("fs", "FS"), ("256fs", "256 FS"),
                       ("internal", "INTERNAL"), ("digitalin", "DIGITAL IN"),
                       ("word", "WORD CLOCK"), ("extertara", "TARA UNIT")):
        pair(name, lambda on, t=text: wide_key(123, 15, t, on))
    pair("btn", lambda on: square_key(17, 15, on))
    for r, pair_no in enumerate(("12", "34", "56", "78")):
        y = 56 + 16 * r
        items.append(("out%s_off" % pair_no,
                      row_label("OUT %s-%s" % (pair_no[0], pair_no[1]),
                                main.crop((215, y, 215 + 72, y + 15)))))
    pair("off", lambda on: tall_key(19, 53, "OFF", on))
    for name, text in (("32000", "32 kHz"), ("44100", "44.1 kHz"), ("48000", "48 kHz")):
        pair(name, lambda on, t=text: wide_key(110, 15, t, on))
    pair("auto", lambda on: tall_key(19, 53, "AUTO", on))
    pair("showhide", lambda on: wide_key(110, 15, "TIMECODE", on))
    badge_bg = main.crop((40, 11, 65, 42))
    for n in range(1, 5):
        items.append(("id%d" % n, badge(n, badge_bg)))
    pair("start", start_key)
    for name, text in (("24", "24"), ("25", "25"), ("2997", "29.97"),
                       ("30D", "30 DF"), ("30", "30")):
        pair(name, lambda on, t=text: frame_rate_key(t, on))
    for number, name, on, pressed in SWITCH_FACES:
        items.append((name, switch_face(on, pressed)))
    items.append(("mainbak", main))
    items.append(("smptebak", timecode))
    return items


def check_legends_clear(items):
    """Legends and decoration must never sit under a control."""
    named = dict(items)
    full = Image.new("RGB", (COLUMN_W, MAIN_H + TIMECODE_H))
    full.paste(named["mainbak"], (0, 0))
    full.paste(named["smptebak"], (0, MAIN_H))
    plain = Image.new("RGB", full.size)
    plain.paste(plain_mainbak(), (0, 0))
    plain.paste(plain_smptebak(), (0, MAIN_H))
    diff = ImageChops.difference(full, plain)
    for x, y, w, h in CONTROL_RECTS:
        box = diff.crop((x, y, x + w, y + h)).getbbox()
        is_readout = y >= MAIN_H and h == 44      # the digit fields' window
        if box and not is_readout:
            raise SystemExit("legend under the control at %d,%d" % (x, y))


# ------------------------------------------- faces of the control gallery
# Faces of the toolkit's other classes, shown by the control gallery: a
# momentary key, the popup selector's opener and display window, a
# three-state key, four scope pictures for the bitmap list, the rails and
# caps of both faders, the knob and its indicator, and the two pixel-font
# strips of the digit display and the bitmap text.

SS = 4                           # supersampling factor of anti-aliased shapes
LCD_TOP = (214, 222, 190)        # backlit display window of the selector
LCD_BOTTOM = (190, 200, 164)
SCOPE_SCREEN = (5, 13, 8)
SCOPE_GRID = (22, 52, 28)
SCOPE_TRACE = (90, 246, 96)
SCOPE_CORE = (214, 255, 206)
CAP_TOP = (104, 109, 117)        # fader caps
CAP_BOTTOM = (50, 54, 60)
CAP_RIDGE = (40, 43, 48)
CAP_LINE = (236, 238, 240)
SLOT = (7, 7, 8)
KNOB_CAP = (57, 61, 68)          # the knob's flat top: the indicator's ring
KNOB_SKIRT = (34, 36, 40)
DOT = (238, 240, 243)
FONT_LIT = AMBER["led"]          # pixel-font strips: amber on black
FONT_DARK = (0, 0, 0)

# The knob: 41 x 41, centre (20, 20); the indicator's centre runs on a
# circle of radius 8 and the 7 x 7 indicator patch sits three pixels up and
# left of it.
KNOB_SIZE = 41
KNOB_CENTRE = 20
KNOB_RING = 8
KNOB_DOT = 7
KNOB_CAP_RADIUS = 13.0
KNOB_SKIRT_RADIUS = 16.2


def smooth_mask(size, draw_big):
    """An anti-aliased "L" mask: draw_big(draw, s) draws at s times the size
    (coordinates scaled by s), then the picture is boxed down."""
    w, h = size
    big = Image.new("L", (w * SS, h * SS), 0)
    draw_big(ImageDraw.Draw(big), SS)
    return big.resize((w, h), Image.BOX)


def paint(img, mask, colour):
    """Lays colour over img through mask (0 keeps img, 255 is colour)."""
    return Image.composite(Image.new("RGB", img.size, colour), img, mask)


def momentary_key(w, h, pressed, draw_legend):
    """Unlit key without a lamp. Released it stands proud (light top edge,
    shadow below); pressed it sinks: darker, its legend one pixel down and
    right, shadow along the top and left, and a thin amber edge light.
    draw_legend(img, dx, dy, colour) puts the legend on, shifted."""
    img = key_body(w, h, False, AMBER)
    px = img.load()
    if pressed:
        for y in range(1, h - 1):
            c = lerp((30, 32, 36), (44, 47, 53), (y - 1) / max(1, h - 3))
            for x in range(1, w - 1):
                px[x, y] = c
        d = ImageDraw.Draw(img)
        d.line([(1, 1), (w - 2, 1)], fill=(10, 10, 12))
        d.line([(1, 1), (1, h - 2)], fill=(14, 15, 17))
        d.line([(2, 2), (w - 2, 2)], fill=(20, 21, 24))
        edge = Image.new("L", img.size, 0)
        ImageDraw.Draw(edge).rectangle([1, 1, w - 2, h - 2], outline=255)
        img = glow(img, edge, AMBER["glow"], 1.0, 0.35)
        d = ImageDraw.Draw(img)
        d.line([(2, h - 2), (w - 2, h - 2)], fill=lerp(AMBER["led"], KEY_RIM, 0.35))
        d.line([(w - 2, 2), (w - 2, h - 2)], fill=lerp(AMBER["led"], KEY_RIM, 0.55))
        return draw_legend(img, 1, 1, lerp(LEGEND, AMBER["text"], 0.5))
    return draw_legend(img, 0, 0, LEGEND)


def push_face(pressed):
    """Push button, 64 x 22: a momentary key lettered PUSH."""
    def legend(img, dx, dy, colour):
        draw_text_centred(ImageDraw.Draw(img), (dx, dy, 64 + dx, 22 + dy), "PUSH", font(9), colour)
        return img
    return momentary_key(64, 22, pressed, legend)


def opener_face(pressed):
    """The selector's opener, 20 x 20: a small key with a down-pointing
    triangle."""
    def legend(img, dx, dy, colour):
        tri = [(5.5 + dx, 8 + dy), (14.5 + dx, 8 + dy), (10 + dx, 13 + dy)]
        mask = smooth_mask(img.size, lambda d, s: d.polygon([(x * s, y * s) for x, y in tri], fill=255))
        return paint(img, mask, colour)
    return momentary_key(20, 20, pressed, legend)


def popmenu_face():
    """The selector's display window, 100 x 20: a pale backlit panel in a
    dark rim, for black text at (4, 4)."""
    w, h = 100, 20
    img = Image.new("RGB", (w, h), KEY_RIM)
    px = img.load()
    for y in range(2, h - 2):
        c = lerp(LCD_TOP, LCD_BOTTOM, (y - 2) / (h - 5))
        for x in range(2, w - 2):
            px[x, y] = c
    d = ImageDraw.Draw(img)
    d.rectangle([1, 1, w - 2, h - 2], outline=(30, 32, 36))
    d.line([(2, 2), (w - 3, 2)], fill=lerp(LCD_TOP, (60, 64, 58), 0.45))      # the rim's shadow
    d.line([(2, 2), (2, h - 3)], fill=lerp(LCD_TOP, (60, 64, 58), 0.3))
    d.line([(3, h - 3), (w - 3, h - 3)], fill=lerp(LCD_BOTTOM, (255, 255, 240), 0.25))
    for x, y in ((0, 0), (w - 1, 0), (0, h - 1), (w - 1, h - 1)):
        px[x, y] = lerp(KEY_RIM, PLATE, 0.6)
    return img


def state3_face(state):
    """Three-state key, 40 x 21: one body for all three states; its bar lamp
    is dark (0), amber (1) or green (2) and lights the legend with it."""
    w, h = 40, 21
    img = key_body(w, h, False, AMBER)
    if state == 0:
        img = bar_led(img, 8, 4, 24, False, dict(AMBER, led_off=(34, 36, 40)))
        return key_text(img, (0, 7, w, h - 2), "MODE", False, AMBER, size=8)
    accent = AMBER if state == 1 else GREEN
    img = bar_led(img, 8, 4, 24, True, accent)
    return key_text(img, (0, 7, w, h - 2), "MODE", True, accent, size=8)


def wave_points(shape, x0, x1, mid, amp):
    """The trace of two periods of shape across x0..x1, as (x, y) points."""
    points = []
    period = (x1 - x0) / 2.0
    steps = 240
    for i in range(steps + 1):
        x = x0 + (x1 - x0) * i / steps
        phase = ((x - x0) / period) % 1.0
        if shape == "sine":
            v = math.sin(2 * math.pi * phase)
        elif shape == "triangle":
            v = 1 - 4 * abs(phase - 0.25) if phase < 0.75 else 4 * phase - 4
        elif shape == "saw":
            v = 2 * phase - 1
        else:
            v = 1.0 if phase < 0.5 else -1.0
        points.append((x, mid - amp * v))
    if shape in ("square", "saw"):
        # Vertical edges where the wave jumps.
        joined = [points[0]]
        for p in points[1:]:
            if abs(p[1] - joined[-1][1]) > amp:
                joined.append((p[0], joined[-1][1]))
            joined.append(p)
        points = joined
    return points


def scope_picture(shape):
    """Bitmap list picture, 48 x 32: one waveform as a green trace on a
    small oscilloscope screen with a graticule, set into the plate."""
    w, h = 48, 32
    img = Image.new("RGB", (w, h), SCOPE_SCREEN)
    d = ImageDraw.Draw(img)
    # Inset bezel: shadow top and left, light bottom and right, dark rim.
    d.rectangle([0, 0, w - 1, h - 1], outline=PLATE_EDGE_DARK)
    d.line([(0, h - 1), (w - 1, h - 1)], fill=PLATE_EDGE_LIGHT)
    d.line([(w - 1, 0), (w - 1, h - 1)], fill=PLATE_EDGE_LIGHT)
    d.rectangle([1, 1, w - 2, h - 2], outline=KEY_RIM)
    # Graticule: dotted divisions every 8 pixels, the centre lines solid
    # with small ticks.
    mid_x, mid_y = 24, 16
    for gx in range(8, w - 2, 8):
        for y in range(3, h - 3, 2):
            d.point((gx, y), fill=SCOPE_GRID)
    for gy in (8, 24):
        for x in range(3, w - 3, 2):
            d.point((x, gy), fill=SCOPE_GRID)
    d.line([(2, mid_y), (w - 3, mid_y)], fill=SCOPE_GRID)
    d.line([(mid_x, 2), (mid_x, h - 3)], fill=SCOPE_GRID)
    for t in range(4, w - 3, 4):
        d.line([(t, mid_y - 1), (t, mid_y + 1)], fill=SCOPE_GRID)
    # The trace: a soft phosphor glow under a bright line with a white core.
    points = wave_points(shape, 4, 44, mid_y + 0.5, 9)
    line = smooth_mask(img.size, lambda dr, s: dr.line(
        [(x * s, y * s) for x, y in points], fill=255, width=int(1.3 * s), joint="curve"))
    core = smooth_mask(img.size, lambda dr, s: dr.line(
        [(x * s, y * s) for x, y in points], fill=255, width=int(0.5 * s), joint="curve"))
    img = glow(img, line, SCOPE_TRACE, 1.6, 0.7)
    img = paint(img, line, SCOPE_TRACE)
    img = paint(img, core.point(lambda v: v * 3 // 4), SCOPE_CORE)
    # A faint reflection on the glass, top left.
    sheen = smooth_mask(img.size, lambda dr, s: dr.ellipse([-20 * s, -30 * s, 30 * s, 9 * s], fill=255))
    sheen = sheen.point(lambda v: v * 10 // 255)
    img = paint(img, sheen, (120, 150, 130))
    d = ImageDraw.Draw(img)
    d.rectangle([0, 0, w - 1, h - 1], outline=PLATE_EDGE_DARK)
    d.line([(0, h - 1), (w - 1, h - 1)], fill=PLATE_EDGE_LIGHT)
    d.line([(w - 1, 0), (w - 1, h - 1)], fill=PLATE_EDGE_LIGHT)
    d.rectangle([1, 1, w - 2, h - 2], outline=KEY_RIM)
    return img


def vertical_rail():
    """Vertical fader rail, 20 x 120: a slot down the whole plate with a
    printed scale either side. The ticks mark thumb centres from y = 5 (top)
    to y = 115 (bottom) in eleven steps; every other one is long."""
    w, h = 20, 120
    img = brushed_plate(w, h, seed=31)
    d = ImageDraw.Draw(img)
    for k in range(11):
        y = 5 + 11 * k
        major = k % 2 == 0
        colour = LEGEND if major else LEGEND_DIM
        d.line([(1 if major else 3, y), (5, y)], fill=colour)
        d.line([(14, y), (18 if major else 16, y)], fill=colour)
    d.rectangle([7, 0, 12, h - 1], fill=RULE_SHADOW)          # the cut's chamfer
    d.line([(12, 0), (12, h - 1)], fill=PLATE_EDGE_LIGHT)
    d.rectangle([8, 0, 11, h - 1], fill=SLOT)
    d.line([(8, 0), (8, h - 1)], fill=(2, 2, 2))
    return img


def horizontal_rail():
    """Horizontal fader rail, 112 x 12: a slot across the whole plate with
    ticks above and below at thumb centres x = 5 to 105 in steps of 10."""
    w, h = 112, 12
    img = brushed_plate(w, h, seed=32)
    d = ImageDraw.Draw(img)
    for k in range(11):
        x = 5 + 10 * k
        major = k % 5 == 0
        colour = LEGEND if major else LEGEND_DIM
        d.line([(x, 0), (x, 1 if major else 0)], fill=colour)
        d.line([(x, 10 if major else 11), (x, 11)], fill=colour)
    d.rectangle([0, 3, w - 1, 8], fill=RULE_SHADOW)
    d.line([(0, 8), (w - 1, 8)], fill=PLATE_EDGE_LIGHT)
    d.rectangle([0, 4, w - 1, 7], fill=SLOT)
    d.line([(0, 4), (w - 1, 4)], fill=(2, 2, 2))
    return img


def fader_cap(w, h, focused, across):
    """A fader cap of w x h: a grey moulded cap with grip ridges and a
    printed line through its centre (row h / 2 across a vertical fader,
    column w / 2 along a horizontal one); focused, the line glows amber."""
    img = Image.new("RGB", (w, h), KEY_RIM)
    px = img.load()
    for y in range(1, h - 1):
        c = lerp(CAP_TOP, CAP_BOTTOM, (y - 1) / max(1, h - 3))
        for x in range(1, w - 1):
            px[x, y] = c
    d = ImageDraw.Draw(img)
    d.line([(1, 1), (w - 2, 1)], fill=lerp(CAP_TOP, (200, 204, 210), 0.35))
    d.line([(1, h - 2), (w - 2, h - 2)], fill=KEY_SHADOW)
    if across:
        c = h // 2
        for y in (c - 3, c - 2, c + 2, c + 3):
            if 1 < y < h - 2:
                d.line([(2, y), (w - 3, y)], fill=CAP_RIDGE)
        box = [1, c, w - 2, c]
    else:
        c = w // 2
        for x in (c - 3, c + 3):
            d.line([(x, 2), (x, h - 3)], fill=CAP_RIDGE)
        box = [c, 1, c, h - 2]
    if focused:
        mask = Image.new("L", img.size, 0)
        ImageDraw.Draw(mask).rectangle(box, fill=255)
        img = glow(img, mask, AMBER["glow"], 1.2, 0.7)
        ImageDraw.Draw(img).rectangle(box, fill=AMBER["led"])
    else:
        d.rectangle(box, fill=CAP_LINE)
    for x, y in ((0, 0), (w - 1, 0), (0, h - 1), (w - 1, h - 1)):
        img.putpixel((x, y), lerp(KEY_RIM, PLATE, 0.5))
    return img


def knob_indicator_centres():
    """Every place the indicator's centre can take on its circle, whatever
    the value (the sweep and beyond it), as the knob computes it: the
    offsets truncated toward zero."""
    centres = set()
    for i in range(3600):
        theta = 2 * math.pi * i / 3600
        centres.add((KNOB_CENTRE + int(KNOB_RING * math.cos(theta)),
                     KNOB_CENTRE - int(KNOB_RING * math.sin(theta))))
    return centres


def knob_dial(background):
    """Knob, 41 x 41, on the plate: a printed scale of eleven ticks over the
    270-degree sweep (225 degrees, lower left, clockwise over the top to -45
    degrees), a knurled skirt and a flat top that stays one plain colour
    wherever the indicator can sit."""
    size, c = KNOB_SIZE, KNOB_CENTRE
    img = background.copy()

    def ticks(dr, s):
        for k in range(11):
            a = math.radians(225 - 27 * k)
            major = k in (0, 5, 10)
            r0, r1 = (17.4 if major else 18.2), 20.4
            dr.line([((c + 0.5 + r0 * math.cos(a)) * s, (c + 0.5 - r0 * math.sin(a)) * s),
                     ((c + 0.5 + r1 * math.cos(a)) * s, (c + 0.5 - r1 * math.sin(a)) * s)],
                    fill=255 if major else 170, width=int((1.2 if major else 1.0) * s))
    img = paint(img, smooth_mask(img.size, ticks), LEGEND)

    def disc(radius, dx=0.0, dy=0.0):
        def draw(dr, s):
            cx, cy = (c + 0.5 + dx) * s, (c + 0.5 + dy) * s
            dr.ellipse([cx - radius * s, cy - radius * s, cx + radius * s, cy + radius * s], fill=255)
        return smooth_mask(img.size, draw)

    shadow = disc(KNOB_SKIRT_RADIUS + 0.5, 0.8, 1.4).filter(ImageFilter.GaussianBlur(1.0))
    img = paint(img, shadow.point(lambda v: v * 3 // 4), (8, 8, 10))
    img = paint(img, disc(KNOB_SKIRT_RADIUS), KEY_RIM)
    # The skirt: knurled, lit from the top left.
    skirt = Image.new("RGB", img.size)
    sp = skirt.load()
    for y in range(size):
        for x in range(size):
            dx, dy = x - c, c - y
            a = math.atan2(dy, dx)
            light = 0.5 + 0.5 * math.cos(a - math.radians(135))
            base = lerp(KNOB_SKIRT, (92, 97, 106), light * 0.8)
            groove = math.cos(a * 30) > 0.3
            sp[x, y] = lerp(base, KEY_RIM, 0.55) if groove else base
    img = Image.composite(skirt, img, disc(KNOB_SKIRT_RADIUS - 0.7))
    # The top's bevel, then the flat top.
    bevel = Image.new("RGB", img.size)
    bp = bevel.load()
    for y in range(size):
        for x in range(size):
            a = math.atan2(c - y, x - c)
            light = 0.5 + 0.5 * math.cos(a - math.radians(135))
            bp[x, y] = lerp((24, 26, 29), (128, 133, 141), light)
    img = Image.composite(bevel, img, disc(KNOB_CAP_RADIUS + 1.0))
    cap = disc(KNOB_CAP_RADIUS)
    img = paint(img, cap, KNOB_CAP)
    return img


def knob_indicator(focused):
    """The knob's indicator, 7 x 7: a small round dot on the knob's top
    colour, white, or amber and softly lit when the knob has the focus. The
    pixels beyond the dot's edge are the top colour itself."""
    n = KNOB_DOT
    img = Image.new("RGB", (n, n), KNOB_CAP)
    mid = n / 2.0

    def dot(radius):
        return smooth_mask(img.size, lambda dr, s: dr.ellipse(
            [(mid - radius) * s, (mid - radius) * s, (mid + radius) * s, (mid + radius) * s], fill=255))
    if focused:
        halo = dot(3.2).filter(ImageFilter.GaussianBlur(0.6)).point(lambda v: v * 2 // 5)
        img = paint(img, halo, AMBER["glow"])
        img = paint(img, dot(2.1), AMBER["led"])
        img = paint(img, dot(1.0), AMBER["core"])
    else:
        img = paint(img, dot(2.3), (14, 15, 17))      # the dot's small bezel
        img = paint(img, dot(1.8), DOT)
        img.putpixel((3, 3), (255, 255, 255))
    px = img.load()
    for y in range(n):
        for x in range(n):
            if (x + 0.5 - mid) ** 2 + (y + 0.5 - mid) ** 2 > 3.0 ** 2:
                px[x, y] = KNOB_CAP
    return img


def check_knob_ring_plain(dial, dots, top=KNOB_CAP):
    """The knob puts back a 7 x 7 patch of its background wherever its
    indicator was and draws the 7 x 7 indicator at the new place: the dial
    must be the top colour under every such patch, and the indicator's
    corners the same colour, or the patches would show."""
    px = dial.load()
    half = KNOB_DOT // 2
    for cx, cy in knob_indicator_centres():
        for y in range(cy - half, cy - half + KNOB_DOT):
            for x in range(cx - half, cx - half + KNOB_DOT):
                if px[x, y] != top:
                    raise SystemExit("knob top not plain at %d,%d" % (x, y))
    for dot in dots:
        for x, y in ((0, 0), (KNOB_DOT - 1, 0), (0, KNOB_DOT - 1), (KNOB_DOT - 1, KNOB_DOT - 1)):
            if dot.getpixel((x, y)) != top:
                raise SystemExit("knob indicator corner is not the knob's top colour")


# The pixel font of the strips: 5 x 7 glyphs, one string of five "#"/"."
# per row, top row first. Each glyph sits in the left five columns of a
# 6 x 7 cell; the sixth column is the gap.
PIXEL_FONT = {
    "A": [".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
    "B": ["####.", "#...#", "#...#", "####.", "#...#", "#...#", "####."],
    "C": [".###.", "#...#", "#....", "#....", "#....", "#...#", ".###."],
    "D": ["####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."],
    "E": ["#####", "#....", "#....", "####.", "#....", "#....", "#####"],
    "F": ["#####", "#....", "#....", "####.", "#....", "#....", "#...."],
    "G": [".###.", "#...#", "#....", "#.###", "#...#", "#...#", ".####"],
    "H": ["#...#", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
    "I": [".###.", "..#..", "..#..", "..#..", "..#..", "..#..", ".###."],
    "J": ["..###", "...#.", "...#.", "...#.", "...#.", "#..#.", ".##.."],
    "K": ["#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#"],
    "L": ["#....", "#....", "#....", "#....", "#....", "#....", "#####"],
    "M": ["#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"],
    "N": ["#...#", "#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#"],
    "O": [".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
    "P": ["####.", "#...#", "#...#", "####.", "#....", "#....", "#...."],
    "Q": [".###.", "#...#", "#...#", "#...#", "#.#.#", "#..#.", ".##.#"],
    "R": ["####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"],
    "S": [".####", "#....", "#....", ".###.", "....#", "....#", "####."],
    "T": ["#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."],
    "U": ["#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
    "V": ["#...#", "#...#", "#...#", "#...#", "#...#", ".#.#.", "..#.."],
    "W": ["#...#", "#...#", "#...#", "#.#.#", "#.#.#", "#.#.#", ".#.#."],
    "X": ["#...#", "#...#", ".#.#.", "..#..", ".#.#.", "#...#", "#...#"],
    "Y": ["#...#", "#...#", ".#.#.", "..#..", "..#..", "..#..", "..#.."],
    "Z": ["#####", "....#", "...#.", "..#..", ".#...", "#....", "#####"],
    "0": [".###.", "#...#", "#..##", "#.#.#", "##..#", "#...#", ".###."],
    "1": ["..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."],
    "2": [".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"],
    "3": ["#####", "...#.", "..#..", "...#.", "....#", "#...#", ".###."],
    "4": ["...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#."],
    "5": ["#####", "#....", "####.", "....#", "....#", "#...#", ".###."],
    "6": ["..##.", ".#...", "#....", "####.", "#...#", "#...#", ".###."],
    "7": ["#####", "....#", "...#.", "..#..", ".#...", ".#...", ".#..."],
    "8": [".###.", "#...#", "#...#", ".###.", "#...#", "#...#", ".###."],
    "9": [".###.", "#...#", "#...#", ".####", "....#", "...#.", ".##.."],
    "other": [".....", ".....", ".###.", ".###.", ".###.", ".....", "....."],
    "reserved": [".....", ".....", ".....", ".....", ".....", ".....", "#####"],
    "space": [".....", ".....", ".....", ".....", ".....", ".....", "....."],
}

# The glyph strip's cells in order: A-Z, 0-9, the mark that stands for every
# other printable byte, the reserved cell, the blank.
GLYPH_CELLS = ([chr(c) for c in range(ord("A"), ord("Z") + 1)]
               + [str(d) for d in range(10)] + ["other", "reserved", "space"])


def pixel_strip(cells):
    """A strip of 6 x 7 cells, amber glyphs on black, from PIXEL_FONT."""
    img = Image.new("RGB", (6 * len(cells), 7), FONT_DARK)
    px = img.load()
    for i, key in enumerate(cells):
        rows = PIXEL_FONT[key]
        if len(rows) != 7 or any(len(r) != 5 or set(r) - {"#", "."} for r in rows):
            raise SystemExit("pixel font glyph %r is not 5 x 7" % key)
        for y, row in enumerate(rows):
            for x, bit in enumerate(row):
                if bit == "#":
                    px[6 * i + x, y] = FONT_LIT
    return img


def build_gallery():
    """Returns [(name, image)] of the gallery faces, in the order of the
    contact sheet."""
    knob_background = brushed_plate(KNOB_SIZE, KNOB_SIZE, seed=33)
    dial = knob_dial(knob_background)
    dots = [knob_indicator(False), knob_indicator(True)]
    check_knob_ring_plain(dial, dots)
    items = [
        ("push_released", push_face(False)),
        ("push_pressed", push_face(True)),
        ("opener_released", opener_face(False)),
        ("opener_pressed", opener_face(True)),
        ("popmenu_face", popmenu_face()),
        ("state3_0", state3_face(0)),
        ("state3_1", state3_face(1)),
        ("state3_2", state3_face(2)),
    ]
    for shape in ("sine", "square", "triangle", "saw"):
        items.append(("list_" + shape, scope_picture(shape)))
    items += [
        ("vs_rail", vertical_rail()),
        ("vs_thumb", fader_cap(14, 10, False, across=True)),
        ("vs_thumb_focus", fader_cap(14, 10, True, across=True)),
        ("hs_rail", horizontal_rail()),
        ("hs_thumb", fader_cap(11, 10, False, across=False)),
        ("hs_thumb_focus", fader_cap(11, 10, True, across=False)),
        ("knob_dial", dial),
        ("knob_dot", dots[0]),
        ("knob_dot_focus", dots[1]),
        ("digit_strip", pixel_strip([str(d) for d in range(10)])),
        ("glyph_strip", pixel_strip(GLYPH_CELLS)),
    ]
    return items


# ------------------------------------------------------------- one palette
# At 256 colours Windows keeps 20 static colours in the system palette, ten
# at each end, and the foreground window's palette fills the 236 between.
# The skin's one table holds the static colours in those places and the
# skin's own 236 colours between them.
STATIC_LOW = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128),
              (128, 0, 128), (0, 128, 128), (192, 192, 192), (192, 220, 192), (166, 202, 240)]
STATIC_HIGH = [(255, 251, 240), (160, 160, 164), (128, 128, 128), (255, 0, 0), (0, 255, 0),
               (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]
OWN_COLOURS = 256 - len(STATIC_LOW) - len(STATIC_HIGH)
# Colours the toolkit fills with besides its bitmaps, the bitmap gauge's
# filled and empty parts: entries of their own, so that they keep their
# colour at 256 colours too.
TOOLKIT_COLOURS = [(0x6E, 0x96, 0xB0), (0xBF, 0xC7, 0xCF)]
MAX_MEAN_DIFFERENCE = 1.5        # per channel, from the 24-bit drawing
# Never dithered: the knob puts back patches of its dial under its indicator,
# so the dial's top and the indicator's corners must stay one colour.
PLAIN_MAPPED = ("knob_dial", "knob_dot", "knob_dot_focus")


def skin_table(images):
    """The 256 colours every skin bitmap shares: the static ones, the
    toolkit's own, and the rest chosen by median cut, refined by k-means,
    over every pixel of the skin that is not one of those already."""
    fixed = set(STATIC_LOW + STATIC_HIGH + TOOLKIT_COLOURS)
    pixels = [c for img in images for c in img.getdata() if c not in fixed]
    strip = Image.new("RGB", (len(pixels), 1))
    strip.putdata(pixels)
    wanted = OWN_COLOURS - len(TOOLKIT_COLOURS)
    chosen = strip.quantize(colors=wanted, method=Image.Quantize.MEDIANCUT, kmeans=10)
    flat = chosen.getpalette()[:3 * wanted]
    own = TOOLKIT_COLOURS + [tuple(flat[i:i + 3]) for i in range(0, len(flat), 3)]
    own += [STATIC_LOW[0]] * (OWN_COLOURS - len(own))
    return STATIC_LOW + own + STATIC_HIGH


def table_image(table):
    """A palette image that holds `table`, for Image.quantize."""
    img = Image.new("P", (1, 1))
    img.putpalette([v for colour in table for v in colour])
    return img


def channel_sums(a, b):
    """Sums over the pixels of |a - b|, per channel (R, G, B)."""
    return ImageStat.Stat(ImageChops.difference(a, b)).sum


def to_table(img, palette, may_dither):
    """img in the table's colours, and its per-channel difference sums:
    dithered (Floyd-Steinberg) where that brings it closer to the 24-bit
    picture, as on the brushed plate; else each pixel its nearest colour."""
    best = None
    for dither in (Image.Dither.NONE, Image.Dither.FLOYDSTEINBERG)[:2 if may_dither else 1]:
        mapped = img.quantize(palette=palette, dither=dither)
        sums = channel_sums(img, mapped.convert("RGB"))
        if best is None or sum(sums) < sum(best[1]):
            best = (mapped, sums)
    return best


def in_one_table(named):
    """[(name, 8-bit image)] for [(name, 24-bit image)], all in one table,
    and a one-pixel image that carries the table; prints the mean difference
    per channel and stops above the limit."""
    rgb = [(name, img.convert("RGB")) for name, img in named]
    palette = table_image(skin_table([img for _, img in rgb]))
    shipped, totals, pixels = [], [0.0, 0.0, 0.0], 0
    for name, img in rgb:
        mapped, sums = to_table(img, palette, name not in PLAIN_MAPPED)
        shipped.append((name, mapped))
        totals = [t + s for t, s in zip(totals, sums)]
        pixels += img.size[0] * img.size[1]
    means = [t / pixels for t in totals]
    print("skin: %d bitmaps at 8 bits in one table of 256 colours; mean absolute difference from "
          "24 bits per channel: R %.3f, G %.3f, B %.3f" % (len(shipped), means[0], means[1], means[2]))
    if max(means) > MAX_MEAN_DIFFERENCE:
        raise SystemExit("the 8-bit skin is more than %.1f per channel from the 24-bit one"
                         % MAX_MEAN_DIFFERENCE)
    top = Image.new("RGB", (1, 1), KNOB_CAP).quantize(palette=palette, dither=Image.Dither.NONE)
    as_rgb = dict((name, img.convert("RGB")) for name, img in shipped)
    check_knob_ring_plain(as_rgb["knob_dial"], [as_rgb["knob_dot"], as_rgb["knob_dot_focus"]],
                          top.convert("RGB").getpixel((0, 0)))
    return shipped, palette


# ------------------------------------------------------- icons and cursor
def icon_image(size):
    """The desk's icon: a dark rack unit with an amber level meter in its
    window. Drawn on a 32-pixel grid; the 16-pixel one has fewer bars."""
    img = Image.new("RGBA", (size, size), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    opaque = lambda c: c + (255,)
    if size >= 32:
        body, window, bars, bw, seg = (0, 4, 31, 27), (4, 8, 27, 23), [6, 9, 7, 10, 5, 8], 3, 3
    else:
        body, window, bars, bw, seg = (0, 2, 15, 13), (2, 4, 13, 11), [3, 5, 4, 6], 2, 1
    d.rectangle(body, fill=opaque(PLATE), outline=opaque(KEY_RIM))
    d.line([(body[0] + 1, body[1] + 1), (body[2] - 1, body[1] + 1)], fill=opaque(PLATE_EDGE_LIGHT))
    d.rectangle(window, fill=opaque((0, 0, 0)))
    inner_w = window[2] - window[0] - 1
    gap = 1
    x = window[0] + 1 + (inner_w - (len(bars) * (bw + gap) - gap)) // 2
    base = window[3] - 1
    step = 2 if size >= 32 else 1
    for n in bars:
        for k in range(n):
            y = base - k * step
            if size >= 32 and k * step >= 13:
                break
            colour = AMBER["led"] if k < n - 2 else (255, 214, 90)
            d.line([(x, y), (x + bw - 1, y)], fill=opaque(colour))
        x += bw + gap
    return img


def icon_entry(img):
    """One 32-bit icon image: header, BGRA rows bottom-up, AND mask."""
    w, h = img.size
    px = img.load()
    colour = bytearray()
    mask = bytearray()
    stride = ((w + 31) // 32) * 4
    for y in range(h - 1, -1, -1):
        row = bytearray(stride)
        for x in range(w):
            r, g, b, a = px[x, y]
            colour += bytes((b, g, r, a))
            if a < 128:
                row[x // 8] |= 0x80 >> (x % 8)
        mask += row
    header = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0,
                         len(colour) + len(mask), 0, 0, 0, 0)
    return header + bytes(colour) + bytes(mask)


def cursor_entry(shape):
    """One monochrome cursor image from an "L" picture: 0 transparent,
    128 black, 255 white."""
    w, h = shape.size
    px = shape.load()
    stride = ((w + 31) // 32) * 4
    xor = bytearray()
    andm = bytearray()
    for y in range(h - 1, -1, -1):
        xr = bytearray(stride)
        ar = bytearray(b"\xff" * stride)
        for x in range(w):
            v = px[x, y]
            if v:
                ar[x // 8] &= ~(0x80 >> (x % 8)) & 0xFF
                if v == 255:
                    xr[x // 8] |= 0x80 >> (x % 8)
        xor += xr
        andm += ar
    header = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 1, 0,
                         len(xor) + len(andm), 0, 0, 2, 0)
    palette = bytes((0, 0, 0, 0, 255, 255, 255, 0))
    return header + palette + bytes(xor) + bytes(andm)


def write_icon_dir(path, entries, kind):
    """entries: [(width, height, field4, field6, data)]; for icons the two
    fields are planes and bit count, for cursors the hotspot x and y."""
    out = struct.pack("<HHH", 0, kind, len(entries))
    offset = 6 + 16 * len(entries)
    for w, h, f4, f6, data in entries:
        colours = 2 if (kind == 2) else 0
        out += struct.pack("<BBBBHHII", w % 256, h % 256, colours, 0, f4, f6, len(data), offset)
        offset += len(data)
    out += b"".join(e[4] for e in entries)
    with open(path, "wb") as f:
        f.write(out)


def psize_shape():
    """Four-way adjust pointer: white arrows with a black outline, pointing
    up, down, left and right from the hotspot at (16, 16)."""
    white = Image.new("1", (32, 32), 0)
    d = ImageDraw.Draw(white)
    c = 16
    d.rectangle([c - 1, c - 10, c + 1, c + 10], fill=1)
    d.rectangle([c - 10, c - 1, c + 10, c + 1], fill=1)
    for sign in (-1, 1):
        tip = c + sign * 14
        base = c + sign * 9
        d.polygon([(c, tip), (c - 4, base), (c + 4, base)], fill=1)
        d.polygon([(tip, c), (base, c - 4), (base, c + 4)], fill=1)
    black = white.filter(ImageFilter.MaxFilter(3))
    shape = Image.new("L", (32, 32), 0)
    shape.paste(128, mask=black)
    shape.paste(255, mask=white)
    return shape


# ---------------------------------------------------------- contact sheet
def preview(items):
    """One assembled column, a few keys lit, as the window shows it."""
    n = dict(items)
    col = Image.new("RGB", (COLUMN_W, MAIN_H + TIMECODE_H))
    col.paste(n["mainbak"], (0, 0))
    col.paste(n["smptebak"], (0, MAIN_H))
    lit = {"coaxial", "fs", "internal", "48000", "showhide", "25"}
    place = [
        ("coaxial", 18, 58), ("optical", 18, 74), ("fs", 18, 117), ("256fs", 18, 133),
        ("internal", 18, 161), ("digitalin", 18, 177), ("word", 18, 193),
        ("extertara", 18, 209), ("off", 312, 62), ("32000", 197, 133),
        ("44100", 197, 149), ("48000", 197, 165), ("auto", 312, 129),
        ("showhide", 197, 198), ("start", 269, 280),
    ]
    for j, name in enumerate(("24", "25", "2997", "30D", "30")):
        place.append((name, 37 + 45 * j, 326))
    for name, x, y in place:
        col.paste(n[name + ("_on" if name in lit else "_off")], (x, y))
    for r in range(4):
        col.paste(n["btn_on" if r in (0, 2) else "btn_off"], (197, 56 + 16 * r))
        col.paste(n["out%s_off" % ("12", "34", "56", "78")[r]], (215, 56 + 16 * r))
        col.paste(n["btn_on" if r in (1, 3) else "btn_off"], (288, 56 + 16 * r))
    col.paste(n["id1"], (40, 11))
    d = ImageDraw.Draw(col)
    for x, v in zip((39, 94, 149, 204), ("01", "23", "45", "12")):
        d.rectangle([x, 269, x + 49, 312], fill=(0, 0, 0))
        draw_text_centred(d, (x, 269, x + 50, 313), v, font(26), (0, 255, 0))
    return col


def knob_indicator_place(value, lo, hi):
    """The indicator's top-left corner on knob_dial for value in lo..hi, as
    the knob places it."""
    theta = (hi - value) * (6 * 0.785398) / (hi - lo) - 0.785398
    cx = KNOB_CENTRE + int(KNOB_RING * math.cos(theta))
    cy = KNOB_CENTRE - int(KNOB_RING * math.sin(theta))
    return cx - KNOB_DOT // 2, cy - KNOB_DOT // 2


def glyph_cell(byte):
    """The glyph strip cell that shows one byte of a bitmap text."""
    c = byte - 256 if byte >= 128 else byte
    if 0x41 <= c <= 0x5A:
        return c - 0x41
    if 0x30 <= c <= 0x39:
        return c - 0x16
    return 36 if c >= 0x2E else 38


def gallery_preview(gallery):
    """The gallery faces put together as their controls show them, on a
    plate: selectors, faders at a few values, keys, knobs, pictures and the
    two readouts."""
    n = dict(gallery)
    w, h = 360, 160
    img = brushed_plate(w, h, seed=34)
    d = ImageDraw.Draw(img)
    plate_bevel(d, w, h)

    def label(x, y, text):
        d.text((x, y), text, font=font(7), fill=LEGEND)

    # Popup selectors: the opener in the 20-pixel strip, the item text over
    # the window at (4, 4) of it (in a stand-in for the program's Arial).
    label(10, 4, "SELECTOR")
    for y, opener, text in ((14, "opener_released", "Sine 440 Hz"), (38, "opener_pressed", "Square")):
        img.paste(n[opener], (10, y))
        img.paste(n["popmenu_face"], (30, y))
        d.text((34, y + 3), text, font=font(11, bold=False), fill=(0, 0, 0))
    # Horizontal faders: the thumb's left edge at its centre less 5, one
    # pixel below the rail's top.
    label(10, 62, "H FADER")
    for y, t, face in ((72, 30, "hs_thumb"), (88, 88, "hs_thumb_focus")):
        rail = n["hs_rail"].copy()
        rail.paste(n[face], (t - 5, 1))
        img.paste(rail, (10, y))
    # Readouts: the digit display (359) and a bitmap text, in dark windows.
    label(10, 106, "DIGITS")
    d.rectangle([9, 116, 30, 126], fill=KEY_RIM)
    digits = n["digit_strip"]
    for i, digit in enumerate((3, 5, 9)):
        img.paste(digits.crop((6 * digit, 0, 6 * digit + 6, 7)), (11 + 6 * i, 118))
    label(10, 132, "TEXT")
    text = b"Gain -12.5 dB".upper()
    d.rectangle([9, 142, 12 + 6 * len(text), 152], fill=KEY_RIM)
    strip = n["glyph_strip"]
    for i, byte in enumerate(text):
        g = glyph_cell(byte)
        img.paste(strip.crop((6 * g, 0, 6 * g + 6, 7)), (11 + 6 * i, 144))
    # Vertical faders: the thumb's centre on the rail, centred across it.
    label(140, 4, "V FADERS")
    for x, yc, face in ((140, 60, "vs_thumb"), (166, 20, "vs_thumb_focus")):
        rail = n["vs_rail"].copy()
        rail.paste(n[face], (3, yc - 5))
        img.paste(rail, (x, 14))
    # Push keys, released and pressed; knobs at 30 and, focused, at 75 of
    # 0..100.
    label(196, 4, "PUSH")
    img.paste(n["push_released"], (196, 14))
    img.paste(n["push_pressed"], (196, 38))
    label(272, 4, "KNOBS")
    for x, value, face in ((272, 30, "knob_dot"), (316, 75, "knob_dot_focus")):
        knob = n["knob_dial"].copy()
        knob.paste(n[face], knob_indicator_place(value, 0, 100))
        img.paste(knob, (x, 14))
    label(196, 62, "THREE-STATE")
    for i in range(3):
        img.paste(n["state3_%d" % i], (196 + 44 * i, 72))
    label(196, 100, "LIST")
    for i, shape in enumerate(("sine", "square", "saw")):
        img.paste(n["list_" + shape], (196 + 52 * i, 110))
    return img


def flow_cells(items, top, label_font, sheet_w, pad):
    """Lays (name, image) out left to right in rows from y = top, each image
    under its name and size. Returns [(label, image, x, y)] and the bottom."""
    cells = []
    x, y, row_h = pad, top, 0
    for name, img in items:
        w, h = img.size
        label = "%s %dx%d" % (name, w, h)
        cell_w = max(w, label_font.getbbox(label)[2])
        if x + cell_w > sheet_w - pad:
            x = pad
            y += row_h + pad
            row_h = 0
        cells.append((label, img, x, y))
        x += cell_w + 2 * pad
        row_h = max(row_h, 14 + h)
    return cells, y + row_h


def contact_sheet(items, gallery):
    """Every panel bitmap 1:1 under its name and size, then the two
    backgrounds, one assembled column, and that column at twice the size;
    then the gallery faces 1:1, put together as their controls show them
    (1:1 and three times the size), and the two pixel-font strips at four
    times the size."""
    label_font = font(10, bold=False)
    head_font = font(12)
    ink = (250, 250, 250)
    pad, sheet_w = 10, 1100
    panel = [(name, img) for name, img in items if name not in ("mainbak", "smptebak")]
    cells, bottom = flow_cells(panel, pad, label_font, sheet_w, pad)
    big_top = bottom + 2 * pad
    column = preview(items)
    zoom = column.resize((COLUMN_W * 2, column.size[1] * 2), Image.NEAREST)
    gallery_top = big_top + 14 + column.size[1] + 2 * pad + 14 + zoom.size[1] + 3 * pad
    gallery_cells, bottom = flow_cells(gallery, gallery_top + 24, label_font, sheet_w, pad)
    together = gallery_preview(gallery)
    together_top = bottom + 2 * pad
    tw, th = together.size
    together_zoom = together.resize((tw * 3, th * 3), Image.NEAREST)
    zoom_top = together_top + 14 + max(th, 0) + 2 * pad
    named_gallery = dict(gallery)
    strips = [(name, named_gallery[name].resize((named_gallery[name].size[0] * 4, 28), Image.NEAREST))
              for name in ("digit_strip", "glyph_strip")]
    strips_top = zoom_top + 14 + together_zoom.size[1] + 2 * pad
    height = strips_top + len(strips) * (14 + 28 + 14 + pad) + pad

    sheet = Image.new("RGB", (sheet_w, height), (104, 106, 112))
    d = ImageDraw.Draw(sheet)
    for label, img, x, y in cells + gallery_cells:
        d.text((x, y), label, font=label_font, fill=ink)
        sheet.paste(img, (x, y + 14))
    named = dict(items)
    x = pad
    d.text((x, big_top), "mainbak 339x254", font=label_font, fill=ink)
    sheet.paste(named["mainbak"], (x, big_top + 14))
    x += COLUMN_W + 2 * pad
    d.text((x, big_top), "smptebak 339x100", font=label_font, fill=ink)
    sheet.paste(named["smptebak"], (x, big_top + 14))
    x += COLUMN_W + 2 * pad
    d.text((x, big_top), "one column assembled (preview)", font=label_font, fill=ink)
    sheet.paste(column, (x, big_top + 14))
    y = big_top + 14 + column.size[1] + 2 * pad
    d.text((pad, y), "the same column at 2x", font=label_font, fill=ink)
    sheet.paste(zoom, (pad, y + 14))

    d.line([(pad, gallery_top - pad), (sheet_w - pad, gallery_top - pad)], fill=(150, 152, 158))
    d.text((pad, gallery_top), "Faces of the toolkit's other classes (the control gallery)",
           font=head_font, fill=ink)
    d.text((pad, together_top), "put together as the controls show them (preview; the selector's "
           "text stands in for the program's Arial)", font=label_font, fill=ink)
    sheet.paste(together, (pad, together_top + 14))
    d.text((pad, zoom_top), "the same at 3x", font=label_font, fill=ink)
    sheet.paste(together_zoom, (pad, zoom_top + 14))
    y = strips_top
    for name, strip in strips:
        d.text((pad, y), "%s at 4x, one 6x7 cell per glyph" % name, font=label_font, fill=ink)
        sheet.paste(strip, (pad, y + 14))
        cells_in = strip.size[0] // 24
        for i in range(cells_in):
            d.text((pad + 24 * i + 6, y + 14 + 30), str(i), font=font(7, bold=False), fill=ink)
        y += 14 + 28 + 14 + pad
    return sheet


def main():
    os.makedirs(OUT, exist_ok=True)
    items = build_all()
    check_legends_clear(items)
    gallery = build_gallery()
    shipped, palette = in_one_table(items + gallery)
    for name, img in shipped + [("skin_palette", palette)]:
        img.save(os.path.join(OUT, name.lower() + ".bmp"), format="BMP")
    as_shipped = [(name, img.convert("RGB")) for name, img in shipped]

    large, small = icon_image(32), icon_image(16)
    write_icon_dir(os.path.join(OUT, "desk_large.ico"),
                   [(32, 32, 1, 32, icon_entry(large)), (16, 16, 1, 32, icon_entry(small))], kind=1)
    write_icon_dir(os.path.join(OUT, "desk_small.ico"),
                   [(16, 16, 1, 32, icon_entry(small))], kind=1)
    write_icon_dir(os.path.join(OUT, "psize.cur"),
                   [(32, 32, 16, 16, cursor_entry(psize_shape()))], kind=2)

    contact_sheet(as_shipped[:len(items)], as_shipped[len(items):]).save(os.path.join(OUT, "contact-sheet.png"))


if __name__ == "__main__":
    main()
