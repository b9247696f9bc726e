// Growing: cut placement, value groups, the release-8 penalty, minimum
// branch sizes and exact class weights. Whole trees of the committed file
// sets are checked by the smoke tests.
#include "Grow.h"
#include "Print.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

const std::string dataDir = TEST_DATA_DIR;

std::string grownTree(const std::string &path, Options options = Options()) {
    Schema schema = readNames(path + ".names");
    const Dataset data = readCases(path + ".data", schema);
    Grower grower(data, schema, options);
    std::ostringstream out;
    printTree(out, grower.grow(allCases(data)), schema);
    return out.str();
}

// Neighbouring values whose single-precision midpoint rounds to the higher
// one, or overflows, must still be parted (growing used to call itself with
// the same cases until the stack ran out).
TEST(Grow, CutsPartNeighboursWhoseMidpointRoundsAway) {
    const std::vector<std::vector<std::string>> cases = {{"10000001", "10000002", "1e+07"},
                                                         {"1700000128", "1700000256", "1.7e+09"},
                                                         {"-3.4e38", "-3.3e38", "-3.4e+38"},
                                                         {"3.3e38", "3.4e38", "3.3e+38"}};
    const std::string stem = ::testing::TempDir() + "/neighbours";
    std::ofstream(stem + ".names") << "a, b.\nx: continuous.\n";
    for (const auto &c : cases) {
        SCOPED_TRACE(c[0]);
        std::ofstream data(stem + ".data");
        for (int i = 0; i < 3; ++i)
            data << c[0] << ", a\n" << c[1] << ", b\n";
        data.close();
        EXPECT_EQ("Decision Tree:\n\nx <= " + c[2] + " : a (3.0)\nx > " + c[2] + " : b (3.0)\n\n",
                  grownTree(stem));
    }
}

TEST(Grow, GroupsManyValuesIntoTheirClasses) {
    // 60 values, the first 30 always class a, the others b. Five more
    // declared values never occur: merging one of them changes neither gain
    // nor split information, so it does not count as better, and each keeps
    // a branch of its own.
    const std::string stem = ::testing::TempDir() + "/many";
    {
        std::ofstream names(stem + ".names"), data(stem + ".data");
        names << "a, b.\ncode: v0";
        for (int v = 1; v < 65; ++v)
            names << ", v" << v;
        names << ".\n";
        for (int i = 0; i < 600; ++i)
            data << "v" << i % 60 << ", " << (i % 60 < 30 ? "a" : "b") << "\n";
    }
    Options options;
    options.valueSubsets = true;
    std::string expected = "Decision Tree:\n\ncode in {";
    for (int v = 0; v < 60; ++v)
        expected += "v" + std::to_string(v) +
                    (v == 29   ? "}: a (300.0)\ncode in {"
                     : v == 59 ? "}: b (300.0)\n"
                               : ",");
    for (int v = 60; v < 65; ++v)
        expected += "code = v" + std::to_string(v) + ": a (0.0)\n";
    EXPECT_EQ(expected + "\n", grownTree(stem, options));
}

TEST(Grow, LeavesWhereNoTestIsWorthIt) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"single/single", " earn (3.0)"},
        {"noattr/noattr", " earn (3.0/1.0)"},
        {"zero/zero", " acq (5.0/2.0)"},
        // Eight alternating cases: the best cut's gain is below the
        // penalty log2(7)/8 for the seven cuts tried.
        {"penalty/penalty", " a (8.0/4.0)"},
        {"malformed/nocases", " acq (0.0)"}};
    Options options;
    options.minObjs = 1;
    for (const auto &c : cases)
        EXPECT_EQ("Decision Tree:\n" + c.second + "\n\n",
                  grownTree(dataDir + "/" + c.first, options))
            << c.first;
}

TEST(Grow, MinimumCasesPerBranchAndTiesToTheFirstAttribute) {
    // With -m 5 below wheat <= 0 the cuts share 0|1 and profit 1|2 give the
    // same 6/8 partition and gain ratio; the attribute listed first wins,
    // and its midpoint 1.5 prints as 1.
    Options options;
    options.minObjs = 5;
    EXPECT_EQ("Decision Tree:\n\nwheat > 0 : grain (7.0/1.0)\nwheat <= 0 :\n"
              "|   profit <= 1 : acq (8.0/3.0)\n|   profit > 1 : earn (6.0)\n\n",
              grownTree(dataDir + "/bla/bla", options));
}

// Counts beyond 2^24 cases must keep growing, where single precision
// would stop; weights split by unknown values sum as C4.5 sums them.
TEST(Grow, ClassWeightsStayExactBeyondSinglePrecisionCounts) {
    Schema schema = readNames(dataDir + "/bla/bla.names");
    const Dataset data = readCases(dataDir + "/bla/bla.data", schema);
    std::vector<float> dist = {16777216.0f, 0.0f, 0.0f};
    float items = 16777216.0f;
    addClassWeights(data, {{0, 1.0f}, {1, 1.0f}, {6, 1.0f}}, dist, items);
    EXPECT_EQ(16777220.0f, items);
    EXPECT_EQ(16777218.0f, dist[0]);
    EXPECT_EQ(1.0f, dist[1]);

    Schema withUnknowns = readNames(dataDir + "/unknown/golf.names");
    const Dataset golf = readCases(dataDir + "/unknown/golf.data", withUnknowns);
    ASSERT_TRUE(golf.hasUnknowns());
    std::vector<float> split = {0.1f, 0.0f};
    float splitItems = 0.1f;
    addClassWeights(golf, {{0, 0.2f}, {0, 0.3f}}, split, splitItems);
    EXPECT_EQ(0.1f + 0.2f + 0.3f, splitItems);
}

} // namespace
