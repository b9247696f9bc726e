#!/usr/bin/python3
"""Writes a multi-category corpus from Debian's package lists: each tagged
package is a document, its text the package's one-line description and its
categories the package's tags.

    make-debtags-corpus.py OUTDIR [--categories K] [--documents N] [--lists DIR]

Reads the "Packages" indexes under DIR (default /var/lib/apt/lists; plain,
.gz, .xz or .lz4), keeps the K tags (default 90) that most packages carry,
and writes OUTDIR/packages-NN.xml, 1000 documents to a file, in the
workbench's markup. A tag becomes a category word the tokenizer keeps:
"use::gameplaying" becomes "use-gameplaying"; tags that cannot (digits,
"c++") are left out, and so is a package left without a kept tag. About a
fifth of the packages are test documents, chosen by a hash of the package
name, so the split is the same on every machine with the same lists. With
--documents only the first N packages in name order are written. Prints the
numbers of documents, categories and documents with several categories.
"""
import argparse
import glob
import gzip
import hashlib
import lzma
import os
import re
import subprocess
import sys
from collections import Counter
from xml.sax.saxutils import escape

CATEGORY_WORD = re.compile(r"^[a-z]+(-[a-z]+)*$")


def index_text(path):
    if path.endswith(".lz4"):
        return subprocess.run(["lz4cat", path], check=True, capture_output=True).stdout.decode(
            "utf-8", "replace")
    if path.endswith(".gz"):
        return gzip.open(path, "rt", encoding="utf-8", errors="replace").read()
    if path.endswith(".xz"):
        return lzma.open(path, "rt", encoding="utf-8", errors="replace").read()
    return open(path, encoding="utf-8", errors="replace").read()


def packages(lists):
    """name -> (description, tags), over every Packages index of the folder."""
    found = {}
    for path in sorted(glob.glob(os.path.join(lists, "*_Packages*"))):
        if path.endswith((".diff_Index", ".IndexDiff")):
            continue
        for stanza in index_text(path).split("\n\n"):
            fields, last = {}, None
            for line in stanza.split("\n"):
                if line.startswith((" ", "\t")) and last:
                    fields[last] += " " + line.strip()
                elif ":" in line:
                    last, value = line.split(":", 1)
                    fields[last] = value.strip()
            if "Package" in fields and "Tag" in fields and "Description" in fields:
                tags = [t.strip() for t in fields["Tag"].split(",") if t.strip()]
                found.setdefault(fields["Package"], (fields["Description"], tags))
    return found


def category_word(tag):
    word = tag.replace("::", "-").replace("_", "-").lower()
    return word if CATEGORY_WORD.match(word) else None


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("outdir")
    parser.add_argument("--categories", type=int, default=90)
    parser.add_argument("--documents", type=int, default=0)
    parser.add_argument("--lists", default="/var/lib/apt/lists")
    args = parser.parse_args()

    found = packages(args.lists)
    if not found:
        sys.exit("no tagged packages in " + args.lists + " (run apt-get update)")
    counts = Counter(w for _, tags in found.values() for w in {category_word(t) for t in tags} if w)
    kept = {w for w, _ in counts.most_common(args.categories)}
    names = sorted(found)
    if args.documents:
        names = names[: args.documents]
    documents = []
    for name in names:
        description, tags = found[name]
        words = sorted({category_word(t) for t in tags} & kept)
        if words:
            test = int(hashlib.md5(name.encode()).hexdigest(), 16) % 5 == 0
            documents.append((test, words, name.replace("-", " ") + " " + description))

    os.makedirs(args.outdir, exist_ok=True)
    for start in range(0, len(documents), 1000):
        path = os.path.join(args.outdir, "packages-%02d.xml" % (start // 1000))
        with open(path, "w", encoding="utf-8") as out:
            out.write('<?xml version="1.0"?>\n<COLLECTION>\n')
            for test, words, text in documents[start:start + 1000]:
                out.write("<DATA>\n<SET>%s</SET>\n<TOPIC>%s</TOPIC>\n<TEXT>%s</TEXT>\n</DATA>\n"
                          % ("TEST" if test else "TRAIN", " ".join(words), escape(text)))
            out.write("</COLLECTION>\n")
    several = sum(1 for _, words, _ in documents if len(words) > 1)
    used = {w for _, words, _ in documents for w in words}
    print("%d documents (%d test), %d categories, %d with several categories"
          % (len(documents), sum(1 for d in documents if d[0]), len(used), several))


if __name__ == "__main__":
    main()
