#!/usr/bin/env python3
"""Records what baresip's ctrl_tcp sends to "ours" during typical calls, as raw bytes, into
tests/sip/recordings/. Run it again after a baresip upgrade and compare."""

import os
import shutil
import sys
import tempfile
import wave

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from baresip_pair import Agent, write_agent  # noqa: E402

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "recordings")
OURS, THEIRS, THIRD = (15060, 15460), (15070, 15470), (15080, 15480)


def silence(path):
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(8000)
        w.writeframes(b"\0\0" * 8000 * 30)


def uri(name, ports):
    return f"sip:{name}@127.0.0.1:{ports[0]}"


def main():
    os.makedirs(OUT, exist_ok=True)
    root = tempfile.mkdtemp(prefix="baresip-rec-")
    wav = os.path.join(root, "silence.wav")
    silence(wav)
    write_agent(f"{root}/ours", "ours", *OURS,
                [("Theirs \x1b[31mRed\x1b[0m", uri("theirs", THEIRS)), ("Third", uri("third", THIRD))],
                wav, f"{root}/ours.wav")
    write_agent(f"{root}/theirs", "theirs", *THEIRS, [], wav, f"{root}/theirs.wav")
    write_agent(f"{root}/third", "third", *THIRD, [], wav, f"{root}/third.wav")
    agents = []
    try:
        for name, ports in (("ours", OURS), ("theirs", THEIRS), ("third", THIRD)):
            agents.append(Agent(f"{root}/{name}", ports[1]))
        ours, theirs, third = agents
        ours.pump(0.5)

        def take(name, steps):
            for agent in agents:
                agent.pump(0.2)
                agent.received = b""
            steps()
            ours.pump(1.0)
            with open(os.path.join(OUT, name + ".ns"), "wb") as f:
                f.write(ours.received)

        def info():
            ours.command("reginfo")
            ours.command("contacts")

        def outgoing_answered():
            ours.command("dial", uri("theirs", THEIRS))
            theirs.wait_for("CALL_INCOMING")
            theirs.command("accept")
            ours.wait_for("CALL_ESTABLISHED")
            ours.pump(0.5)
            theirs.command("hangup")
            ours.wait_for("CALL_CLOSED")

        def outgoing_rejected():
            ours.command("dial", uri("theirs", THEIRS) + ";transport=udp")
            theirs.wait_for("CALL_INCOMING")
            theirs.command("hangup")
            ours.wait_for("CALL_CLOSED")

        def incoming_accepted():
            theirs.command("dial", uri("ours", OURS))
            ours.wait_for("CALL_INCOMING")
            ours.command("accept")
            ours.wait_for("CALL_ESTABLISHED")
            ours.pump(0.5)
            theirs.command("hangup")
            ours.wait_for("CALL_CLOSED")

        def incoming_canceled():
            theirs.command("dial", uri("ours", OURS))
            ours.wait_for("CALL_INCOMING")
            theirs.command("hangup")
            ours.wait_for("CALL_CLOSED")

        def second_call_refused():
            ours.command("dial", uri("theirs", THEIRS))
            theirs.wait_for("CALL_INCOMING")
            theirs.command("accept")
            ours.wait_for("CALL_ESTABLISHED")
            third.command("dial", uri("ours", OURS))
            third.wait_for("CALL_CLOSED")
            ours.pump(0.5)
            closed = ours.received.count(b"CALL_CLOSED")
            ours.command("hangup")
            ours.wait_for("CALL_CLOSED", count=closed + 1)

        take("info", info)
        take("outgoing_answered", outgoing_answered)
        take("outgoing_rejected", outgoing_rejected)
        take("incoming_accepted", incoming_accepted)
        take("incoming_canceled", incoming_canceled)
        take("second_call_refused", second_call_refused)
    finally:
        for agent in agents:
            agent.stop()
        shutil.rmtree(root, ignore_errors=True)


if __name__ == "__main__":
    main()
