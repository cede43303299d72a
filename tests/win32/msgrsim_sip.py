#!/usr/bin/env python3
"""msgrsim /sip under Wine against two native baresips on loopback: starts them, runs the
client test's SIP suites (registration around them), and stops the baresips by their pids.
   msgrsim_sip.py WINERUN TEST_EXE"""

import os
import socket
import subprocess
import sys
import tempfile
import time
import wave

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "sip"))
from baresip_pair import write_agent  # noqa: E402

# baresip listens for SIP over TLS on the SIP port + 1.
OURS_SIP, OURS_CTRL, THEIRS_SIP, THEIRS_CTRL = 15210, 15215, 15220, 15225


def silence(path):
    with wave.open(path, "wb") as f:
        f.setnchannels(1)
        f.setsampwidth(2)
        f.setframerate(8000)
        f.writeframes(b"\0\0" * 8000)


def wait_for_port(port, process):
    deadline = time.monotonic() + 10
    while time.monotonic() < deadline:
        if process.poll() is not None:
            raise RuntimeError(f"baresip on {port} ended with {process.returncode}")
        try:
            socket.create_connection(("127.0.0.1", port), timeout=1).close()
            return
        except OSError:
            time.sleep(0.1)
    raise RuntimeError(f"baresip's ctrl_tcp on {port} did not open")


def main():
    winerun, test_exe = sys.argv[1:3]
    ours_uri = f"sip:ours@127.0.0.1:{OURS_SIP}"
    theirs_uri = f"sip:theirs@127.0.0.1:{THEIRS_SIP}"
    started = []
    with tempfile.TemporaryDirectory(prefix="msgrsim-sip-") as work:
        source = os.path.join(work, "silence.wav")
        silence(source)
        write_agent(os.path.join(work, "ours"), "ours", OURS_SIP, OURS_CTRL,
                    [("Theirs", theirs_uri)], source, os.path.join(work, "ours-heard.wav"))
        write_agent(os.path.join(work, "theirs"), "theirs", THEIRS_SIP, THEIRS_CTRL,
                    [("Ours", ours_uri)], source, os.path.join(work, "theirs-heard.wav"))
        try:
            for name, port in (("ours", OURS_CTRL), ("theirs", THEIRS_CTRL)):
                process = subprocess.Popen(
                    ["baresip", "-f", os.path.join(work, name)], stdin=subprocess.DEVNULL,
                    stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
                started.append(process)
                wait_for_port(port, process)
            env = dict(os.environ, MSGRSIM_SIP_OURS=f"127.0.0.1:{OURS_CTRL}",
                       MSGRSIM_SIP_OURS_URI=ours_uri, MSGRSIM_SIP_THEIRS_URI=theirs_uri,
                       MSGRSIM_SIP_THEIRS_CTRL=str(THEIRS_CTRL))
            return subprocess.call(
                [winerun, test_exe,
                 "--gtest_filter=Registration.*:SipMessengerStart.*:SipMessenger.*:Unregistration.*"],
                env=env, stdin=subprocess.DEVNULL)
        finally:
            for process in started:
                process.terminate()
                try:
                    process.wait(5)
                except subprocess.TimeoutExpired:
                    process.kill()
                    process.wait()


if __name__ == "__main__":
    sys.exit(main())
