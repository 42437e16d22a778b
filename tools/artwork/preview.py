#!/usr/bin/python3
"""Composes the editor (541 x 580) from resources/img/ as the editor lays it out, into a PNG.

    /usr/bin/python3 tools/artwork/preview.py [--out FILE] [--preamp 0|1] [--cabinet 0|1|2]
        [--pedal] [--bypass] [--credits] [--level 0..1] [--cab-on] [--images DIR]

Knobs show the parameters' defaults (normalised values), the meters the given level; the two
names are written in white DejaVu Sans 18 standing in for Verdana. For looking at the artwork
only: the real editor draws these images itself.
"""

import argparse
import os

from PIL import Image, ImageDraw, ImageFont

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
IMG = os.path.join(ROOT, "resources", "img")

STRIPS = {  # name: frames
    "bg": 1, "knob": 30, "bknob": 31, "amps": 12, "credits": 1, "led": 2, "switch": 2, "miniknob": 31,
    "pedalknob": 31, "vuknob": 31, "pedal": 1, "djentswitch": 2, "jled": 2,
}

# Normalised defaults of the bound parameters.
DEFAULTS = {
    "Gain": 0.6315, "Threshold": 0.0, "Bass": 0.6997, "Mid": 0.2993, "Treb": 0.6997, "Presence": 0.6997,
    "Depth": 0.6496, "Master": 0.4992, "Input": 0.4992, "Highpass": 0.2294, "Lowpass": 0.8592,
    "DjentGain": 0.4939, "DjentTone": 0.5034, "DjentTone2": 0.5035,
}


def load(name):
    return Image.open(os.path.join(IMG, name + ".png")).convert("RGBA")


def frame(img, frames, k):
    """Frame k (from 1) of a vertical strip, at its rounded origin."""
    h = img.size[1] // frames
    y = int(img.size[1] * (k - 1) / frames + 0.5)
    return img.crop((0, y, img.size[0], y + h))


def knob_frame(v, n):
    return min(n, int((n - 1) * v + 0.5) + 1)


def switch_frame(v, n):
    return max(1, min(n, int((n - 1) * v + 0.5) + 1))


def compose(preamp=0, cabinet=0, pedal=False, bypass=False, credits=False, level=0.6, cab_on=False,
            values=None):
    vals = dict(DEFAULTS)
    vals.update(values or {})
    s = {n: load(n) for n in STRIPS}
    ed = Image.new("RGBA", (541, 580), (0, 0, 0, 255))

    def put(name, k, x, y):
        f = frame(s[name], STRIPS[name], k)
        ed.alpha_composite(f.crop((0, 0, min(f.size[0], 541 - x), min(f.size[1], 580 - y))), (x, y))

    def knob(name, param, x, y):
        put(name, knob_frame(vals[param], STRIPS[name]), x, y)

    put("bg", 1, 0, 0)
    put("amps", preamp + 1, 5, 51)
    knob("knob", "Gain", 106, 180)
    knob("bknob", "Threshold", 504, 13)
    for name, x in (("Bass", 166), ("Mid", 222), ("Treb", 277), ("Presence", 395), ("Depth", 339)):
        knob("knob", name, x, 180)
    meter = int(30 * max(0.0, min(1.0, level)) + 0.5) + 1
    put("vuknob", meter, 164, 13)
    knob("miniknob", "Master", 164, 13)
    put("vuknob", max(1, meter - 4), 66, 13)
    knob("miniknob", "Input", 66, 13)
    knob("bknob", "Highpass", 359, 13)
    knob("bknob", "Lowpass", 414, 13)
    put("switch", switch_frame(1.0 if cab_on else 0.0, 2), 506, 540)
    put("djentswitch", switch_frame(1.0 if pedal else 0.0, 2), 180, 530)
    if pedal:
        put("pedal", 1, 0, 53)
    put("led", 1, 455, 533)
    if pedal:
        knob("pedalknob", "DjentGain", 157, 165)
        knob("pedalknob", "DjentTone", 204, 165)
        knob("pedalknob", "DjentTone2", 308, 165)
        put("jled", 2 if bypass else 1, 257, 173)
    if credits:
        put("credits", 1, 0, 53)
    # The two names the editor writes (white, size 18, centred in their rectangles).
    d = ImageDraw.Draw(ed)
    f = ImageFont.truetype("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", 18)
    for text, (l, t, r, b) in ((["Borkan", "Stygra"][preamp], (29, 554, 109, 570)),
                               (["Vellmoth", "Tassoven", "Orrindal"][cabinet], (382, 554, 477, 570))):
        d.text(((l + r) / 2, (t + b) / 2), text, font=f, fill=(255, 255, 255, 255), anchor="mm")
    return ed


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--out", default=os.path.join(ROOT, "build", "editor-preview.png"))
    ap.add_argument("--preamp", type=int, default=0, choices=(0, 1))
    ap.add_argument("--cabinet", type=int, default=0, choices=(0, 1, 2))
    ap.add_argument("--pedal", action="store_true")
    ap.add_argument("--bypass", action="store_true", help="pedal effect on (its light lit)")
    ap.add_argument("--credits", action="store_true")
    ap.add_argument("--cab-on", action="store_true")
    ap.add_argument("--level", type=float, default=0.6)
    ap.add_argument("--images", help="folder of the images (default resources/img)")
    a = ap.parse_args()
    if a.images:
        global IMG
        IMG = a.images
    os.makedirs(os.path.dirname(os.path.abspath(a.out)), exist_ok=True)
    compose(a.preamp, a.cabinet, a.pedal, a.bypass, a.credits, a.level, a.cab_on).save(a.out)
    print(a.out)


if __name__ == "__main__":
    main()
