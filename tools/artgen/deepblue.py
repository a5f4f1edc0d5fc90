#!/usr/bin/env python3
"""The built-in DeepBlue pictures of the launcher (dialog title bar and buttons, check
box, push button, message icons), written as BMP files.

    tools/artgen/deepblue.py [OUT_DIR]     (default: app/res/deepblue)

prints the resource-script lines that name them (the other four built-in styles reuse
these pictures under their own names). artgen.py calls build() and rc_lines().

Fuchsia (255, 0, 255) pixels are transparent. Sizes and frame layouts:
  DEEPBLUE_CHECKBOX      52 x 13, 4 frames: checked, unchecked, checked disabled,
                         unchecked disabled
  DEEPBLUE_BUTTON       222 x 21, 3 frames: normal (and disabled), under the mouse, pressed
  DEEPBLUE_TITLEBTN     342 x 19, 18 frames, three per button (normal, under the mouse,
                         pressed) for close, maximise, restore, minimise, help, roll up
  DEEPBLUE_TITLE_LEFT    97 x 32, DEEPBLUE_TITLE_CLIENT 98 x 32, DEEPBLUE_TITLE_RIGHT 97 x 32
  MSGDLG                168 x 42, 4 icons: help, information, stop, warning
"""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from raster import (Canvas, arc, circle, hexrgb, polygon, polyline, rounded_rect,  # noqa: E402
                    segment, stops, strip, union, vertical)

WHITE = (255, 255, 255)
FORM = hexrgb("E8E8E8")  # the dialog's form colour in this style

TITLE_HEIGHT = 32
TITLE_STOPS = [(0.0, hexrgb("4A7FD0")), (0.45, hexrgb("2256A8")), (0.55, hexrgb("1A4B98")),
               (1.0, hexrgb("0D2C63"))]
TITLE_BUTTON_TOP = 2  # built-in button top of this style


def title_paint(y_offset=0):
    return stops(TITLE_STOPS, -y_offset, TITLE_HEIGHT - y_offset)


# ---- title bar


def title_piece(width, corner):
    """corner: 'left', 'right' or None; the top outer corner is rounded."""
    c = Canvas(width, TITLE_HEIGHT)
    r = 7
    x0 = 0 if corner == "left" else -r - 1
    x1 = width if corner == "right" else width + r + 1
    body = rounded_rect(x0, 0, x1, TITLE_HEIGHT + r + 1, r)
    c.fill(body, title_paint())
    # A thin light line under the top edge and a dark line along the bottom.
    c.rect(0, TITLE_HEIGHT - 1, width, TITLE_HEIGHT, hexrgb("081E45"))
    for x in range(width):
        if body(x + 0.5, 1.5) < -0.5:
            c.tint(x, 1, hexrgb("A8C6F2"), 0.55)
    c.cut_outside(body, hexrgb("2A5CAD"))
    return c


# ---- title buttons


def title_button(kind, state):
    size = 19
    c = Canvas(size, size)
    c.rect(0, 0, size, size, title_paint(TITLE_BUTTON_TOP))
    face = rounded_rect(1, 1, size - 1, size - 1, 4)
    top, bottom, edge = {
        "normal": (hexrgb("4F84D4"), hexrgb("1C4A94"), hexrgb("0B2450")),
        "hover": (hexrgb("7AA6EC"), hexrgb("2D63B8"), hexrgb("0B2450")),
        "down": (hexrgb("143A7A"), hexrgb("2A5BAA"), hexrgb("061838")),
    }[state]
    if kind == "close":
        top, bottom = {
            "normal": (hexrgb("E0785F"), hexrgb("A8321B")),
            "hover": (hexrgb("F49A80"), hexrgb("C8442A")),
            "down": (hexrgb("8A2412"), hexrgb("B23A22")),
        }[state]
    c.fill(face, edge)
    c.fill(rounded_rect(2, 2, size - 2, size - 2, 3), vertical(top, bottom, 2, size - 2))
    c.fill(rounded_rect(3, 2.6, size - 3, 9, 2.5), WHITE, alpha=0.18)
    w = 1.8
    mid = size / 2
    glyph = {
        "close": lambda: union(segment(6, 6, 13, 13, w + 0.2), segment(13, 6, 6, 13, w + 0.2)),
        "maximise": lambda: union(polyline([(5.5, 6), (13.5, 6), (13.5, 13.5), (5.5, 13.5),
                                            (5.5, 6)], 1.4), segment(5.5, 6.6, 13.5, 6.6, 2.2)),
        "restore": lambda: union(polyline([(5, 8), (11, 8), (11, 14), (5, 14), (5, 8)], 1.3),
                                 polyline([(8, 7.5), (8, 5), (14, 5), (14, 11), (11.5, 11)],
                                          1.3)),
        "minimise": lambda: segment(6, 12.8, 13, 12.8, 2.0),
        "help": lambda: union(arc(mid, 7.6, 2.6, 180, 400, 1.7),
                              segment(mid + 1.9, 9.4, mid, 11, 1.7), circle(mid, 13.9, 1.1)),
        "rollup": lambda: polyline([(5.8, 11.8), (mid, 7.2), (13.2, 11.8)], 2.0),
    }[kind]()
    offset = 0.6 if state == "down" else 0.0
    shifted = lambda x, y: glyph(x - offset, y - offset)
    shifted.box = glyph.box
    c.fill(shifted, WHITE)
    return c


TITLE_BUTTON_KINDS = ["close", "maximise", "restore", "minimise", "help", "rollup"]


# ---- check box


def check_box(checked, enabled):
    c = Canvas(13, 13)
    border = hexrgb("1F4E9A") if enabled else hexrgb("9AA3AE")
    c.rect(0, 0, 13, 13, border)
    fill = (vertical(hexrgb("FFFFFF"), hexrgb("D4E2F6"), 1, 12) if enabled
            else vertical(hexrgb("F2F2F2"), hexrgb("E0E0E0"), 1, 12))
    c.rect(1, 1, 12, 12, fill)
    if checked:
        tick = hexrgb("0D2C63") if enabled else hexrgb("9AA3AE")
        c.fill(polyline([(3.4, 6.6), (5.4, 8.8), (9.6, 3.9)], 1.9), tick)
    return c


# ---- push button


def push_button(state):
    width, height = 74, 21
    c = Canvas(width, height, FORM)
    top, bottom, edge = {
        "normal": (hexrgb("FBFCFE"), hexrgb("CFDAEA"), hexrgb("6A86B0")),
        "hover": (hexrgb("FFFFFF"), hexrgb("D6E6FB"), hexrgb("2F6AC4")),
        "down": (hexrgb("BCCCE3"), hexrgb("E6ECF5"), hexrgb("1F4E9A")),
    }[state]
    c.fill(rounded_rect(0.5, 0.5, width - 0.5, height - 0.5, 3.5), edge)
    c.fill(rounded_rect(1.5, 1.5, width - 1.5, height - 1.5, 2.5),
           vertical(top, bottom, 1.5, height - 1.5))
    if state != "down":
        c.fill(rounded_rect(2.5, 2, width - 2.5, 9, 2), WHITE, alpha=0.35)
    return c


# ---- message icons


def message_icon(kind):
    size = 42
    c = Canvas(size, size, FORM)
    m = size / 2
    if kind in ("help", "info"):
        disc = circle(m, m, 18)
        c.fill(circle(m + 1, m + 1.5, 18), (0, 0, 0), alpha=0.18)
        c.fill(disc, hexrgb("0F3A80"))
        c.fill(circle(m, m, 16.8), vertical(hexrgb("6EA2EA"), hexrgb("1A4FA3"), 4, 38))
        c.fill(circle(m - 3, m - 7, 10), WHITE, alpha=0.16)
        if kind == "help":
            c.fill(union(arc(m, 15.5, 5.2, 180, 395, 3.6), segment(m + 4.6, 18.8, m, 23.5, 3.6),
                         segment(m, 23.5, m, 25.2, 3.6)), WHITE)
            c.fill(circle(m, 30.6, 2.3), WHITE)
        else:
            c.fill(circle(m, 12.6, 2.4), WHITE)
            c.fill(union(segment(m, 18.5, m, 30, 3.8), segment(m - 3.5, 18.5, m, 18.5, 2.6),
                         segment(m - 3.8, 30.6, m + 3.8, 30.6, 2.4)), WHITE)
        outline = disc
    elif kind == "stop":
        disc = circle(m, m, 18)
        c.fill(circle(m + 1, m + 1.5, 18), (0, 0, 0), alpha=0.18)
        c.fill(disc, hexrgb("7A1508"))
        c.fill(circle(m, m, 16.8), vertical(hexrgb("F08266"), hexrgb("B5301A"), 4, 38))
        c.fill(circle(m - 3, m - 7, 10), WHITE, alpha=0.14)
        c.fill(union(segment(m - 6.5, m - 6.5, m + 6.5, m + 6.5, 4.2),
                     segment(m + 6.5, m - 6.5, m - 6.5, m + 6.5, 4.2)), WHITE)
        outline = disc
    else:
        tri = [(m, 3.5), (39, 36.5), (3, 36.5)]
        outer = polygon(tri)
        rounded = lambda x, y: outer(x, y) - 1.8
        rounded.box = (1, 1, 41, 39)
        c.fill(rounded, hexrgb("8A5A00"))
        inner = lambda x, y: outer(x, y) - 0.6
        inner.box = rounded.box
        c.fill(inner, vertical(hexrgb("FFE27A"), hexrgb("F0A818"), 4, 37))
        c.fill(union(segment(m, 14, m, 25, 4.0)), hexrgb("2A1A00"))
        c.fill(circle(m, 31, 2.4), hexrgb("2A1A00"))
        outline = rounded
    c.cut_outside(outline, FORM)
    return c


def pictures():
    """Resource name -> picture."""
    return {
        "DEEPBLUE_CHECKBOX": strip([check_box(True, True), check_box(False, True),
                                    check_box(True, False), check_box(False, False)]),
        "DEEPBLUE_BUTTON": strip([push_button(s) for s in ("normal", "hover", "down")]),
        "DEEPBLUE_TITLEBTN": strip([title_button(k, s) for k in TITLE_BUTTON_KINDS
                                    for s in ("normal", "hover", "down")]),
        "DEEPBLUE_TITLE_LEFT": title_piece(97, "left"),
        "DEEPBLUE_TITLE_CLIENT": title_piece(98, None),
        "DEEPBLUE_TITLE_RIGHT": title_piece(97, "right"),
        "MSGDLG": strip([message_icon(k) for k in ("help", "info", "stop", "warning")]),
    }


# Nothing on the launcher's window selects the other four built-in styles; they take
# the DeepBlue pictures under their own resource names.
OTHER_STYLES = ["MACOS", "WINXP", "PROTEIN", "BLUEGLASS"]


def build(out_dir):
    """Writes NAME.bmp per picture into out_dir; returns the names."""
    os.makedirs(out_dir, exist_ok=True)
    made = pictures()
    for name, canvas in made.items():
        canvas.save(os.path.join(out_dir, name + ".bmp"))
    return sorted(made)


def rc_lines(names, folder):
    """Resource-script lines for the pictures in folder (as the .rc file names it),
    the other styles' names included."""
    lines = []
    for name in names:
        path = "%s/%s.bmp" % (folder, name)
        lines.append('%s BITMAP "%s"\n' % (name, path))
        if name.startswith("DEEPBLUE_"):
            for style in OTHER_STYLES:
                lines.append('%s BITMAP "%s"\n' % (name.replace("DEEPBLUE", style, 1), path))
    return lines


if __name__ == "__main__":
    root = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "app", "res", "deepblue")
    sys.stdout.write("".join(rc_lines(build(out), "res/deepblue")))
