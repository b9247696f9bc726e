// Applying a run's tree to new text: the documents of a text in the
// workbench's markup, counted with the tokenizer that made the run's file
// set, each classified along its path from the root.
#pragma once

#include "classify/DecisionTree.h"

#include <map>
#include <ostream>
#include <set>
#include <string>
#include <vector>

using WordCountMap = std::map<std::string, int>;

// One test on the way: the node, the document's count of its word and the
// child taken.
struct PathStep {
    int node = 0;
    std::string word;
    int count = 0;
    int child = 0;
};

struct TreePath {
    std::vector<PathStep> steps;
    int leaf = 0;
};

// The path of a document with these counts (a word it lacks counts 0),
// compared in single precision as the learner compares. Throws TreeError
// at a discrete test, which no count can answer, and at a node none of whose
// branches holds.
TreePath classifyCounts(const DecisionTree &tree, const WordCountMap &counts);

// A document of a text. Without "<DATA>" the text is one document: its
// "<TEXT>" element when it has one, otherwise all of it.
struct TextDocument {
    std::string category; // the words of "<TOPIC>", tokenized, blank-separated; may be empty
    bool test = true;     // "<SET>" read as the corpus parser reads it
    bool hasSet = false;  // a "<SET>" element was there
    WordCountMap counts;
};

// The documents of text. A "<DATA>" document without a "<TEXT>" element is
// left out; skipped counts them.
std::vector<TextDocument> readTextDocuments(const std::string &text, bool stemming,
                                            std::size_t &skipped);

// What a run applies to new text: its tree (or with a per-category run, a
// tree per category) and what made its file set.
struct RunClassifier {
    DecisionTree tree;                       // empty for a per-category run
    std::vector<CategoryTree> categoryTrees; // a per-category run's
    bool stemming = false;
    std::vector<std::string> categories; // of STEM.names, in order
    std::set<std::string> attributes;    // of STEM.names
};

// The file stem the learner's options echo in its output ("File stem
// <STEM>"), or "" when they echo none: where a saved run's file set was.
std::string echoedFileStem(const std::vector<std::string> &outputLines);

// Reads the tree of the run's output lines (pruned or not), or a
// per-category run's trees (see readCategoryTrees), STEM.names and
// STEM.tokens. Throws FileError for a missing or malformed file and
// TreeError for a tree that tests a word STEM.names lacks or ends in a
// category it lacks (a category tree: neither its category nor "not-" and
// its category): a run of another file set. A leaf's category is then the
// one it gives a case: the learner prints a pruned leaf whose classes tie
// with the class it had before, while it gives the earliest of them, so the
// training cases (STEM.data, or STEM.data.svm for a sparse set) are sent
// down the tree to find such leaves; without a readable case file the
// printed categories stand.
RunClassifier loadRunClassifier(const std::vector<std::string> &outputLines, bool pruned,
                                const std::string &stem);

// The categories whose trees give a document these counts their own
// category, in the trees' order, and the path in every tree.
struct CategoryPaths {
    std::vector<std::string> assigned;
    std::vector<TreePath> paths; // one per tree
};
CategoryPaths classifyByCategory(const std::vector<CategoryTree> &trees,
                                 const WordCountMap &counts);

// One step as "word=count <= 0": the document's count and the test it passed.
std::string stepText(const DecisionTree &tree, const PathStep &step);

// A document's category and path as "category: word=count <= 0, ...".
std::string pathText(const DecisionTree &tree, const TreePath &path);
