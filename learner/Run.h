// One run of the learner: read the file set, grow, prune, print, evaluate.
#pragma once

#include "Options.h"

#include <ostream>

// Reads STEM.names and STEM.data (and STEM.test with -u) and writes
// everything after the options echo to out, in C4.5 release 8's layout; with
// -u the "<CM>" block is the last output. With -Y, runCategories instead. Throws FileError for a file that
// cannot be opened or read and InputError for a malformed one or a data file
// without cases; what was printed before stays printed. Keeps at most
// threadBudget() threads busy.
void runLearner(const Options &options, std::ostream &out);
