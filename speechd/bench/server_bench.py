"""Figures, no asserts: sd_mowik against sd_espeak-ng in the same private speech-dispatcher.

  /usr/bin/python3 speechd/bench/server_bench.py build/native

first audio: from starting spd-say until the first bytes land in the capture (the capture is
ALSA's file plugin over the null device, which takes audio as fast as it comes and writes it
in pieces, so this is the time until the server has played the first piece);
stop: from the client's STOP, during a long text, until the stop callback (the server has
silenced its audio by then) and until the capture stops growing."""

import os
import statistics
import subprocess
import sys
import threading
import time

sys.dont_write_bytecode = True  # nothing written into the source tree
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests"))
import speechd  # noqa: E402
from private_server import PrivateServer  # noqa: E402

BUILD = sys.argv[1] if len(sys.argv) > 1 else "build/native"
MODULES = ["mowik", "espeak-ng"]
ROUNDS = 5


def first_audio(server, module, text):
    env = dict(os.environ, SPEECHD_ADDRESS="unix_socket:" + server.socket)
    before = server.captured_bytes()
    start = time.monotonic()
    say = subprocess.Popen(["spd-say", "-w", "-o", module, "-l", "pl", text], env=env)
    server.wait_until(lambda: server.captured_bytes() > before, timeout=30, step=0.002)
    elapsed = time.monotonic() - start
    say.wait(30)
    server.wait_until(lambda: False, timeout=0.5)  # let the capture settle
    return elapsed


def stop_to_silence(server, client, module, text):
    client.set_output_module(module)
    done = threading.Event()
    client.speak(text, callback=lambda kind, index_mark=None: done.set() if kind in (
        speechd.CallbackType.END, speechd.CallbackType.CANCEL) else None)
    before = server.captured_bytes()
    server.wait_until(lambda: server.captured_bytes() > before, timeout=30, step=0.002)
    start = time.monotonic()
    client.stop()
    done.wait(30)
    callback = time.monotonic() - start
    last = -1
    while last != server.captured_bytes():
        last = server.captured_bytes()
        time.sleep(0.05)
    return callback, time.monotonic() - start - 0.05


def main():
    server = PrivateServer(os.path.join(BUILD, "speechd", "server_bench"),
                           os.path.join(BUILD, "speechd", "sd_mowik"), ["espeak-ng"])
    server.start()
    client = server.client("mowik-bench")
    client.set_language("pl")
    short = "Spotkanie o 12:30."
    long_text = " ".join("To jest zdanie numer %d długiego tekstu, który czytamy." % n for n in range(1, 60))
    try:
        for module in MODULES:
            first_audio(server, module, short)  # the module is started and warm
            firsts = [first_audio(server, module, short) for _ in range(ROUNDS)]
            stops = [stop_to_silence(server, client, module, long_text) for _ in range(ROUNDS)]
            print("%-10s spd-say to first audio: median %6.1f ms (min %6.1f, max %6.1f) over %d runs"
                  % (module, 1000 * statistics.median(firsts), 1000 * min(firsts), 1000 * max(firsts), ROUNDS))
            print("%-10s STOP to stop callback: median %6.1f ms; to a still capture: median %6.1f ms"
                  % (module, 1000 * statistics.median(s[0] for s in stops),
                     1000 * statistics.median(s[1] for s in stops)))
    finally:
        client.close()
        server.stop()


if __name__ == "__main__":
    main()
