#!/usr/bin/env python3
"""Draws the program's pictures into data/images/ as PNG files.

Run it from anywhere after changing a picture; the PNG files are committed, so the build needs
neither this script nor any image library. Shapes are drawn with 4 x 4 samples per pixel, which
gives smooth edges at small icon sizes.
"""

import math
import os
import struct
import sys
import zlib

SAMPLES = 4  # per pixel and axis


# --- Colours -------------------------------------------------------------------------------------

def rgb(hex_text, alpha=1.0):
    value = int(hex_text.lstrip("#"), 16)
    return ((value >> 16) & 255, (value >> 8) & 255, value & 255, alpha)


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(4))


# --- Shapes: each is an inside test and a bounding box -------------------------------------------

class Shape:
    def __init__(self, inside, box):
        self.inside = inside
        self.box = box  # (x0, y0, x1, y1) in pixels


def circle(cx, cy, r):
    return Shape(lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r,
                 (cx - r, cy - r, cx + r, cy + r))


def ring(cx, cy, r_outer, r_inner, start=0.0, sweep=360.0):
    def inside(x, y):
        d2 = (x - cx) ** 2 + (y - cy) ** 2
        if not r_inner * r_inner <= d2 <= r_outer * r_outer:
            return False
        angle = (math.degrees(math.atan2(y - cy, x - cx)) - start) % 360.0
        return angle <= sweep
    return Shape(inside, (cx - r_outer, cy - r_outer, cx + r_outer, cy + r_outer))


def rect(x0, y0, x1, y1):
    return Shape(lambda x, y: x0 <= x <= x1 and y0 <= y <= y1, (x0, y0, x1, y1))


def rounded_rect(x0, y0, x1, y1, r):
    def inside(x, y):
        if not (x0 <= x <= x1 and y0 <= y <= y1):
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    return Shape(inside, (x0, y0, x1, y1))


def polygon(points):
    xs = [p[0] for p in points]
    ys = [p[1] for p in points]

    def inside(x, y):
        result = False
        j = len(points) - 1
        for i, (xi, yi) in enumerate(points):
            xj, yj = points[j]
            if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                result = not result
            j = i
        return result
    return Shape(inside, (min(xs), min(ys), max(xs), max(ys)))


def line(x0, y0, x1, y1, width):
    """A straight stroke with round ends."""
    half = width / 2.0
    dx, dy = x1 - x0, y1 - y0
    length2 = dx * dx + dy * dy or 1e-9

    def inside(x, y):
        t = max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / length2))
        px, py = x0 + t * dx, y0 + t * dy
        return (x - px) ** 2 + (y - py) ** 2 <= half * half
    return Shape(inside, (min(x0, x1) - half, min(y0, y1) - half,
                          max(x0, x1) + half, max(y0, y1) + half))


def polyline(points, width):
    strokes = [line(*points[i], *points[i + 1], width) for i in range(len(points) - 1)]
    return union(strokes)


def union(shapes):
    box = (min(s.box[0] for s in shapes), min(s.box[1] for s in shapes),
           max(s.box[2] for s in shapes), max(s.box[3] for s in shapes))
    return Shape(lambda x, y: any(s.inside(x, y) for s in shapes), box)


def minus(shape, hole):
    return Shape(lambda x, y: shape.inside(x, y) and not hole.inside(x, y), shape.box)


def shield(cx, top, width, height):
    """The program's emblem: a shield with a flat top and a pointed foot."""
    half = width / 2.0
    points = [(cx - half, top), (cx + half, top), (cx + half, top + height * 0.45)]
    steps = 16
    for i in range(1, steps + 1):  # right side curves in to the point
        t = i / steps
        points.append((cx + half * (1 - t) ** 1.3, top + height * (0.45 + 0.55 * t)))
    for i in range(steps - 1, -1, -1):
        t = i / steps
        points.append((cx - half * (1 - t) ** 1.3, top + height * (0.45 + 0.55 * t)))
    return polygon(points)


# --- Canvas --------------------------------------------------------------------------------------

class Canvas:
    def __init__(self, width, height, background=(0, 0, 0, 0.0)):
        self.width = width
        self.height = height
        self.pixels = [list(background) for _ in range(width * height)]

    def fill(self, shape, paint):
        """Paints a shape; paint is a colour or a function (x, y) -> colour."""
        x0 = max(0, int(math.floor(shape.box[0])))
        y0 = max(0, int(math.floor(shape.box[1])))
        x1 = min(self.width - 1, int(math.ceil(shape.box[2])))
        y1 = min(self.height - 1, int(math.ceil(shape.box[3])))
        step = 1.0 / SAMPLES
        for py in range(y0, y1 + 1):
            for px in range(x0, x1 + 1):
                hits = 0
                for sy in range(SAMPLES):
                    for sx in range(SAMPLES):
                        if shape.inside(px + (sx + 0.5) * step, py + (sy + 0.5) * step):
                            hits += 1
                if hits:
                    colour = paint(px + 0.5, py + 0.5) if callable(paint) else paint
                    self.blend(px, py, colour, hits / (SAMPLES * SAMPLES))

    def blend(self, x, y, colour, coverage):
        below = self.pixels[y * self.width + x]
        a = colour[3] * coverage
        out_a = a + below[3] * (1 - a)
        if out_a <= 0:
            return
        for i in range(3):
            below[i] = (colour[i] * a + below[i] * below[3] * (1 - a)) / out_a
        below[3] = out_a

    def save(self, path):
        rows = bytearray()
        for y in range(self.height):
            rows.append(0)
            for x in range(self.width):
                r, g, b, a = self.pixels[y * self.width + x]
                rows += bytes((round(r), round(g), round(b), round(a * 255)))

        def chunk(kind, data):
            body = kind + data
            return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

        header = struct.pack(">IIBBBBB", self.width, self.height, 8, 6, 0, 0, 0)
        with open(path, "wb") as out:
            out.write(b"\x89PNG\r\n\x1a\n")
            out.write(chunk(b"IHDR", header))
            out.write(chunk(b"IDAT", zlib.compress(bytes(rows), 9)))
            out.write(chunk(b"IEND", b""))


def vertical(top_colour, bottom_colour, y0, y1):
    return lambda x, y: mix(top_colour, bottom_colour, min(1.0, max(0.0, (y - y0) / (y1 - y0))))


# --- The palette ---------------------------------------------------------------------------------

NAVY = rgb("1b3a6b")
BLUE = rgb("2f6fc0")
SKY = rgb("7fb3ea")
WHITE = rgb("ffffff")
GREEN = rgb("2e9d4a")
RED = rgb("c8332b")
AMBER = rgb("e8a628")
BROWN = rgb("9a6232")
DARK_BROWN = rgb("5b3517")
GREY = rgb("7d8794")
PAPER = rgb("fbfbf7")
OUTLINE = rgb("4a5563")


# --- Pictures ------------------------------------------------------------------------------------

def emblem(canvas, cx, top, width):
    """Shield with a tick, scaled to width."""
    height = width * 1.18
    outline = shield(cx, top, width, height)
    inner = shield(cx, top + width * 0.07, width * 0.84, height * 0.86)
    canvas.fill(outline, NAVY)
    canvas.fill(inner, vertical(SKY, BLUE, top, top + height))
    s = width / 32.0
    canvas.fill(polyline([(cx - 7 * s, top + 18 * s), (cx - 2 * s, top + 23 * s),
                          (cx + 8 * s, top + 11 * s)], 3.6 * s), WHITE)


def program_icon(size):
    canvas = Canvas(size, size)
    emblem(canvas, size / 2.0, size * 0.06, size * 0.74)
    return canvas


def splash():
    w, h = 420, 200
    canvas = Canvas(w, h)
    canvas.fill(rect(0, 0, w, h), vertical(rgb("173158"), rgb("2b5d9e"), 0, h))
    for i in range(7):  # sweeping scan lines behind the emblem
        y = 30 + i * 22
        canvas.fill(rounded_rect(150, y, 150 + 230 - i * 18, y + 7, 3.5), rgb("ffffff", 0.10 + 0.04 * i))
    canvas.fill(ring(92, 100, 78, 72), rgb("ffffff", 0.18))
    emblem(canvas, 92, 36, 108)
    return canvas


def about():
    size = 96
    canvas = Canvas(size, size)
    canvas.fill(rounded_rect(2, 2, size - 2, size - 2, 14), vertical(rgb("e8f1fb"), rgb("bcd5f1"), 0, size))
    emblem(canvas, 42, 14, 54)
    # a magnifying glass over the shield: the program searches
    canvas.fill(ring(64, 58, 16, 11), OUTLINE)
    canvas.fill(circle(64, 58, 11), rgb("ffffff", 0.45))
    canvas.fill(line(75, 69, 87, 81, 6), OUTLINE)
    return canvas


def cookie_icon():
    canvas = Canvas(16, 16)
    canvas.fill(circle(8, 8, 7), DARK_BROWN)
    canvas.fill(circle(8, 8, 6), rgb("d49a5a"))
    for x, y in ((5.5, 5.5), (10, 6.5), (7, 10.5), (10.5, 10)):
        canvas.fill(circle(x, y, 1.2), DARK_BROWN)
    return canvas


def registry_icon():
    canvas = Canvas(16, 16)
    for x, y, colour in ((1, 8, BLUE), (8, 8, rgb("3f8fd8")), (4.5, 1.5, rgb("5ea7e8"))):
        canvas.fill(rect(x, y, x + 6.5, y + 6.5), NAVY)
        canvas.fill(rect(x + 1, y + 1, x + 5.5, y + 5.5), colour)
    return canvas


def file_icon():
    canvas = Canvas(16, 16)
    outline = polygon([(2.5, 0.5), (10, 0.5), (13.5, 4), (13.5, 15.5), (2.5, 15.5)])
    canvas.fill(outline, OUTLINE)
    canvas.fill(polygon([(3.5, 1.5), (9.5, 1.5), (12.5, 4.5), (12.5, 14.5), (3.5, 14.5)]), PAPER)
    canvas.fill(polygon([(9.5, 1.5), (12.5, 4.5), (9.5, 4.5)]), rgb("c9ced6"))
    for y in (7, 9.5, 12):
        canvas.fill(rect(5, y, 11, y + 0.9), rgb("8a94a3"))
    return canvas


def folder_icon():
    canvas = Canvas(16, 16)
    canvas.fill(polygon([(0.5, 3), (6, 3), (7.5, 4.5), (15.5, 4.5), (15.5, 14), (0.5, 14)]), rgb("b07d12"))
    canvas.fill(polygon([(1.5, 6), (15, 6), (15, 13), (1.5, 13)]), AMBER)
    canvas.fill(rect(1.5, 6, 15, 7), rgb("f5c95a"))
    return canvas


def excluded_icon():
    canvas = Canvas(16, 16)
    canvas.fill(circle(8, 8, 7), GREY)
    canvas.fill(circle(8, 8, 5.2), rgb("eef0f3"))
    canvas.fill(line(4.5, 11.5, 11.5, 4.5, 2.2), GREY)
    return canvas


def arrow(direction, colour, size=32):
    """A broad arrow into or out of a tray: the download animation's two frames."""
    canvas = Canvas(size, size)
    s = size / 32.0
    canvas.fill(polygon([(4 * s, 22 * s), (8 * s, 22 * s), (8 * s, 26 * s), (24 * s, 26 * s),
                         (24 * s, 22 * s), (28 * s, 22 * s), (28 * s, 30 * s), (4 * s, 30 * s)]),
                OUTLINE)
    if direction == "down":
        points = [(12, 2), (20, 2), (20, 11), (26, 11), (16, 22), (6, 11), (12, 11)]
    else:
        points = [(16, 2), (26, 13), (20, 13), (20, 22), (12, 22), (12, 13), (6, 13)]
    canvas.fill(polygon([(x * s, y * s) for x, y in points]), colour)
    return canvas


def browser_button(kind):
    size = 24
    canvas = Canvas(size, size)
    if kind == "back":
        canvas.fill(polygon([(3, 12), (12, 4), (12, 9), (21, 9), (21, 15), (12, 15), (12, 20)]), BLUE)
    elif kind == "forward":
        canvas.fill(polygon([(21, 12), (12, 4), (12, 9), (3, 9), (3, 15), (12, 15), (12, 20)]), BLUE)
    elif kind == "go":
        canvas.fill(circle(12, 12, 10), GREEN)
        canvas.fill(polygon([(9, 6.5), (17.5, 12), (9, 17.5)]), WHITE)
    elif kind == "stop":
        r = 10
        octagon = [(12 + r * math.cos(math.radians(22.5 + 45 * i)),
                    12 + r * math.sin(math.radians(22.5 + 45 * i))) for i in range(8)]
        canvas.fill(polygon(octagon), RED)
        canvas.fill(line(8, 8, 16, 16, 2.6), WHITE)
        canvas.fill(line(16, 8, 8, 16, 2.6), WHITE)
    elif kind == "refresh":
        canvas.fill(ring(12, 12, 9, 5.5, start=-60, sweep=290), GREEN)
        canvas.fill(polygon([(14, 1.5), (21.5, 6), (14, 10)]), GREEN)
    return canvas


def home_page():
    size = 48
    canvas = Canvas(size, size)
    canvas.fill(polygon([(24, 5), (44, 23), (39, 23), (39, 43), (9, 43), (9, 23), (4, 23)]), NAVY)
    canvas.fill(polygon([(24, 9), (37, 21), (37, 41), (11, 41), (11, 21)]), PAPER)
    canvas.fill(rect(20, 28, 28, 41), BROWN)
    canvas.fill(rect(14, 24, 19, 29), SKY)
    canvas.fill(rect(29, 24, 34, 29), SKY)
    canvas.fill(circle(38, 12, 7), AMBER)
    canvas.fill(rect(37, 8, 39, 13.5), WHITE)
    canvas.fill(circle(38, 15.6, 1.2), WHITE)
    return canvas


PICTURES = {
    "program_icon.png": lambda: program_icon(32),
    "program_logo.png": lambda: program_icon(48),
    "splash.png": splash,
    "about.png": about,
    "result_cookie.png": cookie_icon,
    "result_registry.png": registry_icon,
    "result_file.png": file_icon,
    "result_folder.png": folder_icon,
    "result_excluded.png": excluded_icon,
    "download_down.png": lambda: arrow("down", GREEN),
    "download_up.png": lambda: arrow("up", BLUE),
    "browser_go.png": lambda: browser_button("go"),
    "browser_back.png": lambda: browser_button("back"),
    "browser_forward.png": lambda: browser_button("forward"),
    "browser_stop.png": lambda: browser_button("stop"),
    "browser_refresh.png": lambda: browser_button("refresh"),
    "home_page.png": home_page,
}


def main():
    root = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    target = os.path.join(root, "data", "images")
    os.makedirs(target, exist_ok=True)
    wanted = sys.argv[1:] or sorted(PICTURES)
    for name in wanted:
        PICTURES[name]().save(os.path.join(target, name))
        print(name)


if __name__ == "__main__":
    main()
