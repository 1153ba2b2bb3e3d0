#!/usr/bin/env python3
"""Runs quillbook_bench, then times Python's csv module on the same full
book (decoded from code page 932 and split on tabs) and prints how many
times faster the core's load is. Both count the processor time of the best
run, as the benchmark does. Where the quillbook program stands beside the
benchmark, it also times its postcards of that whole book, one PDF page a
card, against the goal of a few seconds.

    python3 bench/python_csv.py BUILD/quillbook_bench [benchmark options]
"""
import csv
import io
import os
import re
import resource
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


def postcard_ms(quillbook, data, runs=3):
    """The best processor time of quillbook postcard on the book, and its pages."""
    best = float("inf")
    for _ in range(runs):
        before = resource.getrusage(resource.RUSAGE_CHILDREN)
        run = subprocess.run([quillbook, "--data", data, "postcard", os.path.join(data, "all.pdf")],
                             stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        after = resource.getrusage(resource.RUSAGE_CHILDREN)
        # Every postal code of that book is wider than seven digits: done in part.
        pages = re.match(r"(\d+) postcards written", run.stdout)
        if run.returncode not in (0, 3) or pages is None:
            sys.exit(f"python_csv: quillbook postcard failed ({run.returncode})")
        best = min(best, (after.ru_utime + after.ru_stime - before.ru_utime - before.ru_stime))
    return best * 1000, int(pages.group(1))


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
        quillbook = os.path.join(os.path.dirname(sys.argv[1]), "quillbook")
        if os.access(quillbook, os.X_OK):
            ms, pages = postcard_ms(quillbook, os.path.join(folder, "full"))
            print(f"Postcards of the same book, {pages} PDF pages: {ms:.0f} ms "
                  f"(goal: a few seconds)")
    finally:
        shutil.rmtree(folder, ignore_errors=True)


if __name__ == "__main__":
    main()
