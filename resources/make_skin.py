#!/usr/bin/python3
"""Draws the control desk's skin: every bitmap, the two icons and the resize
cursor, into resources/skin/, plus a contact sheet for review.

Run with Debian's Python 3 and Pillow:  /usr/bin/python3 resources/make_skin.py
The output is deterministic; the generated files are committed, the build
only compiles desk.rc.
"""
import os
import random
import struct

from PIL import Image, ImageDraw, ImageFont

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "skin")
FONT_DIR = "/usr/share/fonts/truetype/dejavu"

# ---------------------------------------------------------------- palette
PANEL = (44, 48, 54)
PANEL_DARK = (24, 26, 30)
FACE_OFF = (30, 32, 36)
TEXT_OFF = (128, 134, 142)
TEXT_ON = (255, 226, 160)
LED_OFF = (70, 52, 28)
LED_ON = (255, 176, 32)
LEGEND = (200, 204, 210)

# Faces of the on/off switch class by resource number.
FACE_FILES = {
    129: "switch_off_pressed",
    130: "switch_off",
    131: "switch_on",
    132: "switch_on_pressed",
}


def font(size, bold=True, condensed=False):
    name = "DejaVuSans"
    if condensed:
        name += "Condensed"
    if bold:
        name += "-Bold"
    return ImageFont.truetype(os.path.join(FONT_DIR, name + ".ttf"), size)


def new(w, h, colour):
    return Image.new("RGB", (w, h), colour)


def centred_text(draw, box, text, fnt, fill):
    x0, y0, x1, y1 = box
    l, t, r, b = draw.textbbox((0, 0), text, font=fnt)
    x = x0 + (x1 - x0 - (r - l)) // 2 - l
    y = y0 + (y1 - y0 - (b - t)) // 2 - t
    draw.text((x, y), text, font=fnt, fill=fill)


def toggle_face(w, h, text, on):
    img = new(w, h, FACE_OFF)
    d = ImageDraw.Draw(img)
    d.rectangle([0, 0, w - 1, h - 1], outline=PANEL_DARK)
    d.rectangle([4, h // 2 - 2, 8, h // 2 + 2], fill=LED_ON if on else LED_OFF)
    centred_text(d, (10, 0, w, h), text, font(9), TEXT_ON if on else TEXT_OFF)
    return img


def build_all():
    """Returns an ordered dict-like list of (name, image)."""
    items = []
    wide = [("coaxial", "COAXIAL"), ("optical", "OPTICAL"), ("fs", "FS"),
            ("256fs", "256 FS"), ("internal", "INTERNAL"),
            ("digitalin", "DIGITAL IN"), ("word", "WORD CLOCK"),
            ("extertara", "EXT. TARA")]
    for name, text in wide:
        for on in (True, False):
            items.append((name + ("_on" if on else "_off"), toggle_face(123, 15, text, on)))
    for on in (True, False):
        items.append(("btn" + ("_on" if on else "_off"), toggle_face(17, 15, "", on)))
    for pair in ("12", "34", "56", "78"):
        items.append(("out%s_off" % pair, toggle_face(72, 15, "OUT %s-%s" % (pair[0], pair[1]), False)))
    for name, text in (("off", "OFF"), ("auto", "AUTO")):
        for on in (True, False):
            items.append((name + ("_on" if on else "_off"), toggle_face(19, 53, "", on)))
    for name, text in (("32000", "32000 Hz"), ("44100", "44100 Hz"),
                       ("48000", "48000 Hz"), ("showhide", "TIMECODE")):
        for on in (True, False):
            items.append((name + ("_on" if on else "_off"), toggle_face(110, 15, text, on)))
    for i in range(1, 5):
        items.append(("id%d" % i, toggle_face(25, 31, str(i), True)))
    for on in (True, False):
        items.append(("start" + ("_on" if on else "_off"), toggle_face(44, 31, "", on)))
    for name, text in (("24", "24"), ("25", "25"), ("2997", "29.97"),
                       ("30D", "30D"), ("30", "30")):
        for on in (True, False):
            items.append((name + ("_on" if on else "_off"), toggle_face(40, 21, text, on)))
    items.append(("mainbak", new(339, 254, PANEL)))
    items.append(("smptebak", new(339, 100, PANEL)))
    faces = [(129, False, "OFF"), (130, False, "OFF"), (131, True, "ON"), (132, True, "ON")]
    for num, on, text in faces:
        items.append((FACE_FILES[num], toggle_face(40, 20, text, on)))
    return items


# ---------------------------------------------------------- icon / cursor
def ico_entry_32bpp(img):
    """BITMAPINFOHEADER + BGRA rows bottom-up + AND mask."""
    w, h = img.size
    px = img.convert("RGBA").load()
    xor = bytearray()
    for y in range(h - 1, -1, -1):
        for x in range(w):
            r, g, b, a = px[x, y]
            xor += bytes((b, g, r, a))
    stride = ((w + 31) // 32) * 4
    mask = bytearray()
    for y in range(h - 1, -1, -1):
        row = bytearray(stride)
        for x in range(w):
            if px[x, y][3] < 128:
                row[x // 8] |= 0x80 >> (x % 8)
        mask += row
    header = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return header + bytes(xor) + bytes(mask)


def write_icon_file(path, images, kind=1, hotspots=None):
    count = len(images)
    data = struct.pack("<HHH", 0, kind, count)
    blobs = []
    offset = 6 + 16 * count
    for i, (img, blob) in enumerate(images):
        w, h = img.size
        if kind == 1:
            planes, bits = 1, 32
        else:
            planes, bits = hotspots[i]
        data += struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, planes, bits, len(blob), offset)
        offset += len(blob)
        blobs.append(blob)
    with open(path, "wb") as f:
        f.write(data + b"".join(blobs))


def icon_image(size):
    img = Image.new("RGBA", (size, size), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    d.rectangle([0, 0, size - 1, size - 1], fill=PANEL + (255,), outline=PANEL_DARK + (255,))
    return img


def cursor_blob():
    """Monochrome 32x32 cursor: XOR bitmap then AND mask, 1 bit each."""
    w = h = 32
    shape = Image.new("L", (w, h), 0)   # 255 = drawn
    d = ImageDraw.Draw(shape)
    d.rectangle([14, 4, 17, 27], fill=255)
    d.rectangle([4, 14, 27, 17], fill=255)
    pix = shape.load()
    stride = 4
    xor = bytearray()
    andm = bytearray()
    for y in range(h - 1, -1, -1):
        xr = bytearray(stride)
        ar = bytearray(b"\xff" * stride)
        for x in range(w):
            if pix[x, y]:
                ar[x // 8] &= ~(0x80 >> (x % 8)) & 0xFF
                xr[x // 8] |= 0x80 >> (x % 8)
        xor += xr
        andm += ar
    header = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 1, 0, len(xor) + len(andm), 0, 0, 2, 0)
    palette = bytes((0, 0, 0, 0, 255, 255, 255, 0))
    return header + palette + bytes(xor) + bytes(andm)


def contact_sheet(items):
    fnt = font(10, bold=False)
    pad = 8
    col_w = 360
    cols = 3
    cells = []
    for name, img in items:
        w, h = img.size
        cells.append((name, img, max(h, 12) + 16))
    rows = (len(cells) + cols - 1) // cols
    heights = []
    for r in range(rows):
        heights.append(max(c[2] for c in cells[r * cols:(r + 1) * cols]) + pad)
    sheet = Image.new("RGB", (cols * col_w + pad, sum(heights) + pad), (90, 90, 96))
    d = ImageDraw.Draw(sheet)
    y = pad
    for r in range(rows):
        for c, (name, img, _) in enumerate(cells[r * cols:(r + 1) * cols]):
            x = pad + c * col_w
            d.text((x, y), "%s  %dx%d" % (name, img.size[0], img.size[1]), font=fnt, fill=(240, 240, 240))
            sheet.paste(img, (x, y + 14))
        y += heights[r]
    return sheet


def main():
    os.makedirs(OUT, exist_ok=True)
    items = build_all()
    for name, img in items:
        img.save(os.path.join(OUT, name.lower() + ".bmp"), format="BMP")
    big = icon_image(32)
    small = icon_image(16)
    write_icon_file(os.path.join(OUT, "desk_large.ico"),
                    [(big, ico_entry_32bpp(big)), (small, ico_entry_32bpp(small))])
    write_icon_file(os.path.join(OUT, "desk_small.ico"), [(small, ico_entry_32bpp(small))])
    cur = Image.new("L", (32, 32))
    write_icon_file(os.path.join(OUT, "psize.cur"), [(cur, cursor_blob())], kind=2,
                    hotspots=[(16, 16)])
    contact_sheet(items).save(os.path.join(OUT, "contact-sheet.png"), optimize=False)


if __name__ == "__main__":
    main()
