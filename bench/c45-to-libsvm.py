#!/usr/bin/python3
"""Writes STEM.data.svm and STEM.test.svm (LIBSVM lines "LABEL INDEX:VALUE ...",
label the zero-based class position, index the one-based attribute position)
from a workbench C4.5 file set whose data lines are counts separated by ", "
and a class name. Lets c4.5.exe -L be timed against the dense files without
the exporter.

    bench/c45-to-libsvm.py STEM...
"""

import re
import sys

from c45files import read_names

# A value that is not a lone "0", with the text before it.
NON_ZERO = re.compile(r"(?:^|, )(?!0(?:,|$))([^,]+)")


def convert(source, target, index):
    with open(source) as lines, open(target, "w") as out:
        for line in lines:
            line = line.rstrip("\n")
            if not line:
                continue
            cut = line.rindex(", ") if ", " in line else -1
            values, label = line[:cut] if cut >= 0 else "", line[cut + 2 :] if cut >= 0 else line
            fields = [str(index[label])]
            position, attribute = 0, 1
            for match in NON_ZERO.finditer(values):
                attribute += values.count(",", position, match.start(1))
                position = match.start(1)
                fields.append("%d:%s" % (attribute, match.group(1).strip()))
            out.write(" ".join(fields) + "\n")


for stem in sys.argv[1:]:
    classes, _ = read_names(stem + ".names")
    index = {c: i for i, c in enumerate(classes)}
    for part in ("data", "test"):
        convert("%s.%s" % (stem, part), "%s.%s.svm" % (stem, part), index)
