// Pessimistic pruning: the error estimate and the prune/raise decisions.
#include "Prune.h"
#include "Grow.h"
#include "Print.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

namespace {

const std::string dataDir = TEST_DATA_DIR;

TEST(AddErrors, MatchesPublishedValues) {
    struct Row {
        float items, errors, cf, extra;
    };
    const std::vector<Row> rows = {
        {7, 1, 0.25f, 1.37f},  {3, 0, 0.25f, 1.11f}, {6, 0, 0.25f, 1.238f},
        {4, 1, 0.25f, 1.189f}, {2, 2, 0.25f, 0.0f},  {3, 2.6f, 0.25f, 0.268f},
        {14, 5, 1.0f, 0.5f},   {4, 0, 1.0f, 0.0f},   {0, 0, 0.25f, 0.0f},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(std::to_string(r.items) + " " + std::to_string(r.errors) + " " +
                     std::to_string(r.cf));
        EXPECT_NEAR(r.extra, addErrors(r.items, r.errors, r.cf), 0.005);
    }
    // Fractional errors below 1 interpolate between 0 and 1 error.
    const float none = addErrors(5, 0, 0.25f), one = addErrors(5, 1, 0.25f);
    EXPECT_FLOAT_EQ(none + 0.5f * (one - none), addErrors(5, 0.5f, 0.25f));
}

struct Pruned {
    std::string tree;
    bool changed;
    float estimate;
};

// Grows and prunes the file set at path (STEM.names, STEM.data).
Pruned pruneAt(const std::string &path, float cf, std::string *unpruned = nullptr) {
    Schema schema = readNames(path + ".names");
    const Dataset data = readCases(path + ".data", schema);
    const Options options;
    Grower grower(data, schema, options);
    Tree tree = grower.grow(allCases(data));
    if (unpruned) {
        std::ostringstream out;
        printTree(out, tree, schema);
        *unpruned = out.str();
    }
    Pruned result;
    result.changed = pruneTree(tree, data, allCases(data), cf, result.estimate);
    std::ostringstream out;
    printTree(out, tree, schema);
    result.tree = out.str();
    return result;
}

Pruned prune(const std::string &stem, float cf) {
    return pruneAt(dataDir + "/" + stem, cf);
}

// Writes a word-count file set whose trees hold long "word <= 0" chains:
// each class has a few words of its own, rare words are noise. With spoiled,
// one more attribute is unknown in every case: no test can use it, but it
// makes growing and pruning count every case again at every node instead of
// inheriting and adding counts up.
void writeWordCounts(const std::string &stem, bool spoiled) {
    const int classes = 6, words = 90, cases = 1200;
    std::ofstream names(stem + ".names"), data(stem + ".data");
    for (int c = 0; c < classes; ++c)
        names << (c ? ", " : "") << "c" << c;
    names << ".\n";
    for (int w = 0; w < words; ++w)
        names << "w" << w << ": continuous.\n";
    if (spoiled)
        names << "never: continuous.\n";
    unsigned long long state = 12345;
    auto next = [&state](unsigned range) {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<unsigned>(state >> 33) % range;
    };
    for (int i = 0; i < cases; ++i) {
        const int cls = static_cast<int>(next(classes));
        for (int w = 0; w < words; ++w) {
            const bool own = w % classes == cls && w < 4 * classes;
            const unsigned chance = own ? 30 : 4 + w % 7;
            data << (next(100) < chance ? 1 + next(3) : 0) << ", ";
        }
        data << (spoiled ? "?, " : "") << "c" << cls << "\n";
    }
}

TEST(Prune, InheritedAndAddedCountsGiveTheTreesOfFullRecounts) {
    const std::string dir = ::testing::TempDir();
    writeWordCounts(dir + "/words", false);
    writeWordCounts(dir + "/words-spoiled", true);
    for (const float cf : {0.25f, 0.1f, 0.5f}) {
        SCOPED_TRACE(cf);
        std::string grown, grownSpoiled;
        const Pruned fast = pruneAt(dir + "/words", cf, &grown);
        const Pruned full = pruneAt(dir + "/words-spoiled", cf, &grownSpoiled);
        EXPECT_EQ(grownSpoiled, grown);
        EXPECT_GT(std::count(grown.begin(), grown.end(), '\n'), 100);
        EXPECT_TRUE(fast.changed);
        EXPECT_EQ(full.tree, fast.tree);
        EXPECT_EQ(full.estimate, fast.estimate);
    }
}

TEST(Prune, RaisesTheLargerBranchInTheWorkedExample) {
    // share node: subtrees 4.60, leaf 6.79, profit branch with all 14 cases 4.69.
    const Pruned p = prune("bla/bla", 0.25f);
    EXPECT_TRUE(p.changed);
    EXPECT_NEAR(7.06, p.estimate, 0.01);
    EXPECT_EQ("Decision Tree:\n\n"
              "wheat > 0 : grain (7.0/2.4)\n"
              "wheat <= 0 :\n"
              "|   profit <= 0 : acq (5.0/2.3)\n"
              "|   profit > 0 : earn (9.0/2.4)\n\n",
              p.tree);
}

TEST(Prune, RebuildsCountsTheSameWayWhenValuesAreUnknown) {
    // An attribute that is never tested holds one unknown value, so pruning
    // recounts all cases at every step instead of adding counts up.
    const Pruned p = prune("blaq/bla", 0.25f);
    EXPECT_TRUE(p.changed);
    EXPECT_NEAR(7.06, p.estimate, 0.01);
    EXPECT_EQ(prune("bla/bla", 0.25f).tree, p.tree);
}

TEST(Prune, KeepsEverySplitAtFullConfidence) {
    // At CF 100% the estimate adds half an error per erring leaf only: the
    // share node's subtrees (1.5) beat its leaf (5.5) and the raised profit
    // branch (3.0).
    const Pruned p = prune("bla/bla", 1.0f);
    EXPECT_FALSE(p.changed);
    EXPECT_NEAR(3.0, p.estimate, 0.001);
}

TEST(Prune, CollapsesToALeafAtLowConfidence) {
    // At CF 0.1% (z = 3.09) the whole tree estimates worse than one leaf:
    // 5 errors + U(14, 5) = 10.50.
    const Pruned p = prune("golf/golf", 0.001f);
    EXPECT_TRUE(p.changed);
    EXPECT_EQ("Decision Tree:\n Play (14.0/10.5)\n\n", p.tree);
    EXPECT_NEAR(10.5, p.estimate, 0.01);
}

} // namespace
