"""Two baresip user agents on loopback, each in its own configuration folder, driven through
ctrl_tcp. Used by the recorder and by the tests that need a real baresip."""

import json
import os
import socket
import subprocess
import time

MODULES = "/usr/lib/baresip/modules"


def write_agent(folder, name, sip_port, ctrl_port, contacts, source_wav, player_wav):
    os.makedirs(folder, exist_ok=True)
    config = f"""poll_method epoll
sip_listen 127.0.0.1:{sip_port}
call_local_timeout 120
call_max_calls 1
audio_player aufile,{player_wav}
audio_source aufile,{source_wav}
audio_alert aufile,{player_wav}
module_path {MODULES}
module g711.so
module aufile.so
module_tmp account.so
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
        deadline = time.monotonic() + 10
        while True:
            try:
                self.sock = socket.create_connection(("127.0.0.1", ctrl_port), timeout=1)
                break
            except OSError:
                if time.monotonic() > deadline:
                    raise
                time.sleep(0.1)
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
