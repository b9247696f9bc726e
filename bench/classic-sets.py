#!/usr/bin/python3
"""Writes classic non-text data sets shipped with scikit-learn (Debian
python3-sklearn) as C4.5 file sets: classic-sets.py OUTDIR.
Every third case (positions 2, 5, 8, ...) is a test case, the rest train."""

import os
import re
import sys

from sklearn import datasets

SETS = {
    "iris": datasets.load_iris,
    "wine": datasets.load_wine,
    "breast-cancer": datasets.load_breast_cancer,
    "digits": datasets.load_digits,
}


def name(text):
    return re.sub(r"[^A-Za-z0-9]+", "_", str(text)).strip("_")


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    for stem, load in SETS.items():
        bunch = load()
        classes = [name(c) if not str(c).isdigit() else "d" + str(c) for c in bunch.target_names]
        features = getattr(bunch, "feature_names", None)
        if features is None or len(features) == 0:
            features = ["a%d" % i for i in range(bunch.data.shape[1])]
        path = os.path.join(out, stem)
        with open(path + ".names", "w") as f:
            f.write(", ".join(classes) + ".\n\n")
            for feature in features:
                f.write(name(feature) + ": continuous.\n")
        with open(path + ".data", "w") as train, open(path + ".test", "w") as test:
            for i, (row, target) in enumerate(zip(bunch.data, bunch.target)):
                line = ", ".join("%.10g" % v for v in row) + ", " + classes[target] + "\n"
                (test if i % 3 == 2 else train).write(line)


main()
