#!/usr/bin/env python3
"""The tablet remote page in a real browser: Debian's chromium, headless,
driven by selenium through chromedriver, against orvan-server and the
virtual processor. It mutes an output and moves a gain on the page, sees a
change made by another client arrive, and the processor's live program,
read back with orvan-cli after the service stopped, holds both edits.

    remote_page_test.py ORVAN_SERVER ORVAN_VPROC ORVAN_CLI [--screenshots DIR]

With --screenshots it also saves the page at a tablet's (1280 x 800) and a
phone's (390 x 844) viewport in both languages: DIR/remote-{tablet,phone}-{zh,en}.png.
Exits 77 (skipped) when selenium is missing or chromium cannot start here.
"""

import json
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import urllib.request

SKIPPED = 77
CHROMIUM = shutil.which("chromium") or "/usr/bin/chromium"
CHROMEDRIVER = shutil.which("chromedriver") or "/usr/bin/chromedriver"


def fail(message, log=None):
    print("FAIL: " + message, file=sys.stderr)
    if log and os.path.exists(log):
        with open(log, encoding="utf-8", errors="replace") as f:
            sys.stderr.write(f.read())
    sys.exit(1)


def skip(message):
    print("SKIPPED: " + message)
    sys.exit(SKIPPED)


def wait_for(condition, timeout, what):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        try:
            value = condition()
            if value:
                return value
        except Exception:  # the page is still building; ask again
            pass
        time.sleep(0.05)
    raise TimeoutError(what)


def api(base, method, path, body=None):
    data = None if body is None else json.dumps(body).encode()
    request = urllib.request.Request(base + "/api/v1/" + path, data=data, method=method)
    if data is not None:
        request.add_header("Content-Type", "application/json")
    with urllib.request.urlopen(request, timeout=5) as answer:
        return json.load(answer)


def start_browser():
    try:
        from selenium import webdriver
        from selenium.common.exceptions import WebDriverException
    except ImportError:
        skip("python3-selenium is not installed (scripts/install-deps.sh installs it)")
    if not os.path.exists(CHROMIUM) or not os.path.exists(CHROMEDRIVER):
        skip("chromium or chromedriver is not installed (scripts/install-deps.sh installs them)")
    options = webdriver.ChromeOptions()
    options.binary_location = CHROMIUM
    # CI runs as root, where chromium's sandbox cannot start.
    for argument in ("--headless=new", "--no-sandbox", "--disable-gpu", "--disable-dev-shm-usage",
                     "--window-size=1280,800", "--hide-scrollbars", "--lang=en-US"):
        options.add_argument(argument)
    try:
        service = webdriver.ChromeService(executable_path=CHROMEDRIVER)
    except AttributeError:  # selenium before 4.6
        from selenium.webdriver.chrome.service import Service
        service = Service(executable_path=CHROMEDRIVER)
    try:
        return webdriver.Chrome(service=service, options=options)
    except WebDriverException as error:
        skip("chromium cannot start in this environment: " + (error.msg or str(error)).splitlines()[0])


def page_ready(driver):
    """The page is online, with every strip read."""
    return driver.execute_script(
        "return document.querySelector('#state').classList.contains('online')"
        " && document.querySelectorAll('#outputs .strip').length === 8"
        " && document.querySelectorAll('#inputs .strip').length === 4"
        " && document.querySelector('#outputs-8 .gain-text').textContent !== ''"
        " && document.querySelectorAll('#slot option').length === 30")


def strip_text(driver, strip, selector):
    return driver.find_element("css selector", f"#{strip} {selector}").text


def exercise(driver, base, log):
    from selenium.webdriver.common.keys import Keys

    driver.get(base + "/?lang=en")
    wait_for(lambda: page_ready(driver), 30, "the page did not come online")
    if strip_text(driver, "outputs-3", ".gain-text") != "0.0dB":
        fail("output 3 does not start at 0.0dB", log)

    # Mute output 2 with a tap.
    mute = driver.find_element("css selector", "#outputs-2 .mute")
    mute.click()
    wait_for(lambda: mute.get_attribute("aria-pressed") == "true", 5, "output 2 did not show muted")

    # Move output 3's gain down 3 dB: 30 steps of 0.1 dB from the keyboard,
    # as a user nudges a fader; the page sends them one write at a time.
    fader = driver.find_element("css selector", "#outputs-3 .fader")
    fader.send_keys(Keys.ARROW_LEFT * 30)
    wait_for(lambda: strip_text(driver, "outputs-3", ".gain-text") == "-3.0dB", 10,
             "output 3's gain did not reach -3.0dB")
    wait_for(lambda: api(base, "GET", "outputs/3/gain")["value"] == -3.0, 5,
             "the service does not hold output 3 at -3.0dB")
    if api(base, "GET", "outputs/2/mute")["value"] is not True:
        fail("the service does not hold output 2 muted", log)

    # A change made by another client reaches the page through the events.
    api(base, "PUT", "inputs/2/gain", {"value": -6.5})
    wait_for(lambda: strip_text(driver, "inputs-2", ".gain-text") == "-6.5dB", 5,
             "a change made elsewhere did not reach the page")
    # The meters move.
    wait_for(lambda: driver.execute_script(
        "return [...document.querySelectorAll('.meter-cover')].some(c => c.style.width && c.style.width !== '100%')"),
        5, "the meters did not move")
    # Nothing went wrong on the page's side.
    errors = driver.get_log("browser") if hasattr(driver, "get_log") else []
    severe = [e for e in errors if e.get("level") == "SEVERE"]
    if severe:
        fail("the page logged errors: " + json.dumps(severe), log)
    return api(base, "GET", "outputs/3/gain")["step"]


def screenshots(driver, base, folder):
    """The help pages' pictures: a rack as an installation names it."""
    os.makedirs(folder, exist_ok=True)
    for n, name in enumerate(("MAIN L", "MAIN R", "SUB L", "SUB R", "FILL L", "FILL R", "DELAY 1", "DELAY 2"), 1):
        api(base, "PUT", f"outputs/{n}/name", {"value": name})
    for n, name in enumerate(("MIX L", "MIX R", "SUB", "SPEECH"), 1):
        api(base, "PUT", f"inputs/{n}/name", {"value": name})
    for slot, name in ((2, "SPEECH"), (1, "CONCERT")):
        api(base, "POST", f"programs/{slot}/store", {"name": name})
        wait_for(lambda: not api(base, "GET", "processor")["transferRunning"], 30, "the store did not finish")
    for language in ("zh", "en"):
        for name, width, height, mobile in (("tablet", 1280, 800, False), ("phone", 390, 844, True)):
            driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                                   {"width": width, "height": height, "deviceScaleFactor": 1, "mobile": mobile})
            driver.get(f"{base}/?lang={language}")
            wait_for(lambda: page_ready(driver), 30, "the page did not come online")
            time.sleep(0.6)  # a few meter frames
            path = os.path.join(folder, f"remote-{name}-{language}.png")
            driver.save_screenshot(path)
            print("saved " + path)
    driver.execute_cdp_cmd("Emulation.clearDeviceMetricsOverride", {})


def main():
    arguments = sys.argv[1:]
    shots = None
    if "--screenshots" in arguments:
        at = arguments.index("--screenshots")
        shots = os.path.abspath(arguments[at + 1])
        del arguments[at:at + 2]
    if len(arguments) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    server, vproc, cli = arguments
    work = tempfile.mkdtemp()
    port = os.path.join(work, "port")
    log = os.path.join(work, "server.log")
    processes = []
    driver = None
    try:
        processes.append(subprocess.Popen([vproc, "--link", port, "--state", os.path.join(work, "state")],
                                          stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
        wait_for(lambda: os.path.exists(port), 10, "the virtual processor did not start")
        with open(log, "w") as log_file:
            service = subprocess.Popen([server, "--port", port, "--http-port", "0"], stderr=log_file)
        processes.append(service)

        def listening():
            with open(log, encoding="utf-8") as f:
                text = f.read()
            if "online:" not in text:
                return None
            for word in text.split():
                if word.startswith("http://127.0.0.1:"):
                    return word
            return None
        base = wait_for(listening, 30, "the service did not connect")

        driver = start_browser()
        gain_step = exercise(driver, base, log)
        if shots:
            screenshots(driver, base, shots)
        driver.quit()
        driver = None

        # The processor itself: its live program read back once the service
        # let go of the port.
        service.send_signal(signal.SIGTERM)
        if service.wait(10) != 0:
            fail("the service did not stop cleanly", log)
        live = os.path.join(work, "live.dia1C")
        subprocess.run([cli, "pull-live", "--port", port, live], check=True, stdout=subprocess.DEVNULL)
        shown = json.loads(subprocess.run([cli, "show", "--json", live], check=True, capture_output=True,
                                          text=True).stdout)
        # The program document holds steps: "on" 0 is muted.
        outputs = shown["outputs"]
        if outputs[1]["on"] != 0:
            fail("the processor's output 2 is not muted: " + json.dumps(outputs[1]), log)
        if outputs[2]["gain"] != gain_step:
            fail(f"the processor's output 3 gain is step {outputs[2]['gain']}, not {gain_step} (-3.0dB)", log)
        print("ok")
        return 0
    except TimeoutError as error:
        fail(str(error), log)
    finally:
        if driver is not None:
            driver.quit()
        for process in reversed(processes):
            if process.poll() is None:
                process.terminate()
                try:
                    process.wait(5)
                except subprocess.TimeoutExpired:
                    process.kill()
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
