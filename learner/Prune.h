// Pessimistic pruning of C4.5 release 8: error estimates at a confidence
// level, replacement of subtrees by leaves, and subtree raising.
#pragma once

#include "Dataset.h"
#include "Tree.h"

#include <vector>

// Extra errors U(N, E) to add to E errors observed among N cases for an upper
// confidence limit at cf (0 < cf <= 1).
float addErrors(float items, float errors, float cf);

// Prunes tree in place using the given training cases; leaves show the cases
// reaching them and their estimated errors. Returns true if any subtree was
// replaced. estimate receives the root's estimated errors.
bool pruneTree(Tree &tree, const Dataset &data, const std::vector<WeightedCase> &cases, float cf,
               float &estimate);
