#!/usr/bin/env python3
"""Runs quillbook_bench, then times Python's csv module on the same full
book (decoded from code page 932 and split on tabs) and prints how many
times faster the core's load is. Both count the processor time of the best
run, as the benchmark does.

    python3 bench/python_csv.py BUILD/quillbook_bench [benchmark options]
"""
import csv
import io
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time


def python_csv_ms(path, runs=20):
    best = float("inf")
    for _ in range(runs):
        start = time.process_time()
        with open(path, "rb") as f:
            text = f.read().decode("cp932")
        rows = list(csv.reader(io.StringIO(text), delimiter="\t", quoting=csv.QUOTE_NONE))
        best = min(best, time.process_time() - start)
    if len(rows) != 501:
        sys.exit(f"python_csv: {len(rows)} rows instead of 501")
    return best * 1000


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    base = "/dev/shm" if os.access("/dev/shm", os.W_OK) else None
    folder = tempfile.mkdtemp(prefix="quillbook-bench-", dir=base)
    try:
        run = subprocess.run([sys.argv[1], "--benchmark_color=false", *sys.argv[2:], folder],
                             stdout=subprocess.PIPE, text=True)
        sys.stdout.write(run.stdout)
        if run.returncode != 0:
            sys.exit(run.returncode)
        load = re.search(r"^load\s+([0-9.]+)", run.stdout, re.M)
        if load is None:
            sys.exit("python_csv: the benchmark printed no load time")
        load_ms = float(load.group(1))
        csv_ms = python_csv_ms(os.path.join(folder, "full", "Quillbook", "Quillbook.dat"))
        print(f"\nPython csv on the same file: {csv_ms:.3f} ms, "
              f"{csv_ms / load_ms:.0f}x the load (goal: at least 20x)")
    finally:
        shutil.rmtree(folder, ignore_errors=True)


if __name__ == "__main__":
    main()
