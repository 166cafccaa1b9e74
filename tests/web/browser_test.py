#!/usr/bin/python3
"""The web page in a real browser (headless Chromium through its WebDriver),
against the real program on the real clock: the view behind the login, the RF
lamp lit while the carrier is up, the log's lines, the switch refused before
the login and working after it.

    browser_test.py PROGRAM                 the test (exit 0 passed, 77 no browser)
    browser_test.py PROGRAM --screenshots DIR   the README's pictures of the page
"""
import os
import shutil
import socket
import subprocess
import sys
import tempfile
import time

GUARD = 60  # seconds: only against hangs

try:
    from selenium import webdriver
    from selenium.webdriver.chrome.service import Service
    from selenium.webdriver.common.by import By
    from selenium.webdriver.common.keys import Keys
    from selenium.webdriver.support.ui import WebDriverWait
except ImportError:
    webdriver = None

SCRIPT = """callsign W1AW-R
at 8000 carrier up
at 20000 carrier down
at 23000 carrier up
at 23600 carrier down
at 45000 end
"""


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def start_station(program, folder, port):
    subprocess.run([program, "--web-password", "--config-dir", folder], input=b"chime chime\n",
                   check=True, stderr=subprocess.DEVNULL)
    with open(os.path.join(folder, "station.tcs"), "w") as f:
        f.write(SCRIPT)
    station = subprocess.Popen([program, "--headless", os.path.join(folder, "station.tcs"), "--web",
                                "127.0.0.1:%d" % port, "--config-dir", folder],
                               stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    for line in station.stdout:
        if 'web "serving' in line:
            return station
    raise SystemExit("the program never served the page")


def browser(width, height):
    options = webdriver.ChromeOptions()
    options.binary_location = shutil.which("chromium")
    for arg in ("--headless=new", "--no-sandbox", "--disable-gpu", "--disable-dev-shm-usage",
                "--window-size=%d,%d" % (width, height)):
        options.add_argument(arg)
    return webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)


def post_from_page(driver, path, body):
    """The status of a POST made by the page's own script."""
    return driver.execute_async_script(
        "const done = arguments[arguments.length - 1];"
        "fetch(arguments[0], {method: 'POST', headers: {'Content-Type': 'application/json'},"
        " body: arguments[1]}).then(r => done(r.status), e => done(String(e)));", path, body)


def log_in(driver, url):
    driver.get(url)
    wait = WebDriverWait(driver, GUARD)
    wait.until(lambda d: d.find_element(By.ID, "login").is_displayed())
    driver.find_element(By.ID, "password").send_keys("chime chime")
    driver.find_element(By.CSS_SELECTOR, "#loginform button").click()
    wait.until(lambda d: d.find_element(By.ID, "controls").is_displayed())
    return wait


def test(program):
    with tempfile.TemporaryDirectory() as folder:
        port = free_port()
        url = "http://127.0.0.1:%d/" % port
        station = start_station(program, folder, port)
        driver = browser(1200, 900)
        try:
            driver.get(url)
            wait = WebDriverWait(driver, GUARD)
            wait.until(lambda d: d.find_element(By.ID, "login").is_displayed())
            assert not driver.find_element(By.ID, "station").is_displayed(), "the view shows before the login"
            assert post_from_page(driver, "/api/control", '{"action":"off"}') == 401

            wait = log_in(driver, url)
            lamp = driver.find_element(By.ID, "lamp-rf")
            wait.until(lambda d: "lit" in lamp.get_attribute("class"))
            wait.until(lambda d: d.find_element(By.ID, "switch").text == "On")
            wait.until(lambda d: "lit" not in lamp.get_attribute("class"))
            wait.until(lambda d: 'Courtesy CW ident K' in d.find_element(By.ID, "log").text)

            driver.find_element(By.CSS_SELECTOR, 'button[data-action="off"]').click()
            wait.until(lambda d: d.find_element(By.ID, "switch").text == "Off")
            wait.until(lambda d: "off from 127.0.0.1" in d.find_element(By.ID, "log").text)
            assert driver.find_element(By.ID, "controldone").text.startswith("Switched off")

            # A typed hang time is kept through the live updates until it is set.
            hang = driver.find_element(By.ID, "set-hang")
            hang.click()  # as a sysop does: into the field, all of it chosen, the new figure typed
            hang.send_keys(Keys.CONTROL, "a")
            hang.send_keys("700")
            driver.find_element(By.ID, "set-kerchunk").click()
            time.sleep(1.5)  # the antenna and the lamps go on updating meanwhile
            assert hang.get_attribute("value") == "700", hang.get_attribute("value")
            driver.find_element(By.CSS_SELECTOR, "#timings button").click()
            wait.until(lambda d: d.find_element(By.ID, "hang").text == "700")

            # The station stops: the page says so at its top; it comes back by itself.
            station.terminate()
            station.wait(GUARD)
            stopped = time.monotonic()
            banner = driver.find_element(By.ID, "lost")
            wait.until(lambda d: banner.is_displayed())
            told = time.monotonic() - stopped
            assert banner.rect["y"] < 100, banner.rect
            station = start_station(program, folder, port)
            started = time.monotonic()
            wait.until(lambda d: not banner.is_displayed() and d.find_element(By.ID, "login").is_displayed())
            back = time.monotonic() - started
        finally:
            driver.quit()
            station.terminate()
            station.wait(GUARD)
    print("the page: view behind the login, RF lamp, log, switch refused before and done after the login,"
          " a typed field kept, the station lost after %.1f s and back (login) %.1f s after its restart" % (told, back))


def a_month_behind(program, folder):
    """A month of traffic up to now, on virtual time, for the charts."""
    day, hour = 86400000, 3600000
    now = int(time.time() * 1000)
    start = now // day * day - 29 * day
    lines = ["callsign W1AW-R"]
    for t in range(10 * 60000, now - start - 60000, 47 * 60000):
        length = 800 if (t // 60000) % 5 == 0 else 4000 + (t // hour) % 7 * 1000
        if 2 <= (t // hour) % 24 < 6:
            continue  # the station sleeps
        lines += ["at %d carrier up" % t, "at %d carrier down" % (t + length)]
    lines.append("at %d end" % (now - start))
    with open(os.path.join(folder, "month.tcs"), "w") as f:
        f.write("\n".join(lines) + "\n")
    subprocess.run([program, "--headless", os.path.join(folder, "month.tcs"), "--virtual-time", "--history",
                    "--history-start", time.strftime("%Y-%m-%d", time.gmtime(start / 1000)),
                    "--config-dir", folder], check=True, stdout=subprocess.DEVNULL)


def screenshots(program, target):
    with tempfile.TemporaryDirectory() as folder:
        a_month_behind(program, folder)
        port = free_port()
        url = "http://127.0.0.1:%d/" % port
        station = start_station(program, folder, port)
        try:
            for name, width, height in (("web-page.png", 1200, 1400), ("web-page-phone.png", 390, 1800)):
                driver = browser(width, height)
                try:
                    wait = log_in(driver, url)
                    lamp = driver.find_element(By.ID, "lamp-rf")
                    wait.until(lambda d: "lit" in lamp.get_attribute("class"))
                    time.sleep(0.5)  # the charts' first drawing
                    driver.save_screenshot(os.path.join(target, name))
                finally:
                    driver.quit()
        finally:
            station.terminate()
            station.wait(GUARD)


if __name__ == "__main__":
    if webdriver is None or not shutil.which("chromium") or not os.path.exists("/usr/bin/chromedriver"):
        print("no Chromium, chromedriver or selenium here: the browser test cannot run")
        sys.exit(77)
    if len(sys.argv) == 4 and sys.argv[2] == "--screenshots":
        screenshots(sys.argv[1], sys.argv[3])
    else:
        test(sys.argv[1])
