#include "CorpusText.h"

#include "corpus/StopWords.h"

#include <gtest/gtest.h>
#include <sstream>
#include <stdexcept>

namespace {

const std::string stopWords = TEST_DATA_DIR "/stop-words";

class Selection : public testing::Test {
protected:
    Selection() : engine(trace) {
        engine.documentFrequency = {{"a", 1}, {"b", 2}, {"c", 5}, {"of", 9}, {"the", 9}};
    }

    std::string select(int minDf, bool useStopWords) {
        engine.selectWords(minDf, useStopWords, stopWords);
        return describe(engine.selectedWords);
    }

    std::ostringstream trace;
    TextProcessor engine;
};

TEST_F(Selection, KeepsWordsReachingTheThresholdLessStopWordsWhenAsked) {
    EXPECT_EQ(select(0, false), "a:1 b:2 c:5 of:9 the:9");
    EXPECT_EQ(select(1, false), "a:1 b:2 c:5 of:9 the:9");
    EXPECT_EQ(select(5, false), "c:5 of:9 the:9");
    EXPECT_EQ(select(10, false), "");
    EXPECT_EQ(select(2, true), "c:5");
    EXPECT_EQ(select(2, false), "b:2 c:5 of:9 the:9");
    EXPECT_EQ(trace.str(), "");

    // A missing stop-word file keeps the previous selection.
    EXPECT_EQ(errorOf([&] { engine.selectWords(1, true, stopWords + "-missing"); }),
              "Could not open file " + stopWords + "-missing");
    EXPECT_EQ(describe(engine.selectedWords), "b:2 c:5 of:9 the:9");
    engine.selectWords(1, false, stopWords + "-missing");
    EXPECT_EQ(describe(engine.selectedWords), "a:1 b:2 c:5 of:9 the:9");
}

// The selection's gains are paired with its words by key; the top words by
// gain can then be kept.
TEST_F(Selection, PairsGainsByWordAndKeepsTheWordsOfHighestGain) {
    engine.informationGain = {{"a", 0.5f}, {"b", 0.25f},  {"c", 0.5f},
                              {"gone", 1}, {"of", 0.75f}, {"the", 0}};
    select(2, true);
    EXPECT_EQ(describe(engine.selectedInformationGain), "c:0.5");
    select(2, false);
    EXPECT_EQ(describe(engine.selectedInformationGain), "b:0.25 c:0.5 of:0.75 the:0");
    engine.keepTopInformationGain(5);
    EXPECT_EQ(describe(engine.selectedWords), "b:2 c:5 of:9 the:9");
    engine.keepTopInformationGain(3);
    EXPECT_EQ(describe(engine.selectedWords), "b:2 c:5 of:9");
    EXPECT_EQ(describe(engine.selectedInformationGain), "b:0.25 c:0.5 of:0.75");
    // a and c tie; word order decides.
    select(0, false);
    engine.keepTopInformationGain(2);
    EXPECT_EQ(describe(engine.selectedWords), "a:1 of:9");
    engine.keepTopInformationGain(0);
    EXPECT_EQ(describe(engine.selectedWords), "");
    EXPECT_EQ(describe(engine.selectedInformationGain), "");

    // Words without a gain are left out, and then none can be ranked.
    engine.informationGain = {{"c", 0.25f}};
    select(2, false);
    EXPECT_EQ(describe(engine.selectedInformationGain), "c:0.25");
    EXPECT_THROW(engine.keepTopInformationGain(1), std::logic_error);
    EXPECT_EQ(describe(engine.selectedWords), "b:2 c:5 of:9 the:9");
}

// On a stemmed corpus the keys are stems: the listed words match them only
// when stemmed too, as asked; otherwise the console says how many match no
// key. Without stemming the list is compared as written.
TEST_F(Selection, StemmedCorpusComparesStopWordsAsAsked) {
    const std::string inflected = TEST_DATA_DIR "/stop-words-inflected";
    engine.documentFrequency = {{"becaus", 2}, {"c", 5}, {"thi", 3}, {"the", 9}, {"wa", 4}};
    const struct {
        bool stemming, stemStopWords;
        const char *selected;
        const char *console;
    } cases[] = {
        {true, false, "becaus:2 c:5 thi:3 wa:4", "Stop rijeci koje nisu kljuc:   4\n"},
        {true, true, "c:5", ""},
        {false, true, "becaus:2 c:5 thi:3 wa:4", ""},
        {false, false, "becaus:2 c:5 thi:3 wa:4", ""},
    };
    for (const auto &row : cases) {
        SCOPED_TRACE(std::to_string(row.stemming) + std::to_string(row.stemStopWords));
        trace.str("");
        engine.useStemming = row.stemming;
        engine.stemStopWords = row.stemStopWords;
        engine.selectWords(0, true, inflected);
        EXPECT_EQ(row.selected, describe(engine.selectedWords));
        EXPECT_EQ(row.console, trace.str());
    }
    engine.useStemming = true;
    engine.selectWords(0, false, inflected);
    EXPECT_EQ("becaus:2 c:5 the:9 thi:3 wa:4", describe(engine.selectedWords));
    EXPECT_EQ("", trace.str());
}

// The file splits on white space only. Entries are keyed as the parser
// keys words: lower-cased and stemmed, a hyphenated one as it is, one
// stemmed to nothing dropped.
TEST(StopWords, ReadAndStemmedAsTheParserKeysWords) {
    EXPECT_EQ(readStopWordFile(stopWords), (std::vector<std::string>{"the", "of", "b", "The"}));
    EXPECT_EQ((std::vector<std::string>{"thi", "wa", "becaus", "x-Rays", "the", "caf\xc3\xa9s"}),
              stemmedStopWords({"this", "was", "Because", "x-Rays", "s", "The", "caf\xc3\xa9s"}));
}

TEST(Reports, CountQueriesAndTablesPrintTheirLines) {
    std::ostringstream trace;
    TextProcessor engine(trace);
    // An empty table prints only its heading.
    EXPECT_TRUE(engine.selectedGainTable().empty());
    const std::string rule = std::string(59, '-') + "\n";
    EXPECT_EQ(trace.str(), rule + "Sve rijeci u svim dokumentima sa IG:\n" + rule);
    trace.str("");
    engine.parseFileText("<DATA><SET>TRAIN</SET><TOPIC>earn</TOPIC><TEXT>net net</TEXT>"
                         "<DATA><SET>TRAIN</SET><TOPIC>acq</TOPIC><TEXT>net buy</TEXT>"
                         "<DATA><SET>TEST</SET><TOPIC>acq</TOPIC><TEXT>sell</TEXT>");
    engine.computeInformationGain();
    engine.selectWords(1, false, "");
    EXPECT_EQ(engine.printWordCount(), 2);
    EXPECT_EQ(engine.printTrainDocumentCount(), 2);
    EXPECT_EQ(engine.printTestDocumentCount(), 1);
    EXPECT_EQ(engine.printCategoryCount(), 2);
    EXPECT_EQ(engine.printSelectedWordCount(), 2);
    EXPECT_EQ(engine.printSelectedInformationGainCount(), 2);
    EXPECT_EQ(describe(engine.selectedWordsTable()), "buy:1 net:2");
    EXPECT_EQ(describe(engine.categoryTable()), "acq:1 earn:1");
    EXPECT_EQ(describe(engine.selectedGainTable()), "buy:0.30103 net:0");
    EXPECT_EQ(trace.str(),
              "Ukupan broj razlicitih rijeci: 2\n"
              "Ukupan broj train dokumenata:  2\n"
              "Ukupan broj test dokumenata:   1\n"
              "Ukupan broj razlicitih topica: 2\n"
              "Ukupan broj razlicitih rijeci: 2\n"
              "Ukupan broj razlicitih rijeci: 2\n" +
                  rule + "Sve bitne rijeci u svim dokumentima:\nbuy: 1\nnet: 2\n" + rule + rule +
                  "Sve kategorije u svim dokumentima:\nacq: 1\nearn: 1\n" + rule + rule +
                  "Sve rijeci u svim dokumentima sa IG:\nbuy: 0.30103\nnet: 0\n" + rule);
}

} // namespace
