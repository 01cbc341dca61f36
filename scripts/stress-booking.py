#!/usr/bin/env python3
"""Stress the booking of vellicor-cli: concurrent bookings into one data directory, and bookings
killed with SIGKILL at random moments and then rerun. Every trial is checked against the stock
inventory, the stocks-used log and the job's flag; a trial that lost or doubled anything counts
as a loss.

    scripts/stress-booking.py [--cli build/src/cli/vellicor-cli] [--programs 6] [--trials 50] [--kills 300]
"""

import argparse
import json
import os
import random
import re
import shutil
import signal
import struct
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def text(value):
    data = value.encode("cp1252")
    assert len(data) < 255
    return struct.pack("<B", len(data)) + data


def stock_db(records, last_id):
    """stock.db bytes: version, last id, count, then each record in file order."""
    out = struct.pack("<HiI", 218, last_id, len(records))
    for r in records:
        out += struct.pack("<iH", r["id"], 0) + text(r["name"])
        out += struct.pack("<ddddH", r["length"], r["width"], r["thickness"], 1.0, r["qty"])
        out += text(r["material"]) + struct.pack("<ddid", 0.0, 0.0, 0, 46000.0) + text("")
    return out


class Cli:
    def __init__(self, path, work):
        self.path = path
        self.profile = os.path.join(work, "none.ini")

    def args(self, *args):
        return [self.path, "--profile", self.profile, "--unit", "mm", *args]

    def run(self, *args):
        return subprocess.run(self.args(*args), capture_output=True, text=True)

    def inventory(self, data):
        done = self.run("inventory", "list", "--json", "--data", data)
        assert done.returncode == 0, done.stderr
        return json.loads(done.stdout)

    def flagged(self, job):
        done = self.run("show", job, "--json")
        assert done.returncode == 0, done.stderr
        return json.loads(done.stdout)["inventoryUpdated"] != 0


def prepare(cli, work):
    """An optimised sample job and stock records its coils came from; returns the job and records."""
    job = os.path.join(work, "job.vcj")
    done = cli.run("optimise", os.path.join(ROOT, "examples", "sample.vcj"), "-o", job)
    assert done.returncode == 0, done.stderr
    coils = json.loads(cli.run("show", job, "--json").stdout)["coils"]
    records = []
    for c in coils:
        length = c["weightPerCoil"] * 1e9 / (c["width"] * c["thickness"] * 8600.0)
        # A coil taken from the inventory is named after its stock id.
        records.append({"id": int(re.match(r"\d+", c["name"]).group()), "name": "stock", "length": length,
                        "width": c["width"],
                        "thickness": c["thickness"], "qty": 60000, "material": c["material"]})
    return job, records


def fresh_data(work, name, records):
    data = os.path.join(work, name)
    shutil.rmtree(data, ignore_errors=True)
    os.makedirs(data)
    with open(os.path.join(data, "stock.db"), "wb") as f:
        f.write(stock_db(records, 1000))
    return data


def log_lines(data):
    try:
        with open(os.path.join(data, "stkused.db"), encoding="cp1252") as f:
            return [line for line in f if line.strip()]
    except FileNotFoundError:
        return []


def temporaries(folder):
    return [n for n in os.listdir(folder) if n.startswith(".vc") and n.endswith(".tmp")]


def reference(cli, work, job, records):
    """What one booking of the job changes: coils per stock id, offcuts, log lines."""
    data = fresh_data(work, "reference", records)
    copy = os.path.join(work, "reference.vcj")
    shutil.copy(job, copy)
    done = cli.run("book", copy, "--data", data)
    assert done.returncode == 0, done.stderr
    after = cli.inventory(data)
    used = {}
    for r in records:
        rec = next(x for x in after["records"] if x["id"] == r["id"])
        used[r["id"]] = r["qty"] - rec["qty"]
    return {"used": used, "offcuts": after["lastId"] - 1000, "lines": len(log_lines(data))}


def check(cli, data, ref, bookings, jobs):
    """The problems found in a data directory after `bookings` bookings of the jobs."""
    problems = []
    inv = cli.inventory(data)
    for rid, used in ref["used"].items():
        rec = next(x for x in inv["records"] if x["id"] == rid)
        if rec["qty"] != 60000 - used * bookings:
            problems.append("record %d holds %d coils, expected %d" % (rid, rec["qty"], 60000 - used * bookings))
    if inv["lastId"] != 1000 + ref["offcuts"] * bookings:
        problems.append("last id %d, expected %d" % (inv["lastId"], 1000 + ref["offcuts"] * bookings))
    ids = [x["id"] for x in inv["records"]]
    if len(ids) != len(set(ids)):
        problems.append("an id was given twice")
    if len(ids) != len(ref["used"]) + ref["offcuts"] * bookings:
        problems.append("%d records, expected %d" % (len(ids), len(ref["used"]) + ref["offcuts"] * bookings))
    if len(log_lines(data)) != ref["lines"] * bookings:
        problems.append("%d log lines, expected %d" % (len(log_lines(data)), ref["lines"] * bookings))
    if os.path.exists(os.path.join(data, "booking.jnl")):
        problems.append("journal left")
    for job in jobs:
        if not cli.flagged(job):
            problems.append(os.path.basename(job) + " not flagged")
    return problems


def concurrent(cli, work, job, records, ref, programs, trials):
    losses = 0
    for trial in range(trials):
        data = fresh_data(work, "data", records)
        jobs = []
        for i in range(programs):
            jobs.append(os.path.join(work, "job%d.vcj" % i))
            shutil.copy(job, jobs[-1])
        running = [subprocess.Popen(cli.args("book", j, "--data", data, "--order", "T%d" % i),
                                    stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
                   for i, j in enumerate(jobs)]
        statuses = [p.wait() for p in running]
        problems = check(cli, data, ref, programs, jobs)
        if any(statuses):
            problems.append("exit statuses %s: %s" % (statuses, [p.stderr.read() for p in running]))
        if problems:
            losses += 1
            print("trial %d: %s" % (trial, "; ".join(problems)))
    return losses


def killed(cli, work, job, records, ref, kills, most_ms):
    losses = 0
    interrupted = 0
    for trial in range(kills):
        data = fresh_data(work, "data", records)
        target = os.path.join(work, "killed.vcj")
        shutil.copy(job, target)
        program = subprocess.Popen(cli.args("book", target, "--data", data),
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        time.sleep(random.uniform(0, most_ms) / 1000.0)
        program.send_signal(signal.SIGKILL)
        program.wait()
        interrupted += program.returncode == -signal.SIGKILL
        # The next command completes an interrupted booking; a rerun books once if it is not.
        cli.inventory(data)
        rerun = cli.run("book", target, "--data", data)
        problems = check(cli, data, ref, 1, [target])
        if rerun.returncode not in (0, 3):
            problems.append("rerun exited %d: %s" % (rerun.returncode, rerun.stderr))
        left = temporaries(data) + temporaries(work)
        if left:
            problems.append("temporaries left: %s" % left)
        if problems:
            losses += 1
            print("kill %d: %s" % (trial, "; ".join(problems)))
    return losses, interrupted


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--cli", default=os.path.join(ROOT, "build", "src", "cli", "vellicor-cli"))
    parser.add_argument("--programs", type=int, default=6, help="bookings at once per trial")
    parser.add_argument("--trials", type=int, default=50)
    parser.add_argument("--kills", type=int, default=300)
    parser.add_argument("--kill-within-ms", type=float, default=40.0, help="latest moment of the kill")
    options = parser.parse_args()

    work = tempfile.mkdtemp(prefix="vellicor-stress-")
    try:
        cli = Cli(os.path.abspath(options.cli), work)
        job, records = prepare(cli, work)
        ref = reference(cli, work, job, records)
        start = time.time()
        lost = concurrent(cli, work, job, records, ref, options.programs, options.trials)
        print("concurrent: %d programs x %d trials, losses %d (%.1f s)"
              % (options.programs, options.trials, lost, time.time() - start))
        start = time.time()
        kill_losses, interrupted = killed(cli, work, job, records, ref, options.kills, options.kill_within_ms)
        print("kill -9: %d runs (%d killed before they ended), losses %d (%.1f s)"
              % (options.kills, interrupted, kill_losses, time.time() - start))
        return 1 if lost or kill_losses else 0
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
