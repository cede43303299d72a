#!/usr/bin/env python3
"""DTMF sweeps: frequency offset, twist, level, noise, duration, pause and talk-off.

  dtmf_sweep.py --scan TONVEX-SCAN --check        assert the bands the detector must keep
  dtmf_sweep.py --scan TONVEX-SCAN --table FILE   measure them beside multimon-ng, as Markdown
"""

import argparse
import os
import subprocess
import sys
import tempfile
from concurrent.futures import ProcessPoolExecutor

sys.dont_write_bytecode = True  # the tests run from the source tree; leave no cache in it
from dtmf_decoders import MultimonNg, TonvexScan
from dtmf_sweeps import SWEEPS, run_point, run_sweep
from dtmf_table import SENSITIVITIES, live_agreement, page

COMMAND = ("python3 tests/sweep/dtmf_sweep.py --table docs/dtmf-acceptance.md "
           "--scan build/native/tools/tonvex-scan/tonvex-scan")


def all_and_only(sent, missed, false):
    return missed == 0 and false == 0


def none_heard(sent, missed, false):
    return missed == sent


def missed_at_least(count):
    return lambda sent, missed, false: missed >= count


def false_at_most(count):
    return lambda sent, missed, false: false <= count


# (sweep, point, Sensitivity, what must hold, wording): the measured bands of
# docs/dtmf-acceptance.md, narrowed by a margin on the inside and widened on the outside.
CHECKS = [
    ("offset_both", -2.0, 50, all_and_only, "all 16 keys heard"),
    ("offset_both", 1.6, 50, all_and_only, "all 16 keys heard"),
    ("offset_both", -6.2, 50, none_heard, "no key heard"),
    ("offset_both", 5.6, 50, none_heard, "no key heard"),
    ("offset_low", -2.9, 50, all_and_only, "all 16 keys heard"),
    ("offset_low", 4.0, 50, all_and_only, "all 16 keys heard"),
    ("twist", -24, 50, all_and_only, "all 16 keys heard"),
    ("twist", 25, 50, all_and_only, "all 16 keys heard"),
    ("twist", -36, 50, missed_at_least(8), "8 keys or more lost"),
    ("twist", 38, 50, missed_at_least(3), "3 keys or more lost"),
    ("level", -34.0, 10, all_and_only, "all 16 keys heard"),
    ("level", -37.0, 10, none_heard, "no key heard"),
    ("level", -20.5, 50, all_and_only, "all 16 keys heard"),
    ("level", -23.0, 50, none_heard, "no key heard"),
    ("level", -8.5, 200, all_and_only, "all 16 keys heard"),
    ("level", -10.5, 200, none_heard, "no key heard"),
    ("noise", -3, 50, all_and_only, "all 48 tones heard, no false key"),
    ("noise", 12, 10, all_and_only, "all 48 tones heard, no false key"),
    ("duration", 22, 50, all_and_only, "all 32 tones heard"),
    ("duration", 10, 50, none_heard, "no tone heard"),
    ("duration", 25, 10, all_and_only, "all 32 tones heard"),
    ("duration", 2, 10, none_heard, "no tone heard"),
    ("pause", 23, 50, all_and_only, "every repeated key heard twice"),
    ("pause", 31, 10, all_and_only, "every repeated key heard twice"),
    ("pause", 5, 50, missed_at_least(8), "8 repeats or more lost"),
    ("talk_off", 1, 50, false_at_most(15), "15 false keys at most"),
    ("talk_off", 1, 10, false_at_most(36), "36 false keys at most"),
]


def check(scan, jobs):
    failures = 0
    with tempfile.TemporaryDirectory() as folder, ProcessPoolExecutor(jobs) as pool:
        futures = [pool.submit(run_point, SWEEPS[name], x, folder,
                               [("tonvex", TonvexScan(scan, True, sensitivity))])
                   for name, x, sensitivity, _, _ in CHECKS]
        for (name, x, sensitivity, holds, wording), future in zip(CHECKS, futures):
            heard, sent, missed, false = future.result()[1]["tonvex"]
            ok = holds(sent, missed, false)
            failures += not ok
            print("%s %s at %g, Sensitivity %d: %s" % ("ok  " if ok else "FAIL", name, x,
                                                     sensitivity, wording))
            if not ok:
                print("     sent %d, lost %d, false %d; heard: %s" % (sent, missed, false, heard))
    print("%d checks, %d failed" % (len(CHECKS), failures))
    return 1 if failures else 0


def version(command):
    done = subprocess.run(command, capture_output=True, text=True)
    return (done.stdout + done.stderr).strip().splitlines()[0]


def table(scan, path, jobs):
    decoders = [("tonvex_%d" % s, TonvexScan(scan, True, s)) for s in (10, 50)]
    decoders += [("live_%d" % s, TonvexScan(scan, False, s)) for s in (10, 50)]
    decoders.append(("multimon", MultimonNg()))
    extra = [("tonvex_%d" % s, TonvexScan(scan, True, s)) for s in SENSITIVITIES
             if s not in (10, 50)]
    results, seconds = {}, {}
    with tempfile.TemporaryDirectory() as folder:
        for name, sweep in SWEEPS.items():
            print("sweep %s: %d points" % (name, len(sweep.points)), file=sys.stderr)
            chosen = decoders + (extra if name == "level" else [])
            results[name], seconds[name] = run_sweep(sweep, folder, chosen, jobs=jobs)
    versions = "%s, %s" % (version(["multimon-ng", "-h"]).split(" (")[0].strip(),
                           version(["espeak-ng", "--version"]).split(" Data")[0].strip())
    live = live_agreement(results, [("live_10", "tonvex_10"), ("live_50", "tonvex_50")])
    with open(path, "w") as out:
        out.write(page(results, seconds, COMMAND, versions, live))


def main():
    parser = argparse.ArgumentParser(description=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--scan", required=True, help="the tonvex-scan program")
    mode = parser.add_mutually_exclusive_group(required=True)
    mode.add_argument("--check", action="store_true", help="assert the bands")
    mode.add_argument("--table", metavar="FILE", help="write the Markdown table to FILE")
    parser.add_argument("--jobs", type=int, default=os.cpu_count(), help="processes at once")
    args = parser.parse_args()
    if args.check:
        return check(args.scan, args.jobs)
    table(args.scan, args.table, args.jobs)
    return 0


if __name__ == "__main__":
    sys.exit(main())
