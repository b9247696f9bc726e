#!/usr/bin/python3
"""scikit-learn on a multi-category sparse file set, one entropy tree per
category (the category against the rest), as `c4.5.exe -L -Y -u` grows them:

    sklearn-per-category.py STEM [MIN_CASES]

Reads STEM.names, STEM.data.svm and STEM.test.svm with
load_svmlight_file(multilabel=True). Each tree is grown with
min_samples_leaf=MIN_CASES (default 2, C4.5's -m; scikit-learn does not
prune), predicts the test cases, and gives its 2x2 table. Prints the seconds
of loading and of growing and predicting (wall and CPU), the summed tree
sizes, the pooled table, and micro and macro precision, recall and F1 (macro
over the categories with a positive test case; an undefined precision
counts as 0, as the learner's report counts it)."""

import sys
import time

import numpy as np
from sklearn.datasets import load_svmlight_file
from sklearn.tree import DecisionTreeClassifier

stem = sys.argv[1]
min_cases = int(sys.argv[2]) if len(sys.argv) > 2 else 2
start = time.perf_counter()
with open(stem + ".names") as names:
    categories = names.readline().strip().rstrip(".").split(", ")
    attributes = sum(1 for line in names if ":" in line)
x_train, y_train = load_svmlight_file(stem + ".data.svm", n_features=attributes,
                                      multilabel=True, zero_based=False)
x_test, y_test = load_svmlight_file(stem + ".test.svm", n_features=attributes,
                                    multilabel=True, zero_based=False)
x_train, x_test = x_train.tocsc(), x_test.tocsr()
loaded = time.perf_counter()
began, cpu = time.perf_counter(), time.process_time()
tables, sizes = [], 0
for c in range(len(categories)):
    positive = np.array([c in labels for labels in y_train])
    actual = np.array([c in labels for labels in y_test], dtype=bool)
    tree = DecisionTreeClassifier(criterion="entropy", min_samples_leaf=min_cases,
                                  random_state=0).fit(x_train, positive)
    sizes += tree.tree_.node_count
    predicted = tree.predict(x_test).astype(bool) if len(actual) else actual
    tables.append((int(np.sum(actual & predicted)), int(np.sum(~actual & predicted)),
                   int(np.sum(actual & ~predicted)), int(np.sum(~actual & ~predicted))))
wall, cpu = time.perf_counter() - began, time.process_time() - cpu


def rates(tp, fp, fn):
    ratio = lambda a, b: a / b if b else None
    return ratio(tp, tp + fp), ratio(tp, tp + fn), ratio(2 * tp, 2 * tp + fp + fn)


def text(value):
    return "n/a" if value is None else "%.4f" % value


tp, fp, fn, tn = (sum(t[i] for t in tables) for i in range(4))
own = [rates(*t[:3]) for t in tables if t[0] + t[2] > 0]
macro = [sum((r[i] or 0) for r in own) / len(own) if own else None for i in range(3)]
print("load %.2f s, grow and predict %.2f s (CPU %.2f s)" % (loaded - start, wall, cpu))
print("summed size %d, test table TP %d FP %d FN %d TN %d" % (sizes, tp, fp, fn, tn))
print("micro precision %s recall %s F1 %s" % tuple(text(v) for v in rates(tp, fp, fn)))
print("macro precision %s recall %s F1 %s over %d categories with positive test cases"
      % (tuple(text(v) for v in macro) + (len(own),)))
