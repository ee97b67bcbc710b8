#!/usr/bin/env python3
"""Writes the benchmarks' building: 500 properties, every kind and pipe
passage, fixed numbers, as the tab-separated text `pyrostat convert` reads.
With a second path it also writes hour-meter readings of every property (a
closed one every forty). Usage: building500.py STUDY.txt [READINGS.txt]"""
import random
import sys

random.seed(500)
kinds = ["PILOTIS ΚΑΤΩ", "ΙΣΟΓΕΙΟ", "ΥΠΟΓ.-ΗΜΙΫΠΟΓ.", "ΕΝΔΙΑΜΕΣΟ", "ΡΕΤΙΡΕ"]
pipes = ["ΕΚΤΟΣ ΙΔΙΟΚΤ.", "ΕΝΤΟΣ ΙΔΙΟΚΤ.", "ΑΛΛΗ ΠΕΡΙΠΤ."]
lines = ["# ΤΙΤΛΟΣ\tΠολυκατοικία 500 ιδιοκτησιών", "# ΜΟΝΩΣΗ\tΝΑΙ",
         "# ΕΡΓΟΔΟΤΗΣ\tΙδιοκτήτες", "# ΕΡΓΟ\tΚατανομή θέρμανσης", "# ΘΕΣΗ ΕΡΓΟΥ\tΠάτρα"]
for i in range(500):
    t = random.randint(2000, 9000)
    lines.append("\t".join(["Διαμέρισμα %d" % (i + 1), "%d.00" % t, "%d.00" % (t // 6),
                            "%d.00" % (t // 10), "%.2f" % random.uniform(40, 130), "3.00",
                            "%.2f" % random.uniform(1, 20), "%.2f" % random.uniform(0, 8),
                            "%.2f" % random.uniform(0, 12), random.choice(kinds),
                            random.choice(pipes)]))
open(sys.argv[1], "w", encoding="utf-8").write("\r\n".join(lines) + "\r\n")

if len(sys.argv) > 2:
    readings = []
    for i in range(500):
        previous = random.randint(0, 20000)
        line = "%d\t%d\t%d" % (i + 1, previous, previous + random.randint(0, 2500))
        if i % 40 == 0:
            line += "\tκλειστό"
        readings.append(line)
    open(sys.argv[2], "w", encoding="utf-8").write("\n".join(readings) + "\n")
