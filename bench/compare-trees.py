#!/usr/bin/python3
"""Compares the pruned tree of c4.5.exe with J48's on one file set:
compare-trees.py C45_OUTPUT J48_OUTPUT. Both trees become sets of root-to-leaf
paths ("test & test & ... -> class"); the script prints the paths only one of
them has, or that the trees are the same. Counts in parentheses are left out
(J48 prints observed errors where C4.5 prints estimated ones)."""

import re
import sys


def paths(lines):
    result, stack = set(), []
    for line in lines:
        depth = line.count("|   ")
        text = line.replace("|   ", "").strip()
        match = re.match(r"(.+?)\s*:\s*(\S.*?)\s*\(", text)
        test = re.sub(r"\s*:$", "", match.group(1) if match else text).strip()
        test = re.sub(r"\s+", " ", test)
        del stack[depth:]
        stack.append(test)
        if match:
            result.add(" & ".join(stack) + " -> " + match.group(2))
    return result


def c45_tree(text):
    """The pruned tree's lines with its [Sn] sections put back in place."""
    block = text.split("Simplified Decision Tree:")[-1] if "Simplified" in text else \
        text.split("Decision Tree:")[1]
    block = block.split("\nTree saved")[0]
    parts = re.split(r"\n\s*Subtree \[(S\d+)\]\n", block)
    sections = dict(zip(parts[1::2], parts[2::2]))

    def expand(lines, depth):
        out = []
        for line in lines.split("\n"):
            if not line.strip():
                continue
            ref = re.search(r"\[(S\d+)\]$", line)
            out.append("|   " * depth + (line[:ref.start()] if ref else line))
            if ref:
                inner = depth + line.count("|   ") + 1
                out.extend(expand(sections[ref.group(1)], inner))
        return out

    return expand(parts[0], 0)


def j48_tree(text):
    block = text.split("------------------")[1].split("Number of Leaves")[0]
    return [l for l in block.split("\n") if l.strip()]


ours = paths(c45_tree(open(sys.argv[1]).read()))
theirs = paths(j48_tree(open(sys.argv[2]).read()))
if ours == theirs:
    print("same tree: %d leaves" % len(ours))
for p in sorted(ours - theirs):
    print("c4.5.exe only: " + p)
for p in sorted(theirs - ours):
    print("J48 only:      " + p)
