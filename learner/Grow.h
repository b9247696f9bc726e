// Grows an unpruned C4.5 release 8 tree: gain ratio with the average-gain
// condition, continuous cuts with the release-8 penalty, fractional cases
// for unknown values, value groups with -s, and collapse of splits that do
// not lower the training errors.
#pragma once

#include "Dataset.h"
#include "Options.h"
#include "Schema.h"
#include "Tree.h"

#include <memory>
#include <vector>

class Grower {
public:
    // Prepares the per-attribute value orders of data once; data and schema
    // must outlive the grower.
    Grower(const Dataset &data, const Schema &schema, const Options &options);
    ~Grower();
    Grower(const Grower &) = delete;
    Grower &operator=(const Grower &) = delete;

    // Grows a tree from the given cases (all of data, or a window of it).
    // Thresholds print as the largest value of any case in data that does not
    // exceed the midpoint of the chosen cut (the lower value where the
    // midpoint rounds to the higher one). A node whose test would send all
    // its weight down one branch is a leaf.
    Tree grow(const std::vector<WeightedCase> &cases);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// Threads a run may keep busy at once: the OpenMP budget (OMP_NUM_THREADS,
// or omp_set_num_threads), at most 2.
int threadBudget();

// Cases 0 .. size-1 of data, each of weight 1.
std::vector<WeightedCase> allCases(const Dataset &data);
