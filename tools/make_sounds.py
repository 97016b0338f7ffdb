#!/usr/bin/env python3
"""Synthesises the game's two sounds as 16-bit mono WAV files.

    tools/make_sounds.py [output folder]      (default: assets/sonidos)

hit0.wav: a short sword strike, a bright metallic click over a dull thump.
dead.wav: the hero falling, a falling groan-like tone fading into a low thud.
Both are normalised to a peak of 70 % of full scale, so they never clip.
"""

import math
import os
import random
import struct
import sys
import wave

RATE = 22050


def envelope(t, attack, decay):
    return min(1.0, t / attack) * math.exp(-t / decay) if attack > 0 else math.exp(-t / decay)


def hit():
    rng = random.Random(1)
    n = int(RATE * 0.22)
    out = []
    low = 0.0
    for i in range(n):
        t = i / RATE
        noise = rng.uniform(-1, 1)
        low += (noise - low) * 0.08              # filtered noise: the thump
        ring = sum(math.sin(2 * math.pi * f * t) * a for f, a in ((1870, 0.5), (2630, 0.35), (3910, 0.2)))
        thump = math.sin(2 * math.pi * (140 - 200 * t) * t)
        out.append(ring * envelope(t, 0.002, 0.035) + (low * 2.5 + thump) * envelope(t, 0.003, 0.06))
    return out


def dead():
    rng = random.Random(2)
    n = int(RATE * 0.9)
    out = []
    phase = 0.0
    low = 0.0
    for i in range(n):
        t = i / RATE
        freq = 330 * math.exp(-t * 1.6) + 60      # sliding down
        phase += 2 * math.pi * freq / RATE
        voice = math.sin(phase) + 0.45 * math.sin(2 * phase + 0.3) + 0.2 * math.sin(3 * phase)
        vibrato = 1 + 0.15 * math.sin(2 * math.pi * 6 * t)
        tone = voice * vibrato * envelope(t, 0.02, 0.35)
        low += (rng.uniform(-1, 1) - low) * 0.05
        thud_t = t - 0.55                        # the body hits the ground
        thud = 0.0
        if thud_t > 0:
            thud = (math.sin(2 * math.pi * 55 * thud_t) + low * 3) * envelope(thud_t, 0.004, 0.09)
        out.append(tone + thud)
    return out


def save(path, samples):
    peak = max(abs(s) for s in samples) or 1.0
    scale = 0.7 * 32767 / peak
    fade = int(RATE * 0.01)                      # no click at the end
    data = bytearray()
    for i, s in enumerate(samples):
        g = min(1.0, (len(samples) - i) / fade)
        data += struct.pack("<h", int(round(s * scale * g)))
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(bytes(data))


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "assets", "sonidos")
    os.makedirs(out, exist_ok=True)
    save(os.path.join(out, "hit0.wav"), hit())
    save(os.path.join(out, "dead.wav"), dead())
    print("wrote hit0.wav and dead.wav to %s" % os.path.normpath(out))


if __name__ == "__main__":
    main()
