#!/usr/bin/python3
"""The sparse file set read by scikit-learn gives the dense set's matrix and labels.

    libsvm-interop.py TCW MAKE_DEFAULT_CORPUS CORPUS_FOLDER...

For every folder, and for a sample of the WordNet corpus, tcw exports the
dense and the sparse set with the same selection; load_svmlight_file must
read STEM.data.svm and STEM.test.svm unchanged, to the same counts as
STEM.data and STEM.test and to the positions of their categories in
STEM.names. Exits 77 (skipped) when scikit-learn is not installed.
"""
import os
import subprocess
import sys
import tempfile

try:
    import numpy
    from sklearn.datasets import load_svmlight_file
except ImportError:
    print("SKIPPED: scikit-learn is not installed (Debian package python3-sklearn)")
    sys.exit(77)


def read_names(path):
    with open(path) as names:
        lines = names.read().split("\n")
    categories = lines[0].rstrip(".").split(", ") if lines[0] != "." else []
    attributes = [line.split(":")[0] for line in lines[2:] if line]
    return categories, attributes


def read_dense(path, categories, attributes):
    rows, labels = [], []
    with open(path) as cases:
        for line in cases:
            values = line.rstrip("\n").split(", ")
            assert len(values) == len(attributes) + 1, (path, line)
            rows.append([float(v) for v in values[:-1]])
            labels.append(categories.index(values[-1]))
    matrix = numpy.array(rows, dtype=float).reshape(len(rows), len(attributes))
    return matrix, numpy.array(labels, dtype=float)


def export(tcw, folder, stem, min_df, layout):
    subprocess.run([tcw, "export", "--dir", folder, "--stem", stem, "--min-df", str(min_df),
                    "--format", layout], check=True, stdout=subprocess.DEVNULL)


def compare(tcw, folder, min_df, work):
    dense, sparse = os.path.join(work, "dense"), os.path.join(work, "sparse")
    export(tcw, folder, dense, min_df, "c45")
    export(tcw, folder, sparse, min_df, "libsvm")
    categories, attributes = read_names(dense + ".names")
    with open(dense + ".names") as a, open(sparse + ".names") as b:
        assert a.read() == b.read(), "the two layouts have different .names"
    checked = 0
    for part in ("data", "test"):
        matrix, labels = read_dense(dense + "." + part, categories, attributes)
        if not len(labels):
            continue
        loaded, loaded_labels = load_svmlight_file(sparse + "." + part + ".svm",
                                                   n_features=len(attributes), zero_based=False)
        assert loaded.shape == matrix.shape, (folder, part, loaded.shape, matrix.shape)
        assert numpy.array_equal(loaded.toarray(), matrix), (folder, part, "matrix differs")
        assert numpy.array_equal(loaded_labels, labels), (folder, part, "labels differ")
        checked += loaded.nnz
    print(f"{folder} at min-df {min_df}: {len(attributes)} attributes, "
          f"{checked} non-zero counts read the same")
    return checked


def main():
    tcw, make_corpus, folders = sys.argv[1], sys.argv[2], sys.argv[3:]
    with tempfile.TemporaryDirectory() as work:
        wordnet = os.path.join(work, "wordnet")
        subprocess.run([make_corpus, wordnet, "50"], check=True, stdout=subprocess.DEVNULL)
        # A high threshold leaves documents without any attribute word: lines
        # holding only the label.
        cases = [(folder, 1) for folder in folders] + [(folder, 3) for folder in folders]
        cases += [(wordnet, 5), (wordnet, 200)]
        for folder, min_df in cases:
            assert compare(tcw, folder, min_df, work) > 0, (folder, min_df, "no count compared")


if __name__ == "__main__":
    main()
