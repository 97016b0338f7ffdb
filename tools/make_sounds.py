#!/usr/bin/env python3
"""Synthesises the game's two sounds as 16-bit mono WAV files.

    tools/make_sounds.py [output folder]      (default: assets/sonidos)

hit0.wav: a strike landing, 0.2 s: a low thud falling in pitch under a short
          bright edge of metal partials and hiss that dies within 30 ms.
dead.wav: the hero falling, 0.9 s: a voice-like tone sliding down an octave
          and a half, darkening and fading out smoothly.
Every sound starts and ends on silence through short cosine fades (no
clicks) and is normalised to a peak of 70 % of full scale (no clipping).
"""

import math
import os
import random
import struct
import sys
import wave

RATE = 22050


def fades(samples, fade_in, fade_out):
    """Raised-cosine fades at both ends, so the first and last samples are 0."""
    n, a, b = len(samples), int(RATE * fade_in), int(RATE * fade_out)
    ramp = lambda i, m: 0.5 - 0.5 * math.cos(math.pi * min(i, m) / m)  # noqa: E731
    return [s * ramp(i, a) * ramp(n - 1 - i, b) for i, s in enumerate(samples)]


def hit():
    rng = random.Random(1)
    out, phase, prev, high = [], 0.0, 0.0, 0.0
    for i in range(int(RATE * 0.2)):
        t = i / RATE
        phase += 2 * math.pi * (55 + 95 * math.exp(-t / 0.04)) / RATE  # 150 Hz falling to 55 Hz
        body = (math.sin(phase) + 0.3 * math.sin(2 * phase)) * math.exp(-t / 0.05)
        noise = rng.uniform(-1, 1)
        high, prev = 0.6 * (high + noise - prev), noise                  # first-order high-pass
        metal = sum(a * math.sin(2 * math.pi * f * t) for f, a in ((2150, 0.5), (3370, 0.3), (4890, 0.2)))
        out.append(body + (0.6 * metal + 0.5 * high) * math.exp(-t / 0.009))
    return fades(out, 0.002, 0.03)


def dead():
    out, phase, length = [], 0.0, 0.9
    for i in range(int(RATE * length)):
        t = i / RATE
        freq = 95 + 235 * math.exp(-t / 0.3) * (1 + 0.02 * math.sin(2 * math.pi * 5.5 * t))
        phase += 2 * math.pi * freq / RATE
        bright = math.exp(-t / 0.5)                                    # upper partials fade first
        voice = math.sin(phase) + 0.45 * bright * math.sin(2 * phase) + 0.2 * bright ** 2 * math.sin(3 * phase)
        out.append(voice * (0.35 + 0.65 * math.exp(-t / 0.45)))
    return fades(out, 0.015, 0.25)


def save(path, samples):
    scale = 0.7 * 32767 / max(abs(s) for s in samples)
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(b"".join(struct.pack("<h", round(s * scale)) for s in samples))


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "assets", "sonidos")
    os.makedirs(out, exist_ok=True)
    save(os.path.join(out, "hit0.wav"), hit())
    save(os.path.join(out, "dead.wav"), dead())
    print("wrote hit0.wav and dead.wav to %s" % os.path.normpath(out))


if __name__ == "__main__":
    main()
