// Output in C4.5 release 8's layout.
#pragma once

#include "Classify.h"
#include "Schema.h"
#include "Tree.h"

#include <ctime>
#include <ostream>
#include <vector>

// "\nC4.5 [release 8] decision tree generator\t<ctime text>" and a line of 40
// hyphens; the time is shown in UTC when utc is set, else in local time.
void printBanner(std::ostream &out, std::time_t when, bool utc);

// "Decision Tree:", the tree (a root leaf on the next line, otherwise an
// empty line and one line per branch, leaves before subtrees), "[S1]"-style
// sections for subtrees too wide to print in place, and an empty line.
void printTree(std::ostream &out, const Tree &tree, const Schema &schema);

// The trees of one growth: the grown tree and, when pruning changed it, "\n"
// and "Simplified " before the pruned one.
void printTrees(std::ostream &out, const Tree &unpruned, const Tree &pruned, bool changed,
                const Schema &schema);

// One row of an evaluation table.
struct EvaluationRow {
    int trial = 0; // printed before the row when the table has several trials
    int unprunedSize = 0;
    int unprunedErrors = 0;
    int prunedSize = 0;
    int prunedErrors = 0;
    float estimate = 0; // estimated errors of the pruned root
    float trainingItems = 0;
    bool saved = false; // marked "   <<"
};

// "\nEvaluation on <what> (<items> items):\n", the headings and one row per
// trial; percentages are of items, the estimate of the training cases.
void printEvaluation(std::ostream &out, const char *what, int items,
                     const std::vector<EvaluationRow> &rows);

// The human-readable confusion matrix, only for at most 21 classes.
void printConfusion(std::ostream &out, const Assessment &assessment, const Schema &schema);

// The machine-readable matrix: "<CM>", classes - 1, per true class "+", its
// row of counts one per line and its name, then "</CM>".
void printConfusionBlock(std::ostream &out, const Assessment &assessment, const Schema &schema);
