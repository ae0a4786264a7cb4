#!/usr/bin/python3
"""What the web console costs and how fast it is.

1. Idle: two headless programs on scratch folders, one with the console listening and no browser,
   one with `[web_ui] listen =` empty; after they settle, scripts/measure-idle.sh compares CPU,
   wake-ups and RSS over the window.
2. PTT to page: a headless chromium shows the status page; the node is sent `dtmf 00*` and the
   time the page showed PTT on (Date.now() in a MutationObserver) is compared with the time
   stamped on the air log's PTT line.

    scripts/measure-web-console.py --voxclock build/src/voxclock [--seconds 60] [--rounds 5]
"""
import argparse
import json
import os
import subprocess
import sys
import time
from datetime import datetime

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "tests", "web"))
import console_browser_test as web  # noqa: E402

PTT_SEEN = """
const done = arguments[arguments.length - 1];
const ptt = document.getElementById("ptt");
const observer = new MutationObserver(() => {
  if (ptt.textContent === "ON") { observer.disconnect(); done(Date.now()); }
});
observer.observe(ptt, {childList: true, characterData: true, subtree: true});
"""


def main():
    p = argparse.ArgumentParser()
    p.add_argument("--voxclock", required=True)
    p.add_argument("--seconds", type=int, default=60)
    p.add_argument("--rounds", type=int, default=5)
    args = p.parse_args()
    web.ARGS = argparse.Namespace(voxclock=args.voxclock, writer="", shots=None,
                                  data=os.path.join(HERE, "..", "tests", "data"))

    on = web.Program("127.0.0.1:%d" % web.free_port())
    off = OffProgram()
    try:
        time.sleep(15)  # both past start-up
        subprocess.run(["bash", os.path.join(HERE, "measure-idle.sh"), str(args.seconds),
                        "console-on=%d" % on.proc.pid, "console-off=%d" % off.proc.pid], check=True)
    finally:
        off.stop()

    port = int(on.stderr[-1].rsplit(":", 1)[1])
    driver = web.browser()
    try:
        driver.get("http://127.0.0.1:%d/" % port)
        driver.set_script_timeout(10)
        driver.execute_async_script(web.WAIT_TEXT, "#link", "live")
        delays = []
        for _ in range(args.rounds):
            driver.execute_async_script(web.WAIT_TEXT, "#ptt", "off")
            lines_before = on.file("air.log").count(b"\n")
            on.control("dtmf 00*")
            seen_ms = driver.execute_async_script(PTT_SEEN)
            lines = on.file("air.log").split(b"\n")[lines_before:]
            keyed = next(json.loads(l) for l in lines if b'"ev":"ptt","on":true' in l)
            stamped = datetime.strptime(keyed["t"], "%Y-%m-%dT%H:%M:%S.%f").timestamp() * 1000
            delays.append(seen_ms - stamped)
        delays.sort()
        print("PTT on to page, ms over %d rounds: min %.0f median %.0f max %.0f"
              % (len(delays), delays[0], delays[len(delays) // 2], delays[-1]))
    finally:
        driver.quit()
        on.stop()


class OffProgram(web.Program):
    def __init__(self):
        import shutil
        import tempfile
        self.dir = tempfile.mkdtemp(prefix="voxclock-web-off.")
        self.home = os.path.join(self.dir, "home")
        shutil.copytree(os.path.join(web.ARGS.data, "simulate", "home"), self.home)
        with open(os.path.join(self.home, "voxclock.conf"), "w") as f:
            f.write("[sim]\nconnect_delay_ms = 0\n[web_ui]\nlisten =\n")
        env = {"HOME": self.dir, "PATH": "/usr/bin:/bin", "XDG_RUNTIME_DIR": self.dir}
        self.proc = subprocess.Popen([web.ARGS.voxclock, "--headless", "--home", self.home],
                                     stdin=subprocess.PIPE, stdout=subprocess.DEVNULL,
                                     stderr=subprocess.DEVNULL, env=env)
        self.stderr = []


if __name__ == "__main__":
    main()
