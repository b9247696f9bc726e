"""Reads C4.5 file sets (STEM.names, STEM.data, STEM.test) for the benchmark
helpers. Handles what the benchmark feeds it: one case per line, values
separated by commas, continuous attributes and discrete value lists, "?"
for unknown values, "|" comments."""

import re


def _names(text):
    text = re.sub(r"\|.*", "", text)
    return [n.strip() for n in re.split(r"[,:]|\.(?=\s|$)", text) if n.strip() != ""]


def read_names(path):
    """Returns (classes, attributes); an attribute is (name, None) when
    continuous, (name, [values]) when discrete, (name, 'ignore')."""
    lines = [re.sub(r"\|.*", "", l).strip() for l in open(path)]
    text = "\n".join(l for l in lines if l)
    first, _, rest = text.partition("\n")
    classes = [c.strip() for c in re.sub(r"\.\s*$", "", first).split(",")]
    attributes = []
    for line in rest.split("\n"):
        name, _, kind = line.partition(":")
        kind = re.sub(r"\.\s*$", "", kind.strip())
        if kind == "continuous":
            attributes.append((name.strip(), None))
        elif kind == "ignore":
            attributes.append((name.strip(), "ignore"))
        else:
            attributes.append((name.strip(), [v.strip() for v in kind.split(",")]))
    return classes, attributes


def read_cases(path, classes, attributes):
    """Returns (rows, labels): rows are lists of floats (discrete values as
    their index, unknown as NaN), labels class indices."""
    index = {c: i for i, c in enumerate(classes)}
    value_index = [None if kind is None or kind == "ignore" else {v: i for i, v in enumerate(kind)}
                   for _, kind in attributes]
    rows, labels = [], []
    for line in open(path):
        line = line.split("|")[0].strip()
        if not line:
            continue
        fields = [f.strip() for f in line.rstrip(".").split(",")]
        labels.append(index[fields[-1]])
        row = []
        for f, (_, kind), vi in zip(fields, attributes, value_index):
            if f == "?":
                row.append(float("nan"))
            elif kind is None:
                row.append(float(f))
            elif kind == "ignore":
                row.append(0.0)
            else:
                row.append(float(vi[f]))
        rows.append(row)
    return rows, labels
