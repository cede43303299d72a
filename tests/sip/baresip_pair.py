"""Two baresip user agents on loopback, each in its own configuration folder, driven through
ctrl_tcp. Used by the recorder and by the tests that need a real baresip.

From a shell:
  baresip_pair.py write FOLDER NAME SIP_PORT CTRL_PORT [--contact "NAME=URI"]...
      [--source-wav WAV] [--sound-card] [--record-to FOLDER]
  baresip_pair.py drive CTRL_PORT EVENTS FIFO
      holds the agent's one ctrl_tcp connection: each event and response goes to EVENTS as a
      line "SECONDS JSON" (the wall clock), each line written to FIFO ("accept", "hangup",
      "dial URI") is sent as that command."""

import argparse
import json
import os
import select
import socket
import subprocess
import sys
import time

MODULES = "/usr/lib/baresip/modules"


def write_agent(folder, name, sip_port, ctrl_port, contacts, source_wav, player_wav,
                sound_card=False, record_to=None):
    """sound_card: the agent's voice is the ALSA device "pulse" (the PulseAudio server, source
    and sink its process's PULSE_* variables choose) instead of the WAV files. record_to: what
    the agent hears (and says) is also written to WAV files in that folder."""
    os.makedirs(folder, exist_ok=True)
    if sound_card:
        devices = "audio_player alsa,pulse\naudio_source alsa,pulse\naudio_alert alsa,pulse"
    else:
        devices = (f"audio_player aufile,{player_wav}\naudio_source aufile,{source_wav}\n"
                   f"audio_alert aufile,{player_wav}")
    alsa = "module alsa.so\n" if sound_card else ""
    recording = f"module sndfile.so\nsnd_path {record_to}\n" if record_to else ""
    config = f"""poll_method epoll
sip_listen 127.0.0.1:{sip_port}
net_interface 127.0.0.1
call_local_timeout 120
call_max_calls 1
{devices}
module_path {MODULES}
module g711.so
module aufile.so
{alsa}{recording}module_tmp account.so
module_app contact.so
module_app menu.so
module_app ctrl_tcp.so
ctrl_tcp_listen 127.0.0.1:{ctrl_port}
"""
    with open(os.path.join(folder, "config"), "w") as f:
        f.write(config)
    with open(os.path.join(folder, "accounts"), "w") as f:
        f.write(f'"{name.title()}" <sip:{name}@127.0.0.1:{sip_port}>;regint=0\n')
    with open(os.path.join(folder, "contacts"), "w") as f:
        for display, uri in contacts:
            f.write(f'"{display}" <{uri}>\n')


def netstring(payload):
    data = payload.encode()
    return str(len(data)).encode() + b":" + data + b","


class Agent:
    """One running baresip and a ctrl_tcp connection that keeps every byte it received."""

    def __init__(self, folder, ctrl_port):
        self.process = subprocess.Popen(
            ["baresip", "-f", folder], stdin=subprocess.DEVNULL,
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.received = b""
        self.token = 0
        self.sock = connect(ctrl_port)
        self.sock.settimeout(0.1)

    def command(self, command, params=None):
        self.token += 1
        message = {"command": command, "token": str(self.token)}
        if params is not None:
            message["params"] = params
        self.sock.sendall(netstring(json.dumps(message)))
        return self.wait_for(f'"token":"{self.token}"')

    def pump(self, seconds):
        end = time.monotonic() + seconds
        while time.monotonic() < end:
            try:
                chunk = self.sock.recv(65536)
                if not chunk:
                    return
                self.received += chunk
            except socket.timeout:
                pass

    def wait_for(self, text, seconds=10, count=1):
        """Waits until text occurs count times in what was received since the last reset."""
        end = time.monotonic() + seconds
        while time.monotonic() < end:
            if self.received.count(text.encode()) >= count:
                return True
            self.pump(0.1)
        raise RuntimeError(f"no {text} within {seconds} s")

    def stop(self):
        self.sock.close()
        self.process.terminate()
        self.process.wait(5)


def connect(ctrl_port):
    deadline = time.monotonic() + 10
    while True:
        try:
            return socket.create_connection(("127.0.0.1", ctrl_port), timeout=1)
        except OSError:
            if time.monotonic() > deadline:
                raise
            time.sleep(0.1)


def drive(ctrl_port, events_path, fifo_path):
    os.mkfifo(fifo_path)
    sock = connect(ctrl_port)
    # Read and write, so that a writer closing it never ends the stream.
    fifo = os.open(fifo_path, os.O_RDWR | os.O_NONBLOCK)
    received, commands, token = b"", b"", 0
    with open(events_path, "a", buffering=1) as events:
        while True:
            ready, _, _ = select.select([sock, fifo], [], [])
            if sock in ready:
                chunk = sock.recv(65536)
                if not chunk:
                    return
                received += chunk
                while b":" in received:
                    length, rest = received.split(b":", 1)
                    if len(rest) < int(length) + 1:
                        break
                    message = rest[:int(length)].decode(errors="replace")
                    events.write(f"{time.time():.6f} {message}\n")
                    received = rest[int(length) + 1:]
            if fifo in ready:
                commands += os.read(fifo, 4096)
                while b"\n" in commands:
                    line, commands = commands.split(b"\n", 1)
                    command, _, params = line.decode().strip().partition(" ")
                    token += 1
                    message = {"command": command, "token": str(token)}
                    if params:
                        message["params"] = params
                    sock.sendall(netstring(json.dumps(message)))


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    steps = parser.add_subparsers(dest="step", required=True)
    write = steps.add_parser("write")
    for name in ("folder", "name"):
        write.add_argument(name)
    for name in ("sip_port", "ctrl_port"):
        write.add_argument(name, type=int)
    write.add_argument("--contact", action="append", default=[])
    write.add_argument("--source-wav", default="/dev/null")
    write.add_argument("--sound-card", action="store_true")
    write.add_argument("--record-to")
    driven = steps.add_parser("drive")
    driven.add_argument("ctrl_port", type=int)
    driven.add_argument("events")
    driven.add_argument("fifo")
    arguments = parser.parse_args()
    if arguments.step == "write":
        contacts = [tuple(contact.split("=", 1)) for contact in arguments.contact]
        write_agent(arguments.folder, arguments.name, arguments.sip_port, arguments.ctrl_port,
                    contacts, arguments.source_wav, "/dev/null", arguments.sound_card,
                    arguments.record_to)
    else:
        drive(arguments.ctrl_port, arguments.events, arguments.fifo)


if __name__ == "__main__":
    sys.exit(main())
