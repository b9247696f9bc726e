// Windowing (-t, -w, -i): trees grown on a growing window of the training
// cases, which takes in the cases the current tree misclassifies.
#pragma once

#include "Dataset.h"
#include "Grow.h"
#include "Options.h"
#include "Tree.h"

#include <ostream>
#include <random>

class Windowing {
public:
    // Fixes the initial window size, the largest increment and the class
    // profile of the initial window once for all trials.
    Windowing(const Dataset &data, int classes, const Options &options);

    // One trial: prints its cycle table to out and returns the unpruned tree
    // with the fewest window plus outside errors (the earliest on ties).
    Tree trial(Grower &grower, std::ostream &out);

private:
    const Dataset &data_;
    int classes_;
    std::size_t window_;
    std::size_t increment_;
    std::vector<std::size_t> target_; // initial window cases per class
    std::vector<int> rarestFirst_;
    std::mt19937 random_{1};
};
