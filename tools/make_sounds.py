#!/usr/bin/env python3
"""Synthesises the seven sound cues into resources/sounds/ (16-bit mono WAV, 44.1 kHz).

Run it again after changing a cue and commit its output; the build only embeds the files. The
output is deterministic, so an unchanged script gives byte-identical files.
"""

import math
import random
import struct
import sys
import wave
from pathlib import Path

RATE = 44100
PEAK = 0.55  # leaves headroom: the player scales further by the user's volume


def note(frequency, start, length, attack=0.004, decay=8.0, overtone=0.25):
    """A soft bell: a sine with a quieter octave, a short attack and an exponential fade."""
    def sample(t):
        local = t - start
        if local < 0 or local > length:
            return 0.0
        envelope = min(local / attack, 1.0) * math.exp(-decay * local)
        # A short fade at the very end keeps the cut from clicking.
        envelope *= min((length - local) / 0.01, 1.0)
        phase = 2 * math.pi * frequency * local
        return envelope * (math.sin(phase) + overtone * math.sin(2 * phase))
    return sample


def glide(start_frequency, end_frequency, start, length, decay=5.0, noise=0.0, seed=1):
    """A pitch sweep, optionally with a breath of noise that fades faster than the tone."""
    generator = random.Random(seed)
    state = {"phase": 0.0, "last": start, "noise": 0.0}

    def sample(t):
        local = t - start
        if local < 0 or local > length:
            return 0.0
        progress = local / length
        frequency = start_frequency * (end_frequency / start_frequency) ** progress
        state["phase"] += 2 * math.pi * frequency / RATE
        envelope = min(local / 0.006, 1.0) * math.exp(-decay * local)
        envelope *= min((length - local) / 0.015, 1.0)
        # One-pole low-pass noise: a soft rush rather than hiss.
        state["noise"] = 0.85 * state["noise"] + 0.15 * generator.uniform(-1, 1)
        breath = noise * state["noise"] * math.exp(-14 * local)
        return envelope * math.sin(state["phase"]) + breath
    return sample


def render(parts, seconds):
    count = int(seconds * RATE)
    samples = [sum(part(i / RATE) for part in parts) for i in range(count)]
    loudest = max(abs(s) for s in samples) or 1.0
    return [s / loudest * PEAK for s in samples]


def hz(name):
    """Equal-tempered frequency of a note name such as "A4" or "C#5"."""
    steps = {"C": -9, "C#": -8, "D": -7, "D#": -6, "E": -5, "F": -4, "F#": -3, "G": -2,
             "G#": -1, "A": 0, "A#": 1, "B": 2}
    pitch, octave = name[:-1], int(name[-1])
    return 440.0 * 2 ** ((steps[pitch] + 12 * (octave - 4)) / 12)


CUES = {
    # A light tick: a page changes, nothing more.
    "navigation": ([note(hz("E6"), 0.0, 0.07, decay=45.0, overtone=0.1)], 0.08),
    # Kept: two notes rising a fourth, bright and settled.
    "keep": ([note(hz("E5"), 0.0, 0.12, decay=18.0), note(hz("A5"), 0.07, 0.16, decay=14.0)], 0.24),
    # To the Trash: a falling sweep with a soft rush.
    "trash": ([glide(620, 170, 0.0, 0.26, decay=7.0, noise=0.35, seed=7)], 0.27),
    # Moved: a quick upward glide, like something carried away.
    "move": ([glide(420, 940, 0.0, 0.2, decay=6.0)], 0.21),
    # Later: two low notes falling a fourth, unhurried.
    "later": ([note(hz("A4"), 0.0, 0.14, decay=14.0, overtone=0.15),
               note(hz("E4"), 0.09, 0.17, decay=12.0, overtone=0.15)], 0.27),
    # Undo: three quick notes stepping down, the gesture taken back.
    "undo": ([note(hz("C6"), 0.0, 0.08, decay=30.0), note(hz("G5"), 0.05, 0.08, decay=30.0),
              note(hz("E5"), 0.10, 0.12, decay=20.0)], 0.23),
    # Session complete: a rising major arpeggio that rings out.
    "complete": ([note(hz("C5"), 0.0, 0.5, decay=5.0), note(hz("E5"), 0.09, 0.45, decay=5.5),
                  note(hz("G5"), 0.18, 0.42, decay=6.0), note(hz("C6"), 0.27, 0.4, decay=6.5)],
                 0.68),
}


def write(path, samples):
    with wave.open(str(path), "wb") as output:
        output.setnchannels(1)
        output.setsampwidth(2)
        output.setframerate(RATE)
        frames = b"".join(struct.pack("<h", int(round(s * 32767))) for s in samples)
        output.writeframes(frames)


def main():
    folder = Path(sys.argv[1]) if len(sys.argv) > 1 else \
        Path(__file__).resolve().parent.parent / "resources" / "sounds"
    folder.mkdir(parents=True, exist_ok=True)
    for name, (parts, seconds) in CUES.items():
        write(folder / f"swipe-{name}.wav", render(parts, seconds))


if __name__ == "__main__":
    main()
