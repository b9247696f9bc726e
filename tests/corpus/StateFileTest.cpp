#include "CorpusText.h"

#include <gtest/gtest.h>
#include <sstream>

namespace {

class StateFile : public testing::Test {
protected:
    StateFile() : folder(makeTempFolder()), path(folder + "/state.tpp"), engine(trace) {}

    std::string folder;
    std::string path;
    std::ostringstream trace;
    TextProcessor engine;
};

TEST_F(StateFile, WritesAndReadsTheDocumentedLayout) {
    const std::string example = TEST_DATA_DIR "/one-document.tpp";
    engine.parseFileText("<DATA><SET>TRAIN</SET><TOPIC>x</TOPIC><TEXT>ab cd ab</TEXT>");
    engine.saveTextProcessingState(path);
    EXPECT_EQ(readFile(path), readFile(example));

    TextProcessor loaded(trace);
    loaded.loadTextProcessingState(example);
    EXPECT_EQ(describe(loaded), describe(engine));

    // Words may come in any order; a word listed twice counts as first
    // listed. The tables come out as a parse of the same text makes them.
    writeFile(path, "rijeci iz train dokumenata\n1\n3\ncd 1\nab 2\ncd 7\n"
                    "rijeci iz test dokumenata\n1\n1\nzz 3\n"
                    "kategorije sa brojem dokumenata\n1\nx 1\n"
                    "train dokumenti kategorije\n1\n1\nx\ntest dokumenti kategorije\n1\n1\nx\n"
                    "sve rijeci\n2\nnig\nab 1\ncd 1\n");
    loaded.loadTextProcessingState(path);
    EXPECT_EQ(describe(loaded), "train x | ab:2 cd:1\ntest x | zz:3\n"
                                "categories: x:1\ndf: ab:1 cd:1\nselected: \n");
    EXPECT_EQ(loaded.vocabulary, (std::vector<std::string>{"ab", "cd", "zz"}));
    EXPECT_EQ(loaded.trainDocuments, engine.trainDocuments);

    engine.computeInformationGain();
    engine.saveTextProcessingState(path);
    const std::string withGains = readFile(path);
    EXPECT_EQ(withGains.substr(withGains.find("sve rijeci")),
              "sve rijeci\n2\nig\nab 1 0\ncd 1 0\n");
}

TEST_F(StateFile, RoundTripRestoresTheCorpusAndPrintsItsLines) {
    engine.parseFileText("<DATA><SET>TRAIN</SET><TOPIC>earn</TOPIC><TEXT>net net profit</TEXT>"
                         "<DATA><SET>TRAIN</SET><TOPIC>acq</TOPIC><TEXT>buy net</TEXT>"
                         "<DATA><SET>TEST</SET><TOPIC>acq</TOPIC><TEXT>sell sell</TEXT>");
    engine.computeInformationGain();
    engine.selectWords(1, false, "");
    engine.saveTextProcessingState(path);
    engine.setFileStem(folder + "/set");
    engine.writeC45Files();
    const std::string tables = describe(engine);

    TextProcessor loaded(trace);
    loaded.selectedWords = {{"stale", 1}};
    loaded.fileNames = {"stale.xml"};
    loaded.informationGain = {{"net", 0.5f}};
    loaded.selectedInformationGain = {{"net", 0.5f}};
    trace.str("");
    loaded.loadTextProcessingState(path);
    EXPECT_EQ(trace.str(), "broj je 2\n"
                           "linija je kategorije sa brojem dokumenata\n"
                           "broj je 2\n"
                           "-train dok kat linija je train dokumenti kategorije\n"
                           "broj je 2\n"
                           "-test dok kat linija je test dokumenti kategorije\n"
                           "broj je 1\n");
    EXPECT_EQ(loaded.vocabulary, engine.vocabulary);
    EXPECT_EQ(describe(loaded), "train earn | net:2 profit:1\ntrain acq | buy:1 net:1\n"
                                "test acq | sell:2\ncategories: acq:1 earn:1\n"
                                "df: buy:1 net:2 profit:1\nselected: \n");
    EXPECT_TRUE(loaded.fileNames.empty());
    // Gains belong to the corpus they were computed from.
    EXPECT_TRUE(loaded.informationGain.empty() && loaded.selectedInformationGain.empty());
    EXPECT_EQ(describe(engine), tables);
}

// A multi-category file is the single-category layout after one marker
// line; loading takes the mode from the file, either way.
TEST_F(StateFile, MultiCategoryRoundTripCarriesTheMode) {
    engine.multiCategory = true;
    engine.parseFileText("<DATA><SET>TRAIN</SET><TOPIC>x y</TOPIC><TEXT>ab cd ab</TEXT>"
                         "<DATA><SET>TRAIN</SET><TOPIC>y</TOPIC><TEXT>cd</TEXT>"
                         "<DATA><SET>TEST</SET><TOPIC>y x z</TOPIC><TEXT>ab</TEXT>");
    engine.saveTextProcessingState(path);
    EXPECT_EQ(readFile(path), "vise kategorija po dokumentu\n"
                              "rijeci iz train dokumenata\n2\n2\nab 2\ncd 1\n1\ncd 1\n"
                              "rijeci iz test dokumenata\n1\n1\nab 1\n"
                              "kategorije sa brojem dokumenata\n2\nx 1\ny 2\n"
                              "train dokumenti kategorije\n2\n2\nx\ny\n1\ny\n"
                              "test dokumenti kategorije\n1\n2\nx\ny\n"
                              "sve rijeci\n2\nnig\nab 1\ncd 2\n");

    TextProcessor loaded(trace);
    loaded.loadTextProcessingState(path);
    EXPECT_TRUE(loaded.multiCategory);
    EXPECT_EQ(describe(loaded), describe(engine));
    EXPECT_EQ(describe(loaded), "train x y | ab:2 cd:1\ntrain y | cd:1\ntest x y | ab:1\n"
                                "categories: x:1 y:2\ndf: ab:1 cd:2\nselected: \n");
    loaded.saveTextProcessingState(folder + "/again.tpp");
    EXPECT_EQ(readFile(folder + "/again.tpp"), readFile(path));

    loaded.loadTextProcessingState(TEST_DATA_DIR "/one-document.tpp");
    EXPECT_FALSE(loaded.multiCategory);
    EXPECT_EQ(errorOf([&] { loaded.saveTextProcessingState(folder + "/no/such.tpp"); }),
              "Could not open file " + folder + "/no/such.tpp");
}

TEST_F(StateFile, MalformedFilesAreRejectedAndTheEngineKept) {
    const std::string head =
        "rijeci iz train dokumenata\n1\n1\nab 2\nrijeci iz test dokumenata\n0\n"
        "kategorije sa brojem dokumenata\n1\nx 1\n";
    const std::string topics =
        "train dokumenti kategorije\n1\n1\nx\ntest dokumenti kategorije\n0\n";
    const std::string words = "sve rijeci\n1\nnig\nab 1\n";
    const std::string train = "rijeci iz train dokumenata\n";
    const std::string one = train + "1\n1\n"; // one training document, one word
    const std::string count = "expected a non-negative whole number in the number of documents";
    const std::string notAWord = "expected a word of lower-case letters and inner hyphens";
    const std::string missing = "a category missing from the category section";
    const std::string tooFrequent = "a document frequency above the number of training documents";
    std::vector<std::pair<std::string, std::string>> cases = {
        {"", "line 1: unexpected end of file, expected rijeci iz train dokumenata"},
        {head + topics + "sve rijeci\n1\nnig\n",
         "line 19: unexpected end of file, expected a word and its document frequency"},
        {head + topics + "sve rijeci\n1\n",
         "line 18: unexpected end of file, expected \"ig\" or \"nig\""},
        {train + "1\n2\nab 2\n", "line 5: unexpected end of file, expected a word and its count"},
        {train + "1 2\n", "line 2: expected the number of documents"},
        {one + "ab 2x\n", "line 4: expected a non-negative whole number in a word and its count"},
        {one + "ab\n", "line 4: expected a word and its count"},
        {one + "ab 2 0.5\n", "line 4: expected a word and its count"},
        {"rijeci iz test dokumenata\n", "line 1: expected \"rijeci iz train dokumenata\""},
        {"vise kategorija po dokumentu\n",
         "line 2: unexpected end of file, expected rijeci iz train dokumenata"},
        {"vise kategorija po dokumentu\nvise kategorija po dokumentu\n" + head,
         "line 2: expected \"rijeci iz train dokumenata\""},
        {"vise kategorija po dokumentu \n" + head,
         "line 1: expected \"rijeci iz train dokumenata\""},
        {"vise kategorija po dokumentu\n" + head + "train dokumenti kategorije\n1\n2\nx\ny\n",
         "line 15: " + missing},
        {head + "train dokumenti kategorije\n2\n",
         "line 11: the number of documents differs from that of the word section"},
        {head + "train dokumenti kategorije\n1\n0\n", "line 12: a document without a category"},
        {head + "train dokumenti kategorije\n1\n1\nx y\n", "line 13: expected a category name"},
        {head + topics + "sve rijeci\n1\nmaybe\nab 1\n", "line 18: expected \"ig\" or \"nig\""},
        {head + topics + words + "extra\n", "line 20: unexpected text after the last section"},
        // What the tokenizer never makes would break the C4.5 files.
        {train + "0\nrijeci iz test dokumenata\n1\n1\n? 2\n", "line 6: " + notAWord},
        {head.substr(0, head.size() - 4) + "x|y 1\n", "line 9: " + notAWord},
        {head + "train dokumenti kategorije\n1\n1\nx.y\n", "line 13: " + notAWord},
        {head + topics + "sve rijeci\n1\nnig\na.b 1\n", "line 19: " + notAWord},
        {head + "train dokumenti kategorije\n1\n1\ny\n", "line 13: " + missing},
        {one +
             "ab 2\nrijeci iz test dokumenata\n1\n1\ncd 1\nkategorije sa brojem dokumenata\n1\n"
             "x 1\n" +
             topics.substr(0, topics.size() - 2) + "1\n1\nz\n",
         "line 19: " + missing},
        // No gain can be computed for such a word.
        {head + topics + "sve rijeci\n1\nnig\nab 2\n", "line 19: " + tooFrequent},
        {train + "0\nrijeci iz test dokumenata\n0\nkategorije sa brojem dokumenata\n0\n"
                 "train dokumenti kategorije\n0\ntest dokumenti kategorije\n0\nsve rijeci\n1\n"
                 "nig\nab 1\n",
         "line 14: " + tooFrequent}};
    for (const char *number : {"x", "-1", "99999999999"})
        cases.emplace_back(train + number + "\n", "line 2: " + count);
    for (const char *word : {"a,b", "ab:", "Ab", "-ab", "ab-", "d\xc3\xa9j\xc3\xa0"})
        cases.emplace_back(one + word + " 2\n", "line 4: " + notAWord);
    engine.parseFileText("<DATA><SET>TRAIN</SET><TOPIC>keep</TOPIC><TEXT>me</TEXT>");
    engine.selectWords(1, false, "");
    const std::string before = describe(engine);
    for (const auto &[content, problem] : cases) {
        SCOPED_TRACE(content);
        writeFile(path, content);
        EXPECT_EQ(errorOf([&] { engine.loadTextProcessingState(path); }),
                  "Malformed file " + path + ": " + problem);
        EXPECT_EQ(describe(engine), before);
    }

    writeFile(path, head + topics + words + "\n\n");
    engine.loadTextProcessingState(path);
    EXPECT_EQ(describe(engine), "train x | ab:2\ncategories: x:1\ndf: ab:1\nselected: \n");
}

TEST_F(StateFile, LongTokensReadWhole) {
    const std::string word(70000, 'w');
    engine.parseFileText("<DATA><SET>TRAIN</SET><TOPIC>" + word + "</TOPIC><TEXT>" + word + " ab " +
                         std::string(65537, 'v') + " cd</TEXT>");
    engine.saveTextProcessingState(path);
    TextProcessor loaded(trace);
    loaded.loadTextProcessingState(path);
    EXPECT_EQ(loaded.documentFrequency.size(), 4u);
    EXPECT_EQ(describe(loaded), describe(engine));
}

} // namespace
