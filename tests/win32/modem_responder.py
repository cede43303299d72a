#!/usr/bin/env python3
"""A voice modem at the far end of a pseudo-terminal line, for tests of the program's serial port.

It answers "\\r\\nOK\\r\\n" to every command ended by a carriage return and logs each command on
a line of its own (bytes outside printable ASCII, and the backslash, as \\xNN). Lines written to
the control FIFO steer it:
  ring         sends "\\r\\nRING\\r\\n"
  send TEXT    sends TEXT, with \\r, \\n and \\xNN escapes
  mute         stops answering commands (they are still logged)
  unmute       answers again

  modem_responder.py --link PATH --log FILE --control FIFO [--pid-file FILE]
      makes a pty pair with socat; the program's end is PATH (link it to dosdevices/comN)
  modem_responder.py --pty PATH --log FILE --control FIFO [--pid-file FILE]
      serves an existing pty end

The pid file is written once the line is ready; SIGTERM stops the responder and its socat.
"""

import argparse
import codecs
import os
import select
import signal
import stat
import subprocess
import sys
import time

OK = b"\r\nOK\r\n"
RING = b"\r\nRING\r\n"


def shown(command):
    return "".join(chr(b) if 0x20 <= b < 0x7F and b != 0x5C else "\\x%02x" % b for b in command)


def make_pair(link):
    modem_end = link + ".modem"
    for path in (link, modem_end):
        if os.path.lexists(path):
            os.unlink(path)
    socat = subprocess.Popen(
        ["socat", "pty,raw,echo=0,link=" + link, "pty,raw,echo=0,link=" + modem_end],
        stdin=subprocess.DEVNULL)
    deadline = time.monotonic() + 10
    while not (os.path.exists(link) and os.path.exists(modem_end)):
        if socat.poll() is not None or time.monotonic() > deadline:
            sys.exit("modem_responder: socat made no pty pair")
        time.sleep(0.02)
    return socat, modem_end


def open_control(path):
    if not os.path.exists(path):
        os.mkfifo(path)
    elif not stat.S_ISFIFO(os.stat(path).st_mode):
        sys.exit("modem_responder: %s is no FIFO" % path)
    # Read and write, so that a writer closing it never ends the stream.
    return os.open(path, os.O_RDWR | os.O_NONBLOCK)


def serve(line, control, log):
    muted = False
    command = b""
    orders = b""
    while True:
        ready, _, _ = select.select([line, control], [], [])
        if line in ready:
            try:
                data = os.read(line, 1024)
            except OSError:
                data = b""
            if not data:
                sys.exit("modem_responder: the line hung up")
            for byte in data:
                if byte != 0x0D:
                    command += bytes([byte])
                    continue
                log.write(shown(command) + "\n")
                log.flush()
                command = b""
                if not muted:
                    os.write(line, OK)
        if control in ready:
            orders += os.read(control, 4096)
            while b"\n" in orders:
                order, orders = orders.split(b"\n", 1)
                word, _, text = order.decode("latin-1").strip().partition(" ")
                if word == "ring":
                    os.write(line, RING)
                elif word == "send":
                    os.write(line, codecs.decode(text, "unicode_escape").encode("latin-1"))
                elif word in ("mute", "unmute"):
                    muted = word == "mute"
                elif word:
                    print("modem_responder: unknown order %r" % order, file=sys.stderr)


def main():
    parser = argparse.ArgumentParser(description="A modem that answers OK on a pty line.")
    end = parser.add_mutually_exclusive_group(required=True)
    end.add_argument("--pty", help="an existing pty end to serve")
    end.add_argument("--link", help="make a pty pair with socat; the program's end is this path")
    parser.add_argument("--log", required=True, help="received commands, one per line")
    parser.add_argument("--control", required=True, help="FIFO of orders (made if missing)")
    parser.add_argument("--pid-file", help="written with this process's id once ready")
    arguments = parser.parse_args()

    signal.signal(signal.SIGTERM, lambda *_: sys.exit(0))
    socat = None
    try:
        path = arguments.pty
        if arguments.link:
            socat, path = make_pair(arguments.link)
        line = os.open(path, os.O_RDWR | os.O_NOCTTY)
        control = open_control(arguments.control)
        with open(arguments.log, "a", encoding="latin-1") as log:
            if arguments.pid_file:
                with open(arguments.pid_file, "w") as pid_file:
                    pid_file.write("%d\n" % os.getpid())
            print(arguments.link or path, flush=True)
            serve(line, control, log)
    finally:
        if socat:
            socat.terminate()
            socat.wait()
        if arguments.pid_file and os.path.exists(arguments.pid_file):
            os.unlink(arguments.pid_file)


if __name__ == "__main__":
    main()
