#!/usr/bin/env python3
"""Seeded random input records for the batch calculator, as JSON files.

    willekeurig.py STANDAARD.json MAP N [ZAAD]

Each record is the default record ("invoer" of STANDAARD.json, the batch calculator's output for the
default scenario) with its main numbers drawn within and a little beyond the window's ranges, a
grazing system, grass supply and previous cut, so that the records cover rejected inputs, model
errors and ordinary results alike. The same seed gives the same files on every machine.
"""
import json
import random
import sys

# key: (lowest, highest, decimals), the window's ranges (korvalinde-bereken --invoerlijst); a few
# draws of `BUITEN` land just outside, so that refused records are compared as well.
GETALLEN = {
    "AantalKoeien": (1, 300, 0),
    "PerceelOpp": (0.1, 8, 1),
    "Grasaanbod": (100, 4000, 0),
    "Melknivo": (7000, 10000, 0),
    "Hergroeiduur": (10, 100, 0),
    "Inschaardag": (91, 304, 0),
    "UrenWeidegang": (1, 20, 0),
    "Gewicht": (400, 1000, 0),
    "Tussenkalftijd": (300, 500, 0),
    "Biomassa05": (0, 4000, 0),
    "OppMestflat": (0, 2, 2),
    "OppUrineplek": (0, 2, 2),
}
BUITEN = 0.01


def trek(rng, laag, hoog, decimalen):
    if rng.random() < BUITEN:
        laag, hoog = hoog, hoog * 1.1 + 1
    waarde = round(rng.uniform(laag, hoog), decimalen)
    return int(waarde) if decimalen == 0 else waarde


def record(standaard, rng):
    invoer = json.loads(json.dumps(standaard))
    for sleutel, (laag, hoog, decimalen) in GETALLEN.items():
        if rng.random() < 0.7:
            invoer[sleutel] = trek(rng, laag, hoog, decimalen)
    invoer["Systeem"] = rng.choice(["OMWEID", "STAND", invoer["Systeem"]])
    if rng.random() < 0.3:
        invoer["PercPar"] = [25, 20, 55] if rng.random() < 0.8 else [30, 30, 30]
    if rng.random() < 0.4:
        snede = invoer["VorigeSnede"]
        snede["Gebruik"] = rng.choice(["MAAIEN", "WEIDEN"])
        snede["Dagen"] = trek(rng, 0, 20, 0)
        snede["Rest"] = trek(rng, 0, 1500, 0)
        snede["Gebloot"] = rng.random() < 0.5
    if rng.random() < 0.2:
        invoer["Gras"][6] = round(rng.uniform(0, 1.2), 2)
    for alternatief in invoer["Alternatief"]:
        if rng.random() < 0.5:
            alternatief["Soort"] = rng.randint(0, 6)
            alternatief["Waarde"] = trek(rng, 0, 20, 1)
    return invoer


def main():
    standaard = json.load(open(sys.argv[1], encoding="utf-8"))["invoer"]
    map_, aantal = sys.argv[2], int(sys.argv[3])
    rng = random.Random(int(sys.argv[4]) if len(sys.argv) > 4 else 2010)
    for i in range(aantal):
        with open(f"{map_}/record{i:03d}.json", "w", encoding="utf-8", newline="\n") as uit:
            json.dump(record(standaard, rng), uit, indent=1, sort_keys=True)
            uit.write("\n")


if __name__ == "__main__":
    main()
