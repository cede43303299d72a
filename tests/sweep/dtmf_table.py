"""The Markdown page of the acceptance bands, from the results of every sweep."""

import textwrap

from dtmf_signals import NOMINAL_DBFS
from dtmf_sweeps import (NOISE_SEED, SWEEPS, VOICES, all_heard, band, clean, no_false,
                         none_beyond)

SENSITIVITIES = (1, 10, 50, 100, 200, 300)
COLUMNS = (("tonvex_10", "Tonvex, Sensitivity 10"), ("tonvex_50", "Tonvex, Sensitivity 50"),
           ("multimon", "multimon-ng"))


def offset_cell(results, centre):
    accepted = band(results, centre)
    if accepted is None:
        return "none"
    below, above = none_beyond(results, centre)
    text = "%+.1f to %+.1f %%" % accepted
    if below is not None and above is not None:
        text += " (none beyond %+.1f / %+.1f %%)" % (below, above)
    elif below is not None or above is not None:
        text += " (none beyond %+.1f %%)" % (below if below is not None else above)
    return text


def twist_cell(results, centre):
    accepted = band(results, centre)
    if accepted is None:
        return "none"
    return "%g dB reverse to %g dB normal" % (-accepted[0], accepted[1])


def lowest(results, centre, ok=clean, unit=""):
    accepted = band(results, centre, ok)
    return "not reached" if accepted is None else "%g%s" % (accepted[0], unit)


def level_cell(results, centre):
    text = lowest(results, centre, unit=" dBFS")
    below, _ = none_beyond(results, centre)
    if below is not None:
        text += " (none at %g)" % below
    return text


def duration_cell(results, centre):
    text = lowest(results, centre, unit=" ms")
    below, _ = none_beyond(results, centre)
    if below is not None:
        text += " (none at %g or shorter)" % below
    return text


def talk_off_total(results, centre):
    return str(sum(r[3] for r in results.values()))


def summary(results, minutes):
    rows = [
        ("Frequency offset, both tones: all 16 keys heard", "offset_both", offset_cell),
        ("Frequency offset, low tone only", "offset_low", offset_cell),
        ("Frequency offset, high tone only", "offset_high", offset_cell),
        ("Twist: all 16 keys heard", "twist", twist_cell),
        ("Level per tone: all 16 keys heard from", "level", level_cell),
        ("Noise: all 48 tones heard down to SNR", "noise",
         lambda r, c: lowest(r, c, all_heard, " dB")),
        ("Noise: no false key down to SNR", "noise", lambda r, c: lowest(r, c, no_false, " dB")),
        ("Shortest tone: all 32 heard", "duration", duration_cell),
        ("Shortest pause parting a repeated key: all 16 heard twice", "pause",
         lambda r, c: lowest(r, c, unit=" ms")),
        ("Talk-off: false keys in %.1f minutes of speech" % minutes, "talk_off", talk_off_total),
    ]
    lines = ["| Sweep | " + " | ".join(title for _, title in COLUMNS) + " |",
             "|---|" + "---|" * len(COLUMNS)]
    for title, name, cell in rows:
        cells = [cell(results[name][label], SWEEPS[name].centre) for label, _ in COLUMNS]
        lines.append("| %s | %s |" % (title, " | ".join(cells)))
    return lines


def level_table(results):
    lines = ["| Detector | All 16 keys heard from (none at) |", "|---|---|"]
    for s in SENSITIVITIES:
        cell = level_cell(results["tonvex_%d" % s], SWEEPS["level"].centre)
        lines.append("| Tonvex, Sensitivity %d | %s |" % (s, cell))
    lines.append("| multimon-ng | %s |" % level_cell(results["multimon"], SWEEPS["level"].centre))
    return lines


def talk_off_table(results, seconds):
    lines = ["| Voice | Words per minute | Seconds | " +
             " | ".join(title for _, title in COLUMNS) + " |",
             "|---|---|---|" + "---|" * len(COLUMNS)]
    for x, (voice, speed) in enumerate(VOICES):
        cells = [str(results[label][x][3]) for label, _ in COLUMNS]
        lines.append("| %s | %d | %.1f | %s |" % (voice, speed, seconds[x], " | ".join(cells)))
    return lines


def live_agreement(results, live_pairs):
    """One sentence on whether the live pipeline heard what the frame analysis heard."""
    points, differences = 0, []
    for name, by_label in results.items():
        for live, frames in live_pairs:
            if live not in by_label:
                continue
            for x, result in by_label[live].items():
                points += 1
                if result[0] != by_label[frames][x][0]:
                    differences.append("%s at %s (%s)" % (name, x, live))
    if not differences:
        return ("The live mode (`tonvex-scan --keys`, the simulated sound card with its 100 ms "
                "ticks) heard exactly the keys of the frame analysis at all %d points compared, "
                "at Sensitivity 10 and 50; the table shows the frame analysis." % points)
    return ("The live mode differed from the frame analysis at %d of %d points: %s." %
            (len(differences), points, "; ".join(differences)))


def page(results, seconds, command, versions, live_sentence):
    minutes = sum(seconds["talk_off"].values()) / 60.0
    lines = [
        "# What the DTMF detector accepts",
        "",
        "Telephony-style sweeps of the Tonvex frame analysis, run through `tonvex-scan` as a black "
        "box, beside multimon-ng's DTMF demodulator on the same files. The control's "
        "default Sensitivity is 50; Dorvane runs it at 10.",
        "",
        "Made by `bench/dtmf_acceptance.sh`, which builds `tonvex-scan` and runs `%s` "
        "(%s; a few minutes on two cores)." % (command, versions),
        "",
    ]
    lines += summary(results, minutes)
    lines += [
        "",
        "A band is the run of sweep points around the nominal signal where every key sent was "
        "heard and nothing else; \"none beyond\" is where no key sent is heard any more. %s" %
        live_sentence,
        "",
        "## Level and Sensitivity",
        "",
    ]
    lines += level_table(results["level"])
    lines += ["", "## Talk-off by voice", ""]
    lines += talk_off_table(results["talk_off"], seconds["talk_off"])
    lines += ["", "## The signals", ""]
    lines += CONDITIONS
    lines += ["", "## Reading the figures", ""]
    lines += READING
    return "\n".join(wrap(line) for line in lines) + "\n"


def wrap(line):
    """Prose at 100 columns like the other pages; tables and headings as they are."""
    if not line or line[0] in "|#":
        return line
    indent = "  " if line.startswith("- ") else ""
    return textwrap.fill(line, 100, subsequent_indent=indent, break_long_words=False,
                         break_on_hyphens=False)


CONDITIONS = [
    "- Written as 16-bit mono WAV at 11025 Hz, the control's rate: `tonvex-scan` only quantises "
    "them to 8 bits; multimon-ng reads them through sox at its own 22050 Hz.",
    "- A key is a pair of sines starting at phase 0, without ramps, %g dBFS each (0 dBFS: a sine "
    "whose peak is full scale), 100 ms long, with 100 ms of silence before, between and after "
    "the keys (200 ms more at the end), unless the sweep varies it." % NOMINAL_DBFS,
    "- Frequency offset (%s %% in steps of 0.1 %%) moves both tones, or one, by the same "
    "relative amount; each key is a file of its own, so that a key heard as its neighbour "
    "counts as a false key. Twist (%s dB in steps of 1 dB) lowers one tone; positive is normal "
    "twist (the high tone louder)." % ("-8 to +8", "-40 to +40"),
    "- Level: both tones at the same level, -100 to 0 dBFS in steps of 0.5 dB, all 16 keys in "
    "one file.",
    "- Noise: the 16 keys three times over, with white Gaussian noise (seed %d, the same "
    "waveform scaled) over the whole file; SNR is the power of one key's two tones to the "
    "noise power over the whole band (0 to 5.5 kHz), -10 to +30 dB." % NOISE_SEED,
    "- Duration: the 16 keys twice, tones of 1 to 80 ms with 100 ms pauses. Pause: each key "
    "twice in a row, 100 ms tones, pauses of 0 to 60 ms.",
    "- Talk-off: ten Harvard sentences read by espeak-ng in four voices at 140, 175 and 220 "
    "words per minute, each reading scaled to a peak of -1 dBFS; every key heard is false.",
]

READING = [
    "- The frame analysis takes a 256-point transform (23.2 ms at 11025 Hz, 43.07 Hz per bin, "
    "rectangular window) and compares the magnitudes of nine bins only: 16, 18, 20, 22 for the "
    "rows, 28, 31, 34, 38 for the columns, and 9 for the 400 Hz tone. A tone that sits exactly "
    "on another bin is orthogonal to the frame and invisible. 1477 Hz lies at bin 34.29, so "
    "0.71 bin (+2.1 %) above it, at bin 35, the column vanishes; 1633 Hz lies at bin 37.91 and "
    "vanishes 0.91 bin (-2.4 %) below, at bin 37. These two bound the band of both tones; the "
    "row bins, two apart, leave the low tone more room. Near a blind bin the peak flickers "
    "between the tone's bin and its neighbour, and a key may be reported twice; just past it "
    "the key is heard again, farther out as its neighbour.",
    "- There is no twist check: each group's peak only has to beat the other bins of its "
    "group, so only leakage and the 8-bit quantisation of the weak tone limit twist.",
    "- A frame is loud when the mean of the two peak magnitudes reaches Sensitivity / 10. A "
    "tone of amplitude A (8-bit units, 128 at 0 dBFS) on its bin gives A / 2: at Sensitivity "
    "50 the floor is an amplitude of 10, -22.1 dBFS, and it moves 6 dB with each doubling of "
    "Sensitivity; keys off their bins need up to 1.5 dB more. At Sensitivity 1 the 8-bit "
    "quantisation is the "
    "floor: two tones whose sum stays within half a step (-54 dBFS each) quantise to silence. "
    "multimon-ng has no absolute floor; it hears down to the 16-bit floor of the files.",
    "- A key is reported at its 4th loud frame in a row, 85 samples (7.7 ms) apart, and a frame "
    "only partly covered by a tone can be loud. At -10 dBFS and Sensitivity 50 a frame is loud "
    "when about a quarter of it is tone, so four loud frames need 12 ms of tone where the "
    "frames fall best and 20 ms where they fall worst. A repeated key needs one quiet frame "
    "between its tones: a pause of 17 to 25 ms by the same reckoning, 22 to 30 ms at "
    "Sensitivity 10, where 6 % of tone makes a frame loud.",
    "- Speech easily has a peak in each group for four frames in a row: with no twist, "
    "energy-ratio or harmonic check, talk-off is high, and higher at Sensitivity 10.",
]
