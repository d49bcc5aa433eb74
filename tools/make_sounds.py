#!/usr/bin/python3
"""Synthesises the game's sounds and music: no samples, only oscillators,
envelopes and noise, mixed here and written as WAV (the standard library's
wave module) or Ogg Vorbis (oggenc from Debian's vorbis-tools).

Files written (under game/data/):

  sound/click.wav     the buttons' click, 40 ms
  sound/victory.ogg   a rising fanfare, about 1.8 s
  sound/defeat.ogg    a falling "wah wah", about 2.2 s
  music/menu.ogg      calm loop for the title, shop and editor, 28.8 s
  music/fight.ogg     driving loop for fights, 27.4 s

The music loops seamlessly: notes that ring past the end of the loop are
folded back onto its start, so the track can be restarted at its end without
a click. Output is deterministic (seeded noise); the OGG files depend on the
installed encoder.

Needs vorbis-tools only to regenerate; the output is committed.
Usage: /usr/bin/python3 tools/make_sounds.py [GAME_FOLDER]
"""
import math
import os
import random
import struct
import subprocess
import sys
import tempfile
import wave

RATE = 44100
TABLE_SIZE = 4096
MASK = TABLE_SIZE - 1

NOTE_NAMES = {"C": 0, "D": 2, "E": 4, "F": 5, "G": 7, "A": 9, "B": 11}


def freq(note):
    """'A4' -> 440 Hz; sharps as 'F#3', flats as 'Bb2'."""
    name, rest = note[0], note[1:]
    semitone = NOTE_NAMES[name]
    if rest[0] == "#":
        semitone += 1
        rest = rest[1:]
    elif rest[0] == "b":
        semitone -= 1
        rest = rest[1:]
    midi = 12 * (int(rest) + 1) + semitone
    return 440.0 * 2 ** ((midi - 69) / 12.0)


def table(harmonics):
    """A single-cycle wave from (harmonic, amplitude) pairs, peak 1."""
    values = [sum(a * math.sin(2 * math.pi * h * i / TABLE_SIZE) for h, a in harmonics)
              for i in range(TABLE_SIZE)]
    peak = max(abs(v) for v in values)
    return [v / peak for v in values]


SINE = table([(1, 1.0)])
BELL = table([(1, 1.0), (2, 0.35), (3, 0.12), (4, 0.18), (6, 0.05)])
SOFT_SQUARE = table([(1, 1.0), (3, 0.30), (5, 0.14), (7, 0.07), (9, 0.03)])
SAW = table([(h, 0.9 / h) for h in range(1, 12)])
TRIANGLE = table([(1, 1.0), (3, -1 / 9.0), (5, 1 / 25.0), (7, -1 / 49.0)])

NOISE = [random.Random(1234).uniform(-1, 1) for _ in range(RATE)]


class Track:
    """A mono mix buffer; with loop set, writes past the end wrap round."""

    def __init__(self, seconds, loop):
        self.length = int(round(seconds * RATE))
        self.data = [0.0] * self.length
        self.loop = loop

    def add(self, start, samples):
        i0 = int(round(start * RATE))
        data, n = self.data, self.length
        for i, v in enumerate(samples):
            j = i0 + i
            if j >= n:
                if not self.loop:
                    break
                j %= n
            data[j] += v

    def note(self, start, duration, pitch, wave_table, volume, attack=0.005, decay=4.0,
             release=0.08, vibrato=0.0, glide_to=None):
        """One tone: linear attack, exponential decay at `decay` per second,
        a short release after `duration`; optional vibrato depth (semitones)
        and a glide to another pitch over the note."""
        f0 = freq(pitch) if isinstance(pitch, str) else pitch
        f1 = (freq(glide_to) if isinstance(glide_to, str) else glide_to) if glide_to else f0
        total = int((duration + release) * RATE)
        held = int(duration * RATE)
        attack_n = max(1, int(attack * RATE))
        fall = math.exp(-decay / RATE)
        release_step = 1.0 / max(1, int(release * RATE))
        out = []
        phase = 0.0
        level = 1.0
        gate = 1.0
        for i in range(total):
            t = i / RATE
            f = f0 + (f1 - f0) * min(1.0, i / max(1, held))
            if vibrato:
                f *= 2 ** (vibrato * math.sin(2 * math.pi * 5.5 * t) / 12.0)
            phase += f * TABLE_SIZE / RATE
            env = (i / attack_n) if i < attack_n else level
            if i >= attack_n:
                level *= fall
            if i >= held:
                gate = max(0.0, gate - release_step)
            out.append(wave_table[int(phase) & MASK] * env * gate * volume)
        self.add(start, out)

    def kick(self, start, volume=0.9):
        out = []
        phase = 0.0
        for i in range(int(0.32 * RATE)):
            t = i / RATE
            f = 48 + 110 * math.exp(-t * 28)
            phase += f / RATE
            out.append(math.sin(2 * math.pi * phase) * math.exp(-t * 9) * volume)
        self.add(start, out)

    def snare(self, start, volume=0.5):
        out = []
        offset = int(start * 997) % (RATE // 2)
        for i in range(int(0.2 * RATE)):
            t = i / RATE
            noise = NOISE[(offset + i) % RATE]
            tone = math.sin(2 * math.pi * 185 * t)
            out.append((noise * math.exp(-t * 18) * 0.7 + tone * math.exp(-t * 30) * 0.5) * volume)
        self.add(start, out)

    def hat(self, start, volume=0.18, length=0.05):
        out = []
        offset = int(start * 1531) % (RATE // 2)
        previous = 0.0
        for i in range(int(length * RATE)):
            t = i / RATE
            noise = NOISE[(offset + i) % RATE]
            out.append((noise - previous) * 0.5 * math.exp(-t * 70) * volume)
            previous = noise
        self.add(start, out)

    def finish(self, peak=0.82):
        """Soft-clips and normalises; returns 16-bit samples."""
        top = max(1e-9, max(abs(v) for v in self.data))
        gain = 1.0 / top
        samples = []
        for v in self.data:
            x = math.tanh(v * gain * 1.1) / math.tanh(1.1)
            samples.append(int(round(max(-1.0, min(1.0, x * peak)) * 32767)))
        return samples


# --- writing ------------------------------------------------------------------------

def write_wav(path, samples):
    with wave.open(path, "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(struct.pack("<%dh" % len(samples), *samples))


def write_ogg(path, samples, quality):
    with tempfile.TemporaryDirectory() as folder:
        wav = os.path.join(folder, "sound.wav")
        write_wav(wav, samples)
        # A fixed stream serial number keeps the files the same from run to run.
        subprocess.check_call(["oggenc", "-Q", "-s", "1", "-q", str(quality), "-o", path, wav])


# --- effects ---------------------------------------------------------------------------

def click():
    track = Track(0.04, False)
    out = []
    for i in range(int(0.04 * RATE)):
        t = i / RATE
        tick = math.sin(2 * math.pi * 1750 * t) * math.exp(-t * 160)
        body = math.sin(2 * math.pi * 520 * t) * math.exp(-t * 90) * 0.6
        noise = NOISE[i] * math.exp(-t * 600) * 0.5
        fade = min(1.0, (0.04 - t) / 0.005)
        out.append((tick + body + noise) * fade)
    track.add(0, out)
    return track.finish(0.6)


def victory():
    track = Track(1.9, False)
    beat = 0.11
    for i, n in enumerate(("G4", "C5", "E5", "G5")):
        track.note(i * beat, beat * 0.9, n, SOFT_SQUARE, 0.35, decay=3.0, release=0.03)
        track.note(i * beat, beat * 0.9, n, BELL, 0.2, decay=5.0)
    start = 4 * beat
    for n in ("C5", "E5", "G5", "C6"):
        track.note(start, 1.1, n, SOFT_SQUARE, 0.22, attack=0.01, decay=1.6, release=0.3, vibrato=0.08)
        track.note(start, 1.2, n, BELL, 0.18, decay=2.5, release=0.2)
    track.note(start, 1.2, "C3", TRIANGLE, 0.45, decay=1.5, release=0.2)
    track.kick(start, 0.6)
    for k in range(6):
        track.hat(start + k * 0.03, 0.12, 0.3)
    return track.finish()


def defeat():
    track = Track(2.3, False)
    notes = (("G4", 0.0, 0.36), ("F#4", 0.42, 0.36), ("F4", 0.84, 0.36))
    for n, t, d in notes:
        track.note(t, d, n, SOFT_SQUARE, 0.35, attack=0.02, decay=1.5, release=0.06)
        track.note(t, d, n, SAW, 0.12, attack=0.02, decay=2.5, release=0.06)
    track.note(1.26, 0.8, "E4", SOFT_SQUARE, 0.35, attack=0.02, decay=0.8, release=0.2,
               vibrato=0.35, glide_to="D#4")
    track.note(1.26, 0.8, "E4", SAW, 0.12, attack=0.02, decay=1.2, release=0.2,
               vibrato=0.35, glide_to="D#4")
    for n, t in (("C3", 0.0), ("B2", 0.42), ("Bb2", 0.84), ("A2", 1.26)):
        track.note(t, 0.36 if t < 1.2 else 0.8, n, TRIANGLE, 0.4, decay=2.0, release=0.1)
    return track.finish(0.6)


# --- music --------------------------------------------------------------------------------

CHORDS = {
    "C": ("C", "E", "G"), "Am": ("A", "C", "E"), "F": ("F", "A", "C"), "G": ("G", "B", "D"),
    "Em": ("E", "G", "B"), "Dm": ("D", "F", "A"), "E": ("E", "G#", "B"),
}


def chord_notes(name, octave):
    root = CHORDS[name][0]
    notes = []
    for n in CHORDS[name]:
        o = octave + (1 if NOTE_NAMES[n[0]] < NOTE_NAMES[root[0]] else 0)
        notes.append("%s%d" % (n, o))
    return notes


def menu_music():
    bpm = 100.0
    beat = 60.0 / bpm
    bar = 4 * beat
    progression = ["C", "Am", "F", "G", "C", "Em", "F", "G", "Am", "F", "Dm", "G"]
    track = Track(len(progression) * bar, True)
    melody = {
        4: [("E5", 0, 1.5), ("D5", 1.5, 0.5), ("C5", 2, 2)],
        5: [("B4", 0, 1), ("G4", 1, 1), ("B4", 2, 1), ("D5", 3, 1)],
        6: [("C5", 0, 1.5), ("A4", 1.5, 0.5), ("C5", 2, 1), ("F5", 3, 1)],
        7: [("D5", 0, 3), ("B4", 3, 1)],
        8: [("C5", 0, 1), ("E5", 1, 1), ("A5", 2, 2)],
        9: [("G5", 0, 1), ("F5", 1, 1), ("E5", 2, 1), ("C5", 3, 1)],
        10: [("D5", 0, 1.5), ("F5", 1.5, 0.5), ("A5", 2, 2)],
        11: [("G5", 0, 2), ("F5", 2, 1), ("D5", 3, 1)],
    }
    for b, name in enumerate(progression):
        t0 = b * bar
        notes = chord_notes(name, 4)
        # Soft pad under everything.
        for n in notes:
            track.note(t0, bar * 0.98, n, SAW, 0.035, attack=0.4, decay=0.3, release=0.3)
        # Arpeggio in eighths: up and down the chord.
        pattern = [notes[0], notes[1], notes[2], notes[1]] * 2
        for k, n in enumerate(pattern):
            track.note(t0 + k * beat / 2, beat * 0.45, n, BELL, 0.11, decay=6.0, release=0.05)
        # Bass: root on 1, fifth-ish on 3.
        root = "%s2" % CHORDS[name][0]
        track.note(t0, beat * 1.8, root, TRIANGLE, 0.32, attack=0.01, decay=1.2, release=0.1)
        track.note(t0 + 2 * beat, beat * 1.8, root, TRIANGLE, 0.26, attack=0.01, decay=1.2, release=0.1)
        for n, at, length in melody.get(b, []):
            track.note(t0 + at * beat, length * beat * 0.95, n, SOFT_SQUARE, 0.09, attack=0.02,
                       decay=1.0, release=0.12, vibrato=0.06)
        # Light drums.
        track.kick(t0, 0.3)
        track.kick(t0 + 2 * beat, 0.22)
        for k in range(8):
            track.hat(t0 + k * beat / 2, 0.07 if k % 2 else 0.1)
        if b % 2 == 1:
            track.snare(t0 + 3 * beat, 0.12)
    return track.finish(0.62)


def fight_music():
    bpm = 140.0
    beat = 60.0 / bpm
    bar = 4 * beat
    progression = ["Am", "Am", "F", "G", "Am", "Am", "F", "E"] * 2
    track = Track(len(progression) * bar, True)
    riff = [("A4", 0, 0.5), ("C5", 0.5, 0.5), ("E5", 1, 0.5), ("A5", 1.5, 1), ("G5", 2.5, 0.5),
            ("E5", 3, 1)]
    riff_f = [("F4", 0, 0.5), ("A4", 0.5, 0.5), ("C5", 1, 0.5), ("F5", 1.5, 1), ("E5", 2.5, 0.5),
              ("C5", 3, 1)]
    riff_g = [("G4", 0, 0.5), ("B4", 0.5, 0.5), ("D5", 1, 0.5), ("G5", 1.5, 1), ("F#5", 2.5, 0.5),
              ("D5", 3, 1)]
    riff_e = [("E5", 0, 1), ("G#4", 1, 1), ("B4", 2, 1), ("D5", 3, 1)]
    for b, name in enumerate(progression):
        t0 = b * bar
        root = CHORDS[name][0]
        # Driving bass in eighths, octave jumps on the off-beats.
        for k in range(8):
            n = "%s%d" % (root, 2 if k % 2 == 0 else 3)
            track.note(t0 + k * beat / 2, beat * 0.42, n, SAW, 0.16, attack=0.004, decay=5.0,
                       release=0.03)
        # Chord stabs on the off-beats of 2 and 4.
        for at in (1.5, 3.5):
            for n in chord_notes(name, 4):
                track.note(t0 + at * beat, beat * 0.3, n, SOFT_SQUARE, 0.05, decay=6.0, release=0.04)
        # Lead in the second half.
        if b >= 8:
            line = {"Am": riff, "F": riff_f, "G": riff_g, "E": riff_e}[name]
            if name == "Am" and b % 2 == 1:
                line = [(n, at, length) for n, at, length in riff[:4]] + [("B5", 2.5, 0.5), ("C6", 3, 1)]
            for n, at, length in line:
                track.note(t0 + at * beat, length * beat * 0.9, n, SOFT_SQUARE, 0.1, attack=0.01,
                           decay=2.0, release=0.05, vibrato=0.05)
        # Drums: kick on 1, the and of 2, and 3; snare on 2 and 4; eighth hats.
        for at in (0, 1.5, 2):
            track.kick(t0 + at * beat, 0.7)
        for at in (1, 3):
            track.snare(t0 + at * beat, 0.32)
        for k in range(8):
            track.hat(t0 + k * beat / 2, 0.12 if k % 2 else 0.08)
        if b % 4 == 3:
            track.snare(t0 + 3.5 * beat, 0.2)
            track.snare(t0 + 3.75 * beat, 0.24)
    return track.finish(0.62)


def main():
    game = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.dirname(os.path.abspath(__file__))), "game")
    sound = os.path.join(game, "data", "sound")
    music = os.path.join(game, "data", "music")
    os.makedirs(sound, exist_ok=True)
    os.makedirs(music, exist_ok=True)
    write_wav(os.path.join(sound, "click.wav"), click())
    write_ogg(os.path.join(sound, "victory.ogg"), victory(), 4)
    write_ogg(os.path.join(sound, "defeat.ogg"), defeat(), 4)
    write_ogg(os.path.join(music, "menu.ogg"), menu_music(), 2)
    write_ogg(os.path.join(music, "fight.ogg"), fight_music(), 2)


if __name__ == "__main__":
    main()
