// Classifying cases with a tree.
#pragma once

#include "Dataset.h"
#include "Tree.h"

#include <vector>

// Class predicted for a case: leaves reached add their class distribution
// divided by their cases (an empty leaf gives all to its class); an unknown
// tested value follows every branch, weighted by the branch's share of the
// node's cases. The highest score wins, the earliest class on ties.
int classify(const Tree &tree, const Dataset &data, std::size_t item, int classes);

struct Assessment {
    int errors = 0;
    // counts[actual * classes + predicted]
    std::vector<int> counts;
};

// Classifies every case of data.
Assessment assess(const Tree &tree, const Dataset &data, int classes);
