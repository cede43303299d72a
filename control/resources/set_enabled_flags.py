#!/usr/bin/env python3
"""Compiles the type library with Enabled marked bindable and requestedit.

widl rejects both attributes on a dispinterface property. So the library is compiled twice,
plainly and with Enabled readonly; the two files must differ in exactly one byte, the flags of
Enabled's variable record (0 against 1), and that byte of the plain file is set to
VARFLAG_FBINDABLE | VARFLAG_FREQUESTEDIT. widl stamps each file with the current second, so a
pair compiled across a change of second is compiled again.

usage: set_enabled_flags.py OUT.tlb WIDL [WIDL_OPTIONS...] FILE.idl
"""
import os
import subprocess
import sys

BINDABLE_REQUESTEDIT = 0x0C
ATTEMPTS = 10


def compile_tlb(widl, extra, out):
    subprocess.run(widl[:-1] + extra + ["-t", "-o", out, widl[-1]], check=True)
    with open(out, "rb") as f:
        return f.read()


def main(out_path, widl):
    plain_path, marked_path = out_path + ".plain", out_path + ".readonly"
    for _ in range(ATTEMPTS):
        plain = bytearray(compile_tlb(widl, [], plain_path))
        marked = compile_tlb(widl, ["-DENABLED_ATTRS=,readonly"], marked_path)
        diffs = [i for i, (a, b) in enumerate(zip(plain, marked)) if a != b]
        flags_only = len(diffs) == 1 and (plain[diffs[0]], marked[diffs[0]]) == (0, 1)
        if len(plain) == len(marked) and flags_only:
            break
    else:
        sys.exit(f"set_enabled_flags: expected one flags byte 0 against 1, found {diffs[:8]}")
    plain[diffs[0]] = BINDABLE_REQUESTEDIT
    with open(out_path, "wb") as f:
        f.write(plain)
    os.remove(plain_path)
    os.remove(marked_path)


if __name__ == "__main__":
    if len(sys.argv) < 4:
        sys.exit(__doc__.strip().splitlines()[-1])
    main(sys.argv[1], sys.argv[2:])
