#!/usr/bin/python3
"""scikit-learn's entropy decision tree on a C4.5 file set:
sklearn-tree.py STEM [RUNS]. Fits and predicts RUNS times (default 1).
Prints: load seconds, median fit+predict seconds, median fit+predict CPU
seconds, tree size, training errors, test errors, test cases. Discrete values are used as ordinal numbers and
unknown values are not supported (the tree needs complete data)."""

import statistics
import sys
import time

import numpy as np
from scipy import sparse
from sklearn.tree import DecisionTreeClassifier

from c45files import read_cases, read_names

start = time.perf_counter()
stem = sys.argv[1]
classes, attributes = read_names(stem + ".names")
train_rows, train_labels = read_cases(stem + ".data", classes, attributes)
test_rows, test_labels = read_cases(stem + ".test", classes, attributes)
x_train = np.array(train_rows, dtype=np.float32).reshape(len(train_rows), len(attributes))
x_test = np.array(test_rows, dtype=np.float32).reshape(len(test_rows), len(attributes))
if len(attributes) > 100:  # text data: mostly zeros, sklearn's sparse input
    x_train, x_test = sparse.csc_matrix(x_train), sparse.csr_matrix(x_test)
loaded = time.perf_counter()
walls, cpus = [], []
for _ in range(int(sys.argv[2]) if len(sys.argv) > 2 else 1):
    began, cpu = time.perf_counter(), time.process_time()
    tree = DecisionTreeClassifier(criterion="entropy", random_state=0).fit(x_train, train_labels)
    train_errors = int(np.sum(tree.predict(x_train) != np.array(train_labels)))
    test_errors = int(np.sum(tree.predict(x_test) != np.array(test_labels)))
    walls.append(time.perf_counter() - began)
    cpus.append(time.process_time() - cpu)
print("%.2f %.2f %.2f %d %d %d %d" % (loaded - start, statistics.median(walls),
                                      statistics.median(cpus), tree.tree_.node_count,
                                      train_errors, test_errors, len(test_labels)))
