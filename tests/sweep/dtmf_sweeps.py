"""The sweeps: test signals per point, the detectors run on them, and the bands read off.

Unless a sweep varies it, a key is a 100 ms pair of tones at -10 dBFS each, 100 ms apart.
"""

import math
import os
import tempfile
import wave
from concurrent.futures import ProcessPoolExecutor

from dtmf_decoders import score
from dtmf_signals import KEYS, NOMINAL_DBFS, SENTENCES, Track, speech, tone_pair_power

NOISE_SEED = 1


def steps(first, last, step):
    count = int(round((last - first) / step))
    return [round(first + i * step, 6) for i in range(count + 1)]


def offset_both(x, keys):
    return Track().dial(keys, low_offset=x / 100, high_offset=x / 100), keys


def offset_low(x, keys):
    return Track().dial(keys, low_offset=x / 100), keys


def offset_high(x, keys):
    return Track().dial(keys, high_offset=x / 100), keys


def twist(x, keys):
    return Track().dial(keys, twist_db=x), keys


def level(x, keys):
    return Track().dial(keys, dbfs=x), keys


def noise(x, keys):
    """x is the ratio of one key's power to the noise power over the whole band, in dB."""
    keys = keys * 3
    rms = math.sqrt(tone_pair_power(NOMINAL_DBFS) / 10 ** (x / 10))
    return Track().dial(keys).add_noise(rms, NOISE_SEED), keys


def duration(x, keys):
    keys = keys * 2
    return Track().dial(keys, tone_ms=x), keys


def pause(x, keys):
    """Every key twice: a repeated key is heard twice only when the pause parts them."""
    keys = "".join(k + k for k in keys)
    return Track().dial(keys, pause_ms=x), keys


# Talk-off speech: (voice, words per minute); each reads all sentences.
VOICES = [(voice, speed) for voice in ("en-us", "en-gb", "en-us+f3", "en-gb-scotland+m5")
          for speed in (140, 175, 220)]


def talk_off(x, path):
    voice, speed = VOICES[int(x)]
    speech(path, voice, speed, SENTENCES)


class Sweep:
    """centre: the point a band is measured from. per_key: each key gets a file of its own, so
    that a key heard as its neighbour cannot pass for that neighbour sent later."""

    def __init__(self, name, signal, points, centre=0.0, per_key=False):
        self.name = name
        self.signal = signal
        self.points = points
        self.centre = centre
        self.per_key = per_key


SWEEPS = {
    "offset_both": Sweep("offset_both", offset_both, steps(-8, 8, 0.1), per_key=True),
    "offset_low": Sweep("offset_low", offset_low, steps(-8, 8, 0.1), per_key=True),
    "offset_high": Sweep("offset_high", offset_high, steps(-8, 8, 0.1), per_key=True),
    "twist": Sweep("twist", twist, steps(-40, 40, 1), per_key=True),
    "level": Sweep("level", level, steps(-100, 0, 0.5), centre=0.0),
    "noise": Sweep("noise", noise, steps(-10, 30, 1), centre=30),
    "duration": Sweep("duration", duration, steps(1, 80, 1), centre=80),
    "pause": Sweep("pause", pause, steps(0, 60, 1), centre=60),
    "talk_off": Sweep("talk_off", talk_off, list(range(len(VOICES)))),
}


def run_point(sweep, x, folder, decoders):
    """Writes the point's signals and runs every decoder on them:
    {label: (heard, sent, missed, false)}, heard with a space between files."""
    folder = tempfile.mkdtemp(dir=folder)
    if sweep.signal is talk_off:
        path = os.path.join(folder, "%s_%s.wav" % (sweep.name, x))
        talk_off(x, path)
        files = [(path, "")]
    else:
        files = []
        for keys in (KEYS if sweep.per_key else [KEYS]):
            path = os.path.join(folder, "%s_%s_%d.wav" % (sweep.name, x, len(files)))
            track, expected = sweep.signal(x, keys)
            files.append((track.write(path), expected))
    results = {}
    for label, decoder in decoders:
        heard, sent, missed, false = [], 0, 0, 0
        for path, expected in files:
            keys = decoder.keys(path)
            correct, wrong = score(expected, keys)
            heard.append(keys)
            sent += len(expected)
            missed += len(expected) - correct
            false += wrong
        results[label] = (" ".join(heard), sent, missed, false)
    seconds = 0.0
    for path, _ in files:
        with wave.open(path, "rb") as written:
            seconds += written.getnframes() / written.getframerate()
        os.remove(path)
    os.rmdir(folder)
    return x, results, seconds


def run_sweep(sweep, folder, decoders, jobs=None):
    """({label: {x: (heard, sent, missed, false)}}, {x: seconds of audio}) over the sweep."""
    table = {label: {} for label, _ in decoders}
    seconds = {}
    with ProcessPoolExecutor(max_workers=jobs or os.cpu_count()) as pool:
        futures = [pool.submit(run_point, sweep, x, folder, decoders) for x in sweep.points]
        for future in futures:
            x, results, seconds[x] = future.result()
            for label, result in results.items():
                table[label][x] = result
    return table, seconds


def clean(result):
    return result[2] == 0 and result[3] == 0


def all_heard(result):
    return result[2] == 0


def no_false(result):
    return result[3] == 0


def band(results, centre, ok=clean):
    """The run of points around centre where ok holds: (lo, hi), or None when it fails at centre."""
    xs = sorted(results)
    if centre not in results or not ok(results[centre]):
        return None
    i = j = xs.index(centre)
    while i > 0 and ok(results[xs[i - 1]]):
        i -= 1
    while j < len(xs) - 1 and ok(results[xs[j + 1]]):
        j += 1
    return xs[i], xs[j]


def none_beyond(results, centre):
    """On each side of centre, the point nearest to it from which outwards no sent key is heard
    (None when that holds at the far end of the sweep alone, or not even there)."""
    xs = sorted(results)

    def edge(outwards):
        found = None
        for x in reversed(outwards):
            if results[x][2] < results[x][1]:
                break
            found = x
        return found if len(outwards) > 1 and found != outwards[-1] else None

    return (edge(list(reversed([x for x in xs if x < centre]))),
            edge([x for x in xs if x > centre]))
