#!/usr/bin/python3
"""The sparse file set read by scikit-learn gives the dense set's matrix and labels.

    libsvm-interop.py TCW MAKE_DEFAULT_CORPUS MULTI_CATEGORY_FOLDER CORPUS_FOLDER...

For every folder, and for a sample of the WordNet corpus, tcw exports the
dense and the sparse set with the same selection; load_svmlight_file must
read STEM.data.svm and STEM.test.svm unchanged, to the same counts as
STEM.data and STEM.test and to the positions of their categories in
STEM.names.

In the multi-category mode (the multi-category folder, and the WordNet sample
with every third document given the next one's category too) the labels are
lists; load_svmlight_file(multilabel=True) must read, for every document
kept, the positions of its categories that training documents have, and the
counts that the dense set of the same documents under one category holds.
Exits 77 (skipped) when scikit-learn is not installed.
"""
import os
import re
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


def export(tcw, folder, stem, min_df, layout, *extra):
    subprocess.run([tcw, "export", "--dir", folder, "--stem", stem, "--min-df", str(min_df),
                    "--format", layout, *extra], check=True, stdout=subprocess.DEVNULL)


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


DOCUMENT = re.compile(r"<SET>(.*?)</SET>.*?<TOPIC>(.*?)</TOPIC>", re.S)


def rewrite_topics(folder, target, topics_of):
    """Copies the .xml files of folder to target (unless None) with each
    document's TOPIC replaced by topics_of(index, categories), index counting
    the documents in the listing order tcw reads them in; returns
    [(is_train, categories)]."""
    if target:
        os.makedirs(target)
    documents, is_train = [], False
    for name in os.listdir(folder):
        if not name.endswith(".xml"):
            continue
        with open(os.path.join(folder, name), encoding="latin-1") as source:
            parts = source.read().split("<DATA>")
        for i in range(1, len(parts)):
            found = DOCUMENT.search(parts[i])
            is_train = {"TRAIN": True, "TEST": False}.get(found.group(1), is_train)
            words = sorted({word.strip("-").lower()
                            for word in re.findall(r"[A-Za-z-]+", found.group(2))} - {""})
            documents.append((is_train, words))
            topic = topics_of(len(documents) - 1, words)
            parts[i] = parts[i][:found.start(2)] + topic + parts[i][found.end(2):]
        if target:
            with open(os.path.join(target, name), "w", encoding="latin-1") as copy:
                copy.write("<DATA>".join(parts))
    return documents


def compare_multi_category(tcw, folder, min_df, work):
    multi, single = os.path.join(work, "multi"), os.path.join(work, "single")
    documents = rewrite_topics(folder, os.path.join(work, "one-topic"), lambda i, words: "all")
    export(tcw, folder, multi, min_df, "libsvm", "--multi-category")
    export(tcw, os.path.join(work, "one-topic"), single, min_df, "c45")
    categories, attributes = read_names(multi + ".names")
    assert attributes == read_names(single + ".names")[1], (folder, "the selections differ")
    trained = {c for is_train, words in documents if is_train for c in words}
    assert sorted(trained) == categories, (folder, "categories differ")
    checked = 0
    several = 0
    for part, in_part in (("data", True), ("test", False)):
        expected = [[float(categories.index(c)) for c in words if c in trained]
                    for is_train, words in documents if is_train == in_part]
        kept = [bool(labels) for labels in expected]
        matrix, _ = read_dense(single + "." + part, ["all"], attributes)
        matrix = matrix[numpy.array(kept, dtype=bool)] if len(kept) else matrix
        expected = [tuple(labels) for labels in expected if labels]
        if not expected:
            continue
        loaded, loaded_labels = load_svmlight_file(multi + "." + part + ".svm", multilabel=True,
                                                   n_features=len(attributes), zero_based=False)
        assert loaded_labels == expected, (folder, part, "labels differ")
        assert numpy.array_equal(loaded.toarray(), matrix), (folder, part, "matrix differs")
        checked += loaded.nnz
        several += sum(len(labels) > 1 for labels in expected)
    print(f"{folder} at min-df {min_df}, several categories per document: {len(attributes)} "
          f"attributes, {several} documents with several labels, {checked} non-zero counts "
          f"read the same")
    assert several > 0, (folder, "no document with several categories")
    return checked


def main():
    tcw, make_corpus, multi_folder, folders = sys.argv[1], sys.argv[2], sys.argv[3], sys.argv[4:]
    with tempfile.TemporaryDirectory() as work:
        wordnet = os.path.join(work, "wordnet")
        subprocess.run([make_corpus, wordnet, "50"], check=True, stdout=subprocess.DEVNULL)
        # A high threshold leaves documents without any attribute word: lines
        # holding only the label.
        cases = [(folder, 1) for folder in folders] + [(folder, 3) for folder in folders]
        cases += [(wordnet, 5), (wordnet, 200)]
        for folder, min_df in cases:
            assert compare(tcw, folder, min_df, work) > 0, (folder, min_df, "no count compared")

        # Every third WordNet document also takes the next one's category.
        categories = [words for _, words in rewrite_topics(wordnet, None, lambda i, words: "")]
        paired = os.path.join(work, "wordnet-paired")
        rewrite_topics(wordnet, paired, lambda i, words: " ".join(
            words + (categories[i + 1] if i % 3 == 0 and i + 1 < len(categories) else [])))
        for folder, min_df in [(multi_folder, 1), (multi_folder, 2), (paired, 5), (paired, 200)]:
            with tempfile.TemporaryDirectory(dir=work) as case:
                assert compare_multi_category(tcw, folder, min_df, case) > 0, (folder, min_df)


if __name__ == "__main__":
    main()
