#include "CorpusText.h"

#include <algorithm>
#include <dirent.h>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string document(const std::string &set, const std::string &topic, const std::string &text) {
    return "<DATA>\n<SET>" + set + "</SET>\n<TOPIC>" + topic + "</TOPIC>\n<TEXT>" + text +
           "</TEXT>\n</DATA>\n";
}

std::string parsed(const std::string &content) {
    std::ostringstream trace;
    TextProcessor engine(trace);
    engine.parseFileText(content);
    EXPECT_EQ(trace.str(), "");
    return describe(engine);
}

// Parsed tables without the (empty) selection line. An unknown set value
// keeps the previous document's set and a file starts as test; a test
// document is kept when its category is trained anywhere in the text; a
// document needs exactly one category. With multiCategory a document keeps
// every distinct category word, a test document keeps its trained categories
// and goes when it has none, and the trace is the one line counting these.
TEST(Parser, ReadsDocuments) {
    const auto d = document;
    const std::string categoryWords = d("TRAIN", "earn acq", "a") + d("TRAIN", "", "b") +
                                      d("TRAIN", "42 !", "c") + d("TRAIN", "Earn EARN", "d") +
                                      d("TRAIN", "acq, acq", "e");
    const struct {
        std::string text;
        bool stemming, multiCategory;
        std::string expected;
        std::string counts = ""; // several categories, dropped documents, dropped categories
    } cases[] = {
        {d("TRAIN", "earn", "Net profit rose.") + d("TEST", "earn", "Profit fell, profit fell."),
         false, false,
         "train earn | net:1 profit:1 rose:1\ntest earn | fell:2 profit:2\n"
         "categories: earn:1\ndf: net:1 profit:1 rose:1\n"},
        {d(" TRAIN", "a", "x") + d("TRAIN", "a", "one") + d("train", "a", "two") +
             d("TEST", "a", "three") + d("", "a", "four"),
         false, false,
         "train a | one:1\ntrain a | two:1\ntest a | x:1\ntest a | three:1\ntest a | four:1\n"
         "categories: a:2\ndf: one:1 two:1\n"},
        {d("TEST", "grain", "early") + d("TRAIN", "grain", "wheat") + d("TEST", "grain", "late") +
             d("TEST", "oil", "crude"),
         false, false,
         "train grain | wheat:1\ntest grain | early:1\ntest grain | late:1\n"
         "categories: grain:1\ndf: wheat:1\n"},
        {categoryWords, false, false,
         "train earn | d:1\ntrain acq | e:1\ncategories: acq:1 earn:1\ndf: d:1 e:1\n"},
        {d("TRAIN", "Ponies", "Caresses ponies s Well-known U.S.") + d("TRAIN", "s", "dropped"),
         true, false,
         "train poni | caress:1 poni:1 u:1 well-known:1\ncategories: poni:1\n"
         "df: caress:1 poni:1 u:1 well-known:1\n"},
        {categoryWords, false, true,
         "train acq earn | a:1\ntrain earn | d:1\ntrain acq | e:1\n"
         "categories: acq:2 earn:2\ndf: a:1 d:1 e:1\n",
         "1, 0, 0"},
        {d("TEST", "grain oil", "early") + d("TRAIN", "grain", "wheat") +
             d("TEST", "oil", "crude") + d("TEST", "corn grain wheat", "mixed") +
             d("TRAIN", "wheat", "flour") + d("TEST", "wheat grain", "bread") +
             d("TEST", "oil corn", "spill"),
         false, true,
         "train grain | wheat:1\ntrain wheat | flour:1\ntest grain | early:1\n"
         "test grain wheat | mixed:1\ntest grain wheat | bread:1\n"
         "categories: grain:1 wheat:1\ndf: flour:1 wheat:1\n",
         "2, 2, 2"},
        {d("TRAIN", "Ponies pony s", "x") + d("TRAIN", "pony", "y"), true, true,
         "train poni | x:1\ntrain poni | y:1\ncategories: poni:2\ndf: x:1 y:1\n", "0, 0, 0"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.expected);
        std::ostringstream trace;
        TextProcessor engine(trace);
        engine.useStemming = c.stemming;
        engine.multiCategory = c.multiCategory;
        engine.parseFileText(c.text);
        EXPECT_EQ(describe(engine), c.expected + "selected: \n");
        const std::string &n = c.counts;
        EXPECT_EQ(trace.str(), n.empty()
                                   ? ""
                                   : "Dokumenata sa vise kategorija: " + n.substr(0, 1) +
                                         ", odbacenih test dokumenata: " + n.substr(3, 1) +
                                         ", odbacenih test kategorija: " + n.substr(6, 1) + "\n");
    }
}

// The documents share one vocabulary in word order: a later text's words
// fall between the earlier ones, and neither category words nor the words of
// dropped test documents enter it.
TEST(Parser, LaterTextsJoinTheVocabularyInWordOrder) {
    std::ostringstream trace;
    TextProcessor engine(trace);
    engine.parseFileText(document("TRAIN", "earn", "net profit net") +
                         document("TEST", "oil", "crude barrel"));
    engine.parseFileText(document("TEST", "earn", "profit margin") +
                         document("TRAIN", "acq", "buy net") + document("TEST", "grain", "wheat"));
    EXPECT_EQ(describe(engine), "train earn | net:2 profit:1\n"
                                "train acq | buy:1 net:1\n"
                                "test earn | margin:1 profit:1\n"
                                "categories: acq:1 earn:1\n"
                                "df: buy:1 net:2 profit:1\n"
                                "selected: \n");
    EXPECT_EQ(engine.vocabulary, (std::vector<std::string>{"buy", "margin", "net", "profit"}));
}

// Runs of more than eight equal bytes as "<N*c>", so that long words compare
// and print briefly.
std::string shortened(const std::string &text) {
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t end = std::min(text.find_first_not_of(text[i], i), text.size());
        if (end - i > 8)
            out += "<" + std::to_string(end - i) + "*" + text[i] + ">";
        else
            out.append(text, i, end - i);
        i = end;
    }
    return out;
}

// Words share 64 KiB blocks; longer ones, exactly as long and one longer,
// followed by more words must neither overrun a block nor be cut.
TEST(Parser, WordsOfAnyLengthAreStoredWhole) {
    const std::string text = "net " + std::string(70000, 'q') + " oil " +
                             std::string(1 << 16, 'z') + " net " + std::string((1 << 16) + 1, 'x') +
                             " " + std::string(65000, 'v') + " zz " + std::string(70000, 'q');
    for (const bool stemming : {false, true}) {
        SCOPED_TRACE(stemming ? "stemming" : "plain");
        std::ostringstream trace;
        TextProcessor engine(trace);
        engine.useStemming = stemming;
        engine.parseFileText(document("TEST", "grain", text + " a" + std::string(70000, 'q')) +
                             document("TRAIN", "grain", text) +
                             document("TRAIN", "grain", "oil " + std::string(65537, 'x')));
        EXPECT_EQ(shortened(describe(engine)),
                  "train grain | net:2 oil:1 <70000*q>:2 <65000*v>:1 <65537*x>:1 zz:1 "
                  "<65536*z>:1\n"
                  "train grain | oil:1 <65537*x>:1\n"
                  "test grain | a<70000*q>:1 net:2 oil:1 <70000*q>:2 <65000*v>:1 <65537*x>:1 "
                  "zz:1 <65536*z>:1\n"
                  "categories: grain:2\n"
                  "df: net:1 oil:2 <70000*q>:1 <65000*v>:1 <65537*x>:2 zz:1 <65536*z>:1\n"
                  "selected: \n");
    }
}

// A malformed document is skipped alone, wherever it stands: it must not
// take the set, category or text of the document after it.
TEST(Parser, MalformedDocumentIsSkippedWithoutTakingTheNext) {
    const std::string good = document("TRAIN", "a", "kept");
    const std::string next = document("TEST", "a", "later");
    const char *malformed[] = {"<DATA><SET>TRAIN",
                               "<DATA><SET>TRAIN</SET><TOPIC>b</TOPIC><TEXT>cut short</DATA>",
                               "<DATA><SET>TRAIN</SET><TOPIC>b",
                               "<DATA><SET>TRAIN</SET><TEXT>no topic</TEXT></DATA>",
                               "<DATA><SET>TRAIN</SET><TOPIC>b</TOPIC></DATA>",
                               "<DATA><TOPIC>b</TOPIC><TEXT>no set</TEXT></DATA>",
                               "<DATA><SET>TRAIN</SET><TOPIC></TOPIC><TEXT>x</TEXT></DATA>",
                               "<DATA>",
                               "</TEXT><TEXT><DATA></SET><SET>"};
    for (const char *bad : malformed) {
        SCOPED_TRACE(bad);
        EXPECT_EQ(parsed(good + bad),
                  "train a | kept:1\ncategories: a:1\ndf: kept:1\nselected: \n");
        EXPECT_EQ(parsed(good + bad + next),
                  "train a | kept:1\ntest a | later:1\ncategories: a:1\ndf: kept:1\nselected: \n");
    }
}

TEST(Tokenizer, NormalisesWords) {
    struct Case {
        const char *text;
        bool stemming;
        const char *expected;
    };
    const Case cases[] = {{"Net-profit, (1987) rose 5%!", false, "net-profit:1 rose:1"},
                          {"--abc-- - -- x-", false, "abc:1 x:1"},
                          {"U.S.", false, "s:1 u:1"},
                          {"U.S.", true, "u:1"},
                          {"don't", false, "don:1 t:1"},
                          {"it's_a\tTAB\vvt", false, "a:1 it:1 s:1 tab:1 vt:1"},
                          {"caf\xc3\xa9 na\xc3\xafve \xff", false, "caf:1 na:1 ve:1"},
                          {"Same same SAME", false, "same:3"},
                          {"internationals internationally international internationally", false,
                           "international:1 internationally:2 internationals:1"}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        TextProcessor engine;
        engine.useStemming = c.stemming;
        TextProcessor::WordCounts counts;
        EXPECT_EQ(describe(engine.tokenize(c.text, counts, false, false)), c.expected);
        EXPECT_TRUE(counts.empty());
    }
}

TEST(Tokenizer, UpdatesCorpusCountsOfTrainingTextsOnly) {
    TextProcessor engine;
    TextProcessor::WordCounts counts{{"net", 4}};
    engine.tokenize("net net net gain", counts, true, false);
    engine.tokenize("net loss", counts, false, false);
    engine.tokenize("acq, acq", counts, true, true);
    engine.tokenize("acq earn", counts, true, true);
    EXPECT_EQ(describe(counts), "acq:1 gain:1 net:5");
}

class ParseDocuments : public testing::Test {
protected:
    std::string folder = makeTempFolder();
    std::ostringstream trace;
};

TEST_F(ParseDocuments, EmptyOrMissingFolderGivesAnEmptyCorpus) {
    TextProcessor engine(folder, "bla", trace);
    EXPECT_TRUE(engine.parseDocuments());
    const std::string rules = "---------------------------------------------------------+\n"
                              "\n----------------------------------------------------------\n";
    EXPECT_EQ(trace.str(), "sadrzaj direktorija je:\n" + rules);

    trace.str("");
    engine.setDirectory(folder + "/missing");
    engine.parseFileText(document("TRAIN", "earn", "old"));
    EXPECT_FALSE(engine.parseDocuments());
    EXPECT_EQ(trace.str(), "Ne mogu otvoriti dir .\n" + rules);
    EXPECT_EQ(describe(engine), "categories: \ndf: \nselected: \n");
}

TEST_F(ParseDocuments, ParseEmptiesTheSelectionAndTheGains) {
    writeFile(folder + "/a.xml",
              document("TRAIN", "earn", "net gain") + document("TRAIN", "acq", "net loss"));
    TextProcessor engine(folder, "bla", trace);
    engine.parseDocuments();
    engine.computeInformationGain();
    engine.selectWords(1, false, "");
    ASSERT_EQ(describe(engine.selectedInformationGain), "gain:0.30103 loss:0.30103 net:0");

    // The next corpus shares "net" only: none of the old gains may stay. A
    // parse that is cancelled changes nothing.
    writeFile(folder + "/a.xml", document("TRAIN", "earn", "net profit"));
    engine.useStemming = true;
    const std::atomic<bool> cancelled{true};
    EXPECT_THROW(engine.parseDocuments(&cancelled), WorkCancelled);
    EXPECT_EQ(describe(engine.selectedInformationGain), "gain:0.30103 loss:0.30103 net:0");
    EXPECT_THROW(engine.computeInformationGain(&cancelled), WorkCancelled);
    engine.parseDocuments();
    EXPECT_EQ(describe(engine), "train earn | net:1 profit:1\n"
                                "categories: earn:1\ndf: net:1 profit:1\nselected: \n");
    EXPECT_TRUE(engine.informationGain.empty() && engine.selectedInformationGain.empty() &&
                engine.categoryPriors.empty() && engine.wordProbabilities.empty() &&
                engine.categoryGivenWord.empty() && engine.categoryGivenNoWord.empty());
    engine.selectWords(1, false, "");
    EXPECT_EQ(describe(engine.selectedInformationGain), "");
    engine.saveTextProcessingState(folder + "/state.tpp");
    const std::string state = readFile(folder + "/state.tpp");
    EXPECT_EQ(state.substr(state.find("sve rijeci")), "sve rijeci\n2\nnig\nnet 1\nprofit 1\n");
}

// Whether a test document's category is known must not depend on the order
// in which the system lists the files: each file is tried in both roles.
TEST_F(ParseDocuments, TestSetDoesNotDependOnTheListingOrder) {
    const std::string tests = document("TEST", "grain", "early") + document("TEST", "oil", "crude");
    const std::string training = document("TRAIN", "grain", "wheat");
    for (const bool testsFirst : {true, false}) {
        SCOPED_TRACE(testsFirst);
        writeFile(folder + "/a.xml", testsFirst ? tests : training);
        writeFile(folder + "/b.xml", testsFirst ? training : tests);
        TextProcessor engine(folder, "bla", trace);
        engine.parseDocuments();
        EXPECT_EQ(describe(engine), "train grain | wheat:1\ntest grain | early:1\n"
                                    "categories: grain:1\ndf: wheat:1\nselected: \n");
    }
}

// The multi-category line follows the parse's closing rule and counts the
// whole folder; training documents in a later file still keep a test
// document's categories.
TEST_F(ParseDocuments, MultiCategoryLineCountsTheFolder) {
    writeFile(folder + "/a.xml", document("TEST", "grain oil", "early") +
                                     document("TEST", "corn", "yellow") +
                                     document("TRAIN", "grain wheat", "bread"));
    TextProcessor engine(folder, "bla", trace);
    engine.multiCategory = true;
    engine.parseDocuments();
    EXPECT_EQ(trace.str(), "sadrzaj direktorija je:\na.xml\n"
                           "---------------------------------------------------------+\n"
                           "Parsiram fajl: a.xml\r"
                           "\n----------------------------------------------------------\n"
                           "Dokumenata sa vise kategorija: 1, odbacenih test dokumenata: 1, "
                           "odbacenih test kategorija: 1\n");
    EXPECT_EQ(describe(engine), "train grain wheat | bread:1\ntest grain | early:1\n"
                                "categories: grain:1 wheat:1\ndf: bread:1\nselected: \n");

    writeFile(folder + "/b.xml", document("TRAIN", "corn oil", "crop"));
    trace.str("");
    engine.parseDocuments();
    EXPECT_EQ(trace.str().substr(trace.str().rfind("Dokumenata")),
              "Dokumenata sa vise kategorija: 3, odbacenih test dokumenata: 0, "
              "odbacenih test kategorija: 0\n");
    // The training documents come in the system's listing order.
    const std::string tables = describe(engine);
    EXPECT_EQ(tables.substr(tables.find("test")), "test grain oil | early:1\ntest corn | yellow:1\n"
                                                  "categories: corn:1 grain:1 oil:1 wheat:1\n"
                                                  "df: bread:1 crop:1\nselected: \n");
}

// Only ".xml" files are read. A named pipe would block the read, a device
// would never end and a folder means nothing; each is left out with a line,
// a link to a file is read.
TEST_F(ParseDocuments, ReadsXmlFilesAndSkipsEntriesThatAreNotRegularFiles) {
    writeFile(folder + "/a.xml", document("TRAIN", "earn", "alpha"));
    writeFile(folder + "/b.txt", document("TRAIN", "earn", "no"));
    writeFile(folder + "/c.XML", document("TRAIN", "earn", "no"));
    writeFile(folder + "/d.e.xml", document("TRAIN", "earn", "delta"));
    const std::string outside = makeTempFolder() + "/linked";
    writeFile(outside, document("TRAIN", "earn", "beta"));
    ASSERT_EQ(symlink(outside.c_str(), (folder + "/link.xml").c_str()), 0);
    ASSERT_EQ(mkfifo((folder + "/pipe.xml").c_str(), 0600), 0);
    ASSERT_EQ(symlink("/dev/zero", (folder + "/zero.xml").c_str()), 0);
    ASSERT_EQ(mkdir((folder + "/folder.xml").c_str(), 0700), 0);
    TextProcessor engine(folder, "bla", trace);
    EXPECT_TRUE(engine.parseDocuments());

    std::string listing;
    std::string progress;
    DIR *dir = opendir(folder.c_str());
    while (const dirent *entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (name == "a.xml" || name == "d.e.xml" || name == "link.xml") {
            listing += name + "\n";
            progress += "Parsiram fajl: " + name + "\r";
        } else if (name == "pipe.xml" || name == "zero.xml" || name == "folder.xml") {
            listing += "Nije obican fajl, preskacem: " + name + "\n";
        }
    }
    closedir(dir);
    EXPECT_EQ(trace.str(), "sadrzaj direktorija je:\n" + listing +
                               "---------------------------------------------------------+\n" +
                               progress +
                               "\n----------------------------------------------------------\n");
    EXPECT_EQ(describe(engine.documentFrequency), "alpha:1 beta:1 delta:1");
    EXPECT_EQ(engine.fileCount, 3);
    EXPECT_EQ(engine.currentFileIndex, 2);
}

// Every reader of a named file turns a folder, a broken link, a failing read
// and a file larger than memory into its FileError, and keeps the engine as
// it was.
TEST_F(ParseDocuments, UnreadableInputsAreReportedByEveryReader) {
    ASSERT_EQ(mkdir((folder + "/docs").c_str(), 0700), 0);
    const std::string big = folder + "/big";
    const std::string failing = "/proc/self/mem"; // reading from offset 0 fails with EIO
    ASSERT_EQ(mkdir(big.c_str(), 0700), 0);
    const std::string huge = big + "/huge.xml";
    writeFile(huge, "");
    ASSERT_EQ(truncate(huge.c_str(), off_t(1) << 42), 0); // sparse: takes no disk space

    TextProcessor engine(folder + "/docs", "bla", trace);
    writeFile(folder + "/docs/a.xml", document("TRAIN", "earn", "kept"));
    engine.parseDocuments();
    engine.selectWords(1, false, "");
    const std::string before = describe(engine);
    const auto error = errorOf;
    writeFile(folder + "/docs/a.xml", document("TRAIN", "earn", "second"));
    ASSERT_EQ(symlink("nowhere", (folder + "/docs/broken.xml").c_str()), 0);
    EXPECT_EQ(error([&] { engine.parseDocuments(); }),
              "Could not open file " + folder + "/docs/broken.xml");
    ASSERT_EQ(remove((folder + "/docs/broken.xml").c_str()), 0);
    for (const auto &[path, message] : {std::pair{folder + "/docs", "Could not open file "},
                                        std::pair{folder + "/none", "Could not open file "},
                                        std::pair{failing, "Could not read file "},
                                        std::pair{huge, "out of memory while reading "}}) {
        SCOPED_TRACE(path);
        EXPECT_EQ(error([&] { engine.loadTextProcessingState(path); }), message + path);
        EXPECT_EQ(error([&] { engine.selectWords(1, true, path); }), message + path);
    }

    ASSERT_EQ(symlink(failing.c_str(), (folder + "/docs/mem.xml").c_str()), 0);
    EXPECT_EQ(error([&] { engine.parseDocuments(); }),
              "Could not read file " + folder + "/docs/mem.xml");
    engine.setDirectory(big);
    EXPECT_EQ(error([&] { engine.parseDocuments(); }), "out of memory while reading " + huge);
    EXPECT_EQ(describe(engine), before);
    EXPECT_EQ(engine.fileNames, std::vector<std::string>{"a.xml"});
}

} // namespace
