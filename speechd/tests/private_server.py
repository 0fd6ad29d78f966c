"""A speech-dispatcher server of the tests' own: configuration, socket, logs and modules in a
work folder, the system's configuration and any running server left alone, audio through
ALSA into a capture file (the ALSA configuration's file plugin over the null device)."""

import os
import shutil
import subprocess
import time

import speechd

SYSTEM_MODULES = "/usr/lib/speech-dispatcher-modules"


class PrivateServer:
    def __init__(self, work, mowik_module, extra_modules=()):
        self.work = os.path.abspath(work)
        shutil.rmtree(self.work, ignore_errors=True)
        self.conf = os.path.join(self.work, "conf")
        self.modules = os.path.join(self.work, "modules")
        self.log = os.path.join(self.work, "log")
        self.capture = os.path.join(self.work, "capture.raw")
        self.sentences = os.path.join(self.log, "sentences.log")
        self.socket = os.path.join(self.work, "speechd.sock")
        for folder in (os.path.join(self.conf, "modules"), self.modules, self.log):
            os.makedirs(folder)
        # The module finds its voice beside the program the link points to.
        os.symlink(os.path.abspath(mowik_module), os.path.join(self.modules, "sd_mowik"))
        lines = ['AudioOutputMethod "alsa"', 'AudioALSADevice "default"', "LogLevel %d" % int(os.environ.get("MOWIK_SPEECHD_LOG_LEVEL", "3")),
                 'DefaultModule "mowik"', 'DefaultLanguage "pl"',
                 'AddModule "mowik" "sd_mowik" "mowik.conf"']
        for name in extra_modules:
            program = os.path.join(SYSTEM_MODULES, "sd_" + name)
            os.symlink(program, os.path.join(self.modules, "sd_" + name))
            lines.append('AddModule "%s" "sd_%s" "%s.conf"' % (name, name, name))
            system_conf = "/etc/speech-dispatcher/modules/%s.conf" % name
            if os.path.exists(system_conf):
                shutil.copy(system_conf, os.path.join(self.conf, "modules"))
        with open(os.path.join(self.conf, "speechd.conf"), "w") as f:
            f.write("\n".join(lines) + "\n")
        with open(os.path.join(self.conf, "modules", "mowik.conf"), "w") as f:
            f.write('MowikLogFile "%s"\nMowikUserSettings 0\n' % self.sentences)
        self.asoundrc = os.path.join(self.work, "capture.asoundrc")
        with open(self.asoundrc, "w") as f:
            # Appended through a pipe: the file survives the device being opened again.
            f.write('pcm.!default { type file; slave.pcm "null"; file "| cat >> %s"; format "raw" }\n'
                    % self.capture)
        self.process = None

    def start(self, timeout=30):
        env = dict(os.environ)
        env["ALSA_CONFIG_PATH"] = "/usr/share/alsa/alsa.conf:" + self.asoundrc
        env["HOME"] = self.work  # no user configuration of the machine's user
        env.pop("XDG_CONFIG_HOME", None)
        env.pop("SPEECHD_ADDRESS", None)
        self.process = subprocess.Popen(
            ["speech-dispatcher", "--run-single", "--timeout", "0",
             "--communication-method", "unix_socket", "--socket-path", self.socket,
             "--config-dir", self.conf, "--module-dir", self.modules, "--log-dir", self.log,
             "--pid-file", os.path.join(self.work, "speechd.pid")],
            env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            if os.path.exists(self.socket):
                try:
                    self.client("probe").close()
                    return
                except Exception:
                    pass
            if self.process.poll() is not None:
                break
            time.sleep(0.05)
        raise RuntimeError("the private speech-dispatcher did not start; see " + self.log)

    def client(self, name):
        return speechd.SSIPClient(name, address="unix_socket:" + self.socket, autospawn=False)

    def stop(self):
        if self.process and self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(10)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()

    def captured_bytes(self):
        try:
            return os.path.getsize(self.capture)
        except OSError:
            return 0

    def wait_until(self, condition, timeout=60, step=0.02):
        """Polls condition until it holds; False after the (generous) timeout."""
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            if condition():
                return True
            time.sleep(step)
        return condition()
