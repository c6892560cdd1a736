"""Seeded test signals for the detection golden files.

signals.py DIR   writes one WAV file per signal into DIR and prints, one per
                 line, "NAME FILE CHANNEL" for every analysis to run.
"""
import math
import random
import struct
import sys
import wave


def clip(x):
    return max(-32768, min(32767, int(round(x))))


def write(path, rate, channels, frames):
    with wave.open(path, "wb") as w:
        w.setnchannels(channels)
        w.setsampwidth(2)
        w.setframerate(rate)
        flat = [clip(s) for frame in frames for s in frame] if channels > 1 else [clip(s) for s in frames]
        w.writeframes(struct.pack(f"<{len(flat)}h", *flat))


def drum_loop(rng, rate, seconds, beat):
    """Kicks, snares and hats on a grid, with a quiet noise floor."""
    n = int(rate * seconds)
    out = [rng.uniform(-30, 30) for _ in range(n)]
    step = int(rate * beat / 4)
    for k, start in enumerate(range(0, n, step)):
        kind = ("kick", "hat", "snare", "hat")[k % 4]
        peak = {"kick": 28000, "snare": 20000, "hat": 7000}[kind] * rng.uniform(0.7, 1.0)
        decay = {"kick": 0.09, "snare": 0.06, "hat": 0.02}[kind] * rate
        for i in range(min(int(6 * decay), n - start)):
            env = peak * math.exp(-i / decay)
            if kind == "kick":
                out[start + i] += env * math.sin(2 * math.pi * (50 + 80 * math.exp(-i / (0.01 * rate))) * i / rate)
            else:
                out[start + i] += env * rng.uniform(-1, 1)
    return out


def bursts(rng, rate, seconds, gap, jitter=0.4, decay=(40, 600)):
    """Decaying noise bursts roughly `gap` samples apart."""
    n = int(rate * seconds)
    out = [0.0] * n
    at = 500
    while at < n - 10:
        peak, length = rng.uniform(3000, 30000), rng.uniform(*decay)
        for i in range(min(int(8 * length), n - at)):
            out[at + i] += rng.uniform(-1, 1) * peak * math.exp(-i / length)
        at += int(gap * rng.uniform(1 - jitter, 1 + jitter))
    return out


def silence_heavy(rng, rate):
    """Long digital silence with a few hits, a near-silent stretch and a tone."""
    n = rate * 12
    out = [0.0] * n
    for start in (rate, 4 * rate, int(4.3 * rate), 9 * rate):
        for i in range(3000):
            out[start + i] = rng.uniform(-1, 1) * 25000 * math.exp(-i / 400)
    for i in range(6 * rate, 7 * rate):
        out[i] = rng.choice((-1, 0, 1))
    for i in range(10 * rate, 11 * rate):
        out[i] = 12000 * math.sin(2 * math.pi * 220 * i / rate)
    return out


def edge_clicks(rng, rate):
    """Clicks in the first and last samples and a burst at the very start."""
    n = rate * 2
    out = [rng.uniform(-20, 20) for _ in range(n)]
    for i in range(60):
        out[i] = rng.uniform(-1, 1) * 30000
    for i in (n - 1, n - 3, n - 400):
        out[i] = 32000
    out[rate] = -32768
    return out


def main():
    out = sys.argv[1]
    rng = random.Random(20261208)
    runs = []

    def mono(name, rate, samples):
        write(f"{out}/{name}.wav", rate, 1, samples)
        runs.append((name, f"{name}.wav", "combine"))

    for rate in (22050, 44100, 96000):
        mono(f"drums{rate}", rate, drum_loop(rng, rate, 6, 0.5))
    for rate in (176400, 192000):
        mono(f"dense{rate}", rate, bursts(rng, rate, 1.5, 430))
    left = drum_loop(rng, 48000, 5, 0.5)
    right = bursts(rng, 48000, 5, 9000)
    write(f"{out}/stereo48000.wav", 48000, 2, list(zip(left, right)))
    for channel in ("left", "right", "combine"):
        runs.append((f"stereo48000-{channel}", "stereo48000.wav", channel))
    mono("silence44100", 44100, silence_heavy(rng, 44100))
    # Noise whose level jumps every tenth of a second, and noise of a steady level.
    levels = [rng.choice((300, 3000, 12000)) for _ in range(40)]
    mono("noise44100", 44100, [rng.gauss(0, levels[i // 4410]) for i in range(44100 * 4)])
    mono("steadynoise44100", 44100, [rng.gauss(0, 3000) for _ in range(44100 * 2)])
    mono("quietnoise44100", 44100, [rng.uniform(-3, 3) for _ in range(44100 * 4)])
    mono("edges44100", 44100, edge_clicks(rng, 44100))
    mono("edges8000", 8000, edge_clicks(rng, 8000))
    mono("slow1000", 1000, bursts(rng, 1000, 30, 700))
    mono("short44100", 44100, [rng.uniform(-20000, 20000) for _ in range(700)])
    # More onsets than the table holds: it fills at 8192 points.
    mono("limit44100", 44100, bursts(rng, 44100, 190, 800, jitter=0.1, decay=(20, 80)))
    for name, path, channel in runs:
        print(name, path, channel)


if __name__ == "__main__":
    main()
