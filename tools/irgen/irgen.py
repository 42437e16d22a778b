#!/usr/bin/env python3
"""Generates the amplifier's five impulse-response tables as C++ source.

    python3 tools/irgen/irgen.py > plugin/impulse_tables.cpp

The build uses the committed output; run this only to change a table. Standard library only.

Each table is 512 samples at 44100 Hz. Its first five samples, its peak of 0.966 and where it
stands, its last sample and how much of its energy lies after sample 127 are fixed; the rest is
designed here as what the table stands for:
  * preamp tables: a tube stage's band limit (coupling high-pass, a mid bump, a low-pass whose
    cut-off is fitted to the fixed head) with a weak low ringing of the coupling network;
  * cabinet tables: a guitar speaker in its box (a low resonance near 100 Hz, a presence peak,
    a dip above it, a steep roll-off above about 5 kHz) plus two early reflections of the box.
Then the fixed head replaces samples 0 to 4, the body is scaled to continue it, the resonance's
gain is tuned by bisection to the tail energy, and a smooth ramp over the last 64 samples lands
the last sample on its fixed value.
"""

import math
import struct
import sys

RATE = 44100.0
LENGTH = 512
PEAK = 0.966
TAIL_START = 128  # the tail is everything after sample 127
RAMP = 64


def design(kind, freq, q, gain_db=0.0):
    """Cookbook biquad coefficients (b0, b1, b2, a1, a2), normalised by a0."""
    w0 = 2 * math.pi * freq / RATE
    sn, cs = math.sin(w0), math.cos(w0)
    alpha = sn / (2 * q)
    if kind == "lp":
        b = ((1 - cs) / 2, 1 - cs, (1 - cs) / 2)
        a = (1 + alpha, -2 * cs, 1 - alpha)
    elif kind == "hp":
        b = ((1 + cs) / 2, -(1 + cs), (1 + cs) / 2)
        a = (1 + alpha, -2 * cs, 1 - alpha)
    elif kind == "peak":
        big_a = 10 ** (gain_db / 40)
        b = (1 + alpha * big_a, -2 * cs, 1 - alpha * big_a)
        a = (1 + alpha / big_a, -2 * cs, 1 - alpha / big_a)
    else:
        raise ValueError(kind)
    return (b[0] / a[0], b[1] / a[0], b[2] / a[0], a[1] / a[0], a[2] / a[0])


def filter_signal(coeffs, x):
    b0, b1, b2, a1, a2 = coeffs
    x1 = x2 = y1 = y2 = 0.0
    out = []
    for v in x:
        y = b0 * v + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2
        x2, x1, y2, y1 = x1, v, y1, y
        out.append(y)
    return out


def cascade_response(stages, length):
    x = [1.0] + [0.0] * (length - 1)
    for stage in stages:
        x = filter_signal(design(*stage), x)
    return x


def add_reflections(body, reflections):
    out = list(body)
    for delay, gain in reflections:
        for n in range(delay, len(out)):
            out[n] += gain * body[n - delay]
    return out


def to_float32(v):
    return struct.unpack("<f", struct.pack("<f", v))[0]


def tail_fraction(table):
    total = sum(v * v for v in table)
    return sum(v * v for v in table[TAIL_START:]) / total


class Design:
    def __init__(self, name, label, head, peak_index, last, tail, stages, resonance,
                 reflections=(), lowpass_order=1, lowpass_q=0.6, lowpass_range=(3000, 9000)):
        self.name = name
        self.label = label
        self.head = head  # the fixed first five samples, as decimal texts
        self.peak_index = peak_index
        self.last = last
        self.tail = tail
        self.stages = stages  # fixed stages of the body
        self.resonance = resonance  # (frequency, q): the peaking stage tuned to the tail energy
        self.reflections = reflections
        self.lowpass_order = lowpass_order
        self.lowpass_q = lowpass_q
        self.lowpass_range = lowpass_range

    def body(self, lowpass_hz, resonance_db):
        stages = list(self.stages)
        stages += [("lp", lowpass_hz, self.lowpass_q)] * self.lowpass_order
        freq, q = self.resonance
        stages.append(("peak", freq, q, resonance_db))
        body = cascade_response(stages, LENGTH + 16)
        return add_reflections(body, self.reflections)

    def head_values(self):
        return [float(v) for v in self.head]

    def align(self, body):
        """Shifts the body so that its main peak stands at the fixed index and scales it to
        continue the fixed head; returns the table before the end ramp and the head misfit."""
        main = max(range(16), key=lambda n: abs(body[n]))
        shift = main - self.peak_index
        if shift >= 0:
            shifted = body[shift:shift + LENGTH]
        else:
            shifted = [0.0] * (-shift) + body[:LENGTH + shift]
        head = self.head_values()
        # How well the body's pulse matches the fixed head, at its best least-squares scale
        # (fit_lowpass picks the cut-off by it).
        scale = sum(h * s for h, s in zip(head, shifted)) / sum(s * s for s in shifted[:5])
        misfit = sum((h - scale * s) ** 2 for h, s in zip(head, shifted))
        # The body itself is scaled for continuity at the seam: sample 5 follows the fixed 4.
        scale = head[4] / shifted[4] if abs(shifted[4]) > 0.1 else scale
        table = head + [scale * v for v in shifted[5:]]
        return table, misfit

    def finish(self, table):
        correction = self.last - table[-1]
        out = list(table)
        for n in range(LENGTH - RAMP, LENGTH):
            ramp = 0.5 * (1 - math.cos(math.pi * (n - (LENGTH - RAMP)) / (RAMP - 1)))
            out[n] += correction * ramp
        out[-1] = self.last
        return out

    def fit_lowpass(self):
        """The low-pass cut-off whose pulse best matches the fixed head."""
        lo, hi = self.lowpass_range
        best = None
        for hz in range(int(lo), int(hi) + 1, 25):
            _, misfit = self.align(self.body(hz, 0.0))
            if best is None or misfit < best[1]:
                best = (hz, misfit)
        return best[0]

    def build(self):
        lowpass_hz = self.fit_lowpass()
        lo, hi = -12.0, 30.0
        for _ in range(80):
            mid = (lo + hi) / 2
            table, _ = self.align(self.body(lowpass_hz, mid))
            if tail_fraction(self.finish(table)) < self.tail:
                lo = mid
            else:
                hi = mid
        resonance_db = (lo + hi) / 2
        table, _ = self.align(self.body(lowpass_hz, resonance_db))
        table = [to_float32(v) for v in self.finish(table)]
        self.check(table)
        return table, lowpass_hz, resonance_db

    def check(self, table):
        head = [to_float32(v) for v in self.head_values()]
        assert table[:5] == head, self.name
        assert table[self.peak_index] == to_float32(PEAK), self.name
        others = [abs(v) for n, v in enumerate(table) if n != self.peak_index]
        assert max(others) < to_float32(PEAK), (self.name, max(others))
        assert table[-1] == to_float32(self.last), self.name
        assert abs(tail_fraction(table) - self.tail) < 1e-4, (self.name, tail_fraction(table))
        assert all(math.isfinite(v) for v in table)


DESIGNS = [
    Design("preamp 0", '"Borkan"', ["0.384311", "0.821911", "0.966", "0.715537", "0.265492"], 2,
           -0.003249, 0.02,
           stages=[("hp", 72.0, 0.707), ("peak", 950.0, 0.9, 4.5)],
           resonance=(215.0, 4.5), lowpass_order=1, lowpass_q=0.6, lowpass_range=(3000, 12000)),
    Design("preamp 1", '"Stygra"', ["0.358463", "0.74653", "0.966", "0.888381", "0.559598"], 2,
           0.00317, 0.012,
           stages=[("hp", 88.0, 0.707), ("peak", 760.0, 0.8, 5.0)],
           resonance=(185.0, 4.0), lowpass_order=1, lowpass_q=0.65, lowpass_range=(2500, 9000)),
    Design("cabinet 0", '"Vellmoth"', ["0.414427", "0.414427", "0.719072", "0.946448", "0.966"],
           4, 0.013252, 0.06,
           stages=[("hp", 78.0, 0.707), ("peak", 2300.0, 1.3, 5.5), ("peak", 4300.0, 2.5, -3.0)],
           resonance=(104.0, 3.5), reflections=[(23, -0.32), (61, 0.18)],
           lowpass_order=4, lowpass_q=0.6, lowpass_range=(3000, 12000)),
    Design("cabinet 1", '"Tassoven"', ["0.468397", "0.468397", "0.797754", "0.966", "0.895477"],
           3, 0.011389, 0.10,
           stages=[("hp", 68.0, 0.707), ("peak", 1900.0, 1.1, 4.5), ("peak", 3700.0, 2.5, -3.5)],
           resonance=(96.0, 3.5), reflections=[(31, -0.28), (74, 0.22)],
           lowpass_order=4, lowpass_q=0.6, lowpass_range=(3000, 12000)),
    Design("cabinet 2", '"Orrindal"', ["0.413715", "0.413715", "0.732704", "0.958652", "0.966"],
           4, 0.013078, 0.07,
           stages=[("hp", 85.0, 0.707), ("peak", 2700.0, 1.5, 6.0), ("peak", 4700.0, 2.5, -4.0)],
           resonance=(112.0, 3.2), reflections=[(19, -0.36), (53, 0.2)],
           lowpass_order=4, lowpass_q=0.65, lowpass_range=(3000, 12000)),
]


def literal(value, fixed_text=None):
    if fixed_text is not None:
        return fixed_text + "f"
    text = "%.9g" % value
    if "e" not in text and "." not in text:
        text += ".0"
    return text + "f"


def emit(out):
    out.write("// Generated by tools/irgen/irgen.py; edit the generator, not this file.\n")
    out.write('#include "plugin/impulse_tables.h"\n\n')
    out.write("alignas(16) const float kImpulseTables[kImpulseTableCount][kImpulseLength] = {\n")
    for design in DESIGNS:
        table, lowpass_hz, resonance_db = design.build()
        out.write("    // %s (%s): low-pass %d Hz, resonance %.2f dB, tail %.1f %%\n"
                  % (design.name, design.label, lowpass_hz, resonance_db, 100 * design.tail))
        out.write("    {\n")
        fixed = {n: text for n, text in enumerate(design.head)}
        fixed[design.peak_index] = "0.966"
        fixed[LENGTH - 1] = repr(design.last)
        items = [literal(v, fixed.get(n)) for n, v in enumerate(table)]
        for row in range(0, LENGTH, 6):
            out.write("        " + ", ".join(items[row:row + 6]) + ",\n")
        out.write("    },\n")
    out.write("};\n")


if __name__ == "__main__":
    emit(sys.stdout)
