"""Writes the small WAV files the command-line tests read."""
import math
import random
import struct
import sys
import wave

out = sys.argv[1]
rate = 44100


def loop_samples(seconds):
    rng = random.Random(3)
    samples = []
    spacing = rate // 2
    for i in range(seconds * rate):
        since = i % spacing
        env = math.exp(-since / 1500.0)
        samples.append(int(max(-32768, min(32767, rng.uniform(-1, 1) * 28000 * env))))
    return samples


def write_wave(name, samples, channels=1, width=2):
    with wave.open(f"{out}/{name}", "wb") as w:
        w.setnchannels(channels)
        w.setsampwidth(width)
        w.setframerate(rate)
        if width == 2:
            w.writeframes(struct.pack(f"<{len(samples)}h", *samples))
        else:
            w.writeframes(bytes(samples))


loop = loop_samples(4)
write_wave("loop.wav", loop)
stereo = []
for s in loop:
    stereo += [s, 0]
write_wave("stereo.wav", stereo, channels=2)
write_wave("8bit.wav", [128] * 100, width=1)
open(f"{out}/text.wav", "w").write("this is no wave file")
with open(f"{out}/avi.wav", "wb") as f:
    f.write(b"RIFF" + struct.pack("<I", 4) + b"AVI ")
with open(f"{out}/nodata.wav", "wb") as f:
    fmt = struct.pack("<HHIIHH", 1, 1, rate, rate * 2, 2, 16)
    f.write(b"RIFF" + struct.pack("<I", 4 + 8 + 16) + b"WAVE" + b"fmt " + struct.pack("<I", 16) + fmt)
