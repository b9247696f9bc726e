#include "corpus/Stemmer.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// "stemmed" or "false" when stem() refuses the word.
std::string stemmed(const std::string &word) {
    std::vector<char> buffer(word.begin(), word.end());
    buffer.push_back('\0');
    if (!stem(buffer.data()))
        return "false";
    return buffer.data();
}

TEST(Stemmer, FollowsItsRuleTables) {
    // Steps 1a-5 of the rule tables: 1b's measure test, 1b1 restoring e and
    // undoubling, y as a vowel only after the first letter, ll kept unless m > 1;
    // words with other characters are refused.
    // clang-format off
    const std::pair<const char *, const char *> cases[] = {
        {"caresses", "caress"}, {"ponies", "poni"}, {"ties", "ti"}, {"caress", "caress"},
        {"cats", "cat"}, {"s", ""}, {"Is", "i"}, {"feed", "fe"}, {"agreed", "agre"},
        {"plastered", "plaster"}, {"motoring", "motor"}, {"sing", "sing"}, {"conflated", "conflat"},
        {"troubled", "troubl"}, {"sized", "size"}, {"hopping", "hop"}, {"trekking", "trekk"},
        {"filing", "file"}, {"happy", "happi"}, {"sky", "sky"}, {"toying", "toi"},
        {"playing", "plai"}, {"relational", "relat"}, {"conditional", "condition"},
        {"generalizations", "gener"}, {"hopefulness", "hopeful"}, {"adoption", "adopt"},
        {"valenci", "valenc"}, {"controll", "controll"}, {"rate", "rate"}, {"cease", "ceas"},
        {"", ""}, {"well-known", "false"}, {"abc1", "false"}};
    // clang-format on
    for (const auto &[word, expected] : cases)
        EXPECT_EQ(stemmed(word), expected) << word;
}

} // namespace
