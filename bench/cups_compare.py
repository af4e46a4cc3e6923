#!/usr/bin/env python3
"""Whole commands against a throwaway cupsd, side by side with the print
system's own tools: `quorprn printers` vs `lpstat -p -l`, `quorprn printer Q`
vs `lpstat -p Q`, `quorprn lookup` of a stored form vs `lpoptions -p Q`.

For each pair: the median wall time of alternating runs, and per command the
connections (connect calls to the server's socket), IPP requests (lines the
server's access log gains), poll and recvfrom calls (strace -c -f).

    bench/cups_compare.py BUILD_DIR [--queues 10,200] [--runs 9]

Needs cupsd, lpadmin, lpstat, lpoptions and strace; starts and stops its own
daemon in a temporary folder and never touches the machine's CUPS.
"""
import argparse
import os
import re
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
DATA = os.path.join(HERE, "..", "tests", "data", "cups")

FILES_CONF = """ServerRoot {d}/etc
CacheDir {d}/cache
StateDir {d}/state
RequestRoot {d}/spool
TempDir {d}/spool/tmp
AccessLog {d}/log/access_log
ErrorLog {d}/log/error_log
PageLog {d}/log/page_log
FileDevice Yes
Sandboxing Relaxed
"""
CUPSD_CONF = """LogLevel warn
AccessLogLevel all
Listen {d}/run/cups.sock
Browsing No
BrowseLocalProtocols none
DefaultAuthType None
WebInterface No
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
"""


def tool(name):
    for folder in os.environ.get("PATH", "").split(":") + ["/usr/sbin", "/sbin"]:
        path = os.path.join(folder, name)
        if os.access(path, os.X_OK):
            return path
    sys.exit(f"{name} is not installed")


class Server:
    def __init__(self):
        self.dir = tempfile.mkdtemp(prefix="quorprn-bench-cups-")
        for sub in ("etc", "cache", "state", "spool/tmp", "log", "run", "home"):
            os.makedirs(os.path.join(self.dir, sub))
        with open(os.path.join(self.dir, "etc", "cups-files.conf"), "w") as f:
            f.write(FILES_CONF.format(d=self.dir))
        with open(os.path.join(self.dir, "etc", "cupsd.conf"), "w") as f:
            f.write(CUPSD_CONF.format(d=self.dir))
        self.socket = os.path.join(self.dir, "run", "cups.sock")
        self.env = dict(os.environ, CUPS_SERVER=self.socket, CUPS_SERVERROOT=os.path.join(self.dir, "etc"),
                        HOME=os.path.join(self.dir, "home"), LANG="C.UTF-8")
        for name in ("PRINTER", "LPDEST", "QUORPRN_REGISTRY", "QUORPRN_SPOOLER", "LC_ALL"):
            self.env.pop(name, None)
        etc = os.path.join(self.dir, "etc")
        self.proc = subprocess.Popen([tool("cupsd"), "-f", "-c", os.path.join(etc, "cupsd.conf"), "-s",
                                      os.path.join(etc, "cups-files.conf")], env=self.env)
        for _ in range(200):
            if self.run(["lpstat", "-r"], check=False).stdout.startswith("scheduler is running"):
                return
            time.sleep(0.05)
        sys.exit("cupsd did not start")

    def run(self, argv, check=True):
        argv = [tool(argv[0])] + argv[1:] if "/" not in argv[0] else argv
        return subprocess.run(argv, env=self.env, capture_output=True, text=True, check=check)

    def requests(self):
        try:
            with open(os.path.join(self.dir, "log", "access_log")) as f:
                return sum(1 for _ in f)
        except FileNotFoundError:
            return 0

    def stop(self):
        self.proc.send_signal(signal.SIGTERM)
        try:
            self.proc.wait(10)
        except subprocess.TimeoutExpired:
            self.proc.kill()
            self.proc.wait()
        shutil.rmtree(self.dir, ignore_errors=True)


def counts(server, argv):
    """Connections, IPP requests, polls and recvfroms of one run."""
    before = server.requests()
    out = os.path.join(server.dir, "strace.txt")
    subprocess.run(["strace", "-f", "-qq", "-o", out, "-e", "trace=connect,poll,ppoll,recvfrom,read"] + argv,
                   env=server.env, capture_output=True, check=False)
    time.sleep(0.05)  # the access log is written after the answer
    requests = server.requests() - before
    connects = polls = recvs = 0
    with open(out) as f:
        for line in f:
            if " connect(" in line and server.socket in line:
                connects += 1
            elif re.search(r"\b(poll|ppoll)\(", line):
                polls += 1
            elif "recvfrom(" in line:
                recvs += 1
    return connects, requests, polls, recvs


def median_ms(server, pairs, runs):
    times = {name: [] for name, _ in pairs}
    for _ in range(runs):
        for name, argv in pairs:
            start = time.perf_counter()
            subprocess.run(argv, env=server.env, capture_output=True, check=False)
            times[name].append((time.perf_counter() - start) * 1000)
    return {name: statistics.median(t) for name, t in times.items()}


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("build")
    parser.add_argument("--queues", default="10,200")
    parser.add_argument("--runs", type=int, default=9)
    parser.add_argument("--quorprn", help="another quorprn to measure beside this build's (an older one)")
    args = parser.parse_args()
    programs = {"quorprn": os.path.join(os.path.abspath(args.build), "tools", "quorprn")}
    if args.quorprn:
        programs["before"] = os.path.abspath(args.quorprn)
    print(f"load average: {os.getloadavg()[0]:.1f} on {os.cpu_count()} cores")
    for n in [int(x) for x in args.queues.split(",")]:
        server = Server()
        try:
            for i in range(n):
                name = f"Q{i:03d}"
                ppd = ["-P", os.path.join(DATA, "laser.ppd")] if i % 2 == 0 else []
                server.run(["lpadmin", "-p", name, "-E", "-v", "file:///dev/null"] + ppd)
            hive = os.path.join(server.dir, "hive.db")
            for name, program in programs.items():
                base = [program, "--registry", hive + "." + name, "--spooler", "cups"]
                for step in (["create-set", "S", "J", "3"], ["create-printer", "S", "J", "3", "Q000"],
                             ["create-form", "S", "J", "3", "Q000", "Land", "--paper", "9", "--bin", "7"],
                             ["select", "S", "J", "3", "Q000"]):
                    server.run(base + step)
            tpt = os.path.join(server.dir, "forms.TPT")
            print(f"\n{n} queues (half with a PPD)")
            print(f"{'command':48} {'median ms':>10} {'conn':>5} {'IPP':>5} {'poll':>7} {'recvfrom':>9}")
            for label, own, theirs in (
                    ("list", ["printers"], ["lpstat", "-p", "-l"]),
                    ("printer Q000", ["printer", "Q000"], ["lpstat", "-p", "Q000"]),
                    ("lookup", ["lookup", "S", "J", "3", tpt, "Land"], ["lpoptions", "-p", "Q000"])):
                pairs = []
                for name, program in programs.items():
                    pairs.append((f"{name} {' '.join(own[:2])}",
                                  [program, "--registry", hive + "." + name, "--spooler", "cups"] + own))
                pairs.append((" ".join(theirs), [tool(theirs[0])] + theirs[1:]))
                medians = median_ms(server, pairs, args.runs)
                for name, argv in pairs:
                    c, r, p, v = counts(server, argv)
                    print(f"{name:48} {medians[name]:10.1f} {c:5d} {r:5d} {p:7d} {v:9d}")
                tool_ms = medians[pairs[-1][0]]
                print(f"{'  ratio to ' + pairs[-1][0]:48} " +
                      "  ".join(f"{n.split()[0]} {medians[n] / tool_ms:.2f}x" for n, _ in pairs[:-1]))
        finally:
            server.stop()


if __name__ == "__main__":
    main()
