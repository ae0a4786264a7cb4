#!/usr/bin/python3
"""The web console in a real browser: headless chromium driven by chromedriver, against a real
`voxclock --headless` on a scratch program folder with the simulated node.

The program is started and the test waits for the line it prints once the console listens; in
the page, the test waits for the change itself (a MutationObserver), never on a timer.

    console_browser_test.py --voxclock BIN --writer DIALOG_WRITER --data TESTS_DATA [--shots DIR]
"""
import argparse
import http.client
import os
import selectors
import shutil
import signal
import socket
import subprocess
import sys
import tempfile
import unittest

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By

ARGS = None

# Resolves once `selector`'s text holds `text` (or, with present=False, once it does not).
WAIT_TEXT = """
const [selector, text, done] = [arguments[0], arguments[1], arguments[arguments.length - 1]];
const holds = () => { const e = document.querySelector(selector); return !!e && e.textContent.includes(text); };
if (holds()) { done(true); return; }
const observer = new MutationObserver(() => { if (holds()) { observer.disconnect(); done(true); } });
observer.observe(document.body, {subtree: true, childList: true, characterData: true});
"""


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


class Program:
    """`voxclock --headless` on a scratch program folder; ready once it prints that the console
    listens."""

    def __init__(self, listen, extra_conf=""):
        self.dir = tempfile.mkdtemp(prefix="voxclock-web.")
        self.home = os.path.join(self.dir, "home")
        shutil.copytree(os.path.join(ARGS.data, "simulate", "home"), self.home)
        with open(os.path.join(self.home, "voxclock.conf"), "w") as f:
            f.write("[sim]\nconnect_delay_ms = 0\n[web_ui]\nlisten = %s\n%s" % (listen, extra_conf))
        env = {"HOME": self.dir, "PATH": "/usr/bin:/bin", "XDG_RUNTIME_DIR": self.dir}
        self.proc = subprocess.Popen([ARGS.voxclock, "--headless", "--home", self.home],
                                     stdin=subprocess.PIPE, stdout=subprocess.DEVNULL,
                                     stderr=subprocess.PIPE, env=env)
        self.stderr = []
        sel = selectors.DefaultSelector()
        sel.register(self.proc.stderr, selectors.EVENT_READ)
        while True:
            if not sel.select(timeout=60):
                self.stop()
                raise RuntimeError("the console never said it listens:\n" + "".join(self.stderr))
            line = self.proc.stderr.readline().decode("utf-8", "replace")
            if not line:
                raise RuntimeError("the program ended:\n" + "".join(self.stderr))
            self.stderr.append(line)
            if line.startswith("Web console: listening on"):
                break

    def control(self, line):
        with socket.socket(socket.AF_UNIX) as s:
            s.connect(os.path.join(self.home, "sim.sock"))
            s.sendall((line + "\n").encode())
            return s.makefile().readline().strip()

    def file(self, name):
        with open(os.path.join(self.home, name), "rb") as f:
            return f.read()

    def stop(self):
        if self.proc.poll() is None:
            self.proc.send_signal(signal.SIGTERM)
            self.proc.wait(timeout=60)
        shutil.rmtree(self.dir, ignore_errors=True)


def browser():
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for arg in ("--headless=new", "--no-sandbox", "--disable-gpu", "--disable-dev-shm-usage",
                "--window-size=1280,1000"):
        options.add_argument(arg)
    driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
    driver.set_script_timeout(10)
    return driver


class LoopbackConsole(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.port = free_port()
        cls.program = Program("127.0.0.1:%d" % cls.port)
        cls.driver = browser()
        cls.url = "http://127.0.0.1:%d/" % cls.port
        cls.driver.get(cls.url)
        cls.wait_text("#link", "live")

    @classmethod
    def tearDownClass(cls):
        cls.driver.quit()
        cls.program.stop()

    @classmethod
    def wait_text(cls, selector, text, seconds=10):
        cls.driver.set_script_timeout(seconds)
        cls.driver.execute_async_script(WAIT_TEXT, selector, text)

    def click(self, selector):
        self.driver.find_element(By.CSS_SELECTOR, selector).click()

    def test_1_dtmf_on_the_node_shows_ptt_and_the_time(self):
        self.driver.find_element(By.ID, "tab-status").click()
        self.assertEqual(self.program.control("dtmf 00*"), "ok")
        # Within 2 s each: the transmitter keyed, and the announcement in the air log.
        self.wait_text("#ptt", "ON", 2)
        self.wait_text("#airlog", "The time is", 2)

    def test_2_xmit_time_in_the_page_keys_the_transmitter(self):
        self.driver.find_element(By.ID, "tab-status").click()
        before = self.program.file("air.log").count(b'"ev":"ptt","on":true')
        self.wait_text("#buttons", "Xmit Time")
        self.click("#btn-CMDTime")
        # The page shows the air log as written: once it shows PTT, air.log holds it.
        self.driver.execute_script("document.getElementById('airlog').replaceChildren()")
        self.wait_text("#airlog", "ptt on=true", 10)
        self.assertGreater(self.program.file("air.log").count(b'"ev":"ptt","on":true'), before)

    def save_page(self, page, values):
        self.driver.find_element(By.ID, "tab-settings").click()
        self.wait_text("#pages", "Timing")
        self.click("#page-" + page)
        self.wait_text("#settings-form h2", {"timing": "Timing", "remote": "Remote",
                                             "voice": "Voice"}[page])
        for name, value in values.items():
            e = self.driver.find_element(By.ID, "f-" + name)
            if e.get_attribute("type") == "checkbox":
                if e.is_selected() != (value == "1"):
                    e.click()
            else:
                e.clear()
                e.send_keys(value)
        self.click("#settings-ok")
        self.wait_text("#settings-messages", "Saved.")

    def test_3_settings_pages_write_what_the_dialogs_write(self):
        ini = os.path.join(self.program.home, "voxclock.ini")
        before = os.path.join(self.program.dir, "before.ini")
        shutil.copy(ini, before)
        self.save_page("timing", {"tbCWMinutes": "7"})
        self.save_page("remote", {"n1_node": "w2xyz-l"})
        # Shown as stored: the call upper-cased.
        self.assertEqual(self.driver.find_element(By.ID, "f-n1_node").get_attribute("value"),
                         "W2XYZ-L")
        expected = subprocess.run([ARGS.writer, before, "--cw-minutes", "7", "--remote", "1",
                                   "w2xyz-l"], check=True, capture_output=True).stdout
        written = self.program.file("voxclock.ini")
        self.assertEqual(written.splitlines(), expected.splitlines())
        with open(before, "rb") as f:
            self.assertNotEqual(written, f.read())

    def test_4_stranger_text_is_shown_as_text(self):
        self.save_page("voice", {"cbChatMsg": "1", "cbFullChatText": "1"})
        self.driver.find_element(By.ID, "tab-status").click()
        # A chat line is spoken with its markup escaped; the page shows that text as it is.
        evil = "<script>window.hacked=1</script><img src=x onerror=window.hacked=2>"
        self.assertEqual(self.program.control("chat K1ABC>" + evil), "ok")
        self.wait_text("#airlog", "&lt;img src=x onerror=window.hacked=2&gt;", 30)
        # A call is logged as the stranger sent it.
        call = "<img/src=x/onerror=window.hacked=3>"
        self.assertEqual(self.program.control("connect " + call), "ok")
        self.wait_text("#eventlog", call, 60)
        self.wait_text("#stations", call, 10)
        self.assertEqual(self.driver.find_elements(
            By.CSS_SELECTOR, "#airlog *:not(li):not(span), #eventlog *:not(li):not(span), "
            "#stations *:not(li)"), [])
        self.assertIsNone(self.driver.execute_script("return window.hacked"))
        if ARGS.shots:
            os.makedirs(ARGS.shots, exist_ok=True)
            self.driver.save_screenshot(os.path.join(ARGS.shots, "web-console-status.png"))
            self.driver.find_element(By.ID, "tab-settings").click()
            self.click("#page-timing")
            self.wait_text("#settings-form h2", "Timing")
            self.driver.save_screenshot(os.path.join(ARGS.shots, "web-console-settings.png"))


class NetworkConsole(unittest.TestCase):
    """Bound to every address: nothing without a login, no change without the page's token and
    origin, no body over 64 KiB; and nothing changes on the way."""

    @classmethod
    def setUpClass(cls):
        cls.port = free_port()
        cls.program = Program("0.0.0.0:%d" % cls.port)
        secret_file = os.path.join(cls.program.home, "web-console.secret")
        with open(secret_file) as f:
            cls.secret = f.read().strip()
        cls.mode = os.stat(secret_file).st_mode & 0o777

    @classmethod
    def tearDownClass(cls):
        cls.program.stop()

    def request(self, method, path, body=b"", headers=None):
        c = http.client.HTTPConnection("127.0.0.1", self.port, timeout=10)
        h = {"Host": "127.0.0.1:%d" % self.port}
        h.update(headers or {})
        try:
            c.request(method, path, body=body, headers=h)
            r = c.getresponse()
            return r.status, r.getheader("Set-Cookie") or "", r.read()
        except (ConnectionResetError, BrokenPipeError, http.client.RemoteDisconnected):
            return 0, "", b""  # cut off before the whole body was read
        finally:
            c.close()

    def test_refusals_change_nothing(self):
        self.assertEqual(self.mode, 0o600)
        self.assertIn("web-console.secret", "".join(self.program.stderr))
        ini = self.program.file("voxclock.ini")
        origin = {"Origin": "http://127.0.0.1:%d" % self.port,
                  "Content-Type": "application/x-www-form-urlencoded"}
        press = b"control=CMDTime"
        # No login.
        self.assertEqual(self.request("GET", "/api/session")[0], 401)
        self.assertEqual(self.request("GET", "/")[0], 303)
        self.assertEqual(self.request("POST", "/api/press", press, origin)[0], 401)
        # A wrong secret, then the right one.
        self.assertEqual(self.request("POST", "/login", b"secret=nope", origin)[0], 303)
        status, cookie, _ = self.request("POST", "/login", ("secret=" + self.secret).encode(), origin)
        self.assertEqual(status, 303)
        self.assertIn("HttpOnly", cookie)
        self.assertIn("SameSite=Strict", cookie)
        session = {"Cookie": cookie.split(";")[0]}
        status, _, body = self.request("GET", "/api/session", headers=session)
        self.assertEqual(status, 200)
        csrf = body.decode().split('"csrf":"')[1].split('"')[0]
        logged = dict(origin, **session)
        # A change without the token, with a foreign origin, and with a body over 64 KiB.
        self.assertEqual(self.request("POST", "/api/press", press, logged)[0], 403)
        foreign = dict(logged, **{"X-CSRF-Token": csrf, "Origin": "http://evil.example"})
        self.assertEqual(self.request("POST", "/api/press", press, foreign)[0], 403)
        big = b"page=timing&tbCWMinutes=3&x=" + b"a" * (100 * 1024)
        self.assertIn(self.request("POST", "/api/settings", big,
                                   dict(logged, **{"X-CSRF-Token": csrf}))[0], (0, 413))
        self.assertEqual(self.request("POST", "/api/settings", b"page=timing&tbCWMinutes=3",
                                      foreign)[0], 403)
        # At most 16 connections: the 17th is closed unanswered, and the refusal logged once.
        # Each held connection has been answered once, so it is counted: a connection closed just
        # before may still hold a place until the program sees it close.
        held = []
        for _ in range(40):
            if len(held) == 16:
                break
            c = http.client.HTTPConnection("127.0.0.1", self.port, timeout=10)
            try:
                c.request("GET", "/login", headers={"Host": "127.0.0.1:%d" % self.port})
                c.getresponse().read()
                held.append(c)
            except (ConnectionResetError, http.client.RemoteDisconnected):
                c.close()
        self.assertEqual(len(held), 16)
        try:
            for _ in range(2):
                with socket.create_connection(("127.0.0.1", self.port), timeout=10) as extra:
                    extra.sendall(b"GET /login HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n")
                    try:
                        self.assertEqual(extra.recv(100), b"")
                    except ConnectionResetError:
                        pass
        finally:
            for s in held:
                s.close()
        log = self.program.file("VoxclockLog.txt").decode("utf-8", "replace")
        self.assertEqual(log.count("refused a connection over 16"), 1)
        # Nothing changed: the settings file is as it was, nothing went on the air.
        self.assertEqual(self.program.file("voxclock.ini"), ini)
        self.assertNotIn(b'"ev":"ptt","on":true', self.program.file("air.log"))


if __name__ == "__main__":
    parser = argparse.ArgumentParser()
    parser.add_argument("--voxclock", required=True)
    parser.add_argument("--writer", required=True)
    parser.add_argument("--data", required=True)
    parser.add_argument("--shots")
    ARGS, rest = parser.parse_known_args()
    unittest.main(argv=[sys.argv[0]] + rest, verbosity=2)
