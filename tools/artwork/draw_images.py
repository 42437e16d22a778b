#!/usr/bin/python3
"""Draws the editor's 13 images into resources/img/.

    /usr/bin/python3 tools/artwork/draw_images.py [--out DIR]

Debian's Python 3 with Pillow (python3-pil) and the DejaVu fonts (fonts-dejavu-core); when either
is missing the script installs it with apt-get (root or sudo). The output is deterministic for a
given Pillow and font version (every texture comes from a seeded generator) and committed: the
build embeds the PNGs (resources/kavrotel.rc) and needs no Python. After regenerating, look at
them composed as the editor with tools/artwork/preview.py, run the image tests (ctest -R image
natively, -R resource under win64) and commit the PNGs with the script.

Every image is 8-bit RGBA with straight alpha, frames stacked vertically, frame k (from 1) at
row round(height * (k - 1) / frames). Knob strips turn their pointer from the minimum (frame 1,
7:30 o'clock) to the maximum (last frame, 4:30 o'clock). Two-frame switches show off in frame 1
and on in frame 2; the pilot LED is never driven, so its frame 1 is the lit lamp. The editor
draws no labels of its own but the preamp and cabinet names, so every label is painted here:
the top strip's and the bottom bar's in bg.png, the amplifier's on its two panels in amps.png,
the pedal's on pedal.png. Of the amplifier strip's 12 frames only the two preamp models' faces
are ever shown; frames 3 to 12 are left transparent.

Editor coordinates used below: top strip y 0-51, amplifier picture at (5, 51) 541 x 466,
pedal and credits overlays at (0, 53) 541 x 477, bottom bar y 517-580.
"""

import argparse
import math
import os
import random
import shutil
import subprocess
import sys


def _ensure(module_check, package):
    if module_check():
        return
    apt = ["apt-get", "install", "-y", "--no-install-recommends", package]
    if os.geteuid() != 0 and shutil.which("sudo"):
        apt = ["sudo"] + apt
    print("installing " + package, file=sys.stderr)
    subprocess.check_call(apt)


def _has_pil():
    try:
        import PIL  # noqa: F401  (only whether it imports)
        return True
    except ImportError:
        return False


FONT_DIR = "/usr/share/fonts/truetype/dejavu"
_ensure(_has_pil, "python3-pil")
_ensure(lambda: os.path.exists(os.path.join(FONT_DIR, "DejaVuSans-Bold.ttf")), "fonts-dejavu-core")

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont  # noqa: E402

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
SS = 4  # supersampling factor for small round things

# ----------------------------------------------------------------------------------------------
# Basics: fonts, colours, masks, textures
# ----------------------------------------------------------------------------------------------

_fonts = {}


def font(name, size):
    key = (name, size)
    if key not in _fonts:
        _fonts[key] = ImageFont.truetype(os.path.join(FONT_DIR, name), size)
    return _fonts[key]


BOLD = "DejaVuSans-Bold.ttf"
COND_BOLD = "DejaVuSansCondensed-Bold.ttf"
COND = "DejaVuSansCondensed.ttf"
SANS = "DejaVuSans.ttf"
SERIF_BI = "DejaVuSerif-BoldItalic.ttf"
SERIF_B = "DejaVuSerif-Bold.ttf"


def mix(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(len(a)))


def solid(size, colour):
    c = tuple(colour) + ((255,) if len(colour) == 3 else ())
    return Image.new("RGBA", size, c)


def noise(size, seed, blur=0.0):
    """Uniform grey noise, deterministic for a seed."""
    w, h = size
    img = Image.frombytes("L", (w, h), random.Random(seed).randbytes(w * h))
    if blur:
        img = img.filter(ImageFilter.GaussianBlur(blur))
    return img


def contrast(img, lo, hi):
    """Maps the grey image's 0..255 to lo..hi."""
    return img.point(lambda v: int(lo + (hi - lo) * v / 255.0))


def stretch(img):
    """Stretches a grey image's range to 0..255."""
    lo, hi = img.getextrema()
    if hi <= lo:
        return img
    return img.point(lambda v: int((v - lo) * 255.0 / (hi - lo)))


def vgrad(size, top, bottom):
    w, h = size
    g = Image.linear_gradient("L").resize((w, h), Image.BILINEAR)
    return Image.composite(solid(size, bottom), solid(size, top), g)


def tinted(grey, dark, light):
    """Colours a grey image: 0 -> dark, 255 -> light."""
    return Image.composite(solid(grey.size, light), solid(grey.size, dark), grey)


def aa_mask(size, draw_fn, scale=SS):
    """An antialiased L mask: draw_fn(draw, s) draws white at s times the size."""
    w, h = size
    big = Image.new("L", (w * scale, h * scale), 0)
    draw_fn(ImageDraw.Draw(big), scale)
    return big.resize((w, h), Image.LANCZOS)


def rrect_mask(size, box, radius):
    x0, y0, x1, y1 = box
    return aa_mask(size, lambda d, s: d.rounded_rectangle(
        (x0 * s, y0 * s, x1 * s - 1, y1 * s - 1), radius * s, fill=255))


def ellipse_mask(size, box):
    x0, y0, x1, y1 = box
    return aa_mask(size, lambda d, s: d.ellipse((x0 * s, y0 * s, x1 * s - 1, y1 * s - 1), fill=255))


def paste(dst, layer, mask=None, xy=(0, 0)):
    """Composites layer (RGBA) onto dst, optionally through an extra L mask."""
    if mask is not None:
        layer = layer.copy()
        a = layer.getchannel("A")
        layer.putalpha(ImageChops.multiply(a, mask))
    if xy == (0, 0) and layer.size == dst.size:
        dst.alpha_composite(layer)
    else:
        dst.alpha_composite(layer, dest=xy)


def fill(dst, mask, colour, xy=(0, 0)):
    layer = solid(mask.size, colour[:3])
    a = mask if len(colour) == 3 else mask.point(lambda v: v * colour[3] // 255)
    layer.putalpha(a)
    dst.alpha_composite(layer, dest=xy)


def shadow(dst, mask, offset, blur, opacity):
    m = Image.new("L", dst.size, 0)
    m.paste(mask, (int(offset[0]), int(offset[1])))
    m = m.filter(ImageFilter.GaussianBlur(blur)).point(lambda v: int(v * opacity))
    fill(dst, m, (0, 0, 0))


def bevel(dst, mask, light=(255, 255, 255, 90), dark=(0, 0, 0, 120), width=1):
    """Light upper-left and dark lower-right edges inside a shape (light from the top left)."""
    inner_tl = Image.new("L", mask.size, 0)
    inner_tl.paste(mask, (width, width))
    inner_br = Image.new("L", mask.size, 0)
    inner_br.paste(mask, (-width, -width))
    fill(dst, ImageChops.subtract(mask, inner_tl), light)
    fill(dst, ImageChops.subtract(mask, inner_br), dark)


def inset(dst, mask, depth=2, opacity=0.8):
    """A recess: shadow along the inner top-left edge, a highlight along the outer bottom-right."""
    moved = Image.new("L", mask.size, 0)
    moved.paste(mask, (depth, depth))
    edge = ImageChops.subtract(mask, moved).filter(ImageFilter.GaussianBlur(depth * 0.6))
    fill(dst, ImageChops.multiply(edge, mask), (0, 0, 0, int(255 * opacity)))
    outer = Image.new("L", mask.size, 0)
    outer.paste(mask, (1, 1))
    fill(dst, ImageChops.subtract(outer, mask), (255, 255, 255, 45))


# ----------------------------------------------------------------------------------------------
# Text
# ----------------------------------------------------------------------------------------------


def text_width(text, f, spacing=0):
    return sum(f.getlength(ch) for ch in text) + spacing * max(0, len(text) - 1)


def draw_text(img, xy, text, f, colour, anchor="ms", spacing=0.0):
    """Text with letter spacing; anchor's first letter l/m/r is applied to the whole line."""
    # Drawn on a layer of its own: ImageDraw would replace the picture's alpha, not blend.
    layer = Image.new("RGBA", img.size, (0, 0, 0, 0))
    d = ImageDraw.Draw(layer)
    x, y = xy
    w = text_width(text, f, spacing)
    if anchor[0] == "m":
        x -= w / 2
    elif anchor[0] == "r":
        x -= w
    a = "l" + anchor[1]
    for ch in text:
        d.text((x, y), ch, font=f, fill=colour, anchor=a)
        x += f.getlength(ch) + spacing
    img.alpha_composite(layer)


def label(img, xy, text, f, colour, anchor="ms", spacing=0.0, relief="shadow"):
    """A painted label: a dark drop shadow under light text, or a light line under dark text."""
    x, y = xy
    if relief == "shadow":
        draw_text(img, (x + 1, y + 1), text, f, (0, 0, 0, 170), anchor, spacing)
    elif relief == "engrave":
        draw_text(img, (x, y + 1), text, f, (255, 255, 255, 110), anchor, spacing)
    draw_text(img, xy, text, f, colour, anchor, spacing)


def text_mask(size, xy, text, f, anchor="ms", spacing=0.0):
    m = Image.new("L", size, 0)
    layer = Image.new("RGBA", size, (0, 0, 0, 0))
    draw_text(layer, xy, text, f, (255, 255, 255, 255), anchor, spacing)
    m.paste(layer.getchannel("A"))
    return m


def chrome_text(img, xy, text, f, anchor="ms", spacing=0.0, top=(250, 250, 252),
                bottom=(120, 124, 132), edge=(30, 30, 34)):
    """Raised metal lettering: a dark outline and shadow, a vertical sheen."""
    m = text_mask(img.size, xy, text, f, anchor, spacing)
    shadow(img, m, (2, 3), 2.0, 0.75)
    grown = m.filter(ImageFilter.MaxFilter(3))
    fill(img, grown, edge)
    box = m.getbbox()
    if not box:
        return
    sheen = Image.new("RGBA", img.size, (0, 0, 0, 0))
    h = box[3] - box[1]
    mid = mix(top, bottom, 0.55)
    g1 = vgrad((box[2] - box[0], h // 2 + 1), top, mid)
    g2 = vgrad((box[2] - box[0], h - h // 2), bottom, mix(top, bottom, 0.25))
    sheen.paste(g1, (box[0], box[1]))
    sheen.paste(g2, (box[0], box[1] + h // 2))
    paste(img, sheen, m)
    bevel(img, m, (255, 255, 255, 120), (0, 0, 0, 90))


# ----------------------------------------------------------------------------------------------
# Knobs and round parts (drawn at SS times the size, then reduced)
# ----------------------------------------------------------------------------------------------


def knob_angle(i, frames):
    """Pointer angle in degrees clockwise from 12 o'clock: -135 at the minimum, +135 at the maximum."""
    return -135.0 + 270.0 * i / (frames - 1)


def polar(cx, cy, r, deg):
    a = math.radians(deg)
    return cx + r * math.sin(a), cy - r * math.cos(a)


def radial_shade(size, centre, radius, inner, outer):
    """A radial gradient: inner colour at centre, outer colour at radius and beyond."""
    w, h = size
    g = Image.radial_gradient("L")  # 256 x 256, 0 at the centre, 255 at radius 128
    scale = radius / 128.0
    g = g.resize((max(1, int(256 * scale)), max(1, int(256 * scale))), Image.BILINEAR)
    big = Image.new("L", (w, h), 255)
    big.paste(g, (int(centre[0] - g.size[0] / 2), int(centre[1] - g.size[1] / 2)))
    return Image.composite(solid(size, outer), solid(size, inner), big)


def knob_frame(size, angle, style):
    """One knob picture: fixed lighting, a pointer (and grip) turned to angle."""
    S = SS
    W = size * S
    c = W / 2.0
    img = Image.new("RGBA", (W, W), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    R = style["body"] * S  # body radius
    # The printed scale around the knob (fixed; only the knob turns).
    if style.get("scale_ring"):
        rr = style["scale_ring"] * S
        disc = Image.new("L", (W, W), 0)
        ImageDraw.Draw(disc).ellipse((c - rr, c - rr, c + rr, c + rr), fill=255)
        fill(img, disc, style["ring_colour"])
        rim = Image.new("L", (W, W), 0)
        ImageDraw.Draw(rim).ellipse((c - rr, c - rr, c + rr, c + rr), outline=255, width=S)
        fill(img, rim, (255, 255, 255, 40))
    if style.get("ticks"):
        n, r0, r1, tw, tc = style["ticks"]
        for k in range(n):
            a = -135.0 + 270.0 * k / (n - 1)
            wdt = tw * S * (1.6 if k in (0, n - 1) else 1.0)
            d.line([polar(c, c, r0 * S, a), polar(c, c, r1 * S, a)], fill=tc, width=int(wdt))
    # Drop shadow, light from the top left.
    sh = Image.new("L", (W, W), 0)
    off = style.get("shadow", 1.6) * S
    ImageDraw.Draw(sh).ellipse((c - R + off * 0.6, c - R + off, c + R + off * 0.6, c + R + off), fill=150)
    sh = sh.filter(ImageFilter.GaussianBlur(style.get("shadow_blur", 1.5) * S))
    fill(img, sh, (0, 0, 0))
    # Body: a skirt with a fine grip (knurl) that turns with the knob.
    body = Image.new("L", (W, W), 0)
    ImageDraw.Draw(body).ellipse((c - R, c - R, c + R, c + R), fill=255)
    shade = radial_shade((W, W), (c - R * 0.45, c - R * 0.55), R * 1.9, style["body_light"], style["body_dark"])
    paste(img, shade, body)
    if style.get("knurl"):
        n = style["knurl"]
        kn = Image.new("L", (W, W), 0)
        kd = ImageDraw.Draw(kn)
        for k in range(n):
            a = angle + 360.0 * k / n
            kd.line([polar(c, c, R * 0.80, a), polar(c, c, R * 1.02, a)], fill=255, width=max(1, int(S * 0.7)))
        kn = ImageChops.multiply(kn, body)
        fill(img, kn, (0, 0, 0, 110))
        kn2 = Image.new("L", (W, W), 0)
        kd2 = ImageDraw.Draw(kn2)
        for k in range(n):
            a = angle + 360.0 * (k + 0.5) / n
            kd2.line([polar(c, c, R * 0.82, a), polar(c, c, R * 1.0, a)], fill=255, width=max(1, int(S * 0.5)))
        fill(img, ImageChops.multiply(kn2, body), (255, 255, 255, 28))
    rim = Image.new("L", (W, W), 0)
    ImageDraw.Draw(rim).ellipse((c - R, c - R, c + R, c + R), outline=255, width=max(1, S // 2))
    fill(img, rim, (0, 0, 0, 160))
    # Cap: a dished metal or plastic top with a fixed highlight.
    if style.get("cap"):
        r = style["cap"] * S
        cap = Image.new("L", (W, W), 0)
        ImageDraw.Draw(cap).ellipse((c - r, c - r, c + r, c + r), fill=255)
        csh = Image.new("L", (W, W), 0)
        ImageDraw.Draw(csh).ellipse((c - r - S * 0.4, c - r + S * 0.6, c + r + S * 0.4, c + r + S * 1.2), fill=160)
        fill(img, csh.filter(ImageFilter.GaussianBlur(S * 0.8)), (0, 0, 0))
        cshade = radial_shade((W, W), (c - r * 0.35, c - r * 0.5), r * 1.7, style["cap_light"], style["cap_dark"])
        paste(img, cshade, cap)
        if style.get("cap_brushed"):
            # Concentric machining rings, fixed under the light.
            rings = Image.new("L", (W, W), 0)
            rd = ImageDraw.Draw(rings)
            rnd = random.Random(7)
            rad = r
            while rad > S:
                rd.ellipse((c - rad, c - rad, c + rad, c + rad), outline=rnd.randint(0, 90), width=1)
                rad -= max(1, S // 2)
            fill(img, ImageChops.multiply(rings, cap), (255, 255, 255, 60))
        # A specular spot and the rim.
        spot = Image.new("L", (W, W), 0)
        sr = r * 0.55
        sx, sy = c - r * 0.32, c - r * 0.38
        ImageDraw.Draw(spot).ellipse((sx - sr, sy - sr * 0.7, sx + sr, sy + sr * 0.7), fill=110)
        fill(img, ImageChops.multiply(spot.filter(ImageFilter.GaussianBlur(r * 0.35)), cap), (255, 255, 255))
        crim = Image.new("L", (W, W), 0)
        ImageDraw.Draw(crim).ellipse((c - r, c - r, c + r, c + r), outline=255, width=max(1, S // 2))
        hl = radial_shade((W, W), (c - r, c - r), r * 2.4, (255, 255, 255, 150), (0, 0, 0, 150))
        paste(img, hl, crim)
    # Pointer.
    p0, p1, pw, pc = style["pointer"]
    pm = Image.new("L", (W, W), 0)
    ImageDraw.Draw(pm).line([polar(c, c, p0 * S, angle), polar(c, c, p1 * S, angle)], fill=255, width=int(pw * S))
    pr = pw * S / 2
    for rr in (p0, p1):
        x, y = polar(c, c, rr * S, angle)
        ImageDraw.Draw(pm).ellipse((x - pr, y - pr, x + pr, y + pr), fill=255)
    psh = Image.new("L", (W, W), 0)
    psh.paste(pm, (int(S * 0.4), int(S * 0.6)))
    fill(img, psh.filter(ImageFilter.GaussianBlur(S * 0.5)), (0, 0, 0, 150))
    # A dark outline, so the pointer reads on the light cap as on the dark skirt.
    outline = pm.filter(ImageFilter.MaxFilter(2 * int(S * 0.45) + 1))
    fill(img, outline, (10, 10, 12, 200))
    fill(img, pm, pc)
    out = img.resize((size, size), Image.LANCZOS)
    if style.get("clip"):
        # Nothing beyond the clip radius: what lies under the knob stays visible there.
        rc = style["clip"]
        keep = ellipse_mask((size, size), (size / 2.0 - rc, size / 2.0 - rc, size / 2.0 + rc, size / 2.0 + rc))
        out.putalpha(ImageChops.multiply(out.getchannel("A"), keep))
    return out


def strip(frames):
    """Stacks equal frames vertically."""
    w, h = frames[0].size
    out = Image.new("RGBA", (w, h * len(frames)), (0, 0, 0, 0))
    for i, f in enumerate(frames):
        out.paste(f, (0, i * h))
    return out


MAIN_KNOB = {
    "body": 18.5, "body_light": (70, 70, 74), "body_dark": (8, 8, 9), "knurl": 40,
    "cap": 12.0, "cap_light": (236, 238, 242), "cap_dark": (92, 96, 104), "cap_brushed": True,
    "scale_ring": 24.6, "ring_colour": (18, 18, 20, 235),
    "ticks": (11, 21.2, 23.8, 1.0, (236, 232, 220, 255)),
    "pointer": (5.0, 17.5, 2.2, (250, 250, 250, 255)), "shadow": 2.0, "shadow_blur": 1.6,
}

SMALL_KNOB = {
    "body": 11.8, "body_light": (78, 78, 82), "body_dark": (10, 10, 11), "knurl": 28,
    "cap": 7.4, "cap_light": (214, 216, 222), "cap_dark": (70, 74, 82), "cap_brushed": True,
    "pointer": (3.0, 11.0, 1.8, (255, 255, 255, 255)), "shadow": 1.4, "shadow_blur": 1.2,
}

MINI_KNOB = {  # over the level ring: everything outside radius 10 stays transparent
    "body": 9.2, "body_light": (84, 84, 88), "body_dark": (12, 12, 13), "knurl": 24,
    "cap": 5.6, "cap_light": (222, 224, 230), "cap_dark": (76, 80, 88), "cap_brushed": True,
    "pointer": (2.5, 8.8, 2.0, (255, 255, 255, 255)), "shadow": 0.9, "shadow_blur": 0.7, "clip": 11.0,
}

PEDAL_KNOB = {
    "body": 15.0, "body_light": (64, 64, 68), "body_dark": (6, 6, 7), "knurl": 36,
    "cap": 9.6, "cap_light": (70, 70, 76), "cap_dark": (16, 16, 18),
    "ticks": (11, 17.8, 20.8, 1.1, (245, 245, 240, 255)),
    "pointer": (3.0, 14.6, 2.2, (255, 255, 255, 255)), "shadow": 1.8, "shadow_blur": 1.5,
}


def knob_strip(size, frames, style):
    return strip([knob_frame(size, knob_angle(i, frames), style) for i in range(frames)])


def level_ring_frame(level_steps, steps=30):
    """The meter under a mini knob: an arc of ten segments lighting from green to red."""
    S = SS
    W = 30 * S
    c = W / 2.0
    img = Image.new("RGBA", (W, W), (0, 0, 0, 0))
    r0, r1 = 11.0 * S, 14.4 * S
    well = Image.new("L", (W, W), 0)
    ImageDraw.Draw(well).ellipse((c - r1 - S * 0.6, c - r1 - S * 0.6, c + r1 + S * 0.6, c + r1 + S * 0.6), fill=255)
    fill(img, well, (6, 6, 7, 235))
    segments = 10
    span = 270.0
    gap = 4.0
    glow = Image.new("RGBA", (W, W), (0, 0, 0, 0))
    for k in range(segments):
        a0 = -135.0 + span * k / segments + gap / 2
        a1 = -135.0 + span * (k + 1) / segments - gap / 2
        t = k / (segments - 1)
        if t < 0.6:
            lit = (70, 235, 90)
        elif t < 0.85:
            lit = (250, 200, 40)
        else:
            lit = (255, 60, 40)
        unlit = mix(lit, (20, 20, 20), 0.82)
        # Three level steps per segment: dark, half, full.
        on = max(0.0, min(1.0, (level_steps - 3 * k) / 3.0))
        col = mix(unlit, lit, on)
        seg = Image.new("L", (W, W), 0)
        sd = ImageDraw.Draw(seg)
        # PIL angles: 0 at 3 o'clock, clockwise; ours: 0 at 12 o'clock.
        sd.pieslice((c - r1, c - r1, c + r1, c + r1), a0 - 90, a1 - 90, fill=255)
        sd.ellipse((c - r0, c - r0, c + r0, c + r0), fill=0)
        fill(img, seg, col)
        if on > 0:
            g = seg.filter(ImageFilter.GaussianBlur(S * 1.6)).point(lambda v: int(v * 0.55 * on))
            fill(glow, g, lit)
    img.alpha_composite(glow)
    return img.resize((30, 30), Image.LANCZOS)


def led_frame(size, colour, lit, bezel=True, lens=0.42):
    """A round lamp in a chrome bezel, with a soft glow when lit."""
    S = SS
    W = size * S
    c = W / 2.0
    img = Image.new("RGBA", (W, W), (0, 0, 0, 0))
    R = W * 0.5 - S * 0.5
    if bezel:
        sh = ellipse_mask((W, W), (c - R * 0.9, c - R * 0.9 + S, c + R * 0.9, c + R * 0.9 + S))
        shadow(img, sh, (0, S), S, 0.7)
        b = Image.new("L", (W, W), 0)
        rb = R * 0.86
        ImageDraw.Draw(b).ellipse((c - rb, c - rb, c + rb, c + rb), fill=255)
        paste(img, radial_shade((W, W), (c - rb * 0.5, c - rb * 0.6), rb * 2.0, (245, 246, 250), (70, 72, 80)), b)
        hole = Image.new("L", (W, W), 0)
        rh = rb * 0.80
        ImageDraw.Draw(hole).ellipse((c - rh, c - rh, c + rh, c + rh), fill=255)
        paste(img, radial_shade((W, W), (c + rh * 0.4, c + rh * 0.5), rh * 2.0, (235, 236, 240), (40, 42, 48)), hole)
    rl = R * lens * 2 if bezel else R * 0.9
    if lit:
        glow = Image.new("L", (W, W), 0)
        rg = R if bezel else R
        ImageDraw.Draw(glow).ellipse((c - rg, c - rg, c + rg, c + rg), fill=255)
        glow = glow.filter(ImageFilter.GaussianBlur(R * 0.35)).point(lambda v: int(v * 0.55))
        # Fade the glow out before the frame's edge, so no square shows around it.
        fade = Image.new("L", (W, W), 0)
        fd = ImageDraw.Draw(fade)
        for k in range(int(c), 0, -1):
            fd.ellipse((c - k, c - k, c + k, c + k), fill=int(255 * min(1.0, 1.6 * (1.0 - k / c))))
        fill(img, ImageChops.multiply(glow, fade), colour)
        inner, outer = mix(colour, (255, 255, 255), 0.75), colour
    else:
        inner, outer = mix(colour, (0, 0, 0), 0.55), mix(colour, (0, 0, 0), 0.85)
    lensm = Image.new("L", (W, W), 0)
    ImageDraw.Draw(lensm).ellipse((c - rl, c - rl, c + rl, c + rl), fill=255)
    paste(img, radial_shade((W, W), (c, c + rl * 0.15), rl * 1.1, inner, outer), lensm)
    spec = Image.new("L", (W, W), 0)
    sx, sy, sr = c - rl * 0.35, c - rl * 0.45, rl * 0.38
    ImageDraw.Draw(spec).ellipse((sx - sr, sy - sr * 0.7, sx + sr, sy + sr * 0.7), fill=200 if lit else 150)
    fill(img, spec.filter(ImageFilter.GaussianBlur(rl * 0.15)), (255, 255, 255))
    return img.resize((size, size), Image.LANCZOS)


# ----------------------------------------------------------------------------------------------
# Surfaces
# ----------------------------------------------------------------------------------------------


def brushed(size, seed, dark, light, streak=24):
    """Brushed metal: long horizontal streaks."""
    w, h = size
    n = noise((max(1, w // streak), h), seed).resize((w, h), Image.BILINEAR)
    fine = noise((w, h), seed + 1)
    g = ImageChops.blend(n, fine, 0.25)
    return tinted(contrast(g, 60, 200), dark, light)


def tolex(size, seed, dark, light):
    """Leather-grain vinyl covering."""
    w, h = size
    n = noise((w, h), seed, blur=1.1)
    n = stretch(n)
    emb = n.filter(ImageFilter.EMBOSS)
    grain = ImageChops.blend(stretch(emb), n, 0.3)
    grain = contrast(grain, 40, 215)
    return tinted(grain, dark, light)


def grille_cloth(size, seed, base, thread, hi):
    """Woven speaker cloth: a basket weave of 3-pixel threads, over and under, with flecks."""
    w, h = size
    img = Image.new("RGBA", size, base + (255,))
    d = ImageDraw.Draw(img)
    rnd = random.Random(seed)
    cell = 3
    for j in range(0, h, cell):
        for i in range(0, w, cell):
            over = ((i // cell) + (j // cell)) % 2 == 0
            t = rnd.random()
            col = mix(thread, hi, 0.8) if t > 0.97 else mix(base, thread, 0.55 + 0.45 * t)
            dark = mix(col, base, 0.6)
            if over:  # a horizontal thread: lit on its upper row
                d.line([(i, j), (i + cell - 1, j)], fill=mix(col, hi, 0.35) + (255,))
                d.line([(i, j + 1), (i + cell - 1, j + 1)], fill=col + (255,))
                d.line([(i, j + 2), (i + cell - 1, j + 2)], fill=dark + (255,))
            else:  # a vertical thread: lit on its left column
                d.line([(i, j), (i, j + cell - 1)], fill=mix(col, hi, 0.25) + (255,))
                d.line([(i + 1, j), (i + 1, j + cell - 1)], fill=col + (255,))
                d.line([(i + 2, j), (i + 2, j + cell - 1)], fill=dark + (255,))
    return img


def screw(img, cx, cy, r=4.5, angle=30.0):
    S = SS
    W = int(r * 2 + 4) * S
    layer = Image.new("RGBA", (W, W), (0, 0, 0, 0))
    c = W / 2.0
    R = r * S
    m = Image.new("L", (W, W), 0)
    ImageDraw.Draw(m).ellipse((c - R, c - R, c + R, c + R), fill=255)
    sh = Image.new("L", (W, W), 0)
    ImageDraw.Draw(sh).ellipse((c - R + S * 0.5, c - R + S, c + R + S * 0.5, c + R + S), fill=170)
    fill(layer, sh.filter(ImageFilter.GaussianBlur(S)), (0, 0, 0))
    paste(layer, radial_shade((W, W), (c - R * 0.4, c - R * 0.5), R * 1.9, (235, 236, 240), (60, 62, 68)), m)
    slot = Image.new("L", (W, W), 0)
    sd = ImageDraw.Draw(slot)
    for a in (angle, angle + 90):
        sd.line([polar(c, c, R * 0.72, a), polar(c, c, R * 0.72, a + 180)], fill=255, width=max(1, int(S * 1.1)))
    fill(layer, slot, (30, 30, 34, 220))
    layer = layer.resize((W // S, W // S), Image.LANCZOS)
    img.alpha_composite(layer, (int(round(cx - layer.size[0] / 2)), int(round(cy - layer.size[1] / 2))))


# ----------------------------------------------------------------------------------------------
# bg.png: the chassis, the top strip's and the bottom bar's labels, the name windows
# ----------------------------------------------------------------------------------------------

EDITOR = (541, 580)
LABEL = (214, 214, 218, 255)
LABEL_DIM = (150, 150, 156, 255)


def black_panel(size, seed):
    panel = brushed(size, seed, (20, 20, 22), (44, 44, 48))
    shade = vgrad(size, (255, 255, 255, 18), (0, 0, 0, 40))
    panel.alpha_composite(shade)
    return panel


def name_window(img, box, arrow=True):
    """A dark recessed window behind a white name the editor writes, with a menu arrow."""
    m = rrect_mask(img.size, box, 4)
    fill(img, m, (8, 8, 9))
    glass = vgrad((box[2] - box[0], box[3] - box[1]), (40, 40, 46, 255), (10, 10, 12, 255))
    paste(img, glass, rrect_mask(glass.size, (1, 1, glass.size[0] - 1, glass.size[1] - 1), 3), (box[0], box[1]))
    inset(img, m, 2, 0.9)
    if arrow:
        x = box[2] - 9
        y = (box[1] + box[3]) / 2.0
        tri = aa_mask(img.size, lambda d, s: d.polygon(
            [((x - 3.5) * s, (y - 2) * s), ((x + 3.5) * s, (y - 2) * s), (x * s, (y + 2.5) * s)], fill=255))
        fill(img, tri, (190, 190, 196))


def draw_bg():
    w, h = EDITOR
    img = solid(EDITOR, (22, 22, 24))
    img.alpha_composite(black_panel((w, 53), 11), (0, 0))
    img.alpha_composite(black_panel((w, 63), 12), (0, 517))
    d = ImageDraw.Draw(img)
    d.line([(0, 0), (w, 0)], fill=(90, 90, 96))
    d.line([(0, 517), (w, 517)], fill=(84, 84, 90))
    d.line([(0, 579), (w, 579)], fill=(6, 6, 7))
    # Top strip: the labels sit above their knobs (knob centres in editor x).
    f = font(COND_BOLD, 10)
    for cx, text in ((81, "INPUT"), (179, "MASTER"), (374, "LO CUT"), (429, "HI CUT"), (519, "GATE")):
        label(img, (cx, 11), text, f, LABEL, spacing=0.8)
    # Faint scale marks beside the small knobs: min at 7:30, max at 4:30.
    for cx in (81, 179, 374, 429, 519):
        for a in (-135.0, 135.0):
            x, y = polar(cx, 28, 17.0, a)
            d.ellipse((x - 1, y - 1, x + 1, y + 1), fill=(150, 150, 156))
    # The logo plate: the credits button.
    logo_plate(img, (205, 7, 318, 45))
    # Rack screws at the strip's ends and between the groups.
    for x, y in ((14, 27), (136, 27), (340, 27), (474, 27)):
        screw(img, x, y, 4.2, 25 + x % 50)
    # Bottom bar.
    fl = font(COND_BOLD, 10)
    label(img, (69, 547), "PREAMP", fl, LABEL, spacing=0.8)
    name_window(img, (25, 551, 125, 574))
    label(img, (416, 547), "CABINET", fl, LABEL, spacing=0.8)
    name_window(img, (378, 551, 495, 574))
    label(img, (520, 535), "CAB", fl, LABEL, spacing=0.8)
    label(img, (489, 545), "POWER", font(COND_BOLD, 7), LABEL_DIM, spacing=0.3)
    # Behind the pedal switch: a recess.
    m = rrect_mask(img.size, (177, 528, 330, 579), 7)
    fill(img, m, (10, 10, 11))
    inset(img, m, 2, 0.8)
    for x, y in ((14, 548), (151, 548), (355, 548)):
        screw(img, x, y, 4.2, 60 + x % 40)
    return img


def logo_plate(img, box):
    x0, y0, x1, y1 = box
    m = rrect_mask(img.size, box, 6)
    shadow(img, m, (1, 2), 2, 0.8)
    plate = brushed((x1 - x0, y1 - y0), 21, (150, 152, 158), (222, 224, 230))
    plate.alpha_composite(vgrad(plate.size, (255, 255, 255, 60), (0, 0, 0, 60)))
    paste(img, plate, rrect_mask(img.size, box, 6).crop(box), (x0, y0))
    inner = rrect_mask(img.size, (x0 + 3, y0 + 3, x1 - 3, y1 - 3), 4)
    fill(img, inner, (14, 14, 16))
    bevel(img, m, (255, 255, 255, 150), (0, 0, 0, 150))
    inset(img, inner, 1, 0.9)
    chrome_text(img, ((x0 + x1) / 2, y0 + 25), "Kavrotel", font(SERIF_BI, 20))
    draw_text(img, ((x0 + x1) / 2, y1 - 5), "QUENVALD", font(COND_BOLD, 6), (170, 150, 100, 255), spacing=1.5)


# ----------------------------------------------------------------------------------------------
# amps.png: two amplifier faces (Borkan, Stygra); the knobs sit on their panels
# ----------------------------------------------------------------------------------------------

AMP = (541, 466)
AMP_ORIGIN = (5, 51)
# Knob centres in editor coordinates, with their labels.
MAIN_KNOBS = ((131, "GAIN"), (191, "BASS"), (247, "MIDDLE"), (302, "TREBLE"), (364, "DEPTH"), (420, "PRESENCE"))
KNOB_Y = 205  # editor y of the six main knobs' centres

MODELS = [
    {  # Borkan: black tolex, brushed aluminium panel, silver cloth
        "name": "BORKAN", "subtitle": "TWO-STAGE HIGH GAIN", "seed": 100,
        "tolex": ((8, 8, 9), (46, 46, 50)), "piping": (205, 205, 210),
        "panel": ((150, 152, 158), (226, 228, 234)), "panel_ink": (24, 24, 28, 255),
        "panel_accent": (190, 30, 30), "ink_relief": "engrave",
        "cloth": ((30, 30, 32), (70, 70, 74), (120, 120, 126)),
        "badge": ((250, 250, 252), (118, 122, 130)),
    },
    {  # Stygra: oxblood tolex, black panel with gold print, brown-gold cloth
        "name": "STYGRA", "subtitle": "THREE-STAGE LEAD", "seed": 200,
        "tolex": ((40, 6, 8), (112, 26, 30)), "piping": (214, 180, 110),
        "panel": ((16, 16, 18), (44, 42, 40)), "panel_ink": (226, 192, 118, 255),
        "panel_accent": (226, 192, 118), "ink_relief": "shadow",
        "cloth": ((42, 30, 20), (96, 74, 44), (150, 120, 70)),
        "badge": ((255, 236, 180), (150, 108, 40)),
    },
]


def amp_frame(model):
    w, h = AMP
    ox, oy = AMP_ORIGIN
    seed = model["seed"]
    img = solid(AMP, (22, 22, 24))
    # The cabinet, its covering and corner shading (light from the top left).
    cab = (4, 3, 533, 463)
    cab_m = rrect_mask(AMP, cab, 16)
    shadow(img, cab_m, (2, 3), 3, 0.9)
    cover = tolex(AMP, seed, *model["tolex"])
    cover.alpha_composite(radial_shade(AMP, (150, 60), 620, (255, 255, 255, 30), (0, 0, 0, 90)))
    paste(img, cover, cab_m)
    bevel(img, cab_m, (255, 255, 255, 60), (0, 0, 0, 160), 2)
    # Nameplate band above the panel.
    cx = 268  # frame x of the face's centre
    chrome_text(img, (cx, 58), model["name"], font(BOLD, 34), spacing=7,
                top=model["badge"][0], bottom=model["badge"][1])
    draw_text(img, (cx + 1, 79), model["subtitle"], font(COND_BOLD, 10), (0, 0, 0, 170), spacing=3)
    draw_text(img, (cx, 78), model["subtitle"], font(COND_BOLD, 10), model["piping"] + (235,), spacing=3)
    # The control panel, recessed into the cabinet.
    panel_box = (22, 92, 514, 212)
    pm = rrect_mask(AMP, panel_box, 6)
    shadow(img, pm, (0, 0), 3, 0.9)
    plate = brushed((panel_box[2] - panel_box[0], panel_box[3] - panel_box[1]), seed + 5, *model["panel"])
    plate.alpha_composite(vgrad(plate.size, (255, 255, 255, 35), (0, 0, 0, 55)))
    paste(img, plate, pm.crop(panel_box), panel_box[:2])
    bevel(img, pm, (255, 255, 255, 110), (0, 0, 0, 140), 1)
    ink = model["panel_ink"]
    relief = model["ink_relief"]
    f = font(COND_BOLD, 11)
    ky = KNOB_Y - oy
    spans = []
    for ex, text in MAIN_KNOBS:
        label(img, (ex - ox, ky - 31), text, f, ink, spacing=0.3, relief=relief)
        half = text_width(text, f, 0.3) / 2
        spans.append((ex - half, ex + half))
    for (a0, a1), (b0, b1) in zip(spans, spans[1:]):
        assert b0 - a1 >= 5, "knob labels too close: %r" % ((a0, a1, b0, b1),)
    # Group rules under the knobs: the tone stack, the power amp's voicing.
    g = font(COND_BOLD, 8)
    rules = Image.new("RGBA", AMP, (0, 0, 0, 0))
    d = ImageDraw.Draw(rules)
    for x0, x1, text in ((166, 327, "TONE"), (339, 445, "POWER AMP")):
        y = ky + 33
        x0 -= ox
        x1 -= ox
        mid = (x0 + x1) / 2
        tw = text_width(text, g, 1.2) / 2 + 4
        for a, b in ((x0 + 4, mid - tw), (mid + tw, x1 - 4)):
            d.line([(a, y), (b, y)], fill=ink[:3] + (200,), width=1)
        d.line([(x0 + 4, y - 3), (x0 + 4, y)], fill=ink[:3] + (200,), width=1)
        d.line([(x1 - 4, y - 3), (x1 - 4, y)], fill=ink[:3] + (200,), width=1)
        draw_text(img, (mid, y + 3), text, g, ink[:3] + (230,), spacing=1.2)
    img.alpha_composite(rules)
    # Left of Gain: the input jacks; right of Presence: the brand and the model's code.
    for jx, jtext in ((48, "HI"), (80, "LO")):
        jack(img, jx - ox + 5, ky - 2, 8)
        draw_text(img, (jx - ox + 5, ky - 15), jtext, font(COND_BOLD, 8), ink, spacing=0.5)
    draw_text(img, (64 - ox + 5, ky + 22), "INPUT", font(COND_BOLD, 8), ink, spacing=1.0)
    ax = 482 - ox
    draw_text(img, (ax, ky + 18), "KAVROTEL", font(COND_BOLD, 8), ink, spacing=1.0)
    draw_text(img, (ax, ky + 28), "B-1" if model["name"] == "BORKAN" else "S-3", font(COND_BOLD, 8), ink, spacing=1.0)
    emblem(img, ax, ky - 6, model)
    for sx, sy in ((30, 100), (506, 100), (30, 204), (506, 204)):
        screw(img, sx, sy, 3.2, sx % 70)
    # The grille: piping, woven cloth, the script logo.
    gb = (22, 226, 514, 446)
    gm = rrect_mask(AMP, gb, 10)
    shadow(img, gm, (0, 0), 3, 1.0)
    cloth = grille_cloth((gb[2] - gb[0], gb[3] - gb[1]), seed + 9, *model["cloth"])
    cloth.alpha_composite(radial_shade(cloth.size, (150, 40), 420, (255, 255, 255, 40), (0, 0, 0, 120)))
    # The two speakers' cones show faintly through the cloth.
    for sx in (0.27, 0.73):
        cx0, cy0, r = cloth.size[0] * sx, cloth.size[1] * 0.5, 98
        cone = ellipse_mask(cloth.size, (cx0 - r, cy0 - r, cx0 + r, cy0 + r)).filter(ImageFilter.GaussianBlur(6))
        fill(cloth, cone, (0, 0, 0, 70))
        rc = 30
        dome = ellipse_mask(cloth.size, (cx0 - rc, cy0 - rc, cx0 + rc, cy0 + rc)).filter(ImageFilter.GaussianBlur(5))
        fill(cloth, dome, (0, 0, 0, 50))
    paste(img, cloth, gm.crop(gb), gb[:2])
    ring = rrect_mask(AMP, (gb[0] - 3, gb[1] - 3, gb[2] + 3, gb[3] + 3), 12)
    fill(img, ImageChops.subtract(ring, gm), model["piping"])
    bevel(img, ring, (255, 255, 255, 120), (0, 0, 0, 120), 1)
    chrome_text(img, (118, 276), "Kavrotel", font(SERIF_BI, 34), top=model["badge"][0], bottom=model["badge"][1])
    return img


def jack(img, cx, cy, r):
    S = SS
    W = int(r * 2 + 6) * S
    c = W / 2.0
    layer = Image.new("RGBA", (W, W), (0, 0, 0, 0))
    R = r * S
    hexagon = [polar(c, c, R, 30 + 60 * k) for k in range(6)]
    m = Image.new("L", (W, W), 0)
    ImageDraw.Draw(m).polygon(hexagon, fill=255)
    shadow(layer, m, (S * 0.6, S * 1.2), S * 1.2, 0.8)
    paste(layer, radial_shade((W, W), (c - R * 0.5, c - R * 0.6), R * 2.0, (240, 240, 244), (70, 72, 80)), m)
    rh = R * 0.45
    hole = Image.new("L", (W, W), 0)
    ImageDraw.Draw(hole).ellipse((c - rh, c - rh, c + rh, c + rh), fill=255)
    fill(layer, hole, (6, 6, 7))
    rim = Image.new("L", (W, W), 0)
    ImageDraw.Draw(rim).ellipse((c - rh, c - rh, c + rh, c + rh), outline=255, width=S)
    fill(layer, rim, (40, 40, 44))
    layer = layer.resize((W // S, W // S), Image.LANCZOS)
    img.alpha_composite(layer, (int(round(cx - layer.size[0] / 2)), int(round(cy - layer.size[1] / 2))))


def emblem(img, cx, cy, model):
    """The brand's round badge: a K in a ring."""
    r = 11
    S = SS
    W = (r * 2 + 6) * S
    c = W / 2.0
    layer = Image.new("RGBA", (W, W), (0, 0, 0, 0))
    R = r * S
    m = Image.new("L", (W, W), 0)
    ImageDraw.Draw(m).ellipse((c - R, c - R, c + R, c + R), fill=255)
    shadow(layer, m, (S * 0.5, S), S * 1.2, 0.8)
    top, bottom = model["badge"]
    paste(layer, radial_shade((W, W), (c - R * 0.4, c - R * 0.5), R * 2.0, top, bottom), m)
    ri = R * 0.78
    mi = Image.new("L", (W, W), 0)
    ImageDraw.Draw(mi).ellipse((c - ri, c - ri, c + ri, c + ri), fill=255)
    fill(layer, mi, (16, 16, 18))
    ImageDraw.Draw(layer).text((c, c + S * 0.5), "K", font=font(SERIF_B, int(13 * S)), anchor="mm", fill=top + (255,))
    layer = layer.resize((W // S, W // S), Image.LANCZOS)
    img.alpha_composite(layer, (int(round(cx - layer.size[0] / 2)), int(round(cy - layer.size[1] / 2))))


def draw_amps():
    frames = 12
    total = 5599
    out = Image.new("RGBA", (AMP[0], total), (0, 0, 0, 0))
    pics = [amp_frame(m) for m in MODELS]
    for k, pic in enumerate(pics):
        y = int(total * k / frames + 0.5)
        out.paste(pic, (0, y))
    # The row between the frames repeats the second face's first row, so a reader taking
    # frames at height / frames rows (466) instead of rounded origins (467) sees no seam.
    y2 = int(total / frames + 0.5)
    out.paste(pics[1].crop((0, 0, AMP[0], 1)), (0, y2 - 1))
    # Frames 3 to 12 exist for the strip's height only: no preamp value reaches them.
    return out


# ----------------------------------------------------------------------------------------------
# pedal.png: the distortion pedal on a board, covering the amplifier band
# ----------------------------------------------------------------------------------------------

PEDAL = (541, 477)
PEDAL_ORIGIN = (0, 53)


def draw_pedal(bg):
    w, h = PEDAL
    ox, oy = PEDAL_ORIGIN
    # The board: dark loop-fabric carpet with a vignette.
    base = tinted(contrast(noise(PEDAL, 300, blur=0.7), 0, 255), (16, 16, 18), (50, 50, 54))
    img = base
    img.alpha_composite(radial_shade(PEDAL, (270, 220), 420, (255, 255, 255, 10), (0, 0, 0, 150)))
    d = ImageDraw.Draw(img)
    d.line([(0, 0), (w, 0)], fill=(8, 8, 9))
    # Patch cables into the side jacks.
    cable(img, [(-10, 120), (60, 128), (100, 140), (128, 150)], 7)
    cable(img, [(551, 340), (500, 330), (450, 280), (418, 190), (395, 150)], 7)
    # The enclosure: hammered teal paint, rounded die-cast edges.
    box = (128, 56, 395, 462)
    m = rrect_mask(PEDAL, box, 20)
    shadow(img, m, (4, 7), 7, 0.9)
    paint_dark, paint_light = (6, 70, 76), (24, 150, 156)
    hammer = stretch(noise(PEDAL, 310, blur=2.2))
    hammer = ImageChops.blend(hammer, stretch(hammer.filter(ImageFilter.EMBOSS)), 0.5)
    body = tinted(contrast(hammer, 70, 190), paint_dark, paint_light)
    body.alpha_composite(radial_shade(PEDAL, (190, 90), 470, (255, 255, 255, 70), (0, 0, 0, 120)))
    paste(img, body, m)
    bevel(img, m, (255, 255, 255, 110), (0, 0, 0, 160), 2)
    edge = ImageChops.subtract(m, rrect_mask(PEDAL, (box[0] + 6, box[1] + 6, box[2] - 6, box[3] - 6), 15))
    fill(img, edge.filter(ImageFilter.GaussianBlur(2)), (255, 255, 255, 26))
    # Side jacks.
    for jx, jy in ((131, 150), (392, 150)):
        jm = rrect_mask(PEDAL, (jx - 6, jy - 10, jx + 6, jy + 10), 3)
        fill(img, jm, (150, 152, 158))
        bevel(img, jm, (255, 255, 255, 140), (0, 0, 0, 140), 1)
    # Knob labels above the three knobs, and the light's.
    ink = (245, 248, 246, 255)
    f = font(COND_BOLD, 12)
    for cx, text in ((179.5, "DRIVE"), (226.5, "TONE"), (330.5, "LEVEL")):
        label(img, (cx - ox, 105 - 0), text, f, ink, spacing=1.0)
    # The name, the stomp switch, the maker.
    name_y = 232
    chrome_text(img, (261.5, name_y), "DJENT", font(BOLD, 40), spacing=3,
                top=(255, 255, 255), bottom=(170, 180, 182), edge=(4, 40, 44))
    draw_text(img, (261.5, name_y + 20), "PRECISION  DISTORTION", font(COND_BOLD, 10), (230, 240, 238, 230), spacing=1.6)
    stomp(img, 261.5, 352 - oy, 27)  # centred in the footswitch area
    draw_text(img, (261.5, 346), "BYPASS", font(COND_BOLD, 9), (230, 240, 238, 220), spacing=2.0)
    chrome_text(img, (261.5, 428), "Kavrotel", font(SERIF_BI, 22), top=(255, 255, 255), bottom=(170, 180, 182),
                edge=(4, 40, 44))
    draw_text(img, (261.5, 446), "QUENVALD", font(COND_BOLD, 8), (200, 225, 222, 200), spacing=2.0)
    for sx, sy in ((145, 73), (378, 73), (145, 445), (378, 445)):
        screw(img, sx, sy, 3.4, sx % 80)
    return over_bottom_bar(img, bg)


def over_bottom_bar(img, bg):
    """An overlay's last rows lie over the bottom bar (editor y 517-530): they repeat it."""
    top = 517 - PEDAL_ORIGIN[1]
    img.paste(bg.crop((0, 517, 541, 530)), (0, top))
    return img


def cable(img, pts, width):
    layer = Image.new("RGBA", img.size, (0, 0, 0, 0))
    d = ImageDraw.Draw(layer)
    # A Catmull-Rom path through the points.
    path = []
    p = [pts[0]] + pts + [pts[-1]]
    for i in range(1, len(p) - 2):
        for s in range(16):
            t = s / 16.0
            path.append(tuple(
                0.5 * ((2 * p[i][k]) + (-p[i - 1][k] + p[i + 1][k]) * t
                       + (2 * p[i - 1][k] - 5 * p[i][k] + 4 * p[i + 1][k] - p[i + 2][k]) * t * t
                       + (-p[i - 1][k] + 3 * p[i][k] - 3 * p[i + 1][k] + p[i + 2][k]) * t * t * t)
                for k in range(2)))
    path.append(pts[-1])
    sh = Image.new("L", img.size, 0)
    ImageDraw.Draw(sh).line([(x + 3, y + 5) for x, y in path], fill=200, width=width, joint="curve")
    fill(img, sh.filter(ImageFilter.GaussianBlur(3)), (0, 0, 0))
    d.line(path, fill=(20, 20, 22, 255), width=width, joint="curve")
    d.line([(x - 1, y - 1.5) for x, y in path], fill=(70, 70, 76, 255), width=2, joint="curve")
    img.alpha_composite(layer)
    # The plug's metal barrel at the jack end.
    x, y = pts[-1]
    px, py = pts[-2]
    ang = math.atan2(y - py, x - px)
    bx, by = x - math.cos(ang) * 12, y - math.sin(ang) * 12
    bm = aa_mask(img.size, lambda dd, s: dd.line([(bx * s, by * s), ((x - math.cos(ang) * 2) * s, (y - math.sin(ang) * 2) * s)],
                                                 fill=255, width=int(10 * s)))
    fill(img, bm, (176, 178, 184))
    bevel(img, bm, (255, 255, 255, 120), (0, 0, 0, 120), 1)


def stomp(img, cx, cy, r):
    """A chrome footswitch: threaded collar, hex nut, domed plunger."""
    S = SS
    W = int(r * 2 + 16) * S
    c = W / 2.0
    layer = Image.new("RGBA", (W, W), (0, 0, 0, 0))
    R = r * S
    hexagon = [polar(c, c, R, 30 + 60 * k) for k in range(6)]
    m = Image.new("L", (W, W), 0)
    ImageDraw.Draw(m).polygon(hexagon, fill=255)
    shadow(layer, m, (S * 2, S * 3), S * 3, 0.85)
    paste(layer, radial_shade((W, W), (c - R * 0.5, c - R * 0.6), R * 2.2, (245, 246, 250), (60, 62, 70)), m)
    edges = Image.new("L", (W, W), 0)
    for k in range(6):
        a = 30 + 60 * k
        ImageDraw.Draw(edges).line([polar(c, c, R * 0.86, a), polar(c, c, R, a)], fill=255, width=S)
    fill(layer, edges, (255, 255, 255, 90))
    rp = R * 0.62
    pm = Image.new("L", (W, W), 0)
    ImageDraw.Draw(pm).ellipse((c - rp, c - rp, c + rp, c + rp), fill=255)
    shadow(layer, pm, (S, S * 1.5), S * 1.5, 0.8)
    paste(layer, radial_shade((W, W), (c - rp * 0.35, c - rp * 0.45), rp * 1.8, (255, 255, 255), (96, 100, 110)), pm)
    rr = Image.new("L", (W, W), 0)
    ImageDraw.Draw(rr).ellipse((c - rp, c - rp, c + rp, c + rp), outline=255, width=S)
    fill(layer, rr, (40, 42, 48, 200))
    layer = layer.resize((W // S, W // S), Image.LANCZOS)
    img.alpha_composite(layer, (int(round(cx - layer.size[0] / 2)), int(round(cy - layer.size[1] / 2))))


# ----------------------------------------------------------------------------------------------
# credits.png
# ----------------------------------------------------------------------------------------------


def draw_credits(bg):
    w, h = 541, 477
    img = solid((w, h), (14, 14, 16))
    img.alpha_composite(radial_shade((w, h), (270, 160), 420, (48, 48, 54, 255), (10, 10, 12, 255)))
    card = (60, 40, 481, 430)
    m = rrect_mask((w, h), card, 14)
    shadow(img, m, (3, 6), 8, 0.9)
    face = brushed((card[2] - card[0], card[3] - card[1]), 400, (26, 26, 29), (44, 44, 48))
    paste(img, face, m.crop(card), card[:2])
    bevel(img, m, (255, 255, 255, 70), (0, 0, 0, 160), 1)
    cx = w / 2
    chrome_text(img, (cx, 112), "Kavrotel", font(SERIF_BI, 52))
    draw_text(img, (cx, 140), "GUITAR AMPLIFIER", font(COND_BOLD, 12), (200, 170, 100, 255), spacing=4)
    d = ImageDraw.Draw(img)
    d.line([(150, 160), (391, 160)], fill=(90, 90, 96), width=1)
    lines = [
        (font(COND_BOLD, 13), LABEL, "Version 1.0.0"),
        (font(COND, 12), LABEL_DIM, "VST3 · AAX · VST2"),
        (None, None, ""),
        (font(COND_BOLD, 12), LABEL, "Two preamps"),
        (font(COND, 12), LABEL_DIM, "Borkan · Stygra"),
        (font(COND_BOLD, 12), LABEL, "Three cabinets"),
        (font(COND, 12), LABEL_DIM, "Vellmoth · Tassoven · Orrindal"),
        (font(COND_BOLD, 12), LABEL, "The Djent pedal, a noise gate, low and high cut"),
        (None, None, ""),
        (font(COND_BOLD, 13), (220, 190, 120, 255), "Quenvald"),
        (font(COND, 12), LABEL_DIM, "www.quenvald.example · support@quenvald.example"),
        (font(COND, 10), LABEL_DIM, "Lettering in the DejaVu fonts"),
    ]
    y = 188
    for f, colour, text in lines:
        if f is None:
            y += 8
            continue
        label(img, (cx, y), text, f, colour)
        y += 19
    draw_text(img, (cx, 412), "click anywhere to close", font(COND, 10), (130, 130, 136, 255), spacing=0.5)
    return over_bottom_bar(img, bg)


# ----------------------------------------------------------------------------------------------
# Switches and lamps
# ----------------------------------------------------------------------------------------------


def toggle_frame(on):
    """The cabinet switch, 28 x 33: a chrome bat lever on a hex nut, down off and up on."""
    S = SS
    W, H = 28 * S, 33 * S
    img = Image.new("RGBA", (W, H), (0, 0, 0, 0))
    cx, cy = W / 2.0, H / 2.0
    # No room for printed ON/OFF marks: the lever's position tells.
    R = 9.5 * S
    hexagon = [polar(cx, cy, R, 30 + 60 * k) for k in range(6)]
    m = Image.new("L", (W, H), 0)
    ImageDraw.Draw(m).polygon(hexagon, fill=255)
    shadow(img, m, (S, S * 1.5), S * 1.5, 0.85)
    paste(img, radial_shade((W, H), (cx - R * 0.5, cy - R * 0.6), R * 2.0, (240, 240, 244), (64, 66, 74)), m)
    rb = 5.0 * S
    hole = Image.new("L", (W, H), 0)
    ImageDraw.Draw(hole).ellipse((cx - rb, cy - rb, cx + rb, cy + rb), fill=255)
    fill(img, hole, (30, 30, 34))
    # The lever, tapering to a ball, seen in perspective.
    tip_y = cy - 11.0 * S if on else cy + 11.0 * S
    lever = Image.new("L", (W, H), 0)
    ld = ImageDraw.Draw(lever)
    ld.polygon([(cx - 3.2 * S, cy), (cx + 3.2 * S, cy), (cx + 2.0 * S, tip_y), (cx - 2.0 * S, tip_y)], fill=255)
    rt = 3.4 * S
    ld.ellipse((cx - rt, tip_y - rt, cx + rt, tip_y + rt), fill=255)
    sh = Image.new("L", (W, H), 0)
    sh.paste(lever, (int(S * 1.5), int(S * 2.5)))
    fill(img, sh.filter(ImageFilter.GaussianBlur(S * 1.2)), (0, 0, 0, 190))
    # A round chrome bar: light down its left side, dark on its right; the far end dimmer.
    across = Image.linear_gradient("L").rotate(90, expand=True).transpose(Image.FLIP_LEFT_RIGHT)
    across = across.resize((int(7 * S), H)).point(lambda v: int(255 * (0.5 - 0.5 * math.cos(math.pi * v / 128.0))) if v < 128 else int(255 * (0.5 + 0.5 * math.cos(math.pi * (v - 128) / 127.0))))
    bar = Image.composite(solid(across.size, (250, 250, 252)), solid(across.size, (70, 72, 80)), across)
    shade = Image.new("RGBA", (W, H), (0, 0, 0, 0))
    shade.paste(bar, (int(cx - 3.5 * S), 0))
    paste(img, shade, lever)
    fill(img, lever.point(lambda v: v // 5), (0, 0, 0))
    tl = Image.new("L", (W, H), 0)
    ImageDraw.Draw(tl).ellipse((cx - rt * 0.5 - S, tip_y - rt * 0.6 - S * 0.5, cx + rt * 0.2 - S, tip_y - S * 0.5), fill=230)
    fill(img, tl.filter(ImageFilter.GaussianBlur(S * 0.6)), (255, 255, 255))
    return img.resize((28, 33), Image.LANCZOS)


def pedal_switch_frame(on):
    """The pedal's show switch, 147 x 48: a backlit push button reading PEDAL."""
    w, h = 147, 48
    img = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    box = (4, 4, 143, 44)
    m = rrect_mask((w, h), box, 7)
    shadow(img, m, (1, 2), 2, 0.9)
    top, bottom = ((52, 52, 56), (24, 24, 27)) if not on else ((46, 46, 50), (20, 20, 23))
    paste(img, vgrad((w, h), top + (255,), bottom + (255,)), m)
    bevel(img, m, (255, 255, 255, 70), (0, 0, 0, 170), 1)
    # The lamp window and the legend.
    win = (14, 16, 30, 32)
    wm = rrect_mask((w, h), win, 3)
    if on:
        glow = wm.filter(ImageFilter.GaussianBlur(5)).point(lambda v: min(255, v * 2))
        fill(img, glow, (255, 150, 30, 170))
        paste(img, radial_shade((w, h), (22, 23), 10, (255, 240, 190, 255), (255, 140, 20, 255)), wm)
    else:
        paste(img, radial_shade((w, h), (22, 23), 10, (90, 60, 30, 255), (40, 28, 16, 255)), wm)
    inset(img, wm, 1, 0.6)
    f = font(COND_BOLD, 17)
    if on:
        tm = text_mask((w, h), (86, 30), "PEDAL", f, spacing=4)
        fill(img, tm.filter(ImageFilter.GaussianBlur(3)), (255, 150, 30, 150))
        draw_text(img, (86, 30), "PEDAL", f, (255, 222, 160, 255), spacing=4)
    else:
        draw_text(img, (86, 31), "PEDAL", f, (0, 0, 0, 200), spacing=4)
        draw_text(img, (86, 30), "PEDAL", f, (150, 150, 156, 255), spacing=4)
    draw_text(img, (86, 40), "ON" if on else "OFF", font(COND_BOLD, 7),
              (255, 200, 120, 255) if on else (110, 110, 116, 255), spacing=2)
    return img


# ----------------------------------------------------------------------------------------------
# Output
# ----------------------------------------------------------------------------------------------


def check(name, img, size, frames):
    assert img.mode == "RGBA", name
    assert img.size == size, (name, img.size, size)
    assert frames >= 1


def images():
    """(file name, picture, frames) for the 13 images, in the editor's load order."""
    knob = knob_strip(50, 30, MAIN_KNOB)
    bknob = knob_strip(30, 31, SMALL_KNOB)
    miniknob = knob_strip(30, 31, MINI_KNOB)
    pedalknob = knob_strip(45, 31, PEDAL_KNOB)
    vuknob = strip([level_ring_frame(i) for i in range(31)])
    led = strip([led_frame(17, (255, 70, 40), True), led_frame(17, (255, 70, 40), False)])
    jled = strip([led_frame(42, (255, 40, 30), False, lens=0.30), led_frame(42, (255, 40, 30), True, lens=0.30)])
    switch = strip([toggle_frame(False), toggle_frame(True)])
    djentswitch = strip([pedal_switch_frame(False), pedal_switch_frame(True)])
    bg = draw_bg()
    return [
        ("bg", bg, 1, (541, 580)),
        ("knob", knob, 30, (50, 1500)),
        ("bknob", bknob, 31, (30, 930)),
        ("amps", draw_amps(), 12, (541, 5599)),
        ("credits", draw_credits(bg), 1, (541, 477)),
        ("led", led, 2, (17, 34)),
        ("switch", switch, 2, (28, 66)),
        ("miniknob", miniknob, 31, (30, 930)),
        ("pedalknob", pedalknob, 31, (45, 1395)),
        ("vuknob", vuknob, 31, (30, 930)),
        ("pedal", draw_pedal(bg), 1, (541, 477)),
        ("djentswitch", djentswitch, 2, (147, 96)),
        ("jled", jled, 2, (42, 84)),
    ]


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--out", default=os.path.join(ROOT, "resources", "img"))
    args = ap.parse_args()
    os.makedirs(args.out, exist_ok=True)
    for name, img, frames, size in images():
        check(name, img, size, frames)
        path = os.path.join(args.out, name + ".png")
        img.save(path, optimize=True)
        print("%-12s %4d x %4d  %2d frames  %7d bytes" % (name + ".png", img.size[0], img.size[1], frames,
                                                            os.path.getsize(path)))


if __name__ == "__main__":
    main()
