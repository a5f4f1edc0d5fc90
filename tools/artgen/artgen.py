#!/usr/bin/env python3
"""Paints the launcher's built-in look and writes it into app/res.

    tools/artgen/artgen.py [OUTDIR]

Writes the window face (864 x 568, fuchsia outside the window's shape), every image
button in its four states as one horizontal strip, the two status icons, the program
icon, the built-in styles' pictures in OUTDIR/deepblue (deepblue.py; the check box strip
is this file's, drawn for the dark face) and Look.rc naming them all.
Buttons and status icons are painted onto their piece of the face, so they need no
transparency. The places repeat win32/MainLayout.h; keep the two in step.
Standard library only; the output is committed, so the build does not run this.
"""
import math
import os
import sys

from canvas import (Canvas, Noise, clamp, ico, mix, ramp, sd_circle, sd_diamond,
                    sd_round_rect, sd_segment)
import deepblue  # the built-in styles' pictures

W, H = 864, 568
FUCHSIA = (255, 0, 255)

GOLD = [(0.0, (92, 58, 18)), (0.25, (250, 226, 150)), (0.5, (206, 158, 64)),
        (0.8, (140, 96, 32)), (1.0, (70, 44, 14))]
GOLD_THIN = [(0.0, (120, 80, 28)), (0.5, (236, 200, 118)), (1.0, (110, 72, 24))]

# Places (left, top, width, height) of the controls, as in win32/MainLayout.h.
LIST = (24, 104, 305, 321)
WEB = (392, 80, 441, 329)
BUTTONS = {
    "BTN_START": (656, 488, 175, 50),
    "BTN_ACCOUNT": (327, 6, 120, 40),
    "BTN_ACCOUNTMENU": (462, 7, 120, 40),
    "BTN_WEBSITE": (592, 6, 120, 40),
    "BTN_MIN": (762, 6, 31, 34),
    "BTN_CLOSE": (810, 6, 32, 33),
    "BTN_RECHARGE": (348, 542, 67, 18),
    "BTN_STOP": (664, 504, 89, 25),
}
STATUS = (496, 510, 17, 17)


def gold(stops):
    return lambda t, x, y: ramp(stops, t)


def rrect(x0, y0, x1, y1, r):
    return lambda x, y: sd_round_rect(x, y, x0, y0, x1, y1, r)


def framed_panel(c, x0, y0, x1, y1, r, frame, fill):
    c.shape((x0, y0, x1, y1), rrect(x0, y0, x1, y1, r), fill)
    c.band((x0, y0, x1, y1), rrect(x0, y0, x1, y1, r), frame, gold(GOLD))


def gem(c, cx, cy, radius, light, dark):
    c.shape((cx - radius, cy - radius, cx + radius, cy + radius),
            lambda x, y: sd_circle(x, y, cx, cy, radius + 1.5), (60, 40, 12))
    c.band((cx - radius, cy - radius, cx + radius, cy + radius),
           lambda x, y: sd_circle(x, y, cx, cy, radius + 1.5), 1.6, gold(GOLD_THIN))

    def body(x, y, d):
        t = clamp(math.hypot(x + 0.5 - (cx - radius * 0.35), y + 0.5 - (cy - radius * 0.35)) / (radius * 1.6))
        return mix(light, dark, t)
    c.shape((cx - radius, cy - radius, cx + radius, cy + radius),
            lambda x, y: sd_circle(x, y, cx, cy, radius), body)
    c.shape((cx - radius, cy - radius, cx, cy),
            lambda x, y: sd_circle(x, y, cx - radius * 0.35, cy - radius * 0.4, radius * 0.3),
            (255, 255, 240), 0.7)


def ornament(c, cx, cy, size):
    """A gold diamond with a red gem: the corner and banner-end ornament."""
    c.shape((cx - size, cy - size, cx + size, cy + size),
            lambda x, y: sd_diamond(x, y, cx, cy, size, size * 0.8),
            lambda x, y, d: ramp(GOLD, clamp(0.25 + (y - cy + size) / (2.5 * size))))
    gem(c, cx, cy, size * 0.32, (255, 90, 80), (110, 8, 10))


def background(c):
    coarse, fine = Noise(7, 90.0), Noise(11, 9.0)
    for y in range(H):
        for x in range(W):
            n = coarse(x, y) * 0.7 + fine(x, y) * 0.3
            v = math.hypot((x - W / 2) / (W / 2), (y - H * 0.45) / (H / 2))
            shade = 1.0 - 0.45 * clamp(v - 0.3)
            base = mix((10, 10, 20), (34, 26, 46), n)
            c.put(x, y, (base[0] * shade, base[1] * shade, base[2] * shade))
    # Light from above the panels and embers behind the start button.
    c.glow(430, 40, 420, (60, 34, 70), 0.5)
    c.glow(743, 512, 150, (190, 70, 16), 0.55)


def window_outline(c):
    outer = rrect(0, 0, W, H, 16)
    c.band((0, 0, W, H), outer, 6, gold(GOLD))
    c.band((6, 6, W - 6, H - 6), rrect(6, 6, W - 6, H - 6, 11), 1.5, lambda t, x, y: (20, 10, 6))
    for y in range(H):
        for x in range(W):
            if outer(x + 0.5, y + 0.5) > 0.5:
                c.put(x, y, FUCHSIA)


def header(c):
    def band(x, y, d):
        return ramp([(0.0, (84, 14, 22)), (0.6, (40, 8, 14)), (1.0, (22, 6, 12))], y / 52)
    c.shape((6, 6, W - 6, 52), rrect(6, 6, W - 6, 60, 11), band)
    c.shape((6, 50, W - 6, 54), lambda x, y: max(abs(y - 52) - 1.5, 8 - x, x - (W - 8)),
            lambda x, y, d: ramp(GOLD_THIN, (y - 50) / 4))
    ornament(c, W // 2 + 300, 52, 7)
    ornament(c, 312, 52, 7)


def zone_panel(c):
    framed_panel(c, 14, 66, 339, 435, 8, 4, (8, 8, 12))

    def heading(x, y, d):
        return ramp([(0.0, (96, 18, 24)), (1.0, (36, 6, 10))], (y - 70) / 30)
    c.shape((18, 70, 335, 100), rrect(18, 70, 335, 100, 4), heading)
    c.band((22, 102, 331, 427), rrect(22, 102, 331, 427, 2), 1.2, gold(GOLD_THIN))
    c.shape((24, 104, 329, 425), rrect(24, 104, 329, 425, 0.5), (0, 0, 0))
    for cx, cy in ((14, 66), (339, 66), (14, 435), (339, 435)):
        ornament(c, cx, cy, 9)


def notice_panel(c):
    framed_panel(c, 382, 66, 845, 419, 8, 4, (8, 8, 12))
    c.band((390, 78, 835, 411), rrect(390, 78, 835, 411, 2), 1.2, gold(GOLD_THIN))
    c.shape((388, 52, 496, 74), rrect(388, 52, 496, 80, 5),
            lambda x, y, d: ramp([(0.0, (110, 22, 28)), (1.0, (46, 8, 12))], (y - 52) / 22))
    c.band((388, 52, 496, 74), rrect(388, 52, 496, 80, 5), 2, gold(GOLD_THIN))
    c.shape((392, 66, 492, 78), lambda x, y: max(abs(x - 442) - 48, abs(y - 72) - 4),
            lambda x, y, d: ramp([(0.0, (92, 18, 24)), (1.0, (46, 8, 12))], 0.6))
    for cx, cy in ((382, 66), (845, 66), (382, 419), (845, 419)):
        ornament(c, cx, cy, 9)


def title_banner(c):
    def plate(x, y, d):
        t = abs(x - 250) / 230
        return mix((104, 20, 26), (24, 6, 10), clamp(t * 1.1))
    c.shape((20, 440, 480, 498), rrect(20, 440, 480, 498, 6), plate)
    c.band((20, 440, 480, 498), rrect(20, 440, 480, 498, 6), 3, gold(GOLD))
    c.band((26, 446, 474, 492), rrect(26, 446, 474, 492, 3), 1, gold(GOLD_THIN), 0.7)
    ornament(c, 20, 469, 13)
    ornament(c, 480, 469, 13)
    c.glow(250, 469, 170, (120, 60, 20), 0.35, (28, 444, 472, 494))


def lower_plates(c):
    # The progress groove, the status plate and the options row.
    for (x0, y0, x1, y1) in ((60, 501, 485, 524), (488, 503, 648, 531), (558, 454, 848, 484)):
        c.shape((x0, y0, x1, y1), rrect(x0, y0, x1, y1, 4), (10, 8, 14), 0.85)
        c.band((x0, y0, x1, y1), rrect(x0, y0, x1, y1, 4), 1.3, gold(GOLD_THIN))
    c.shape((14, 535, 850, 537), lambda x, y: max(abs(y - 536) - 0.6, abs(x - 432) - 418),
            lambda x, y, d: ramp(GOLD_THIN, 0.5 + 0.5 * math.cos((x - 432) / 418 * math.pi / 2)))


def face():
    c = Canvas(W, H)
    background(c)
    header(c)
    zone_panel(c)
    notice_panel(c)
    title_banner(c)
    lower_plates(c)
    window_outline(c)
    return c


# ---- buttons, painted on their own piece of the face

BUTTON_LOOKS = {
    # state: (top colour, bottom colour, glow)
    "normal": ((120, 24, 30), (46, 8, 12), 0.0),
    "hover": ((170, 44, 40), (80, 14, 16), 0.5),
    "down": ((40, 8, 10), (96, 20, 24), 0.2),
    "disabled": ((70, 66, 70), (38, 36, 40), 0.0),
}
STATES = ("normal", "hover", "down", "disabled")


def plate_button(base, state, radius, frame, ember=False):
    c = Canvas(base.w, base.h)
    c.paste(base, 0, 0)
    top, bottom, glow = BUTTON_LOOKS[state]
    if ember and state != "disabled":
        top = mix(top, (220, 70, 24), 0.55)
    w, h = c.w, c.h
    inset = 1.5
    box = (inset, inset, w - inset, h - inset)
    shape = rrect(*box, radius)
    c.shape(box, shape, lambda x, y, d: mix(top, bottom, clamp(y / h)))
    if state != "down":
        c.shape(box, lambda x, y: max(shape(x, y), y - h * 0.45), (255, 236, 200), 0.10)
    if glow:
        c.glow(w / 2, h / 2, max(w, h) * 0.6, (255, 150, 60), glow * 0.35, (0, 0, w, h))
    stops = GOLD if state != "disabled" else [(0, (70, 70, 74)), (0.4, (170, 170, 176)), (1, (60, 60, 64))]
    c.band(box, shape, frame, gold(stops))
    return c


def glyph_button(base, state, kind):
    c = plate_button(base, state, 7, 2)
    w, h = c.w, c.h
    ink = (248, 230, 176) if state != "disabled" else (150, 150, 150)
    if kind == "BTN_CLOSE" and state == "hover":
        ink = (255, 255, 255)
    cx, cy = w / 2, h / 2 + (1 if state == "down" else 0)
    if kind == "BTN_MIN":
        c.shape((0, 0, w, h), lambda x, y: sd_segment(x, y, cx - 7, cy + 4, cx + 7, cy + 4, 1.6), ink)
    else:
        for dx in (-1, 1):
            c.shape((0, 0, w, h), lambda x, y, dx=dx: sd_segment(x, y, cx - 6 * dx, cy - 6, cx + 6 * dx, cy + 6, 1.6), ink)
    return c


def button_strip(facepic, name):
    x, y, w, h = BUTTONS[name]
    base = facepic.crop(x, y, w, h)
    frames = []
    for state in STATES:
        if name in ("BTN_MIN", "BTN_CLOSE"):
            frames.append(glyph_button(base, state, name))
        elif name == "BTN_START":
            frames.append(plate_button(base, state, 12, 3, ember=True))
        elif name == "BTN_RECHARGE":
            frames.append(plate_button(base, state, 4, 1.2))
        else:
            frames.append(plate_button(base, state, 6, 2))
    return join(frames)


def join(frames):
    strip = Canvas(sum(f.w for f in frames), frames[0].h)
    x = 0
    for f in frames:
        strip.paste(f, x, 0)
        x += f.w
    return strip


def start_glow(facepic):
    x, y, w, h = BUTTONS["BTN_START"]
    for i in range(6):
        facepic.band((x - 6 + i, y - 6 + i, x + w + 6 - i, y + h + 6 - i),
                     rrect(x - 6 + i, y - 6 + i, x + w + 6 - i, y + h + 6 - i, 16), 1,
                     lambda t, px, py: (255, 150, 50), 0.06 * (i + 1))


def check_boxes():
    frames = []
    for checked, enabled in ((True, True), (False, True), (True, False), (False, False)):
        c = Canvas(13, 13, (12, 10, 16))
        rim = GOLD_THIN if enabled else [(0, (80, 80, 84)), (0.5, (150, 150, 156)), (1, (70, 70, 74))]
        c.shape((0, 0, 13, 13), rrect(0.5, 0.5, 12.5, 12.5, 2), (24, 18, 26))
        c.band((0, 0, 13, 13), rrect(0.5, 0.5, 12.5, 12.5, 2), 1.3, gold(rim))
        if checked:
            ink = (250, 214, 120) if enabled else (140, 140, 140)
            c.shape((0, 0, 13, 13), lambda x, y: min(sd_segment(x, y, 3.2, 6.6, 5.6, 9.2, 1.0),
                                                     sd_segment(x, y, 5.6, 9.2, 10, 3.6, 1.0)), ink)
        frames.append(c)
    return join(frames)


def status_icon(facepic, running):
    x, y, w, h = STATUS
    c = facepic.crop(x, y, w, h)
    if running:
        c.glow(8.5, 8.5, 9, (40, 200, 60), 0.6)
        gem(c, 8.5, 8.5, 5.6, (170, 255, 150), (10, 110, 30))
    else:
        gem(c, 8.5, 8.5, 5.6, (255, 130, 110), (120, 14, 14))
    return c


def program_icon(size):
    c = Canvas(size, size)
    alpha = [0.0] * (size * size)
    s = size / 32.0
    cx = cy = size / 2
    for y in range(size):
        for x in range(size):
            d = sd_circle(x + 0.5, y + 0.5, cx, cy, 15 * s)
            alpha[y * size + x] = clamp(0.5 - d)
    c.shape((0, 0, size, size), lambda x, y: sd_circle(x, y, cx, cy, 15 * s),
            lambda x, y, d: mix((190, 40, 30), (50, 6, 10), clamp(math.hypot(x - cx * 0.8, y - cy * 0.8) / (18 * s))))
    c.band((0, 0, size, size), lambda x, y: sd_circle(x, y, cx, cy, 15 * s), 3 * s, gold(GOLD))
    star = lambda x, y: min(sd_diamond(x, y, cx, cy, 9 * s, 3 * s), sd_diamond(x, y, cx, cy, 3 * s, 9 * s))
    c.shape((0, 0, size, size), star, lambda x, y, d: ramp(GOLD, clamp(0.2 + (y - cy + 9 * s) / (24 * s))))
    pixels = []
    for y in range(size):
        for x in range(size):
            r, g, b = c.get(x, y)
            a = alpha[y * size + x]
            pixels.append((int(clamp(r, 0, 255)), int(clamp(g, 0, 255)), int(clamp(b, 0, 255)), int(a * 255 + 0.5)))
    return size, pixels


RC_HEADER = "// Made by tools/artgen/artgen.py; do not edit by hand.\n"


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "..", "app", "res")
    os.makedirs(out, exist_ok=True)
    facepic = face()
    start_glow(facepic)
    files = {}
    for name in BUTTONS:
        files[name] = button_strip(facepic, name)
    files["STATUS_UP"] = status_icon(facepic, True)
    files["STATUS_DOWN"] = status_icon(facepic, False)
    files["FACE"] = facepic
    rc = [RC_HEADER, '1 ICON "res/launcher.ico"\n']
    for name, pic in files.items():
        file_name = name.lower() + ".bmp"
        with open(os.path.join(out, file_name), "wb") as f:
            f.write(pic.bmp())
        rc.append('%s BITMAP "res/%s"\n' % (name, file_name))
    # The built-in styles' pictures (dialog title bar and buttons, check box, message
    # icons) live in a folder of their own, under their resource names.
    styles = os.path.join(out, "deepblue")
    names = deepblue.build(styles)
    # The main window's check boxes sit on the dark face: their built-in strip is drawn
    # for it, in the DeepBlue strip's size and frame order.
    with open(os.path.join(styles, "DEEPBLUE_CHECKBOX.bmp"), "wb") as f:
        f.write(check_boxes().bmp())
    rc.extend(deepblue.rc_lines(names, "res/deepblue"))
    with open(os.path.join(out, "launcher.ico"), "wb") as f:
        f.write(ico([program_icon(48), program_icon(32), program_icon(16)]))
    with open(os.path.join(out, "Look.rc"), "w") as f:
        f.write("".join(rc))


if __name__ == "__main__":
    main()
