#!/usr/bin/python3
"""Writes a synthetic sparse file set for timing c4.5.exe -L at scale:
STEM.names (CLASSES classes, ATTRIBUTES continuous attributes),
STEM.data.svm with CASES lines and STEM.test.svm with a fifth as many.
Each case holds about NONZERO distinct attributes: a fifth drawn from a
block of attributes typical of its class, the rest from a skewed draw over
all of them, most with count 1. A fixed seed makes the files repeatable.

    bench/synthetic-libsvm.py STEM [CASES [ATTRIBUTES [NONZERO [CLASSES]]]]
    (defaults 1000000 47000 150 40)
"""

import random
import sys

stem = sys.argv[1]
cases, attributes, nonzero, classes = (
    [int(a) for a in sys.argv[2:6]] + [1000000, 47000, 150, 40][len(sys.argv) - 2 :])
rng = random.Random(12)
block = max(1, attributes // (classes * 4))

with open(stem + ".names", "w") as names:
    names.write(", ".join("c%d" % c for c in range(classes)) + ".\n\n")
    for a in range(attributes):
        names.write("w%d: continuous.\n" % a)


def line(cls):
    own = range(cls * block, cls * block + block)
    chosen = set(rng.sample(own, min(block, nonzero // 5)))
    while len(chosen) < nonzero:
        chosen.add(min(attributes - 1, int(rng.paretovariate(0.6)) - 1))
    counts = ("1" if rng.random() < 0.85 else str(rng.randint(2, 4)) for _ in chosen)
    return "%d %s\n" % (cls, " ".join("%d:%s" % (a + 1, c) for a, c in zip(sorted(chosen), counts)))


for suffix, n in ((".data.svm", cases), (".test.svm", cases // 5)):
    with open(stem + suffix, "w") as out:
        out.writelines(line(rng.randrange(classes)) for _ in range(n))
