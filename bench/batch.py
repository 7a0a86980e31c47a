#!/usr/bin/env python3
"""Throughput and memory of the batch calculator over many scenarios.

    python3 bench/batch.py build/programs/korvalinde-bereken [AANTAL]

Makes AANTAL (default 2000) input records (copies of voorbeelden/standaard.json) and AANTAL scenario
files (one written with --nieuw, then copied) in a temporary folder, and runs the
batch calculator on all of them at -j 1 and -j 2, output to /dev/null. Prints files per second and the
peak memory (maximum resident set) of each run, then the peak memory at 10,000 files (-j 2). The files
are copies, so every run computes the same scenario: the numbers measure the batch path, not the model's
variety. The model alone is measured by bench/bench_model (Google Benchmark).
"""
import os
import shutil
import subprocess
import sys
import tempfile
import time

BRON = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")


def maak(map_, soort, aantal, bereken):
    os.makedirs(map_, exist_ok=True)
    if soort == "json":
        bron = os.path.join(BRON, "voorbeelden", "standaard.json")
    else:
        bron = os.path.join(map_, "bron.kvl")
        subprocess.run([bereken, "--nieuw", bron], check=True)
    namen = []
    for i in range(aantal):
        naam = os.path.join(map_, f"s{i:05d}.{soort}")
        shutil.copyfile(bron, naam)
        namen.append(naam)
    return namen


def meet(bereken, namen, draden):
    with open(os.devnull, "wb") as niets:
        begin = time.perf_counter()
        proc = subprocess.Popen([bereken, "-j", str(draden), *namen], stdout=niets)
        _, status, gebruik = os.wait4(proc.pid, 0)
        duur = time.perf_counter() - begin
    if os.waitstatus_to_exitcode(status) != 0:
        sys.exit(f"korvalinde-bereken gaf code {os.waitstatus_to_exitcode(status)}")
    return len(namen) / duur, gebruik.ru_maxrss / 1024.0


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    bereken = os.path.abspath(sys.argv[1])
    aantal = int(sys.argv[2]) if len(sys.argv) > 2 else 2000
    with tempfile.TemporaryDirectory() as tmp:
        for soort in ("json", "kvl"):
            namen = maak(os.path.join(tmp, soort), soort, aantal, bereken)
            for draden in (1, 2):
                per_s, mb = meet(bereken, namen, draden)
                print(f"{soort:4s} -j {draden}: {aantal} bestanden, {per_s:8.0f} bestanden/s, "
                      f"piekgeheugen {mb:6.1f} MB")
        namen = maak(os.path.join(tmp, "groot"), "kvl", 10000, bereken)
        per_s, mb = meet(bereken, namen, 2)
        print(f"kvl  -j 2: 10000 bestanden, {per_s:8.0f} bestanden/s, piekgeheugen {mb:6.1f} MB")


if __name__ == "__main__":
    main()
