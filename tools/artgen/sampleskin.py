#!/usr/bin/env python3
"""The sample skin's pictures: a jade and silver dress for the launcher, with the
dialog frame, check box and button strips a skin carries and the launcher's own
QEV_ pictures (window face, image buttons, status icons).

    tools/artgen/sampleskin.py [OUT_DIR]     (default: samples/skin)

The numbers and switches of the skin are in OUT_DIR/values.ini (kept by hand); then
`qevtool skin pack samples/skin QevLogin.ssk` makes the skin file.
"""

import math
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from raster import (Canvas, arc, circle, hexrgb, mix, polygon, polyline,  # noqa: E402
                    ring, rounded_rect, segment, stops, strip, union, vertical)

WHITE = (255, 255, 255)
SILVER = hexrgb("D8E8E4")
SILVER_DARK = hexrgb("7FA09A")
CREAM = hexrgb("EEF6F2")
JADE = hexrgb("1E8E74")
JADE_DARK = hexrgb("143A2F")
DEEP = hexrgb("102D24")
FORM = JADE_DARK  # SKIN2_FORMCOLOR

FACE_W, FACE_H = 864, 568


def grey(c):
    v = 0.3 * c[0] + 0.59 * c[1] + 0.11 * c[2]
    return mix(c, (v, v, v), 0.85)


# ---- dialog frame pieces


def title_piece(width, corner):
    h = 30
    c = Canvas(width, h)
    r = 8
    x0 = 0 if corner == "left" else -r - 1
    x1 = width if corner == "right" else width + r + 1
    body = rounded_rect(x0, 0, x1, h + r + 1, r)
    c.fill(body, stops([(0, hexrgb("34B89A")), (0.5, JADE), (1, hexrgb("164A3C"))], 0, h))
    c.rect(0, h - 2, width, h - 1, SILVER_DARK)
    c.rect(0, h - 1, width, h, DEEP)
    for x in range(width):
        if body(x + 0.5, 1.5) < -0.5:
            c.tint(x, 1, SILVER, 0.45)
    c.cut_outside(body, JADE)
    return c


def border(width, height):
    c = Canvas(width, height)
    vertical_piece = width < height
    for y in range(height):
        for x in range(width):
            t = (x if vertical_piece else y) / max(1, (width if vertical_piece else height) - 1)
            c.put(x, y, mix(SILVER_DARK, DEEP, t) if t > 0.3 else SILVER_DARK)
    return c


def title_button(kind, state):
    s = 17
    c = Canvas(s, s)
    face = circle(s / 2, s / 2, 7.6)
    top, bottom = {"normal": (hexrgb("46C8AB"), hexrgb("166E58")),
                   "hover": (hexrgb("68E8CD"), hexrgb("228E75")),
                   "down": (hexrgb("105A47"), hexrgb("2A9A80"))}[state]
    c.fill(face, SILVER_DARK)
    c.fill(circle(s / 2, s / 2, 6.6), vertical(top, bottom, 2, 15))
    m = s / 2
    glyph = {
        "close": union(segment(m - 3, m - 3, m + 3, m + 3, 1.7), segment(m + 3, m - 3, m - 3, m + 3, 1.7)),
        "maximise": polyline([(m - 3, m - 3), (m + 3, m - 3), (m + 3, m + 3), (m - 3, m + 3), (m - 3, m - 3)], 1.4),
        "restore": union(polyline([(m - 3.5, m - 1), (m + 1, m - 1), (m + 1, m + 3.5), (m - 3.5, m + 3.5), (m - 3.5, m - 1)], 1.2),
                         polyline([(m - 1, m - 2), (m - 1, m - 3.5), (m + 3.5, m - 3.5), (m + 3.5, m + 1), (m + 2, m + 1)], 1.2)),
        "minimise": segment(m - 3, m + 2.5, m + 3, m + 2.5, 1.8),
        "help": union(arc(m, m - 1.6, 2.2, 180, 400, 1.5), segment(m + 1.6, m, m, m + 1.3, 1.5), circle(m, m + 3.6, 0.95)),
        "rollup": polyline([(m - 3, m + 1.5), (m, m - 1.8), (m + 3, m + 1.5)], 1.7),
    }[kind]
    c.fill(glyph, SILVER if state != "down" else CREAM)
    c.cut_outside(face, JADE)
    return c


def check_box(checked, enabled, hover):
    s = 15
    c = Canvas(s, s, FORM)
    edge = (SILVER if hover else SILVER_DARK) if enabled else hexrgb("5A6A67")
    c.fill(rounded_rect(0.5, 0.5, s - 0.5, s - 0.5, 2.5), edge)
    fill = vertical(hexrgb("0A1E18"), hexrgb("1A4A3D"), 1, 14) if enabled else hexrgb("303A38")
    c.fill(rounded_rect(1.5, 1.5, s - 1.5, s - 1.5, 1.8), fill)
    if checked:
        c.fill(polyline([(4, 7.6), (6.4, 10.2), (11.2, 4.4)], 2.1),
               SILVER if enabled else hexrgb("7A8A87"))
    return c


def push_button(state):
    w, h = 73, 25
    c = Canvas(w, h)
    top, bottom = {"normal": (hexrgb("34B89A"), hexrgb("145E4C")),
                   "hover": (hexrgb("48D8B8"), hexrgb("1C7A63")),
                   "down": (hexrgb("104E3E"), hexrgb("2C9A80"))}[state]
    plate = rounded_rect(0.5, 0.5, w - 0.5, h - 0.5, 5)
    c.fill(plate, SILVER if state == "hover" else SILVER_DARK)
    c.fill(rounded_rect(1.7, 1.7, w - 1.7, h - 1.7, 4), vertical(top, bottom, 2, h - 2))
    if state != "down":
        c.fill(rounded_rect(3, 2.5, w - 3, 11, 3), WHITE, alpha=0.12)
    c.cut_outside(plate, FORM)
    return c


# ---- the launcher's own pictures


def image_button(width, height, icon, state, matte):
    """A rounded plate with an icon; the top-left pixel stays fuchsia (transparent)."""
    c = Canvas(width, height)
    r = min(8, height / 3)
    plate = rounded_rect(0.5, 0.5, width - 0.5, height - 0.5, r)
    top, bottom, edge = {
        "normal": (hexrgb("2CA88C"), hexrgb("12523E"), SILVER_DARK),
        "hover": (hexrgb("44CCAE"), hexrgb("1A6E57"), SILVER),
        "down": (hexrgb("104632"), hexrgb("248A70"), SILVER_DARK),
        "disabled": (hexrgb("566A66"), hexrgb("323E3C"), hexrgb("676D6D")),
    }[state]
    c.fill(plate, edge)
    c.fill(rounded_rect(1.8, 1.8, width - 1.8, height - 1.8, max(1, r - 1.3)),
           vertical(top, bottom, 2, height - 2))
    if state in ("normal", "hover"):
        c.fill(rounded_rect(3, 2.6, width - 3, height * 0.45, max(1, r - 2)), WHITE, alpha=0.13)
    colour = {"disabled": hexrgb("8B8F8F"), "down": CREAM}.get(state, SILVER)
    shift = 1 if state == "down" else 0
    shape = icon(width / 2 + shift, height / 2 + shift, min(width, height))
    c.fill(shape, colour)
    c.cut_outside(plate, matte)
    return c


def icon_play(cx, cy, size):
    k = size * 0.26
    return union(polygon([(cx - k * 0.7 - size * 0.9, cy - k), (cx + k - size * 0.9, cy),
                          (cx - k * 0.7 - size * 0.9, cy + k)]),
                 segment(cx - size * 0.3, cy - k * 0.15, cx + size * 1.2, cy - k * 0.15, 2.6),
                 segment(cx - size * 0.3, cy + k * 0.55, cx + size * 0.9, cy + k * 0.55, 2.0))


def icon_person(cx, cy, size):
    return union(circle(cx, cy - size * 0.13, size * 0.13),
                 rounded_rect(cx - size * 0.22, cy + size * 0.05, cx + size * 0.22,
                              cy + size * 0.3, size * 0.1))


def icon_gear(cx, cy, size):
    teeth = [segment(cx + math.cos(a) * size * 0.14, cy + math.sin(a) * size * 0.14,
                     cx + math.cos(a) * size * 0.27, cy + math.sin(a) * size * 0.27, size * 0.09)
             for a in (i * math.pi / 4 for i in range(8))]
    return union(ring(cx, cy, size * 0.16, size * 0.1), *teeth)


def icon_globe(cx, cy, size):
    r = size * 0.27
    return union(ring(cx, cy, r, 2.0), segment(cx - r, cy, cx + r, cy, 1.6),
                 segment(cx, cy - r, cx, cy + r, 1.6), arc(cx, cy, r * 0.55, -90, 90, 1.4),
                 arc(cx, cy, r * 0.55, 90, 270, 1.4))


def icon_minus(cx, cy, size):
    return segment(cx - size * 0.22, cy + 2, cx + size * 0.22, cy + 2, 3)


def icon_cross(cx, cy, size):
    k = size * 0.2
    return union(segment(cx - k, cy - k, cx + k, cy + k, 3), segment(cx + k, cy - k, cx - k, cy + k, 3))


def icon_coin(cx, cy, size):
    return union(ring(cx, cy, size * 0.3, 1.6), segment(cx, cy - size * 0.16, cx, cy + size * 0.16, 1.6))


IMAGE_BUTTONS = [  # record stem, size, icon
    ("START", 175, 50, icon_play),
    ("ACCOUNT", 120, 40, icon_person),
    ("SERVICE", 120, 40, icon_gear),
    ("WEBSITE", 120, 40, icon_globe),
    ("MIN", 31, 34, icon_minus),
    ("CLOSE", 32, 33, icon_cross),
    ("PAY", 67, 18, icon_coin),
]


def status_icon(up):
    c = Canvas(17, 17)
    dot = circle(8.5, 8.5, 7)
    c.fill(dot, SILVER_DARK)
    inner = (vertical(hexrgb("9CF08A"), hexrgb("1E8A2A"), 2, 15) if up
             else vertical(hexrgb("E0A0A0"), hexrgb("7A2A2A"), 2, 15))
    c.fill(circle(8.5, 8.5, 5.8), inner)
    c.fill(circle(7, 6, 2.4), WHITE, alpha=0.45)
    c.cut_outside(dot, FORM)
    return c


# ---- the window face


def panel(c, x0, y0, x1, y1):
    """A sunken gold-edged panel around a control's place."""
    c.fill(rounded_rect(x0 - 1, y0 - 1, x1 + 3, y1 + 3, 7), (0, 0, 0), alpha=0.35)
    c.fill(rounded_rect(x0, y0, x1, y1, 6), SILVER_DARK)
    c.fill(rounded_rect(x0 + 1.5, y0 + 1.5, x1 - 1.5, y1 - 1.5, 5), hexrgb("06140F"))


FACE_CORNER = 28


def face():
    c = Canvas(FACE_W, FACE_H)
    # Rounder than the built-in face, so the window's outline shows whose face it is.
    outline = rounded_rect(0, 0, FACE_W, FACE_H, FACE_CORNER)
    c.fill(outline, SILVER_DARK)
    cx, cy = FACE_W * 0.55, FACE_H * 0.35

    def backdrop(x, y):
        t = math.hypot((x - cx) / FACE_W, (y - cy) / FACE_H) * 1.6
        base = mix(hexrgb("1A6A56"), hexrgb("081E18"), t)
        # Fine diagonal weave, one step of light every six pixels.
        if int(x + y) % 6 == 0:
            base = mix(base, hexrgb("2A9A80"), 0.18)
        return base

    c.fill(rounded_rect(3, 3, FACE_W - 3, FACE_H - 3, FACE_CORNER - 3), backdrop)
    # Title band and its gold rule.
    c.fill(rounded_rect(3, 3, FACE_W - 3, 56, FACE_CORNER - 3),
           stops([(0, hexrgb("2AA085")), (0.6, hexrgb("145E4B")), (1, hexrgb("0E3A2E"))], 3, 56))
    c.rect(3, 55, FACE_W - 3, 57, SILVER_DARK)
    c.rect(3, 57, FACE_W - 3, 58, hexrgb("061A14"))
    # Zone list (24, 104, 305 x 321) under a heading strip; notice (392, 80, 441 x 329).
    panel(c, 16, 78, 337, 433)
    c.fill(rounded_rect(20, 82, 333, 100, 4), vertical(hexrgb("2AA085"), hexrgb("125A47"), 82, 100))
    for k in range(3):
        c.fill(circle(34 + 12 * k, 91, 3), SILVER)
    panel(c, 385, 73, 840, 416)
    # Bottom band: options, progress and the start button.
    c.fill(rounded_rect(12, 446, FACE_W - 12, 558, 10), (0, 0, 0), alpha=0.30)
    c.rect(12, 446, FACE_W - 12, 447, SILVER_DARK)
    panel(c, 60, 500, 485, 525)  # around the progress bar's place
    # One corner ornament, bottom right: the launcher writes its notice line at the left.
    c.fill(ring(FACE_W - 20, FACE_H - 20, 6, 1.6), SILVER_DARK)
    c.cut_outside(outline, hexrgb("0E3A2E"))
    return c


def build(out_dir):
    os.makedirs(out_dir, exist_ok=True)
    kinds = ["close", "maximise", "restore", "minimise", "help", "rollup"]
    pictures = {
        "SKIN2_TITLEBAR1": title_piece(40, "left"),
        "SKIN2_TITLEBAR2": title_piece(30, None),
        "SKIN2_TITLEBAR3": title_piece(40, "right"),
        "SKIN2_TITLEBUTTONS": strip([title_button(k, s) for k in kinds
                                     for s in ("normal", "hover", "down")]),
        "SKIN2_FORMLEFTBORDER": border(4, 30),
        "SKIN2_FORMRIGHTBORDER": border(4, 30),
        "SKIN2_FORMBOTTOMBORDER1": border(30, 4),
        # Six frames: checked, checked under the mouse, unchecked, checked disabled,
        # unchecked under the mouse, unchecked disabled.
        "SKIN2_CHECKBOX": strip([check_box(True, True, False), check_box(True, True, True),
                                 check_box(False, True, False), check_box(True, False, False),
                                 check_box(False, True, True), check_box(False, False, False)]),
        "SKIN2_BUTTON": strip([push_button(s) for s in ("normal", "hover", "down")]),
        "QEV_FACE": face(),
        "QEV_ICON_UP": status_icon(True),
        "QEV_ICON_DOWN": status_icon(False),
    }
    for stem, w, h, icon in IMAGE_BUTTONS:
        for state in ("normal", "hover", "down", "disabled"):
            pictures["QEV_%s_%s" % (stem, state.upper())] = image_button(
                w, h, icon, state, hexrgb("145E4B"))
    for name, canvas in pictures.items():
        canvas.save(os.path.join(out_dir, name + ".bmp"))
    return sorted(pictures)


if __name__ == "__main__":
    root = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "samples", "skin")
    for n in build(out):
        print(os.path.join(out, n + ".bmp"))
