#!/usr/bin/env python3
"""Draws the window's two pictures and writes them as 16-colour files:

  icon103.ico    the application icon, 32x32 and 16x16 (a sword on a blue disc)
  bitmap104.bmp  the report button's picture, 15x13 (a clipboard)
  velkar.png     the 32x32 icon again, for the desktop entry of the package
  icons/velkar-N.png  the icon at N = 16, 32, 48, 64, 128 and 256 pixels,
                 for the desktop's icon theme (the Debian package)
  icons/velkar.svg    the same drawing as shapes, for any other size

Run it from this folder after changing a drawing; the output is committed.
Standard library only.
"""
import math
import struct
import zlib

# The 16 colours of the classic VGA palette, in palette order.
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, MAROON, GREEN, OLIVE, NAVY, PURPLE, TEAL, SILVER = range(8)
GREY, RED, LIME, YELLOW, BLUE, FUCHSIA, AQUA, WHITE = range(8, 16)
CLEAR = None  # transparent icon pixel


def seg_dist(px, py, ax, ay, bx, by):
    """Distance of point p from the segment a-b."""
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)))
    return math.hypot(px - (ax + t * dx), py - (ay + t * dy))


def draw_icon(size):
    """The icon at one size: geometry is given for 32 pixels and scaled."""
    s = size / 32.0
    pixels = [[CLEAR] * size for _ in range(size)]
    for y in range(size):
        for x in range(size):
            # Pixel centre in 32-pixel coordinates.
            cx, cy = (x + 0.5) / s, (y + 0.5) / s
            r = math.hypot(cx - 16, cy - 16)
            colour = CLEAR
            if r <= 15.5:
                colour = BLACK if r > 14.2 else (NAVY if r > 11 else BLUE)
            blade = seg_dist(cx, cy, 10, 22, 26, 6)
            if blade <= 2.6:
                colour = BLACK
            if blade <= 1.7:
                colour = GREY if cx + cy > 32.4 else WHITE
            guard = seg_dist(cx, cy, 6.5, 18.5, 13.5, 25.5)
            if guard <= 2.2:
                colour = BLACK
            if guard <= 1.3:
                colour = YELLOW
            grip = seg_dist(cx, cy, 9, 23, 5, 27)
            if grip <= 1.8 and guard > 1.3:
                colour = MAROON if grip <= 1.1 else BLACK
            if math.hypot(cx - 4.5, cy - 27.5) <= 2.0:
                colour = OLIVE if math.hypot(cx - 4.5, cy - 27.5) > 1.1 else YELLOW
            # A red spark where the tip strikes.
            spark = abs(cx - 24.5) + abs(cy - 24.5)
            if spark <= 4.2 and (abs(cx - 24.5) < 1.2 or abs(cy - 24.5) < 1.2 or spark <= 2.5):
                colour = YELLOW if spark <= 1.5 else RED
            pixels[y][x] = colour
    return pixels


def draw_clipboard():
    """The report button's 15x13 picture: a clipboard with a written sheet."""
    rows = [
        "sssssskkkssssss",
        "sskkkkwGwkkkkss",
        "skoookkkkkooohs",
        "skoowwwwwwwwohs",
        "skoowkkkkkwwohs",
        "skoowwwwwwwwohs",
        "skoowkkkkwwwohs",
        "skoowwwwwwwwohs",
        "skoowkkkkkkwohs",
        "skoowwwwwwwwohs",
        "skooooooooooohs",
        "sskhhhhhhhhhhhs",
        "sssssssssssssss",
    ]
    codes = {"s": SILVER, "k": BLACK, "w": WHITE, "G": GREY, "o": OLIVE, "h": GREY}
    return [[codes[c] for c in row] for row in rows]


def pack_4bpp(pixels):
    """Bottom-up 4-bit rows padded to 4 bytes; transparent pixels are black."""
    out = bytearray()
    for row in reversed(pixels):
        nibbles = [c if c is not None else 0 for c in row]
        if len(nibbles) % 2:
            nibbles.append(0)
        line = bytes((nibbles[i] << 4) | nibbles[i + 1] for i in range(0, len(nibbles), 2))
        out += line + b"\0" * (-len(line) % 4)
    return bytes(out)


def pack_mask(pixels):
    """Bottom-up 1-bit AND mask: 1 where the pixel is transparent."""
    out = bytearray()
    for row in reversed(pixels):
        bits = 0
        line = bytearray()
        for i, c in enumerate(row):
            bits = (bits << 1) | (1 if c is None else 0)
            if i % 8 == 7:
                line.append(bits)
                bits = 0
        if len(row) % 8:
            line.append(bits << (8 - len(row) % 8))
        out += line + b"\0" * (-len(line) % 4)
    return bytes(out)


def palette_bytes():
    return b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in PALETTE)


def info_header(width, height, image_size):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, image_size, 2835, 2835, 16, 0)


def write_bmp(path, pixels):
    height, width = len(pixels), len(pixels[0])
    image = pack_4bpp(pixels)
    offset = 14 + 40 + 64
    with open(path, "wb") as f:
        f.write(b"BM" + struct.pack("<IHHI", offset + len(image), 0, 0, offset))
        f.write(info_header(width, height, len(image)) + palette_bytes() + image)


def write_ico(path, images):
    blobs = []
    for pixels in images:
        size = len(pixels)
        xor, mask = pack_4bpp(pixels), pack_mask(pixels)
        blobs.append(info_header(size, 2 * size, len(xor) + len(mask)) + palette_bytes() + xor + mask)
    offset = 6 + 16 * len(images)
    with open(path, "wb") as f:
        f.write(struct.pack("<HHH", 0, 1, len(images)))
        for pixels, blob in zip(images, blobs):
            size = len(pixels)
            f.write(struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(blob), offset))
            offset += len(blob)
        for blob in blobs:
            f.write(blob)


def write_png(path, pixels):
    """An 8-bit RGBA PNG; transparent icon pixels get alpha 0."""
    height, width = len(pixels), len(pixels[0])
    raw = bytearray()
    for row in pixels:
        raw.append(0)  # no filter
        for c in row:
            raw += bytes((0, 0, 0, 0)) if c is None else bytes(PALETTE[c] + (255,))

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n")
        f.write(chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)))
        f.write(chunk(b"IDAT", zlib.compress(bytes(raw), 9)))
        f.write(chunk(b"IEND", b""))


def svg_colour(index):
    return "#%02x%02x%02x" % PALETTE[index]


def svg_stroke(a, b, width, colour, extra=""):
    """A segment drawn as the pixel rule does: everything within width/2."""
    return ('<line x1="%s" y1="%s" x2="%s" y2="%s" stroke="%s" stroke-width="%s" '
            'stroke-linecap="round"%s/>' % (a[0], a[1], b[0], b[1], svg_colour(colour), width, extra))


def svg_diamond(cx, cy, r):
    return "%s,%s %s,%s %s,%s %s,%s" % (cx - r, cy, cx, cy - r, cx + r, cy, cx, cy + r)


def write_svg(path):
    """draw_icon's shapes in its 32-unit coordinates, painted in the order of
    its rules (a later rule wins over an earlier one)."""
    blade, guard, grip = ((10, 22), (26, 6)), ((6.5, 18.5), (13.5, 25.5)), ((9, 23), (5, 27))
    shapes = [
        '<circle cx="16" cy="16" r="15.5" fill="%s"/>' % svg_colour(BLACK),
        '<circle cx="16" cy="16" r="14.2" fill="%s"/>' % svg_colour(NAVY),
        '<circle cx="16" cy="16" r="11" fill="%s"/>' % svg_colour(BLUE),
        svg_stroke(*blade, 5.2, BLACK),
        svg_stroke(*blade, 3.4, WHITE),
        # The blade's lower edge (x + y > 32.4) is in shadow.
        svg_stroke(*blade, 3.4, GREY, ' clip-path="url(#shadow)"'),
        svg_stroke(*guard, 4.4, BLACK),
        svg_stroke(*grip, 3.6, BLACK),
        svg_stroke(*grip, 2.2, MAROON),
        svg_stroke(*guard, 2.6, YELLOW),
        '<circle cx="4.5" cy="27.5" r="2" fill="%s"/>' % svg_colour(OLIVE),
        '<circle cx="4.5" cy="27.5" r="1.1" fill="%s"/>' % svg_colour(YELLOW),
        '<g clip-path="url(#spark)"><rect x="23.3" y="20" width="2.4" height="9" fill="%s"/>'
        '<rect x="20" y="23.3" width="9" height="2.4" fill="%s"/>'
        '<polygon points="%s" fill="%s"/></g>'
        % (svg_colour(RED), svg_colour(RED), svg_diamond(24.5, 24.5, 2.5), svg_colour(RED)),
        '<polygon points="%s" fill="%s"/>' % (svg_diamond(24.5, 24.5, 1.5), svg_colour(YELLOW)),
    ]
    defs = ('<defs><clipPath id="shadow"><polygon points="40,-7.6 40,40 -7.6,40"/></clipPath>'
            '<clipPath id="spark"><polygon points="%s"/></clipPath></defs>'
            % svg_diamond(24.5, 24.5, 4.2))
    with open(path, "w", encoding="ascii") as f:
        f.write('<svg xmlns="http://www.w3.org/2000/svg" width="32" height="32" '
                'viewBox="0 0 32 32">\n')
        f.write(defs + "\n")
        for shape in shapes:
            f.write(shape + "\n")
        f.write("</svg>\n")


ICON_SIZES = (16, 32, 48, 64, 128, 256)

if __name__ == "__main__":
    write_ico("icon103.ico", [draw_icon(32), draw_icon(16)])
    write_bmp("bitmap104.bmp", draw_clipboard())
    write_png("velkar.png", draw_icon(32))
    for icon_size in ICON_SIZES:
        write_png("icons/velkar-%d.png" % icon_size, draw_icon(icon_size))
    write_svg("icons/velkar.svg")
