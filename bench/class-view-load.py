#!/usr/bin/env python3
"""Sixty pupils' pages on the loopback while a 0.1-s run records.

Runs the recording program (the measuring harness, which presses Start) against poruka-box
twice for the same time: once without the class view, once with it and CLIENTS event streams
open. Prints the program's CPU share in both runs, the largest delay of a sample from its
recording to each client, and whether the two runs' journals hold the same samples.

    python3 bench/class-view-load.py [--clients 60] [--seconds 20] [--build build/default]

Bounded: at most 200 clients and 120 s a run; loopback only; every process it starts is ended.
"""
import argparse
import asyncio
import datetime
import json
import os
import pathlib
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import urllib.parse

ROOT = pathlib.Path(__file__).resolve().parent.parent


async def pupil(host, port, path, opened_ms, result):
    """One page's event stream: counts the samples and keeps the largest delay of a new one."""
    reader, writer = await asyncio.open_connection(host, port)
    writer.write(f"GET {path} HTTP/1.1\r\nHost: {host}\r\n\r\n".encode())
    await writer.drain()
    status = await reader.readline()
    result["status"] = status.decode().strip()
    event = None
    try:
        while True:
            line = await reader.readline()
            if not line:
                break
            line = line.strip()
            if line.startswith(b"event: "):
                event = line[7:]
            elif line.startswith(b"data: ") and event == b"sample":
                sample = json.loads(line[6:])
                result["samples"] += 1
                if sample.get("ms", 0) > opened_ms:
                    result["max_lag_ms"] = max(result["max_lag_ms"], time.time() * 1000 - sample["ms"])
    finally:
        writer.close()


async def pupils(address, count, seconds):
    parts = urllib.parse.urlsplit(address)
    results = [{"status": "", "samples": 0, "max_lag_ms": 0.0} for _ in range(count)]
    opened_ms = time.time() * 1000
    tasks = [asyncio.create_task(pupil("127.0.0.1", parts.port, parts.path + "events", opened_ms, r))
             for r in results]
    done, pending = await asyncio.wait(tasks, timeout=seconds)
    for task in pending:
        task.cancel()
    await asyncio.gather(*pending, return_exceptions=True)
    return results


def journal_rows(folder):
    journals = sorted((folder / "記録").glob("poruka-*.csv"))
    if len(journals) != 1:
        return None
    lines = journals[0].read_bytes().decode("utf-8-sig").split("\r\n")[1:]
    return [line.split(",") for line in lines if line]


def values(rows):
    """number, temperature, pressure, state, alerts: everything but the time"""
    return [tuple(f for i, f in enumerate(row) if i != 1) for row in rows]


def span_seconds(rows):
    """From the first sample's time to the last one's."""
    times = [datetime.datetime.strptime(row[1], "%Y-%m-%d %H:%M:%S.%f") for row in rows]
    return (times[-1] - times[0]).total_seconds() if len(times) > 1 else 0.0


def run(build, seconds, warm_up, clients):
    work = pathlib.Path(tempfile.mkdtemp(prefix="poruka-load-"))
    for name in ("EKION.CSV", "KION.CSV", "VORUM1.CSV", "VORUM2.CSV"):
        shutil.copy(ROOT / "data" / name, work / name)
    (work / "VORUM.TXT").write_bytes(b"Zikan=0\r\n")
    env = dict(os.environ, XDG_RUNTIME_DIR=str(work))
    # Offscreen unless a display is given: QT_QPA_PLATFORM=xcb under xvfb-run is a real window.
    env.setdefault("QT_QPA_PLATFORM", "offscreen")
    os.chmod(work, 0o700)
    box = subprocess.Popen([str(build / "tools/virtual-box/poruka-box"), "--link", str(work / "tty"),
                            "--data", str(ROOT / "data"), "--scenario", "steady", "--seed", "1"],
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        deadline = time.time() + 10
        while not (work / "tty").exists() and time.time() < deadline:
            time.sleep(0.05)
        command = [str(build / "bench/poruka_measure_harness"), "--port", str(work / "tty"), "--record",
                   "--seconds", str(seconds), "--warm-up", str(warm_up)]
        if clients:
            command += ["--class-view", "0"]
        program = subprocess.Popen(command, cwd=work, env=env, stdout=subprocess.PIPE, text=True)
        try:
            results = []
            if clients:
                address = program.stdout.readline().strip()
                results = asyncio.run(pupils(address, clients, seconds + warm_up))
            figures = program.stdout.read().split()
            program.wait(timeout=seconds + warm_up + 30)
        finally:
            if program.poll() is None:
                program.kill()
        return {"cpu_share_percent": float(figures[2]), "samples": int(figures[3]),
                "clients": results, "journal": journal_rows(work)}
    finally:
        box.send_signal(signal.SIGTERM)
        box.wait(timeout=10)
        shutil.rmtree(work, ignore_errors=True)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--clients", type=int, default=60)
    parser.add_argument("--seconds", type=float, default=20)
    parser.add_argument("--warm-up", type=float, default=3)
    parser.add_argument("--build", default=str(ROOT / "build/default"))
    options = parser.parse_args()
    if not (1 <= options.clients <= 200 and 1 <= options.seconds <= 120 and 0 <= options.warm_up <= 30):
        sys.exit("class-view-load: at most 200 clients and 120 s a run")
    build = pathlib.Path(options.build)

    alone = run(build, options.seconds, options.warm_up, 0)
    watched = run(build, options.seconds, options.warm_up, options.clients)

    clients = watched["clients"]
    served = [c for c in clients if c["status"].endswith("200 OK")]
    worst_lag = max((c["max_lag_ms"] for c in served), default=float("nan"))
    growth = watched["cpu_share_percent"] - alone["cpu_share_percent"]
    a, b = values(alone["journal"] or []), values(watched["journal"] or [])
    common = min(len(a), len(b))
    # The runs end by the harness's own timer, so one may hold a few more samples than the
    # other; every sample both hold must be the same, and each run must have sampled every 0.1 s.
    pace = [span_seconds(run["journal"] or []) / max(1, len(run["journal"] or []) - 1) for run in (alone, watched)]
    same = bool(a) and a[:common] == b[:common] and all(abs(p - 0.1) < 0.002 for p in pace)
    print(f"run without clients: CPU {alone['cpu_share_percent']:.2f} % of a core, {len(a)} journal rows,"
          f" one every {pace[0]:.4f} s")
    print(f"run with {len(served)}/{options.clients} clients: CPU {watched['cpu_share_percent']:.2f} % of a core,"
          f" {len(b)} journal rows, one every {pace[1]:.4f} s")
    print(f"CPU growth: {growth:+.2f} % of a core (budget < 2)")
    print(f"largest delay of a sample to a client: {worst_lag:.0f} ms (budget < 1000)")
    print(f"samples each client got: {min(c['samples'] for c in served)}..{max(c['samples'] for c in served)}")
    print(f"journals hold the same samples (number, values, state, alerts) at the same pace: {'yes' if same else 'NO'}")
    for row_alone, row_watched in zip(a, b):
        if row_alone != row_watched:
            print(f"  first difference: {row_alone} without clients, {row_watched} with them")
            break
    ok = len(served) == options.clients and growth < 2 and worst_lag < 1000 and same
    sys.exit(0 if ok else 1)


if __name__ == "__main__":
    main()
