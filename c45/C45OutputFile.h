// The ".c45p" file: the lines C4.5 printed in a run, each followed by "\n",
// and nothing else. Loading it and parsing with hasTest true restores every
// result of that run.
#pragma once

#include <optional>
#include <string>
#include <vector>

// Writes the lines to path exactly as named (the caller appends ".c45p").
// The file is replaced as a whole; throws FileError when it cannot be
// written, leaving any old file in place.
void saveC45Output(const std::vector<std::string> &lines, const std::string &path);

// Why the lines are not the whole output of a learner's run, as a phrase
// ("no C4.5 output in it", "incomplete C4.5 run, no evaluation on test
// data"); nothing when they are. A whole run holds, in this order, the
// banner "C4.5 [release 8] decision tree generator", "Read N cases", a
// "Decision Tree:" heading, "Tree saved" (or "Best tree from trial N saved")
// and the training evaluation whose table has its saved row (ending in
// "<<"); when its options echo "Trees evaluated on unseen cases" (-u), also
// the test evaluation with its saved row and the "<CM>" block up to
// "</CM>". A per-category run (its options echo perCategoryEchoLine) is
// whole when its report reads back (parseCategoryReport), and is otherwise
// refused with "incomplete per-category run, " and the reader's message. A
// run that printed an "ERROR:" line is refused with that line.
std::optional<std::string> c45RunProblem(const std::vector<std::string> &lines);

// The lines of the file, split at "\n" (a last line without "\n" counts).
// Throws FileError when the file cannot be opened (a folder among them),
// read, or held in memory, and FileError::malformed with the c45RunProblem
// phrase when it does not hold a whole run.
std::vector<std::string> loadC45Output(const std::string &path);
