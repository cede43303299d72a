#!/usr/bin/env python3
"""Seeds the fuzz corpora from the project's scenarios: each script whole, the settings and
phone-list bytes they put in the program's folder, and what their modem says; the property
stream from its saved layout.  usage: seed_corpora.py SCENARIO_DIR CORPUS_DIR"""
import hashlib
import pathlib
import re
import struct
import sys

ESCAPES = {"r": b"\r", "n": b"\n", "t": b"\t", '"': b'"', "\\": b"\\"}


def unescape(text):
    out = bytearray()
    i = 0
    while i < len(text):
        if text[i] == "\\" and i + 1 < len(text):
            if text[i + 1] == "x":
                out += bytes([int(text[i + 2:i + 4], 16)])
                i += 4
                continue
            out += ESCAPES.get(text[i + 1], text[i + 1].encode())
            i += 2
            continue
        out += text[i].encode()
        i += 1
    return bytes(out)


def put(corpus, target, data):
    folder = corpus / target
    if folder.is_dir():
        (folder / ("seed-" + hashlib.sha1(data).hexdigest())).write_bytes(data)


def main():
    scenarios, corpus = pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2])
    quoted = r'"((?:[^"\\]|\\.)*)"'
    for script in sorted(scenarios.glob("*.scn")):
        source = script.read_bytes()
        put(corpus, "script_parser", source)
        if b"line play" not in source:
            put(corpus, "scenario_world", source)
        for line in source.decode("utf-8", "replace").splitlines():
            line = line.strip()
            match = re.fullmatch(r"file (DVN\.ini|PhoneLst\.txt) " + quoted, line)
            if match:
                target = "settings" if match.group(1) == "DVN.ini" else "phone_list"
                put(corpus, target, unescape(match.group(2)))
            match = re.fullmatch(r"modem (says|answers) " + quoted, line)
            if match:
                control = 0x85 if match.group(1) == "answers" else 0x05
                put(corpus, "modem_pieces", bytes([control]) + unescape(match.group(2)))
    # version 1.0, extent 847 x 847, Enabled, Sensitivity 50, MaxSecond 10; and a custom one
    put(corpus, "property_stream", struct.pack("<IiihiH", 0x10000, 847, 847, -1, 50, 10))
    put(corpus, "property_stream", struct.pack("<IiihiH", 0x10000, 1200, 400, 0, 275, 90))
    put(corpus, "property_bag", bytes(range(64)))


if __name__ == "__main__":
    main()
