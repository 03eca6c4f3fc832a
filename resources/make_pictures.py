"""Generate B1.bmp (48x48, 8-bit) and MAINICON.ico (32x32, 24-bit): a blue recycle bin with green arrows."""
import math
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
BACKGROUND = (250, 250, 250)
SS = 4  # supersampling factor per axis

BLUE_DARK, BLUE, BLUE_LIGHT = (14, 44, 118), (36, 104, 206), (130, 186, 250)
GREEN_DARK, GREEN, GREEN_LIGHT = (8, 84, 28), (34, 168, 58), (140, 226, 120)
WHITE = (255, 255, 255)
RING = (0.5, 0.615, 0.185, 0.072)  # centre x, centre y, radius, band width of the arrow loop


def mix(a, b, t):
    t = min(1.0, max(0.0, t))
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


class Canvas:
    """Supersampled RGB canvas; shapes are given in unit coordinates (0..1, y down)."""

    def __init__(self, size):
        self.size, self.n = size, size * SS
        self.px = [[None] * self.n for _ in range(self.n)]

    def fill(self, rings, colour):
        """Fill polygon rings (even-odd rule); colour is an RGB tuple or a function (u, v) -> RGB."""
        edges = [(r[i], r[(i + 1) % len(r)]) for r in rings for i in range(len(r))]
        n = self.n
        for row in range(n):
            v = (row + 0.5) / n
            xs = sorted(x0 + (v - y0) * (x1 - x0) / (y1 - y0)
                        for (x0, y0), (x1, y1) in edges if (y0 <= v) != (y1 <= v))
            for a, b in zip(xs[0::2], xs[1::2]):
                for col in range(max(0, math.ceil(a * n - 0.5)), min(n, math.ceil(b * n - 0.5))):
                    u = (col + 0.5) / n
                    self.px[row][col] = colour(u, v) if callable(colour) else colour

    def pixels(self):
        """Downsample: yields rows of (rgb, coverage); rgb averages covered samples only."""
        out = []
        for y in range(self.size):
            row = []
            for x in range(self.size):
                cov = [self.px[y * SS + j][x * SS + i] for j in range(SS) for i in range(SS)]
                cov = [c for c in cov if c is not None]
                rgb = tuple(sum(c[k] for c in cov) / len(cov) for k in range(3)) if cov else BACKGROUND
                row.append((rgb, len(cov) / (SS * SS)))
            out.append(row)
        return out


def ellipse(cx, cy, rx, ry, steps=48):
    return [(cx + rx * math.cos(2 * math.pi * k / steps), cy + ry * math.sin(2 * math.pi * k / steps))
            for k in range(steps)]


def rounded_rect(x0, y0, x1, y1, r, steps=5):
    pts = []
    for cx, cy, a0 in ((x1 - r, y0 + r, -90), (x1 - r, y1 - r, 0), (x0 + r, y1 - r, 90), (x0 + r, y0 + r, 180)):
        for k in range(steps + 1):
            a = math.radians(a0 + 90 * k / steps)
            pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return pts


def arrow(cx, cy, radius, width, start, end, head_w, head_len, grow=0.0):
    """Curved arrow along a circle, counter-clockwise from angle start to end (degrees), head at end."""
    at = lambda ang, r: (cx + r * math.cos(ang), cy - r * math.sin(ang))
    a0, a1 = math.radians(start) - grow / radius, math.radians(end)
    ro, ri = radius + width / 2 + grow, radius - width / 2 - grow
    steps = [a0 + (a1 - a0) * k / 16 for k in range(17)]
    tip = a1 + (head_len + 1.8 * grow) / radius
    head = [at(a1, radius + head_w + grow), at(tip, radius), at(a1, radius - head_w - grow)]
    return [at(a, ro) for a in steps] + head + [at(a, ri) for a in reversed(steps)]


def draw_bin(cv, shadow):
    top, bottom = 0.30, 0.93
    tl, tr, bl, br = 0.19, 0.81, 0.27, 0.73

    def edges(v):
        t = (v - top) / (bottom - top)
        return tl + (bl - tl) * t, tr + (br - tr) * t

    def body(u, v):
        left, right = edges(v)
        t = (u - left) / (right - left)
        c = mix(BLUE_LIGHT, BLUE, abs(t - 0.3) / 0.3) if t < 0.6 else mix(BLUE, BLUE_DARK, (t - 0.6) / 0.45)
        if top + 0.06 < v < bottom - 0.05 and math.hypot(u - 0.5, v - RING[1]) > RING[2]:  # ribs
            for rib in (0.2, 0.4, 0.6, 0.8):
                if abs(t - rib) < 0.028:
                    c = mix(c, BLUE_DARK, 0.75)
                elif 0.028 <= t - rib < 0.06:
                    c = mix(c, WHITE, 0.35)
        if v < top + 0.04:  # shadow under the lid
            c = mix(c, BLUE_DARK, 0.6)
        return c

    def lid(u, v):
        t = (u - 0.13) / 0.74
        c = mix(BLUE_LIGHT, BLUE, abs(t - 0.3) / 0.3) if t < 0.6 else mix(BLUE, BLUE_DARK, (t - 0.6) / 0.5)
        return mix(c, WHITE, 0.45) if v < 0.225 else c

    if shadow:
        cv.fill([ellipse(0.5, 0.935, 0.34, 0.04)], (208, 208, 212))  # floor shadow
    o = 0.022
    cv.fill([[(tl - o, top - 0.01), (tr + o, top - 0.01), (br + o * 0.8, bottom + o), (bl - o * 0.8, bottom + o)]],
             BLUE_DARK)
    cv.fill([[(tl, top), (tr, top), (br, bottom), (bl, bottom)]], body)
    cv.fill([rounded_rect(0.37, 0.10, 0.63, 0.24, 0.05), rounded_rect(0.43, 0.145, 0.57, 0.24, 0.02)], BLUE_DARK)
    cv.fill([rounded_rect(0.39, 0.12, 0.61, 0.24, 0.035), rounded_rect(0.41, 0.125, 0.59, 0.24, 0.03)], BLUE)
    cv.fill([rounded_rect(0.11, 0.18, 0.89, 0.32, 0.035)], BLUE_DARK)
    cv.fill([rounded_rect(0.13, 0.20, 0.87, 0.30, 0.02)], lid)


def draw_arrows(cv, cx=RING[0], cy=RING[1], radius=RING[2], width=RING[3]):
    def green(u, v):
        s = (math.hypot(u - cx, v - cy) - radius + width / 2) / width
        return mix(GREEN_LIGHT, GREEN, s * 1.4) if s < 0.7 else mix(GREEN, GREEN_DARK, (s - 0.7) * 1.5)

    for start, end in ((35, 140), (215, 320)):
        shape = lambda grow: [arrow(cx, cy, radius, width, start, end, 0.11, 0.145, grow)]
        cv.fill(shape(0.038), WHITE)
        cv.fill(shape(0.018), GREEN_DARK)
        cv.fill(shape(0.0), green)


def render(size, shadow):
    cv = Canvas(size)
    draw_bin(cv, shadow)
    draw_arrows(cv)
    return cv.pixels()


def quantise(colours, count):
    """Median cut: reduce a list of RGB tuples to at most count palette entries."""
    boxes = [sorted(colours)]
    while len(boxes) < count:
        boxes.sort(key=lambda b: (-max(max(c[k] for c in b) - min(c[k] for c in b) for k in range(3)), b[0]))
        box = boxes[0]
        if len(box) < 2:
            break
        k = max(range(3), key=lambda k: max(c[k] for c in box) - min(c[k] for c in box))
        box.sort(key=lambda c: (c[k], c))
        boxes[0:1] = [box[:len(box) // 2], box[len(box) // 2:]]
    return sorted(tuple(round(sum(c[k] for c in b) / len(b)) for k in range(3)) for b in boxes)


def write_bmp(path, size=48):
    rows = [[tuple(round(rgb[k] * cov + BACKGROUND[k] * (1 - cov)) for k in range(3)) for rgb, cov in row]
            for row in render(size, shadow=True)]
    others = [c for row in rows for c in row if c != BACKGROUND]
    palette = [BACKGROUND] + quantise(others, 255)
    lookup = {}

    def index(c):
        if c not in lookup:
            lookup[c] = min(range(len(palette)), key=lambda i: sum((palette[i][k] - c[k]) ** 2 for k in range(3)))
        return lookup[c]

    stride = (size + 3) & ~3
    data = b"".join(bytes(index(c) for c in row) + b"\0" * (stride - size) for row in reversed(rows))
    pal = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    offset = 14 + 40 + len(pal)
    with open(path, "wb") as f:
        f.write(b"BM" + struct.pack("<IHHI", offset + len(data), 0, 0, offset))
        f.write(struct.pack("<IiiHHIIiiII", 40, size, size, 1, 8, 0, len(data), 2835, 2835, len(palette), 0))
        f.write(pal + data)


def write_ico(path, size=32):
    rows = render(size, shadow=False)
    xor_stride, and_stride = (size * 3 + 3) & ~3, ((size + 31) // 32) * 4
    xor, mask = b"", b""
    for row in reversed(rows):
        line, bits = bytearray(), bytearray(and_stride)
        for x, (rgb, cov) in enumerate(row):
            if cov >= 0.5:
                line += bytes(round(rgb[k]) for k in (2, 1, 0))
            else:
                line += b"\0\0\0"
                bits[x // 8] |= 0x80 >> (x % 8)
        xor += bytes(line) + b"\0" * (xor_stride - len(line))
        mask += bytes(bits)
    image = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 24, 0, len(xor) + len(mask), 0, 0, 0, 0) + xor + mask
    with open(path, "wb") as f:
        f.write(struct.pack("<HHH", 0, 1, 1))
        f.write(struct.pack("<BBBBHHII", size, size, 0, 0, 1, 24, len(image), 6 + 16))
        f.write(image)


if __name__ == "__main__":
    write_bmp(os.path.join(HERE, "B1.bmp"))
    write_ico(os.path.join(HERE, "MAINICON.ico"))
