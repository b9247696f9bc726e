// A per-category run (-Y): one binary tree per category of the names file,
// that category against the rest, from one read of the sparse files.
#pragma once

#include "Options.h"

#include "c45/CategoryReport.h"

#include <ostream>

// Reads STEM.names, STEM.data.svm and STEM.test.svm (labels may be lists of
// categories) and grows, prunes and evaluates one tree per category exactly
// as a normal run does on the binary file set of that category, whose
// classes are the category and "not-" + the category, in that order. The
// trees are grown side by side within threadBudget() and share the case
// values; only their class vectors differ. Trees go into the report only
// with -v 1 or more. Throws as runLearner does.
CategoryReport learnCategories(const Options &options);

// learnCategories, then the report in the layout of c45/CategoryReport.h.
void runCategories(const Options &options, std::ostream &out);
