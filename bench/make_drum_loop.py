"""Writes a drum loop of the given length: kicks, snares and hats with
decaying envelopes over a little noise, 16-bit mono."""
import sys
import wave

import numpy as np

path, seconds = sys.argv[1], float(sys.argv[2])
rate = int(sys.argv[3]) if len(sys.argv) > 3 else 44100
rng = np.random.default_rng(1)
n = int(seconds * rate)
out = rng.normal(0, 30, n)
beat = int(rate * 60 / 120 / 2)  # eighth notes at 120 BPM
t = np.arange(int(rate * 0.4))
kick = np.sin(2 * np.pi * 55 * t / rate * (1 + 2 * np.exp(-t / 800))) * np.exp(-t / 5000) * 26000
snare = rng.normal(0, 1, t.size) * np.exp(-t / 2500) * 18000
hat = rng.normal(0, 1, t.size) * np.exp(-t / 600) * 7000
for i, start in enumerate(range(0, n, beat)):
    hit = kick if i % 4 == 0 else snare if i % 4 == 2 else hat
    end = min(n, start + hit.size)
    out[start:end] += hit[: end - start]
pcm = np.clip(np.round(out), -32768, 32767).astype("<i2")
with wave.open(path, "wb") as w:
    w.setnchannels(1)
    w.setsampwidth(2)
    w.setframerate(rate)
    w.writeframes(pcm.tobytes())
