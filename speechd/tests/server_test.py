"""sd_mowik in a real speech-dispatcher (a private server), driven by the Python client as
Orca and spd-say drive it. No timing is asserted; the timeouts are generous."""

import os
import subprocess
import sys
import threading
import time
import unittest

import speechd

sys.dont_write_bytecode = True  # nothing written into the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from private_server import PrivateServer  # noqa: E402

MODULE = os.environ["SD_MOWIK"]
SAY = os.environ["MOWIK_SAY"]
WORK = os.environ["WORK"]

Event = speechd.CallbackType


class Listener:
    """Records a message's events; done once END or CANCEL came."""

    def __init__(self):
        self.events = []
        self.done = threading.Event()

    def __call__(self, kind, index_mark=None):
        self.events.append((kind, index_mark))
        if kind in (Event.END, Event.CANCEL):
            self.done.set()


class ServerTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.server = PrivateServer(WORK, MODULE)
        cls.server.start()
        cls.client = cls.server.client("mowik-test")
        cls.client.set_output_module("mowik")
        cls.client.set_language("pl")

    @classmethod
    def tearDownClass(cls):
        cls.client.close()
        cls.server.stop()

    def speak(self, text, ssml=False):
        listener = Listener()
        self.client.set_data_mode(speechd.DataMode.SSML if ssml else speechd.DataMode.TEXT)
        self.client.speak(text, callback=listener)
        return listener

    def settled_capture(self):
        """The capture's size once it stops changing (it is appended through a pipe)."""
        last = -1
        while last != self.server.captured_bytes():
            last = self.server.captured_bytes()
            time.sleep(0.3)
        return last

    def spoken_sentences(self):
        try:
            with open(self.server.sentences, encoding="utf-8") as log:
                return sum(1 for line in log if line.startswith("sentence\t"))
        except OSError:
            return 0

    def heard_after(self, before, listener, timeout=60):
        self.assertTrue(listener.done.wait(timeout), "no END came; events: %r" % listener.events)
        return self.settled_capture() - before

    def test_polish_sentence_is_heard_with_its_length(self):
        text = "Spotkanie o 12:30 kosztuje 15,50 EUR."
        raw = os.path.join(WORK, "said.raw")
        subprocess.run([SAY, "--natural", "-o", raw, text], check=True)  # the module reads naturally
        expected = os.path.getsize(raw)
        before = self.server.captured_bytes()
        heard = self.heard_after(before, self.speak(text))
        # The same voice and text: the samples mowik-say writes, give or take the device's last
        # period of padding.
        self.assertGreater(expected, 16000)
        self.assertLess(abs(heard - expected), expected * 0.05, "heard %d bytes, mowik-say wrote %d" % (heard, expected))

    def test_three_marks_arrive_in_order_then_end(self):
        # A sentence goes before the first mark: the Python client registers a message's
        # callback only after the server has answered SPEAK, and drops events that come
        # earlier (its own TODO says so), which a mark at the very start sometimes did.
        listener = self.speak('<speak>Zaczynamy. <mark name="m1"/>Ala ma kota. <mark name="m2"/>Kot ma '
                              '<mark name="m3"/>Alę.</speak>', ssml=True)
        self.assertTrue(listener.done.wait(60), "no END came; events: %r" % listener.events)
        marks = [mark for kind, mark in listener.events if kind == Event.INDEX_MARK]
        self.assertEqual(marks, ["m1", "m2", "m3"])
        self.assertEqual(listener.events[-1][0], Event.END)

    def test_stop_during_a_long_text_stops_the_audio(self):
        text = " ".join("To jest zdanie numer %d długiego tekstu, który czytamy." % n for n in range(1, 120))
        raw = os.path.join(WORK, "long.raw")
        subprocess.run([SAY, "--natural", "-o", raw, text], check=True)  # the module reads naturally
        whole = os.path.getsize(raw)
        before = self.server.captured_bytes()
        spoken_before = self.spoken_sentences()
        listener = self.speak(text)
        # The module is well into the text (the capture device, a file plugin over ALSA's
        # null device, writes in large pieces, so the module's log tells how far it got).
        self.assertTrue(self.server.wait_until(lambda: self.spoken_sentences() >= spoken_before + 3),
                        "the module spoke nothing")
        self.client.stop()
        self.assertTrue(listener.done.wait(60), "no stop callback; events: %r" % listener.events)
        self.assertEqual(listener.events[-1][0], Event.CANCEL)
        stopped = self.settled_capture() - before
        time.sleep(1.5)
        self.assertEqual(self.server.captured_bytes() - before, stopped, "the capture still grows after the stop")
        self.assertLess(stopped, whole / 2, "the stop came after most of the text was heard")

    def test_every_polish_letter_arrives_intact(self):
        sentences = ["Zażółć gęślą jaźń.", "ZAŻÓŁĆ GĘŚLĄ JAŹŃ.", "Ą ą Ć ć Ę ę Ł ł Ń ń Ó ó Ś ś Ź ź Ż ż."]
        with open(self.server.sentences, "a", encoding="utf-8"):
            pass
        start = os.path.getsize(self.server.sentences)
        listener = self.speak(" ".join(sentences))
        self.assertTrue(listener.done.wait(60), "no END came; events: %r" % listener.events)
        with open(self.server.sentences, encoding="utf-8") as log:
            log.seek(start)
            spoken = [line.split("\t", 1)[1].rstrip("\n") for line in log if line.startswith("sentence\t")]
        self.assertEqual(spoken, sentences)


if __name__ == "__main__":
    unittest.main(verbosity=2)
