#!/usr/bin/env python3
"""Draws the application icon and writes res/RegOrvikPkg.ico.

The mark: a blue rounded tile carrying a bold white ring, the "O", with an
amber gear biting into its lower right. Nine images: 48, 32 and 16 pixels,
each in 16 colours (the standard Windows palette), 256 colours (a palette
made for the image) and 24-bit colour, each with an AND mask.

Samples are placed with plain arithmetic and square roots, and the gear's
corners (the only use of cos and sin) are rounded to a fine grid, so the
output is the same bytes on every machine; --check proves it against the
committed file.

  make-icon.py                 write res/RegOrvikPkg.ico
  make-icon.py --output FILE   write FILE instead
  make-icon.py --check FILE    exit 1 unless FILE holds exactly what this draws
  make-icon.py --preview DIR   also write PNG previews (1x and enlarged)
"""

import argparse
import math
import pathlib
import struct
import sys
import zlib

SIZES = (48, 32, 16)
DEPTHS = (4, 8, 24)
SUBSAMPLES = 8  # per axis: 64 samples per pixel

# The standard 16-colour palette of Windows, in index order.
STANDARD_16 = (
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
)

# Colours of the full-colour images. The 16-colour images use flat colours
# straight from the standard palette instead of nearest matches, which would
# turn the blue into teal.
FULL_COLOUR = {
    "tile_top": (66, 133, 226),
    "tile_bottom": (22, 66, 156),
    "tile_edge": (12, 36, 92),
    "ring": (255, 255, 255),
    "ring_shade": (214, 226, 244),
    "gear": (250, 186, 48),
    "gear_shade": (230, 132, 20),
    "gear_edge": (120, 62, 6),
}
SIXTEEN_COLOUR = {
    "tile_top": (0, 0, 255),
    "tile_bottom": (0, 0, 255),
    "tile_edge": (0, 0, 128),
    "ring": (255, 255, 255),
    "ring_shade": (255, 255, 255),
    "gear": (255, 255, 0),
    "gear_shade": (255, 255, 0),
    "gear_edge": (128, 128, 0),
}


class Geometry:
    """Places of the ring and the gear on the unit square, y downwards."""

    def __init__(self, ring_centre, ring_outer, ring_inner, gear_centre, gear_tip, gear_root, gear_hole, teeth,
                 gear_edge):
        self.ring_centre, self.ring_outer, self.ring_inner = ring_centre, ring_outer, ring_inner
        self.gear_centre, self.gear_tip, self.gear_hole = gear_centre, gear_tip, gear_hole
        self.gear_edge = gear_edge  # outline width of the gear, in pixels
        self.gear_polygon = gear_outline(gear_centre, gear_tip, gear_root, teeth)


TILE_MIN, TILE_MAX, TILE_RADIUS = 0.02, 0.98, 0.21


def rounded(value):
    # Vertices are rounded so that a last-bit difference of a platform's
    # cos/sin cannot move a sample from one side of an edge to the other.
    return round(value * 1e6) / 1e6


def gear_outline(centre, tip, root, teeth):
    cx, cy = centre
    points = []
    pitch = 2 * math.pi / teeth
    for tooth in range(teeth):
        middle = tooth * pitch
        for offset, radius in ((-0.30, root), (-0.19, tip), (0.19, tip), (0.30, root), (0.50, root)):
            angle = middle + offset * pitch
            points.append((rounded(cx + radius * math.cos(angle)), rounded(cy + radius * math.sin(angle))))
    return points


# The 16-pixel image is drawn bolder (a wider ring, a larger gear with fewer
# teeth and no outline) so that each part still covers whole pixels; its ring
# is centred on a pixel corner (an even hole), its gear on a pixel centre (a
# one-pixel hole).
GEOMETRY = {
    48: Geometry((0.42, 0.42), 0.30, 0.16, (0.745, 0.745), 0.215, 0.158, 0.062, 8, 0.9),
    32: Geometry((0.42, 0.42), 0.30, 0.155, (0.745, 0.745), 0.22, 0.16, 0.065, 8, 0.9),
    16: Geometry((6.0 / 16, 6.0 / 16), 5.0 / 16, 2.2 / 16, (11.5 / 16, 11.5 / 16), 4.0 / 16, 2.8 / 16, 0.75 / 16, 6, 0.0),
}


def inside_polygon(x, y, polygon):
    inside = False
    x1, y1 = polygon[-1]
    for x2, y2 in polygon:
        if (y1 > y) != (y2 > y) and x < x1 + (y - y1) * (x2 - x1) / (y2 - y1):
            inside = not inside
        x1, y1 = x2, y2
    return inside


def tile_distance(x, y):
    """Signed distance to the tile's outline, negative inside."""
    half = (TILE_MAX - TILE_MIN) / 2
    centre = (TILE_MIN + TILE_MAX) / 2
    qx = abs(x - centre) - (half - TILE_RADIUS)
    qy = abs(y - centre) - (half - TILE_RADIUS)
    ox, oy = max(qx, 0.0), max(qy, 0.0)
    outside = math.sqrt(ox * ox + oy * oy)
    return outside + min(max(qx, qy), 0.0) - TILE_RADIUS


def distance(x, y, centre):
    dx, dy = x - centre[0], y - centre[1]
    return math.sqrt(dx * dx + dy * dy)


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def inside_gear(x, y, geometry):
    return inside_polygon(x, y, geometry.gear_polygon) and distance(x, y, geometry.gear_centre) > geometry.gear_hole


def on_gear_edge(x, y, geometry, width):
    """True within `width` of the gear's outline (a cross of probes, cheap and exact enough)."""
    return not (inside_gear(x - width, y, geometry) and inside_gear(x + width, y, geometry)
                and inside_gear(x, y - width, geometry) and inside_gear(x, y + width, geometry))


def sample_colour(x, y, pixel, geometry, colours):
    """The colour at one sample point, or None outside the tile: tile, then ring, then gear on top."""
    edge = tile_distance(x, y)
    if edge >= 0:
        return None
    if edge > -pixel:
        return colours["tile_edge"]
    colour = mix(colours["tile_top"], colours["tile_bottom"], y)

    gear_centre, ring_centre = geometry.gear_centre, geometry.ring_centre
    if geometry.ring_inner < distance(x, y, ring_centre) < geometry.ring_outer:
        shade = max(0.0, y - ring_centre[1]) / geometry.ring_outer
        colour = mix(colours["ring"], colours["ring_shade"], shade)
    if inside_gear(x, y, geometry):
        if geometry.gear_edge and on_gear_edge(x, y, geometry, geometry.gear_edge * pixel):
            colour = colours["gear_edge"]
        else:
            shade = (y - (gear_centre[1] - geometry.gear_tip)) / (2 * geometry.gear_tip)
            colour = mix(colours["gear"], colours["gear_shade"], shade)
    return colour


def render(size, colours):
    """Rows of (r, g, b) or None (transparent), size x size, top row first."""
    geometry = GEOMETRY[size]
    pixel = 1.0 / size
    step = pixel / SUBSAMPLES
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            total = [0.0, 0.0, 0.0]
            covered = 0
            for sy in range(SUBSAMPLES):
                y = py * pixel + (sy + 0.5) * step
                for sx in range(SUBSAMPLES):
                    colour = sample_colour(px * pixel + (sx + 0.5) * step, y, pixel, geometry, colours)
                    if colour is not None:
                        covered += 1
                        total[0] += colour[0]
                        total[1] += colour[1]
                        total[2] += colour[2]
            # The mask has one bit: a pixel shows when the tile covers most of it,
            # with the colour of the covered part only.
            if covered * 2 >= SUBSAMPLES * SUBSAMPLES:
                row.append(tuple(int(channel / covered + 0.5) for channel in total))
            else:
                row.append(None)
        rows.append(row)
    return rows


def squared_distance(a, b):
    return (a[0] - b[0]) ** 2 + (a[1] - b[1]) ** 2 + (a[2] - b[2]) ** 2


def nearest(colour, palette):
    best = 0
    for index in range(1, len(palette)):
        if squared_distance(colour, palette[index]) < squared_distance(colour, palette[best]):
            best = index
    return best


def median_cut(counts, boxes):
    """At most `boxes` colours standing for the counted colours."""
    pending = [sorted(counts.items())]
    while len(pending) < boxes:
        widest = None
        for position, box in enumerate(pending):
            if len(box) < 2:
                continue
            spans = [max(c[k] for c, _ in box) - min(c[k] for c, _ in box) for k in range(3)]
            span = max(spans)
            if widest is None or span > widest[0]:
                widest = (span, position, spans.index(span))
        if widest is None:
            break
        _, position, channel = widest
        box = sorted(pending.pop(position), key=lambda item: (item[0][channel], item[0]))
        weight = sum(n for _, n in box)
        running, cut = 0, 1
        for cut in range(1, len(box)):
            running += box[cut - 1][1]
            if running * 2 >= weight:
                break
        pending[position:position] = [box[:cut], box[cut:]]
    palette = []
    for box in pending:
        weight = sum(n for _, n in box)
        palette.append(tuple(int(sum(c[k] * n for c, n in box) / weight + 0.5) for k in range(3)))
    return palette


def quantise(rows, depth):
    """Palette and index rows for a paletted image; index 0 is black."""
    if depth == 4:
        palette = list(STANDARD_16)
    else:
        counts = {}
        for row in rows:
            for colour in row:
                if colour is not None:
                    counts[colour] = counts.get(colour, 0) + 1
        palette = [(0, 0, 0)] + median_cut(counts, 255)
    cache = {}
    indices = []
    for row in rows:
        out = []
        for colour in row:
            if colour is None:
                out.append(0)  # black XOR keeps the screen under a transparent pixel
            else:
                if colour not in cache:
                    cache[colour] = nearest(colour, palette)
                out.append(cache[colour])
        indices.append(out)
    return palette, indices


def padded(data):
    return data + b"\0" * (-len(data) % 4)


def bitmap_entry(rows, depth):
    """One ICO image: BITMAPINFOHEADER, palette, XOR bits and AND mask, rows bottom-up."""
    size = len(rows)
    palette_bytes = b""
    xor_rows = []
    if depth == 24:
        for row in rows:
            xor_rows.append(padded(b"".join(bytes((c[2], c[1], c[0])) if c else b"\0\0\0" for c in row)))
    else:
        palette, indices = quantise(rows, depth)
        palette += [(0, 0, 0)] * ((1 << depth) - len(palette))
        palette_bytes = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
        for row in indices:
            if depth == 8:
                xor_rows.append(padded(bytes(row)))
            else:
                xor_rows.append(padded(bytes((row[i] << 4) | row[i + 1] for i in range(0, size, 2))))
    and_rows = []
    for row in rows:
        bits = bytearray((size + 7) // 8)
        for x, colour in enumerate(row):
            if colour is None:
                bits[x // 8] |= 0x80 >> (x % 8)
        and_rows.append(padded(bytes(bits)))
    xor = b"".join(reversed(xor_rows))
    mask = b"".join(reversed(and_rows))
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, depth, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return header + palette_bytes + xor + mask


def build_images():
    images = []
    for depth in DEPTHS:
        colours = SIXTEEN_COLOUR if depth == 4 else FULL_COLOUR
        for size in SIZES:
            rows = render(size, colours)
            images.append((size, depth, rows, bitmap_entry(rows, depth)))
    return images


def ico_bytes(images):
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = len(directory) + 16 * len(images)
    entries, bodies = b"", b""
    for size, depth, _, body in images:
        entries += struct.pack("<BBBBHHII", size, size, 16 if depth == 4 else 0, 0, 1, depth, len(body), offset)
        bodies += body
        offset += len(body)
    return directory + entries + bodies


def decoded(size, depth, body):
    """What a reader of the ICO entry sees, rows of (r, g, b) or None: the previews show this."""
    header = struct.unpack_from("<IiiHHIIiiII", body)
    assert header[1] == size and header[2] == 2 * size and header[4] == depth
    position = 40
    palette = []
    if depth != 24:
        for i in range(1 << depth):
            b, g, r, _ = body[position + 4 * i:position + 4 * i + 4]
            palette.append((r, g, b))
        position += 4 << depth
    xor_stride = (size * depth + 31) // 32 * 4
    and_stride = (size + 31) // 32 * 4
    mask_start = position + xor_stride * size
    rows = []
    for y in range(size):
        line = position + xor_stride * (size - 1 - y)
        mask = mask_start + and_stride * (size - 1 - y)
        row = []
        for x in range(size):
            if body[mask + x // 8] & (0x80 >> (x % 8)):
                row.append(None)
            elif depth == 24:
                b, g, r = body[line + 3 * x:line + 3 * x + 3]
                row.append((r, g, b))
            elif depth == 8:
                row.append(palette[body[line + x]])
            else:
                byte = body[line + x // 2]
                row.append(palette[byte >> 4 if x % 2 == 0 else byte & 15])
        rows.append(row)
    return rows


def png_bytes(rows):
    height, width = len(rows), len(rows[0])
    raw = b""
    for row in rows:
        raw += b"\0" + b"".join(bytes(c) + b"\xff" if c else b"\0\0\0\0" for c in row)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")


def contact_sheet(images, scale, background):
    """All images side by side (one row per colour depth) on `background`, enlarged `scale` times."""
    gap = 4
    width = sum(SIZES) + gap * (len(SIZES) + 1)
    height = SIZES[0] * len(DEPTHS) + gap * (len(DEPTHS) + 1)
    canvas = [[background] * width for _ in range(height)]
    for row_index, depth in enumerate(DEPTHS):
        x0 = gap
        for size in SIZES:
            body = next(b for s, d, _, b in images if s == size and d == depth)
            pixels = decoded(size, depth, body)
            y0 = gap + row_index * (SIZES[0] + gap)
            for y in range(size):
                for x in range(size):
                    if pixels[y][x] is not None:
                        canvas[y0 + y][x0 + x] = pixels[y][x]
            x0 += size + gap
    return [[c for c in row for _ in range(scale)] for row in canvas for _ in range(scale)]


def write_previews(images, directory):
    directory.mkdir(parents=True, exist_ok=True)
    for name, background in (("light", (240, 240, 240)), ("dark", (40, 40, 48))):
        for scale in (1, 6):
            path = directory / f"RegOrvikPkg-{name}-x{scale}.png"
            path.write_bytes(png_bytes(contact_sheet(images, scale, background)))
            print(f"preview: {path}")


def main():
    default_output = pathlib.Path(__file__).resolve().parent.parent / "res" / "RegOrvikPkg.ico"
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--output", type=pathlib.Path, default=default_output)
    parser.add_argument("--check", type=pathlib.Path, metavar="FILE")
    parser.add_argument("--preview", type=pathlib.Path, metavar="DIR")
    arguments = parser.parse_args()

    images = build_images()
    data = ico_bytes(images)
    if arguments.preview:
        write_previews(images, arguments.preview)
    if arguments.check:
        if arguments.check.read_bytes() != data:
            print(f"{arguments.check} differs from what make-icon.py draws; run scripts/make-icon.py", file=sys.stderr)
            return 1
        print(f"{arguments.check}: identical ({len(data)} bytes)")
        return 0
    arguments.output.write_bytes(data)
    print(f"{arguments.output}: {len(data)} bytes, {len(images)} images")
    return 0


if __name__ == "__main__":
    sys.exit(main())
