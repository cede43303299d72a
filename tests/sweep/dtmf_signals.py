"""Test signals for the DTMF sweeps: dialled keys, white noise and synthetic speech, as WAV files.

Levels are in dBFS per tone: 0 dBFS is a sine whose peak reaches full scale.
"""

import math
import random
import struct
import subprocess
import wave

RATE = 11025  # the control's own rate: the scanner only quantises, it does not resample
NOMINAL_DBFS = -10.0
KEYS = "0123456789ABCD*#"
ROWS = (697, 770, 852, 941)
COLUMNS = (1209, 1336, 1477, 1633)
_LAYOUT = ("123A", "456B", "789C", "*0#D")
FREQUENCIES = {key: (ROWS[r], COLUMNS[c]) for r, line in enumerate(_LAYOUT)
               for c, key in enumerate(line)}

# Phonetically balanced sentences, read by several voices at several speeds for talk-off.
SENTENCES = (
    "The birch canoe slid on the smooth planks.",
    "Glue the sheet to the dark blue background.",
    "It's easy to tell the depth of a well.",
    "These days a chicken leg is a rare dish.",
    "Rice is often served in round bowls.",
    "The juice of lemons makes fine punch.",
    "The box was thrown beside the parked truck.",
    "The hogs were fed chopped corn and garbage.",
    "Four hours of steady work faced us.",
    "A large size in stockings is hard to sell.",
)


def amplitude(dbfs):
    return 10.0 ** (dbfs / 20.0)


def samples_of(ms, rate=RATE):
    return int(round(ms * rate / 1000.0))


class Track:
    """A mono signal built piece by piece, in full-scale units."""

    def __init__(self, rate=RATE):
        self.rate = rate
        self.samples = []

    def silence(self, ms):
        self.samples.extend([0.0] * samples_of(ms, self.rate))

    def tone_pair(self, low_hz, high_hz, low_dbfs, high_dbfs, ms):
        a, b = amplitude(low_dbfs), amplitude(high_dbfs)
        wl, wh = 2 * math.pi * low_hz / self.rate, 2 * math.pi * high_hz / self.rate
        self.samples.extend(a * math.sin(wl * n) + b * math.sin(wh * n)
                            for n in range(samples_of(ms, self.rate)))

    def dial(self, keys, tone_ms=100, pause_ms=100, dbfs=NOMINAL_DBFS, twist_db=0.0,
             low_offset=0.0, high_offset=0.0):
        """Keys with pauses between and around them. twist_db > 0 makes the high tone louder;
        the louder tone is at dbfs. Offsets are relative (0.02 = +2 %)."""
        low_dbfs = dbfs - max(twist_db, 0.0)
        high_dbfs = dbfs + min(twist_db, 0.0)
        self.silence(pause_ms)
        for key in keys:
            low, high = FREQUENCIES[key]
            self.tone_pair(low * (1 + low_offset), high * (1 + high_offset), low_dbfs, high_dbfs,
                           tone_ms)
            self.silence(pause_ms)
        self.silence(200)
        return self

    def add_noise(self, rms, seed):
        """White Gaussian noise over the whole track; one seed gives one waveform at any rms."""
        generator = random.Random(seed)
        self.samples = [s + rms * generator.gauss(0.0, 1.0) for s in self.samples]
        return self

    def scale_to_peak(self, dbfs):
        peak = max((abs(s) for s in self.samples), default=0.0)
        if peak > 0:
            factor = amplitude(dbfs) / peak
            self.samples = [s * factor for s in self.samples]
        return self

    def write(self, path):
        """16-bit PCM, clipped at full scale."""
        codes = (max(-32768, min(32767, int(round(s * 32767)))) for s in self.samples)
        with wave.open(path, "wb") as out:
            out.setnchannels(1)
            out.setsampwidth(2)
            out.setframerate(self.rate)
            out.writeframes(struct.pack("<%dh" % len(self.samples), *codes))
        return path


def tone_pair_power(dbfs, twist_db=0.0):
    """Mean power of one key's two tones."""
    low = amplitude(dbfs - max(twist_db, 0.0))
    high = amplitude(dbfs + min(twist_db, 0.0))
    return (low * low + high * high) / 2.0


def read_wav(path):
    with wave.open(path, "rb") as source:
        if source.getsampwidth() != 2 or source.getnchannels() != 1:
            raise ValueError("%s: expected 16-bit mono" % path)
        track = Track(source.getframerate())
        frames = source.readframes(source.getnframes())
    track.samples = [c / 32767.0 for c in struct.unpack("<%dh" % (len(frames) // 2), frames)]
    return track


def speech(path, voice, words_per_minute, sentences, peak_dbfs=-1.0):
    """The sentences spoken by espeak-ng, scaled to the given peak."""
    text = " ".join(sentences)
    subprocess.run(["espeak-ng", "-w", path, "-v", voice, "-s", str(words_per_minute), text],
                   check=True, stdout=subprocess.DEVNULL)
    track = read_wav(path)
    return track.scale_to_peak(peak_dbfs).write(path)
