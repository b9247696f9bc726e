#!/usr/bin/python3
"""Writes a C4.5 file set as ARFF for Weka: c45-to-arff.py STEM OUT.arff [data|test].
Sparse ARFF (only non-zero values) for sets with more than 100 attributes."""

import math
import sys

from c45files import read_cases, read_names


def quote(name):
    return "'" + name.replace("\\", "\\\\").replace("'", "\\'") + "'"


def main():
    stem, out, part = sys.argv[1], sys.argv[2], (sys.argv[3] if len(sys.argv) > 3 else "data")
    classes, attributes = read_names(stem + ".names")
    rows, labels = read_cases(stem + "." + part, classes, attributes)
    sparse = len(attributes) > 100
    with open(out, "w") as f:
        f.write("@relation " + quote(stem.split("/")[-1]) + "\n\n")
        for name, kind in attributes:
            if kind is None or kind == "ignore":
                f.write("@attribute " + quote(name) + " numeric\n")
            else:
                f.write("@attribute " + quote(name) + " {" + ",".join(quote(v) for v in kind) + "}\n")
        # A C4.5 attribute name cannot hold a colon, so this one is free.
        f.write("@attribute 'class:' {" + ",".join(quote(c) for c in classes) + "}\n\n@data\n")
        for row, label in zip(rows, labels):
            def text(a, v):
                if math.isnan(v):
                    return "?"
                kind = attributes[a][1]
                if kind is None or kind == "ignore":
                    return "%.9g" % v
                return quote(kind[int(v)])
            if sparse:
                items = ["%d %s" % (a, text(a, v)) for a, v in enumerate(row) if v != 0]
                items.append("%d %s" % (len(attributes), quote(classes[label])))
                f.write("{" + ",".join(items) + "}\n")
            else:
                f.write(",".join([text(a, v) for a, v in enumerate(row)] + [quote(classes[label])]) + "\n")


main()
