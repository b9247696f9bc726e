// Pessimistic pruning: the error estimate and the prune/raise decisions.
#include "Prune.h"
#include "Grow.h"
#include "Print.h"

#include <gtest/gtest.h>

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

Pruned prune(const std::string &stem, float cf) {
    Schema schema = readNames(dataDir + "/" + stem + ".names");
    const Dataset data = readCases(dataDir + "/" + stem + ".data", schema);
    const Options options;
    Grower grower(data, schema, options);
    Tree tree = grower.grow(allCases(data));
    Pruned result;
    result.changed = pruneTree(tree, data, allCases(data), cf, result.estimate);
    std::ostringstream out;
    printTree(out, tree, schema);
    result.tree = out.str();
    return result;
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
