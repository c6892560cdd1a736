#!/usr/bin/python3
"""Writes the seed corpora of the fuzz targets: FOLDER/wave_load,
FOLDER/clipboard_paste and FOLDER/exports.

Usage: make_fuzz_corpus.py FOLDER

Seeded, so every run writes the same files: small WAV files in the layouts
the loader meets (mono and stereo, 8, 16 and 24 bits, float, AIFF, rates up
to 192 kHz, truncated, chunks in odd orders), clipboard images, and loops followed by
export options. Each file stays under the fuzzers' 64 KiB input cap.
"""
import math
import random
import struct
import sys
from pathlib import Path

MAX_LEN = 65536
RATES = (8000, 22050, 44100, 48000, 96000, 176400, 192000)


def drum_loop(rng, count, spacing, decay):
    """Noise bursts every `spacing` samples, each dying away over `decay`."""
    return [int(rng.uniform(-1, 1) * 28000 * math.exp(-(i % spacing) / decay)) for i in range(count)]


def pcm(samples, bits=16):
    if bits == 8:
        return bytes((s >> 8) + 128 for s in samples)
    if bits == 24:
        return b"".join(struct.pack("<i", s * 256)[:3] for s in samples)
    return struct.pack(f"<{len(samples)}h", *samples)


def chunk(cid, body, size=None):
    """A chunk with a pad byte after an odd body; `size` overrides the size field."""
    return cid + struct.pack("<I", len(body) if size is None else size) + body + b"\0" * (len(body) % 2)


def fmt(channels, rate, bits, tag=1, extra=b""):
    align = channels * bits // 8
    return chunk(b"fmt ", struct.pack("<HHIIHH", tag, channels, rate, rate * align, align, bits) + extra)


def riff(chunks, form=b"WAVE", size=None):
    body = form + b"".join(chunks)
    return b"RIFF" + struct.pack("<I", len(body) if size is None else size) + body


def wave(samples, rate=44100, channels=1, bits=16):
    return riff([fmt(channels, rate, bits), chunk(b"data", pcm(samples, bits))])


def wave_load(rng):
    files = {}
    for rate in RATES:
        for channels in (1, 2):
            frames = min(rate // 4, (MAX_LEN - 64) // (2 * channels))
            # Short bursts close together in mono (at high rates refinement
            # windows span several of them), longer ones further apart in stereo.
            if channels == 1:
                left = drum_loop(rng, frames, 800, 100)
            else:
                left = drum_loop(rng, frames, rate // 8, rate / 300)
            samples = left if channels == 1 else [s for l in left for s in (l, rng.randint(-3000, 3000))]
            files[f"{channels}ch-{rate}.wav"] = wave(samples, rate, channels)
    loop = drum_loop(rng, 4000, 1000, 150)
    for bits in (8, 24):
        files[f"{bits}bit.wav"] = wave(loop, bits=bits)
    good = wave(loop)
    for cut in (3, 11, 20, 30, 36, 44, 45, len(good) // 2, len(good) - 1):
        files[f"truncated-{cut}.wav"] = good[:cut]
    f = fmt(1, 44100, 16)
    data = chunk(b"data", pcm(loop))
    info = chunk(b"LIST", b"INFO" + chunk(b"ISFT", b"seed\0"))
    extensible = struct.pack("<HHI", 22, 16, 4) + bytes.fromhex("0100000000001000800000aa00389b71")
    files.update({
        "fmt-after-data.wav": riff([data, f]),
        "list-first.wav": riff([info, f, data]),
        "odd-chunk-first.wav": riff([chunk(b"junk", b"abc"), f, data]),
        "fmt-18.wav": riff([fmt(1, 44100, 16, extra=b"\0\0"), data]),
        "fmt-4.wav": riff([chunk(b"fmt ", b"\x01\x00\x01\x00"), data]),
        "extensible.wav": riff([fmt(1, 44100, 16, tag=0xFFFE, extra=extensible), data]),
        "float.wav": riff([fmt(1, 44100, 32, tag=3), chunk(b"data", struct.pack(f"<{len(loop)}f", *(s / 32768 for s in loop)))]),
        "data-past-end.wav": riff([f, chunk(b"data", pcm(loop[:500]), size=100000)]),
        "chunk-past-end.wav": riff([chunk(b"junk", b"", size=0xFFFFFFF0), f, data]),
        "riff-size-short.wav": riff([f, data], size=20),
        "riff-size-huge.wav": riff([f, data], size=0xFFFFFFF0),
        "no-data.wav": riff([f]),
        "no-fmt.wav": riff([data]),
        "two-data.wav": riff([f, chunk(b"data", b""), data]),
        "3ch.wav": riff([fmt(3, 44100, 16), data]),
        "rate-0.wav": riff([fmt(1, 0, 16), data]),
        "rate-768000.wav": riff([fmt(1, 768000, 16), data]),
        "rate-768001.wav": riff([fmt(1, 768001, 16), data]),
        "odd-data.wav": riff([f, chunk(b"data", pcm(loop[:301])[:-1])]),
        "stereo-half-frame.wav": riff([fmt(2, 44100, 16), chunk(b"data", pcm(loop[:303]))]),
        "avi-form.wav": riff([f, data], form=b"AVI "),
        "rifx.wav": b"RIFX" + good[4:],
        "24bit-stereo.wav": wave([s for l in loop[:2000] for s in (l, -l)], channels=2, bits=24),
        # AIFF: big-endian samples, the rate as an 80-bit float (44100 Hz).
        "aiff-16.aiff": b"FORM" + struct.pack(">I", 4 + 26 + 16 + 2 * len(loop)) + b"AIFF"
        + b"COMM" + struct.pack(">IhIh", 18, 1, len(loop), 16) + bytes.fromhex("400eac44000000000000")
        + b"SSND" + struct.pack(">III", 8 + 2 * len(loop), 0, 0) + struct.pack(f">{len(loop)}h", *loop),
        "text.wav": b"this is no wave file",
        "empty.wav": b"",
    })
    return files


def clipboard_paste(rng):
    """Clipboard images as the copy commands write them (an 18-byte fmt chunk),
    each followed by 4 bytes that choose the segment pasted into."""
    def tail():
        return bytes(rng.randrange(256) for _ in range(4))

    def image(data, extra_chunks=()):
        return riff([fmt(1, 44100, 16, extra=b"\0\0"), *extra_chunks, chunk(b"data", data)])

    files = {}
    for n in (0, 1, 2, 50, 2000, 5500, 11025, 16000):
        files[f"samples-{n}"] = image(pcm(drum_loop(rng, n, 1300, 150))) + tail()
    loop = pcm(drum_loop(rng, 3000, 1000, 150))
    header = image(b"")[:-8]
    files.update({
        "odd-length": image(loop[:301]) + tail(),
        "stated-longer": header + chunk(b"data", loop, size=len(loop) * 4) + tail(),
        "stated-shorter": header + b"data" + struct.pack("<I", 10) + loop + tail(),
        "da-in-list": image(loop, [chunk(b"LIST", b"INFO" + chunk(b"ICMT", b"dance"))]) + tail(),
        "da-after-riff": b"RIFFdata" + struct.pack("<I", len(loop)) + loop + tail(),
        "no-da": b"RIFF" + bytes(rng.choice(b"RIFWAVEfmt ") for _ in range(200)),
        "riff-only": b"RIFF",
        "not-riff": b"RIFX" + image(loop)[4:] + tail(),
    })
    return files


def exports(rng):
    """Loops of several kinds, each followed by 32 bytes of export options."""
    kinds = {
        "drums": lambda n: drum_loop(rng, n, rng.choice((700, 1500, 3000)), rng.choice((80, 200, 600))),
        "silence": lambda n: [0] * n,
        "click": lambda n: [30000 if i == n // 2 else 0 for i in range(n)],
        "noise": lambda n: [rng.randint(-32768, 32767) for _ in range(n)],
        "sine": lambda n: [int(20000 * math.sin(i / 7)) for i in range(n)],
    }
    files = {}
    for name, make in kinds.items():
        for n in (0, 500, 6000, 30000):
            options = bytes(rng.randrange(256) for _ in range(32))
            files[f"{name}-{n}"] = pcm(make(n)) + options
    return files


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make_fuzz_corpus.py FOLDER")
    rng = random.Random(1)
    for target, make in (("wave_load", wave_load), ("clipboard_paste", clipboard_paste), ("exports", exports)):
        folder = Path(sys.argv[1]) / target
        folder.mkdir(parents=True, exist_ok=True)
        for name, data in make(rng).items():
            assert len(data) <= MAX_LEN, name
            (folder / name).write_bytes(data)


main()
