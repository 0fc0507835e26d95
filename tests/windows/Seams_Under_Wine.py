#!/usr/bin/env python3
"""The Windows seams under wine, in surroundings made from Linux for each case.

    Seams_Under_Wine.py CASE TOOL WINE_RUN

CASE is ports (COM ports as dosdevices links to pseudo-terminals), echo (ICMP echo to loopback),
echo-namespace (answered and unanswered echo in a network namespace of its own) or open (a web page through wine's browser setting, pointed at a recording script). TOOL is the built
platform_tool.exe, WINE_RUN the script that runs a program in the project's wine prefix.
"""
import os
import pty
import subprocess
import sys
import tempfile
import time

CASE, TOOL, WINE_RUN = sys.argv[1:4]
PREFIX = os.environ.setdefault("WINEPREFIX", os.path.expanduser("~/.cache/vo40913-wine"))


def run_tool(*args):
    done = subprocess.run([WINE_RUN, TOOL, *args], capture_output=True, text=True, timeout=120,
                          stdin=subprocess.DEVNULL)
    return done.returncode, done.stdout.replace("\r\n", "\n"), done.stderr


def check(what, got, wanted):
    if got != wanted:
        print(f"FAIL {what}: got {got!r}, wanted {wanted!r}")
        sys.exit(1)
    print(f"ok   {what}")


def ports():
    devices = os.path.join(PREFIX, "dosdevices")
    saved = {}
    for name in os.listdir(devices):
        if name.startswith("com"):
            saved[name] = os.readlink(os.path.join(devices, name))
            os.remove(os.path.join(devices, name))
    masters = []
    try:
        # Without links wine maps COMn to the machine's own ttyS nodes: those stay as they are.
        code, out, err = run_tool("ports")
        check("the probe runs", (code, err), (0, ""))
        own = [int(port[3:]) for port in out.split()]
        links = {}
        for number in (40, 200):
            master, slave = pty.openpty()
            masters.append(master)
            links[f"com{number}"] = os.ttyname(slave)
            os.close(slave)
        for name, target in links.items():
            os.symlink(target, os.path.join(devices, name))
        wanted = "".join(f"COM{number}\n" for number in sorted(own + [40, 200]))
        check("ports present, by number", run_tool("ports"), (0, wanted, ""))
        # A port another program holds answers with a refusal, and still counts.
        check("a held port is listed", run_tool("ports", "40"), (0, wanted, ""))
        for name in links:
            os.remove(os.path.join(devices, name))
        check("a port whose device went is not", run_tool("ports"), (0, out, ""))
    finally:
        for name in os.listdir(devices):
            if name.startswith("com"):
                os.remove(os.path.join(devices, name))
        for name, target in saved.items():
            os.symlink(target, os.path.join(devices, name))
        for master in masters:
            os.close(master)


def echo():
    check("loopback answers", run_tool("echo", "127.0.0.1", "2000"), (0, "answered \n", ""))
    code, out, _ = run_tool("echo", "localhost", "200")
    check("names are never resolved", (code, out.split(" ")[0]), (0, "failed"))


def echo_in_namespace():
    """Wine sends echo requests from its own service process, so the whole of wine runs in a
    network namespace of the test's own, with a copy of the prefix and a server of its own."""
    if os.geteuid() != 0:
        print("needs root for a network namespace")
        sys.exit(77)
    with tempfile.TemporaryDirectory() as folder:
        prefix = os.path.join(folder, "prefix")
        subprocess.run(["cp", "-a", PREFIX, prefix], check=True)
        script = f"""set -e
ip link set lo up
export WINEPREFIX='{prefix}'
wineserver -p >/dev/null 2>&1
trap 'wineserver -k' EXIT
wineboot >/dev/null 2>&1 </dev/null
'{WINE_RUN}' '{TOOL}' echo 127.0.0.1 400 </dev/null
sysctl -q -w net.ipv4.icmp_echo_ignore_all=1
'{WINE_RUN}' '{TOOL}' echo 127.0.0.1 400 </dev/null
"""
        done = subprocess.run(["unshare", "-n", "sh", "-c", script], capture_output=True, text=True,
                              timeout=300, stdin=subprocess.DEVNULL)
        check("answered, then unanswered once the namespace ignores echo requests",
              (done.returncode, done.stdout.replace("\r\n", "\n")), (0, "answered \nno-answer \n"))


def open_page():
    with tempfile.TemporaryDirectory() as folder:
        record = os.path.join(folder, "record")
        browser = os.path.join(folder, "browser.sh")
        with open(browser, "w") as script:
            script.write(f"#!/bin/sh\nprintf '%s\\n' \"$@\" > '{record}.part' && mv '{record}.part' '{record}'\n")
        os.chmod(browser, 0o755)
        key = r"HKCU\Software\Wine\WineBrowser"
        subprocess.run([WINE_RUN, "reg", "add", key, "/v", "Browsers", "/d", browser, "/f"], check=True,
                       capture_output=True, stdin=subprocess.DEVNULL)
        try:
            url = "http://www.velorin.example/home/download?x=1&y=2"
            check("the page is handed over", run_tool("open", url)[0], 0)
            deadline = time.monotonic() + 60
            while not os.path.exists(record) and time.monotonic() < deadline:
                time.sleep(0.05)
            with open(record) as recorded:
                check("the browser gets the address", recorded.read(), url + "\n")
        finally:
            subprocess.run([WINE_RUN, "reg", "delete", key, "/v", "Browsers", "/f"], capture_output=True,
                           stdin=subprocess.DEVNULL)


{"ports": ports, "echo": echo, "echo-namespace": echo_in_namespace, "open": open_page}[CASE]()
