#include "CorpusText.h"

#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>

namespace {

// Gains in the workbench's "%.4f" form: "a:0.3010 b:0.0000".
std::string gains(const std::map<std::string, float> &table) {
    std::string text;
    for (const auto &[word, gain] : table) {
        char value[32];
        std::snprintf(value, sizeof value, "%.4f", gain);
        text += (text.empty() ? "" : " ") + word + ":" + value;
    }
    return text;
}

// Categories x, x, y, y: a marks x perfectly, b is everywhere, c is in one x.
const char *const fourDocuments = "<DATA><SET>TRAIN</SET><TOPIC>x</TOPIC><TEXT>a b c</TEXT>"
                                  "<DATA><SET>TRAIN</SET><TOPIC>x</TOPIC><TEXT>a b</TEXT>"
                                  "<DATA><SET>TRAIN</SET><TOPIC>y</TOPIC><TEXT>b</TEXT>"
                                  "<DATA><SET>TRAIN</SET><TOPIC>y</TOPIC><TEXT>b b</TEXT>"
                                  "<DATA><SET>TEST</SET><TOPIC>y</TOPIC><TEXT>a c d</TEXT>";

// Each category splits the documents into "in" and "not in" it; the gain is
// the sum of these binary gains. With two categories both splits are the
// single-category one, so every gain doubles.
TEST(InformationGain, MultiCategorySumsTheBinaryGainsOfTheCategories) {
    const struct {
        const char *text;
        const char *expected;
    } cases[] = {// P(x) = P(y) = 1/2, P(z) = 1/4; H(x) = H(y) = log10 2,
                 // H(z) = -(1/4 log10 1/4 + 3/4 log10 3/4) = 0.24422.
                 // IG(a) = [x] log10 2 + [y] (log10 2 - 1/2 log10 2 - 1/2 log10 2)
                 //       + [z] (H(z) - 1/2 log10 2) = 0.30103 + 0 + 0.09370;
                 // IG(e) = [x, y] 2 (log10 2 + 3/4 (1/3 log10 1/3 + 2/3 log10 2/3))
                 //       + [z] (H(z) + 3/4 (1/3 log10 1/3 + 2/3 log10 2/3))
                 //       = 2 * 0.09370 + 0.03689;
                 // IG(all) = 0: P(c | all) = P(c) and no document lacks the word.
                 {"<DATA><SET>TRAIN</SET><TOPIC>x y</TOPIC><TEXT>a e all</TEXT>"
                  "<DATA><SET>TRAIN</SET><TOPIC>x</TOPIC><TEXT>a all</TEXT>"
                  "<DATA><SET>TRAIN</SET><TOPIC>y</TOPIC><TEXT>all</TEXT>"
                  "<DATA><SET>TRAIN</SET><TOPIC>z</TOPIC><TEXT>all</TEXT>",
                  "a:0.3947 all:0.0000 e:0.2243"},
                 {fourDocuments, "a:0.6021 b:0.0000 c:0.1874"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        TextProcessor engine;
        engine.multiCategory = true;
        engine.parseFileText(c.text);
        engine.computeInformationGain();
        EXPECT_EQ(gains(engine.informationGain), c.expected);
    }

    // The tables keep their meaning: P(c) is the share of documents in c.
    TextProcessor engine;
    engine.multiCategory = true;
    engine.parseFileText(cases[0].text);
    engine.computeInformationGain();
    EXPECT_EQ(engine.categoryPriors, (std::vector<float>{0.5f, 0.5f, 0.25f}));
    EXPECT_EQ(engine.categoryGivenWord.front(), (std::vector<float>{1, 0.5f, 0}));
    EXPECT_EQ(engine.categoryGivenNoWord.front(), (std::vector<float>{0, 0.5f, 0.5f}));
}

TEST(InformationGain, HandCheckedCorpusRepeatsAndFollowsTheCorpus) {
    TextProcessor engine;
    engine.parseFileText(fourDocuments);
    // IG(a) = log10 2; IG(b) = 0 although P(c | not b) has no documents;
    // IG(c) = log10 2 + 3/4 (1/3 log10 1/3 + 2/3 log10 2/3).
    for (int time = 0; time < 2; ++time) {
        engine.computeInformationGain();
        EXPECT_EQ(gains(engine.informationGain), "a:0.3010 b:0.0000 c:0.0937");
    }

    // One category: every gain is 0, and the old corpus's words are gone.
    TextProcessor other;
    other.parseFileText("<DATA><SET>TRAIN</SET><TOPIC>x</TOPIC><TEXT>p q</TEXT>"
                        "<DATA><SET>TRAIN</SET><TOPIC>x</TOPIC><TEXT>q</TEXT>");
    engine.vocabulary = other.vocabulary;
    engine.trainDocuments = other.trainDocuments;
    engine.trainTopics = other.trainTopics;
    engine.categories = other.categories;
    engine.documentFrequency = other.documentFrequency;
    engine.computeInformationGain();
    EXPECT_EQ(gains(engine.informationGain), "p:0.0000 q:0.0000");

    // No training document: no gains at all.
    engine.trainDocuments.clear();
    engine.trainTopics.clear();
    engine.computeInformationGain();
    EXPECT_EQ(gains(engine.informationGain), "");
}

TEST(InformationGain, CachedLogarithmNeverStoresNaN) {
    std::map<float, float> cache;
    EXPECT_EQ(cachedLog10(0, cache), 0);
    EXPECT_EQ(cachedLog10(std::nanf(""), cache), 0);
    EXPECT_EQ(cachedLog10(-1, cache), 0);
    EXPECT_FLOAT_EQ(cachedLog10(100, cache), 2);
    cache[100] = 7;
    EXPECT_EQ(cachedLog10(100, cache), 7);
    EXPECT_EQ(cache.size(), 1u);
}

} // namespace
