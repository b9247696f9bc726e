// The tree read back from the learner's printed output, applied to the
// texts of a corpus' test documents, must give the learner's own confusion
// matrix: any step lost in reading the print, a threshold read differently
// or a word counted otherwise than in the file set shows here.
#include "classify/Classifier.h"

#include "c45/C45Runner.h"
#include "corpus/ReadFile.h"
#include "corpus/TextProcessor.h"

#include "c45/CategoryReport.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

namespace fs = std::filesystem;

struct Corpus {
    std::string folder;
    bool stemming;
    int minDf;
    std::string options;
};

struct Outcome {
    ConfusionMatrix learner;
    ConfusionMatrix applied;
    int learnerErrorsBeforePruning = -1;
    int appliedErrorsBeforePruning = 0;
    bool deferredSections = false;
    bool unnumberedSections = false; // "[S??]", after the 99th
};

Outcome applyToTestDocuments(const Corpus &corpus, const std::string &stem) {
    std::ostringstream trace;
    TextProcessor engine(corpus.folder, stem, trace);
    engine.useStemming = corpus.stemming;
    engine.parseDocuments();
    engine.selectWords(corpus.minDf, false, "");
    engine.writeC45Files();
    const C45Process::Outcome run = runC45({stem + ".names", corpus.options, C45_PROGRAM}, trace);
    Outcome outcome;
    outcome.learner = run.result.confusionMatrix;
    outcome.learnerErrorsBeforePruning = run.summary.test.errorsBeforePruning.value_or(-1);
    for (const std::string &line : run.result.outputLines) {
        outcome.deferredSections |= line.rfind("Subtree [S", 0) == 0;
        outcome.unnumberedSections |= line == "Subtree [S??]";
    }

    const RunClassifier pruned = loadRunClassifier(run.result.outputLines, true, stem);
    const RunClassifier unpruned = loadRunClassifier(run.result.outputLines, false, stem);
    const std::size_t n = pruned.categories.size();
    outcome.applied.categoryNames = pruned.categories;
    outcome.applied.counts.assign(n * n, 0);
    const auto position = [&pruned](const std::string &category) {
        return static_cast<std::size_t>(
            std::find(pruned.categories.begin(), pruned.categories.end(), category) -
            pruned.categories.begin());
    };
    for (const std::string &name : engine.fileNames) {
        std::string text;
        readWholeFile(corpus.folder + "/" + name, text);
        std::size_t skipped = 0;
        for (const TextDocument &document : readTextDocuments(text, corpus.stemming, skipped)) {
            const std::size_t actual = position(document.category);
            if (!document.test || !document.hasSet || actual == n)
                continue;
            const TreePath path = classifyCounts(pruned.tree, document.counts);
            ++outcome.applied.counts[actual * n + position(pruned.tree.nodes[path.leaf].category)];
            const TreePath before = classifyCounts(unpruned.tree, document.counts);
            outcome.appliedErrorsBeforePruning +=
                unpruned.tree.nodes[before.leaf].category != document.category;
        }
    }
    return outcome;
}

// Counts of a few long words, their forms stemmed alike, and a category that
// depends on them through several levels with one document in wrongOneIn put
// in a wrong category: deep trees whose leaves hold mixed cases. Every
// fourth text is written twice in different categories, so that leaves tie,
// or with multiCategory once with both.
struct CorpusShape {
    int documents = 600; // a file, the last quarter for testing
    unsigned countsBelow = 9;
    unsigned wrongOneIn = 5;
    bool multiCategory = false;
};

void writeTiedCorpus(const std::string &folder, const CorpusShape &shape) {
    fs::create_directories(folder);
    const char *const forms[][3] = {{"transportation", "transported", "transporting"},
                                    {"administration", "administrations", "administration"},
                                    {"internationally", "international", "internationally"},
                                    {"characteristic", "characteristics", "characteristic"},
                                    {"responsibility", "responsibilities", "responsibility"},
                                    {"manufacturing", "manufactured", "manufacture"}};
    const char *const categories[] = {"alpha", "beta", "gamma", "delta"};
    unsigned state = 12345;
    const auto next = [&state](unsigned range) {
        state = state * 1103515245u + 12345u;
        return (state >> 16) % range;
    };
    for (int file = 0; file < 2; ++file) {
        std::ofstream out(folder + "/part-" + std::to_string(file) + ".xml");
        for (int d = 0; d < shape.documents; ++d) {
            unsigned counts[6];
            std::string text;
            for (std::size_t w = 0; w < 6; ++w) {
                counts[w] = next(shape.countsBelow);
                for (unsigned k = 0; k < counts[w]; ++k)
                    text += std::string(forms[w][next(3)]) + " ";
            }
            int category = (counts[0] > counts[1]) +
                           (counts[2] + counts[3] + 1 > shape.countsBelow ? 2 : 0) +
                           (counts[4] % 3 == counts[5] % 3);
            category = next(shape.wrongOneIn) == 0 ? static_cast<int>(next(4)) : category % 4;
            const char *set = d < shape.documents * 3 / 4 ? "TRAIN" : "TEST";
            const bool twice = d % 4 == 0;
            std::string topics[2] = {categories[category], categories[(category + 1) % 4]};
            if (twice && shape.multiCategory)
                topics[0] += std::string(" ") + topics[1];
            for (int copy = 0; copy < (twice && !shape.multiCategory ? 2 : 1); ++copy)
                out << "<DATA><SET>" << set << "</SET><TOPIC>" << topics[copy] << "</TOPIC><TEXT>"
                    << text << "</TEXT></DATA>\n";
        }
    }
}

class Exactness : public ::testing::Test {
protected:
    const TempFolder temp;
    const std::string folder = temp.path.string();
};

} // namespace

// A shape whose pruned tree has leaves where tied classes meet, and the
// default corpus, whose tree prints more than 99 sections.
TEST_F(Exactness, TestDocumentsGiveTheLearnersConfusionMatrix) {
    CorpusShape shape;
    shape.documents = 300;
    shape.countsBelow = 5;
    writeTiedCorpus(folder + "/tied", shape);
    ASSERT_EQ(0, std::system(("'" DEFAULT_CORPUS_SCRIPT "' '" + folder + "/wordnet'").c_str()));
    for (const auto &[corpus, sectionsUnnumbered] :
         {std::pair{Corpus{folder + "/tied", true, 1, " -m 1"}, false},
          std::pair{Corpus{folder + "/wordnet", false, 30, ""}, true}}) {
        SCOPED_TRACE(corpus.folder);
        const Outcome outcome = applyToTestDocuments(corpus, corpus.folder + "-set");
        EXPECT_TRUE(outcome.deferredSections);
        EXPECT_EQ(outcome.unnumberedSections, sectionsUnnumbered);
        EXPECT_EQ(outcome.applied, outcome.learner);
        EXPECT_EQ(outcome.appliedErrorsBeforePruning, outcome.learnerErrorsBeforePruning);
    }
}

// Each category's tree of a per-category run, applied to the test texts,
// gives that category's test table as the learner printed it.
TEST_F(Exactness, TestDocumentsGiveEachCategoryTreesTestTable) {
    CorpusShape shape;
    shape.multiCategory = true;
    writeTiedCorpus(folder + "/multi", shape);
    const std::string stem = folder + "/multi-set";
    std::ostringstream trace;
    TextProcessor engine(folder + "/multi", stem, trace);
    engine.useStemming = true;
    engine.multiCategory = true;
    engine.parseDocuments();
    engine.selectWords(1, false, "");
    engine.writeSparseFiles();
    C45RunRequest request{stem + ".names", " -Y -v 1 -m 1", C45_PROGRAM};
    request.sparse = true;
    const C45Process::Outcome run = runC45(request, trace);
    const auto tableText = [](const std::string &name, const BinaryTable &table) {
        return name + ":" + std::to_string(table.tp) + "," + std::to_string(table.fp) + "," +
               std::to_string(table.fn) + "," + std::to_string(table.tn) + " ";
    };
    std::istringstream in(joinLines(run.result.outputLines));
    std::string learner;
    for (const CategorySection &section : parseCategoryReport(in).report.categories)
        learner += tableText(section.name, section.table);

    const RunClassifier classifier = loadRunClassifier(run.result.outputLines, true, stem);
    ASSERT_EQ(classifier.categoryTrees.size(), 4u);
    std::vector<BinaryTable> tables(classifier.categoryTrees.size());
    for (const std::string &name : engine.fileNames) {
        std::string text;
        readWholeFile(folder + "/multi/" + name, text);
        std::size_t skipped = 0;
        for (const TextDocument &document : readTextDocuments(text, true, skipped)) {
            if (!document.test || !document.hasSet)
                continue;
            const std::string marked = " " + document.category + " ";
            const CategoryPaths paths =
                classifyByCategory(classifier.categoryTrees, document.counts);
            for (std::size_t c = 0; c < tables.size(); ++c) {
                const std::string &category = classifier.categoryTrees[c].category;
                const bool actual = marked.find(" " + category + " ") != std::string::npos;
                const bool predicted = std::find(paths.assigned.begin(), paths.assigned.end(),
                                                 category) != paths.assigned.end();
                BinaryTable &table = tables[c];
                ++(actual ? (predicted ? table.tp : table.fn) : (predicted ? table.fp : table.tn));
            }
        }
    }
    std::string applied;
    for (std::size_t c = 0; c < tables.size(); ++c)
        applied += tableText(classifier.categoryTrees[c].category, tables[c]);
    EXPECT_EQ(applied, learner);
}
