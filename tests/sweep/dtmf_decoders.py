"""The detectors under test, run as black boxes on a WAV file, and the scoring of their keys."""

import subprocess


class TonvexScan:
    """tonvex-scan --keys: frame by frame (frames=True) or through the simulated sound card."""

    def __init__(self, program, frames=True, sensitivity=50):
        self.program = program
        self.frames = frames
        self.sensitivity = sensitivity

    def keys(self, path):
        command = [self.program, "--keys", "--sensitivity=%d" % self.sensitivity]
        if self.frames:
            command.append("--frames")
        done = subprocess.run(command + [path], check=True, capture_output=True, text=True)
        return done.stdout.strip()


class MultimonNg:
    """multimon-ng's DTMF demodulator; it converts the file to its own rate through sox."""

    def keys(self, path):
        command = ["multimon-ng", "-q", "-r", "-m", "-c", "-a", "DTMF", "-t", "wav", path]
        done = subprocess.run(command, check=True, capture_output=True, text=True)
        return "".join(line[len("DTMF: "):].strip() for line in done.stdout.splitlines()
                       if line.startswith("DTMF: "))


def score(expected, heard):
    """(keys heard in order, keys heard that were never sent), by longest common subsequence."""
    previous = [0] * (len(heard) + 1)
    for e in expected:
        current = [0]
        for j, h in enumerate(heard):
            current.append(previous[j] + 1 if e == h else max(previous[j + 1], current[j]))
        previous = current
    correct = previous[-1]
    return correct, len(heard) - correct
