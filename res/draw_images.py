#!/usr/bin/env python3
"""Draws Kestrel32's bitmaps and icons and writes them next to this script.

Standard library only. Run it from anywhere; the files land in the folder of
the script. `--preview DIR` also writes enlarged PNGs over a button-face grey
for eyeballing.
"""

import math
import os
import struct
import sys
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
MASK = (255, 0, 255)  # image-list transparent colour; never used by a picture

# One palette for all pictures: the classic 16 colours plus a few softer tones.
PAL = {
    'k': (0, 0, 0),
    'w': (255, 255, 255),
    'g': (192, 192, 192),
    'd': (128, 128, 128),
    'n': (0, 0, 128),
    'b': (0, 0, 255),
    'B': (64, 128, 224),
    'p': (166, 202, 240),
    'D': (32, 88, 184),
    'r': (255, 0, 0),
    'R': (255, 128, 128),
    'm': (128, 0, 0),
    'y': (255, 255, 0),
    'o': (128, 128, 0),
    'f': (255, 224, 112),
    'F': (200, 152, 40),
    'Y': (255, 244, 176),
    'G': (0, 128, 0),
    'C': (200, 240, 255),
    'N': (128, 64, 0),
    'S': (232, 192, 96),
}

# The 16-colour palette of the tray icon (its 4-bit images index into this).
VGA16 = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
         (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
         (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]


class Image:
    """RGBA picture; alpha 0 is transparent."""

    def __init__(self, w, h, fill=None):
        self.w, self.h = w, h
        px = (fill + (255,)) if fill else (0, 0, 0, 0)
        self.px = [px] * (w * h)

    def get(self, x, y):
        return self.px[y * self.w + x]

    def put(self, x, y, c, a=255):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y * self.w + x] = tuple(c[:3]) + (a,)

    def blend(self, x, y, c, cover):
        """Lays colour c over the pixel with the given coverage (0..1)."""
        if cover <= 0 or not (0 <= x < self.w and 0 <= y < self.h):
            return
        r, g, b, a = self.get(x, y)
        if a == 0 or cover >= 1:
            if a == 0 and cover < 1:
                self.put(x, y, c, round(255 * cover))
            else:
                self.put(x, y, c)
            return
        mix = tuple(round(s + (t - s) * cover) for s, t in zip((r, g, b), c))
        self.put(x, y, mix, a)

    def fill(self, x0, y0, x1, y1, c):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.put(x, y, c)

    def frame(self, x0, y0, x1, y1, c):
        self.fill(x0, y0, x1, y0, c)
        self.fill(x0, y1, x1, y1, c)
        self.fill(x0, y0, x0, y1, c)
        self.fill(x1, y0, x1, y1, c)

    def blit(self, src, dx, dy):
        for y in range(src.h):
            for x in range(src.w):
                p = src.get(x, y)
                if p[3]:
                    self.blend(dx + x, dy + y, p[:3], p[3] / 255)


def art(rows):
    """Builds a picture from rows of palette letters; '.' is transparent."""
    img = Image(len(rows[0]), len(rows))
    for y, row in enumerate(rows):
        assert len(row) == img.w, (y, row)
        for x, ch in enumerate(row):
            if ch != '.':
                img.put(x, y, PAL[ch])
    return img


def strip(images):
    out = Image(sum(i.w for i in images), max(i.h for i in images))
    x = 0
    for i in images:
        out.blit(i, x, 0)
        x += i.w
    return out


# ---------------------------------------------------------------- pixel shapes

def ring_image(size, outer, inner):
    """A yellow ring with 1-pixel black edges; radii measured from the centre of the square."""
    img = Image(size, size)
    c = (size - 1) / 2
    for y in range(size):
        for x in range(size):
            d = math.hypot(x - c, y - c)
            if inner < d <= outer:
                img.put(x, y, PAL['k'] if d > outer - 1.1 or d <= inner + 1.1 else PAL['y'])
    return img


def draw_window(img, x0, y0, x1, y1, title, title_rows=2, buttons=True):
    """A small window: black frame, coloured title bar, white client area."""
    img.fill(x0, y0, x1, y1, PAL['w'])
    img.frame(x0, y0, x1, y1, PAL['k'])
    img.fill(x0 + 1, y0 + 1, x1 - 1, y0 + title_rows, title)
    if buttons:
        img.fill(x1 - 3, y0 + 1, x1 - 2, y0 + 2, PAL['g'])  # a caption button


def page_image(x0, y0, x1, y1, fold=3):
    """A white sheet with a folded top-right corner on a 16x16 picture."""
    img = Image(16, 16)
    page_onto(img, x0, y0, x1, y1, fold)
    return img


def page_onto(img, x0, y0, x1, y1, fold=3, paper='w'):
    img.fill(x0, y0, x1, y1, PAL[paper])
    img.frame(x0, y0, x1, y1, PAL['k'])
    # Corner: clear, then draw the fold as a small triangle.
    for i in range(fold + 1):
        for x in range(x1 - fold + i, x1 + 1):
            img.put(x, y0 + i, (0, 0, 0), 0)
    for i in range(fold + 1):
        img.put(x1 - fold + i, y0 + i, PAL['k'])  # diagonal edge
        img.put(x1 - fold, y0 + i, PAL['k'])  # fold's left side
    img.fill(x1 - fold, y0 + fold, x1, y0 + fold, PAL['k'])  # fold's bottom
    for i in range(1, fold):
        for x in range(x1 - fold + 1, x1 - fold + i):
            img.put(x, y0 + i, PAL['w'])


# ---------------------------------------------------------------- 16x16 pictures

REFRESH = [
    '................',
    '................',
    '......GGGG......',
    '....GGGGGGGG....',
    '...GGG....GGG...',
    '...GG......GG...',
    '..........GGGGGG',
    '..GG.......GGGG.',
    '.GGGG.......GG..',
    'GGGGGG..........',
    '...GG......GG...',
    '...GGG....GGG...',
    '....GGGGGGGG....',
    '......GGGG......',
    '................',
    '................',
]


def refresh_icon():
    """Circling arrows on a page."""
    img = page_image(1, 0, 14, 15, fold=4)
    img.blit(art(REFRESH), 0, 0)
    return img


TERMINATE = [
    '................',
    '.....mmmmmm.....',
    '...mmrrrrrrmm...',
    '..mrrRRrrrrrrm..',
    '..mrwwRrrrwwrm..',
    '.mrRwwwrrwwwrrm.',
    '.mrrrwwwwwwrrrm.',
    '.mrrrrwwwwrrrrm.',
    '.mrrrrwwwwrrrrm.',
    '.mrrrwwwwwwrrrm.',
    '.mrrwwwrrwwwrrm.',
    '..mrwwrrrrwwrm..',
    '..mrrrrrrrrrrm..',
    '...mmrrrrrrmm...',
    '.....mmmmmm.....',
    '................',
]

HAND = [
    '...kk......',
    '..kwwk.....',
    '..kwwk.....',
    '..kwwkkk...',
    '..kwwkwwkk.',
    'kkkwwkwwkwk',
    'kwkwwwwwwwk',
    'kwwwwwwwwwk',
    '.kwwwwwwwwk',
    '..kwwwwwwk.',
    '...kwwwwk..',
    '...kkkkkk..',
]


def winprop_icon():
    """A hand pointing at a window."""
    img = Image(16, 16)
    draw_window(img, 4, 0, 15, 10, PAL['n'])
    img.blit(art(HAND), 0, 4)
    return img


def report_icon():
    """A page of text."""
    img = page_image(2, 0, 13, 15, fold=3)
    for y, x1 in ((3, 7), (5, 11), (7, 9), (9, 11), (11, 10), (13, 8)):
        img.fill(4, y, x1, y, PAL['d'])
    return img


FOLDER = [
    '................',
    '................',
    '.kkkk...........',
    'kYYYYk..........',
    'kYffffkkkkkkkk..',
    'kYYYYYYYYYYYYk..',
    'kYffffffffffFk..',
    'kYffffffffffFk..',
    'kYffffffffffFk..',
    'kYffffffffffFk..',
    'kYffffffffffFk..',
    'kYffffffffffFk..',
    'kYffffffffffFk..',
    'kFFFFFFFFFFFFk..',
    'kkkkkkkkkkkkkk..',
    '................',
]

LENS = [
    '..kkk..',
    '.kCCCk.',
    'kCwCCCk',
    'kCwCCCk',
    'kCCCCCk',
    '.kCCCk.',
    '..kkk..',
]


def explorer_icon():
    """A folder with a magnifying glass."""
    img = art(FOLDER)
    img.blit(art(LENS), 6, 6)
    for i in range(3):
        img.put(12 + i, 12 + i, PAL['k'])
        img.put(13 + i, 12 + i, PAL['N'])
        img.put(12 + i, 13 + i, PAL['N'])
    return img


CROSSHAIR = [
    '.......kk.......',
    '.......kk.......',
    '.....kkkkkk.....',
    '....kk.kk.kk....',
    '...k...kk...k...',
    '..k....kk....k..',
    '..k....kk....k..',
    'kkkkkkk..kkkkkkk',
    'kkkkkkk..kkkkkkk',
    '..k....kk....k..',
    '..k....kk....k..',
    '...k...kk...k...',
    '....kk.kk.kk....',
    '.....kkkkkk.....',
    '.......kk.......',
    '.......kk.......',
]


def crosshair_icon():
    """A sight: a ring and its cross, the centre left open, a red dot in it."""
    img = art(CROSSHAIR)
    for x, y in ((7, 7), (8, 7), (7, 8), (8, 8)):
        img.put(x, y, PAL['r'])
    return img


HELP = [
    '..kkkkkkkkkk....',
    '..knbbbbbbbbkk..',
    '..knbbyyyybbkwk.',
    '..knbyybbyybkwk.',
    '..knbbbbbyybkwk.',
    '..knbbbbyybbkwk.',
    '..knbbbyybbbkwk.',
    '..knbbbyybbbkwk.',
    '..knbbbbbbbbkwk.',
    '..knbbbyybbbkwk.',
    '..knbbbyybbbkwk.',
    '..knbbbbbbbbkwk.',
    '..knbbbbbbbbkwk.',
    '..kkkkkkkkkkkwk.',
    '...kwwwwwwwwwwk.',
    '...kkkkkkkkkkkk.',
]

HOURGLASS = [
    'kkkkkkkkk',
    'kNNNNNNNk',
    'kkkkkkkkk',
    '.kSSSSSk.',
    '.kwSSSwk.',
    '..kwSwk..',
    '...kSk...',
    '..kwSwk..',
    '.kwwSwwk.',
    '.kwSSSwk.',
    'kkkkkkkkk',
    'kNNNNNNNk',
    'kkkkkkkkk',
]


def processes_icon():
    """An hourglass before a window."""
    img = Image(16, 16)
    draw_window(img, 4, 0, 15, 11, PAL['n'])
    img.blit(art(HOURGLASS), 0, 3)
    return img


def cascade_icon(title):
    """Three stacked windows."""
    img = Image(16, 16)
    for i in range(3):
        draw_window(img, 3 * i, 3 * i, 3 * i + 9, 3 * i + 9, title)
    return img


def help_icon():
    return art(HELP)


GEAR = [
    '.....nn.....',
    '.nn..nn..nn.',
    '.nBnnBBnnBn.',
    '..nBBBBBBn..',
    '..nBBnnBBn..',
    'nnBBnwwnDDnn',
    'nnBBnwwnDDnn',
    '..nBBnnDDn..',
    '..nBBDDDDn..',
    '.nBnnDDnnDn.',
    '.nn..nn..nn.',
    '.....nn.....',
]


def component_icon():
    """A page with a component (a gear) on it."""
    img = page_image(0, 0, 10, 15, fold=3)
    for y in (3, 5):
        img.fill(2, y, 6, y, PAL['d'])
    img.blit(art(GEAR), 4, 4)
    return img


def application_icon():
    """An application window."""
    img = Image(16, 16)
    draw_window(img, 0, 1, 15, 14, PAL['n'])
    img.fill(1, 4, 14, 4, PAL['g'])
    return img


def single_window_icon(title):
    img = Image(16, 16)
    draw_window(img, 1, 2, 14, 13, title)
    return img


# ---------------------------------------------------------------- larger sizes

def scale2x(img):
    """Twice the size, edges kept sharp and diagonals smoothed (the EPX rule)."""
    out = Image(img.w * 2, img.h * 2)

    def at(x, y):
        return img.get(min(max(x, 0), img.w - 1), min(max(y, 0), img.h - 1))

    for y in range(img.h):
        for x in range(img.w):
            p, a, b, c, d = at(x, y), at(x, y - 1), at(x + 1, y), at(x - 1, y), at(x, y + 1)
            quads = [p, p, p, p]
            if c == a and c != d and a != b:
                quads[0] = a
            if a == b and a != c and b != d:
                quads[1] = b
            if d == c and d != b and c != a:
                quads[2] = c
            if b == d and b != a and d != c:
                quads[3] = d
            for i, q in enumerate(quads):
                out.px[(2 * y + i // 2) * out.w + 2 * x + i % 2] = q
    return out


def area_scale(img, size):
    """The picture averaged down to size x size; a pixel at least half covered is opaque."""
    out = Image(size, size)
    f = img.w / size
    for ty in range(size):
        for tx in range(size):
            acc, cover, total = [0.0, 0.0, 0.0], 0.0, 0.0
            y0, y1, x0, x1 = ty * f, (ty + 1) * f, tx * f, (tx + 1) * f
            for sy in range(int(y0), min(img.h, math.ceil(y1))):
                wy = min(y1, sy + 1) - max(y0, sy)
                for sx in range(int(x0), min(img.w, math.ceil(x1))):
                    w = wy * (min(x1, sx + 1) - max(x0, sx))
                    total += w
                    r, g, b, a = img.get(sx, sy)
                    if a:
                        cover += w
                        acc = [s + w * v for s, v in zip(acc, (r, g, b))]
            if cover >= total / 2 - 1e-9:  # exactly half covered counts, whatever the rounding
                c = tuple(round(v / cover) for v in acc)
                out.put(tx, ty, c if c != MASK else (254, 0, 254))
    return out


def sized(img, size):
    """One 16-pixel picture drawn again at 20, 24 or 32 pixels."""
    if size == 16:
        return img
    if size == 32:
        return scale2x(img)
    return area_scale(scale2x(scale2x(img)), size)


SIZES = (16, 20, 24, 32)


# ---------------------------------------------------------------- icons

RING9 = [
    '..kkkkk..',
    '.kyyyyyk.',
    'kyykkkyyk',
    'kyk...kyk',
    'kyk...kyk',
    'kyk...kyk',
    'kyykkkyyk',
    '.kyyyyyk.',
    '..kkkkk..',
]


def tray16():
    """A grey ruled sheet with a yellow and black ring over its lower left corner."""
    img = Image(16, 16)
    page_onto(img, 2, 0, 14, 14, fold=3, paper='g')
    for y in (3, 5, 7, 9, 11):
        img.fill(4, y, 9 if y == 3 else 12, y, PAL['d'])
    img.blit(art(RING9), 0, 7)
    return img


def tray32():
    """The 32x32 twin of tray16; only colours of the 16-colour palette."""
    img = Image(32, 32)
    page_onto(img, 4, 1, 29, 30, fold=6, paper='g')
    for y in range(10, 29, 3):
        img.fill(8, y, 20 if y == 10 else 26, y, PAL['d'])
    img.blit(ring_image(17, 8.4, 3.2), 0, 15)
    return img


APP16 = [
    '................',
    'kkkkkkkkkkkkkkkk',
    'knnnnnnnnnnnggnk',
    'knnnnnnnnnnnggnk',
    'kggggggggdggdggk',
    'kwbwdddddwddwddk',
    'kwwwwwwwwwwwwwwk',
    'kwrwddddwwddwddk',
    'knnnnnnnnnnnnnnk',
    'knGnwwwwwnwwnwwk',
    'knnnnnnnnnnnnnnk',
    'kwowdddwwwddwddk',
    'kwwwwwwwwwwwwwwk',
    'kwywddddwwdwwddk',
    'kkkkkkkkkkkkkkkk',
    '................',
]


def app16():
    """The program's window with a process list and a selected row."""
    return art(APP16)


def app32():
    """The 32x32 twin of app16."""
    img = Image(32, 32)
    draw_window(img, 0, 2, 31, 29, PAL['n'], title_rows=5, buttons=False)
    # Caption buttons.
    for bx in (21, 26):
        img.fill(bx, 4, bx + 3, 6, PAL['g'])
        img.fill(bx, 6, bx + 3, 6, PAL['d'])
        img.fill(bx + 3, 4, bx + 3, 6, PAL['d'])
    img.fill(3, 5, 12, 5, PAL['w'])
    # Column header.
    img.fill(1, 8, 30, 10, PAL['g'])
    img.fill(1, 10, 30, 10, PAL['d'])
    for x in (11, 19, 25):
        img.fill(x, 8, x, 9, PAL['d'])
    # Rows: icon, name, then two numeric columns.
    colours = ['b', 'r', 'G', 'o', 'y']
    for i, col in enumerate(colours):
        y = 12 + 3 * i + (1 if i >= 2 else 0)
        selected = i == 2
        if selected:
            img.fill(1, y - 1, 30, y + 2, PAL['n'])
        ink = PAL['w'] if selected else PAL['d']
        img.fill(3, y, 5, y + 1, PAL[col])
        img.fill(7, y, 7 + (9 - 2 * (i % 3)), y, ink)
        img.fill(13, y, 16, y, ink)
        img.fill(21, y, 23 - (i % 2), y, ink)
        img.fill(26, y, 28, y, ink)
    return img


# ---------------------------------------------------------------- banner

def bezier(p0, p1, p2, p3, n=12):
    pts = []
    for i in range(n + 1):
        t = i / n
        u = 1 - t
        pts.append((u ** 3 * p0[0] + 3 * u * u * t * p1[0] + 3 * u * t * t * p2[0] + t ** 3 * p3[0],
                    u ** 3 * p0[1] + 3 * u * u * t * p1[1] + 3 * u * t * t * p2[1] + t ** 3 * p3[1]))
    return pts


def arc(cx, cy, rx, ry, a0, a1, n=16):
    """Points on an ellipse; angles in degrees, 0 = right, 90 = down."""
    return [(cx + rx * math.cos(math.radians(a0 + (a1 - a0) * i / n)),
             cy + ry * math.sin(math.radians(a0 + (a1 - a0) * i / n))) for i in range(n + 1)]


# Stroke glyphs: centre lines in pixels, origin at the glyph's left edge on the
# top of the capitals. T = cap top, X = x-height, B = baseline (centre lines).
T, X, B = 2.4, 8.6, 21.6


def glyphs():
    g = {}
    g['K'] = (15, [[(2.4, T), (2.4, B)], [(12.8, T), (3.2, 13.2)], [(6.6, 10.6), (13.4, B)]])
    g['e'] = (14, [[(2.6, 15.2), (11.4, 15.2)] + arc(7, 15.2, 4.6, 6.6, 0, -180, 12)
                   + arc(7, 15.2, 4.6, 6.6, 180, 45, 12)])
    g['s'] = (12, [bezier((10.2, X + 1.4), (9, X - 0.4), (2.4, X - 1.2), (2.4, 12))
                   + bezier((2.4, 12), (2.4, 15), (10.2, 14), (10.2, 18.4))
                   + bezier((10.2, 18.4), (10.2, B + 1.2), (3.4, B + 1.2), (1.8, B - 1.4))])
    g['t'] = (9, [[(4.2, T + 2.6), (4.2, B - 3)] + arc(7.6, B - 3, 3.4, 3, 180, 90, 6),
                  [(1.2, X), (8.4, X)]])
    g['r'] = (10, [[(2.4, X), (2.4, B)], [(2.4, 14)] + arc(8.2, 14, 5.8, 5.4, 180, 270, 8)])
    g['l'] = (6, [[(2.6, T), (2.6, B)]])
    g['3'] = (13, [arc(6.4, 7.2, 4.6, 4.8, 200, 450, 16), arc(6.6, 16.4, 5, 5.2, 270, 520, 16)])
    g['2'] = (13, [arc(6.6, 7.4, 4.6, 5, 190, 360, 12)
                   + bezier((11.2, 7.4), (11.2, 11.4), (6, 14), (2.2, B)) + [(11.6, B)]])
    return g


def seg_dist(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    ll = dx * dx + dy * dy
    t = 0 if ll == 0 else max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / ll))
    return math.hypot(px - ax - t * dx, py - ay - t * dy)


def stroke_cover(w, h, strokes, pen):
    """Coverage (0..1) of a round pen along polylines, anti-aliased by distance."""
    segs = [(a, b) for line in strokes for a, b in zip(line, line[1:])]
    cover = [[0.0] * w for _ in range(h)]
    for y in range(h):
        for x in range(w):
            cx, cy = x + 0.5, y + 0.5
            d = min(seg_dist(cx, cy, a[0], a[1], b[0], b[1]) for a, b in segs)
            cover[y][x] = max(0.0, min(1.0, pen / 2 - d + 0.5))
    return cover


def text_cover(text, pen, w, h, scale=1.0, spacing=1.2):
    g = glyphs()
    strokes, x = [], 0.0
    for ch in text:
        adv, lines = g[ch]
        strokes += [[((x + px) * scale, py * scale) for px, py in line] for line in lines]
        x += adv + spacing
    return stroke_cover(w, h, strokes, pen * scale), x * scale


def gear_page():
    """The banner's icon: a sheet of paper with a blue gear, anti-aliased by 4x4 sampling."""
    img = Image(32, 32)
    page_onto(img, 2, 0, 23, 29, fold=6)
    for y in range(5, 27, 3):
        img.fill(5, y, 17 if y < 8 else 20, y, PAL['g'])
    cx, cy, n = 20.5, 20.5, 4

    def inside(x, y):
        r = math.hypot(x - cx, y - cy)
        tooth = math.cos(8 * math.atan2(y - cy, x - cx)) > 0.05
        return 2.2 < r <= (9.8 if tooth else 7.6)

    rim = [(math.cos(a * math.pi / 4), math.sin(a * math.pi / 4)) for a in range(8)]
    light, dark = PAL['p'], PAL['D']
    for y in range(8, 32):
        for x in range(8, 32):
            acc, hits = [0.0, 0.0, 0.0], 0
            for sy in range(n):
                for sx in range(n):
                    px, py = x + (sx + 0.5) / n, y + (sy + 0.5) / n
                    if not inside(px, py):
                        continue
                    hits += 1
                    if not all(inside(px + dx, py + dy) for dx, dy in rim):
                        c = PAL['n']
                    else:
                        # Lit from the upper left: mix light and dark blue by direction.
                        t = max(0.0, min(1.0, 0.5 + ((px - cx) + (py - cy)) / 16))
                        c = tuple(a + (b - a) * t for a, b in zip(light, dark))
                    acc = [a + b for a, b in zip(acc, c)]
            if hits:
                img.blend(x, y, tuple(round(a / hits) for a in acc), hits / n / n)
    return img


def banner():
    w, h = 280, 40
    ground, shadow, ink = (255, 232, 80), (216, 168, 0), (0, 0, 128)
    img = Image(w, h, ground)
    img.blit(gear_page(), 8, 4)
    cover, _ = text_cover('Kestrel32', 4.8, 220, 40, scale=1.15)
    left, top = 50, 6
    for colour, off in ((shadow, 2), (ink, 0)):
        for y in range(40):
            for x in range(220):
                if cover[y][x]:
                    img.blend(left + x + off, top + y + off, colour, round(cover[y][x] * 8) / 8)
    return img


# ---------------------------------------------------------------- file formats

def bmp24(img):
    """24-bit bottom-up BMP; transparent pixels take the mask colour."""
    stride = (img.w * 3 + 3) & ~3
    rows = []
    for y in range(img.h - 1, -1, -1):
        row = bytearray()
        for x in range(img.w):
            r, g, b, a = img.get(x, y)
            if a == 0:
                r, g, b = MASK
            else:
                assert (r, g, b) != MASK, 'picture uses the mask colour'
                assert a == 255, 'image-list pictures must be opaque or transparent'
            row += bytes((b, g, r))
        rows.append(bytes(row) + b'\0' * (stride - len(row)))
    data = b''.join(rows)
    header = struct.pack('<IiiHHIIiiII', 40, img.w, img.h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    return struct.pack('<2sIHHI', b'BM', 14 + 40 + len(data), 0, 0, 54) + header + data


def bmp8(img):
    """8-bit bottom-up BMP over the picture's own colours, sorted so the file is reproducible."""
    colours = sorted({img.get(x, y)[:3] for y in range(img.h) for x in range(img.w)})
    assert len(colours) <= 256, 'the picture must fit a 256-colour palette'
    index = {c: i for i, c in enumerate(colours)}
    stride = (img.w + 3) & ~3
    rows = []
    for y in range(img.h - 1, -1, -1):
        assert all(img.get(x, y)[3] == 255 for x in range(img.w)), 'a palette picture must be opaque'
        row = bytes(index[img.get(x, y)[:3]] for x in range(img.w))
        rows.append(row + b'\0' * (stride - img.w))
    data = b''.join(rows)
    palette = b''.join(bytes((b, g, r, 0)) for r, g, b in colours)
    header = struct.pack('<IiiHHIIiiII', 40, img.w, img.h, 1, 8, 0, len(data), 2835, 2835, len(colours),
                         len(colours))
    offset = 14 + 40 + len(palette)
    return struct.pack('<2sIHHI', b'BM', offset + len(data), 0, 0, offset) + header + palette + data


def and_mask(img):
    stride = ((img.w + 31) // 32) * 4
    out = bytearray()
    for y in range(img.h - 1, -1, -1):
        row = bytearray(stride)
        for x in range(img.w):
            if img.get(x, y)[3] == 0:
                row[x // 8] |= 0x80 >> (x % 8)
        out += row
    return bytes(out)


def ico_image32(img):
    xor = bytearray()
    for y in range(img.h - 1, -1, -1):
        for x in range(img.w):
            r, g, b, a = img.get(x, y)
            xor += bytes((b, g, r, a) if a else (0, 0, 0, 0))
    mask = and_mask(img)
    header = struct.pack('<IiiHHIIiiII', 40, img.w, img.h * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return header + bytes(xor) + mask, 0, 32


def ico_image4(img):
    """4-bit image over the VGA palette; every opaque pixel must be one of its colours."""
    stride = ((img.w * 4 + 31) // 32) * 4
    xor = bytearray()
    for y in range(img.h - 1, -1, -1):
        row = bytearray(stride)
        for x in range(img.w):
            r, g, b, a = img.get(x, y)
            idx = VGA16.index((r, g, b)) if a else 0
            assert not a or a == 255
            row[x // 2] |= idx << (4 if x % 2 == 0 else 0)
        xor += row
    pal = b''.join(bytes((b, g, r, 0)) for r, g, b in VGA16)
    mask = and_mask(img)
    header = struct.pack('<IiiHHIIiiII', 40, img.w, img.h * 2, 1, 4, 0, len(xor) + len(mask), 0, 0, 16, 0)
    return header + pal + bytes(xor) + mask, 16, 4


def app_sized(size):
    """The program's icon at 20, 24 or 48 pixels, averaged down from its 32-pixel drawing."""
    return area_scale(app32(), size)


def tray_sized(size):
    """The tray icon at 20 or 24 pixels, each averaged pixel put back to the nearest of the 16 colours."""
    img = area_scale(tray32(), size)
    for i, (r, g, b, a) in enumerate(img.px):
        if a:
            near = min(VGA16, key=lambda c: (c[0] - r) ** 2 + (c[1] - g) ** 2 + (c[2] - b) ** 2)
            img.px[i] = near + (255,)
    return img


def ico(images, encoder):
    blobs = [(img, encoder(img)) for img in images]
    out = struct.pack('<HHH', 0, 1, len(blobs))
    offset = 6 + 16 * len(blobs)
    for img, (blob, colours, bits) in blobs:
        out += struct.pack('<BBBBHHII', img.w % 256, img.h % 256, colours, 0, 1, bits, len(blob), offset)
        offset += len(blob)
    return out + b''.join(blob for _, (blob, _, _) in blobs)


def png(img, scale, back=(192, 192, 192)):
    """Enlarged preview over a plain ground, with a faint pixel grid."""
    w, h = img.w * scale, img.h * scale
    raw = bytearray()
    for y in range(h):
        raw.append(0)
        for x in range(w):
            r, g, b, a = img.get(x // scale, y // scale)
            c = tuple(round(q + (p - q) * a / 255) for p, q in zip((r, g, b), back))
            if scale >= 6 and (x % scale == 0 or y % scale == 0):
                c = tuple(max(0, v - 18) for v in c)
            raw += bytes(c)

    def chunk(kind, data):
        return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))

    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', w, h, 8, 2, 0, 0, 0))
            + chunk(b'IDAT', zlib.compress(bytes(raw), 9)) + chunk(b'IEND', b''))


# ---------------------------------------------------------------- main

def pictures():
    lists = {
        'imagelist1': [refresh_icon(), art(TERMINATE), winprop_icon(), report_icon(), explorer_icon(),
                       help_icon(), processes_icon(), cascade_icon(PAL['n']), crosshair_icon()],
        'procimages': [component_icon(), application_icon()],
        'windowimages': [single_window_icon(PAL['n']), single_window_icon(PAL['p']),
                         cascade_icon(PAL['n']), cascade_icon(PAL['p'])],
    }
    strips = {}
    for name, images in lists.items():
        for size in SIZES:
            strips[name if size == 16 else '%s_%d' % (name, size)] = strip([sized(i, size) for i in images])
    return {
        **strips,
        'app16': app16(), 'app20': app_sized(20), 'app24': app_sized(24), 'app32': app32(),
        'app48': app_sized(48),
        'tray16': tray16(), 'tray20': tray_sized(20), 'tray24': tray_sized(24), 'tray32': tray32(),
        'banner': banner(),
    }


def main(argv):
    p = pictures()
    files = {name + '.bmp': bmp24(p[name]) for name in p
             if name.startswith(('imagelist1', 'procimages', 'windowimages'))}
    files.update({
        'banner.bmp': bmp8(p['banner']),
        'kestrel32.ico': ico([p[name] for name in ('app16', 'app20', 'app24', 'app32', 'app48')], ico_image32),
        'tray.ico': ico([p[name] for name in ('tray16', 'tray20', 'tray24', 'tray32')], ico_image4),
    })
    for name, data in files.items():
        with open(os.path.join(HERE, name), 'wb') as f:
            f.write(data)
    if len(argv) == 2 and argv[0] == '--preview':
        os.makedirs(argv[1], exist_ok=True)
        for name, img in p.items():
            with open(os.path.join(argv[1], name + '.png'), 'wb') as f:
                f.write(png(img, 4 if name == 'banner' else 8))
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1:]))
