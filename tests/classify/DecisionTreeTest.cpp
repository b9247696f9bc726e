#include "classify/Classifier.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

std::string outline(const std::string &output, bool pruned = true) {
    std::ostringstream out;
    writeTreeOutline(readDecisionTree(splitLines(output), pruned), out);
    return out.str();
}

// Printed as the learner prints: leaf branches first, a deferred subtree
// after the tree, behind the reference on its branch line.
const char *const printed = "Decision Tree:\n"
                            "\n"
                            "wheat > 2 : grain (5.0)\n"
                            "wheat <= 2 :\n"
                            "|   corn <= 0 : earn (10.0/2.0)\n"
                            "|   corn > 0 :[S1]\n"
                            "\n"
                            "\n"
                            "Subtree [S1]\n"
                            "\n"
                            "oil > 1.5 : crude (3.0)\n"
                            "oil <= 1.5 : grain (4.0/1.0)\n"
                            "\n";

} // namespace

TEST(DecisionTree, ReadsTheNodesOfPrintedTrees) {
    const struct {
        const char *name, *output, *expected;
    } rows[] = {
        {"deferred section", printed,
         "wheat\n  <= 2 corn\n    <= 0 earn (10.0/2.0)\n    > 0 oil\n      <= 1.5 grain (4.0/1.0)\n"
         "      > 1.5 crude (3.0)\n  > 2 grain (5.0)\n"},
        {"one leaf", "Decision Tree:\n earn (12.0/3.0)\n", "earn (12.0/3.0)\n"},
        {"discrete", "Decision Tree:\n\ncolour = red: a (2.0)\ncolour = blue: b (3.0)\n",
         "colour\n  = red a (2.0)\n  = blue b (3.0)\n"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(outline(row.output), row.expected);
    }
}

TEST(DecisionTree, RefusesWhatIsNoTree) {
    const struct {
        const char *output, *message;
    } rows[] = {
        {"", "decision tree: the output holds no tree"},
        {"Decision Tree:\n\nwheat <= 2 : grain\nwheat > 2 : earn (1.0)\n",
         "decision tree: a leaf without its (cases) figures: \"grain\""},
        {"Decision Tree:\n\nwheat <= 2 :\nwheat > 2 : earn (1.0)\n",
         "decision tree: a leaf without its (cases) figures: \"\""},
        {"Decision Tree:\n\nwheat <= x : grain (1.0)\n",
         "decision tree: a threshold that is not a number: \"<= x : grain (1.0)\""},
        {"Decision Tree:\n\nwheat <= 2 :[S1]\nwheat > 2 : earn (1.0)\n",
         "decision tree: a reference to a subtree that was not printed: \"<= 2 :[S1]\""},
        {"Decision Tree:\n\nwheat <= 2 :\n|   corn <= 0 : a (1.0)\n|   oil > 0 : b (1.0)\n",
         "decision tree: a node whose branches test different words: \"oil > 0 : b (1.0)\""},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.output);
        EXPECT_EQ(thrownMessage<TreeError>([&] { outline(row.output); }), row.message);
    }
}

TEST(Classifier, FollowsTheTestsOfTheCounts) {
    const DecisionTree tree = readDecisionTree(splitLines(printed), true);
    const struct {
        WordCountMap counts;
        const char *expected;
    } rows[] = {
        {{}, "earn: wheat=0 <= 2, corn=0 <= 0"},
        {{{"wheat", 3}}, "grain: wheat=3 > 2"},
        {{{"wheat", 2}, {"corn", 1}, {"oil", 1}}, "grain: wheat=2 <= 2, corn=1 > 0, oil=1 <= 1.5"},
        {{{"corn", 7}, {"oil", 2}}, "crude: wheat=0 <= 2, corn=7 > 0, oil=2 > 1.5"},
    };
    for (const auto &row : rows)
        EXPECT_EQ(pathText(tree, classifyCounts(tree, row.counts)), row.expected);
}

TEST(Classifier, ReadsTheDocumentsOfATextWithTheRunsTokenizer) {
    const struct {
        const char *text;
        bool stemming;
        const char *expected;
    } rows[] = {
        {"Wheat, wheat-fields and CORN.", false, "test[] and:1 corn:1 wheat:1 wheat-fields:1 / 0"},
        {"<TEXT>Running runs</TEXT> outside", true, "test[] run:2 / 0"},
        {"<DATA><SET>TRAIN</SET><TOPIC>Grain</TOPIC><TEXT>oil</TEXT>"
         "<DATA><TOPIC>earn</TOPIC><TEXT>oil oil</TEXT>"
         "<DATA><SET>TEST</SET><TEXT>x</TEXT><DATA><SET>TEST</SET>no text",
         false, "train[grain] oil:1|train[earn] oil:2|test[] x:1 / 1"},
    };
    for (const auto &row : rows) {
        std::size_t skipped = 0;
        std::string text;
        for (const TextDocument &document : readTextDocuments(row.text, row.stemming, skipped)) {
            text += (text.empty() ? "" : "|") + std::string(document.test ? "test[" : "train[") +
                    document.category + "]";
            for (const auto &word : document.counts)
                text += " " + word.first + ":" + std::to_string(word.second);
        }
        EXPECT_EQ(text + " / " + std::to_string(skipped), row.expected);
    }
}
