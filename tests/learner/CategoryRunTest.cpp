// Per-category runs: each category's tree and figures are those of a normal
// run on that category's binary file set.
#include "CategoryRun.h"
#include "Run.h"
#include "Schema.h"

#include "c45/C45Output.h"

#include "TestFiles.h"

#include <gtest/gtest.h>
#include <omp.h>

#include <fstream>
#include <sstream>

namespace {

const std::string dataDir = TEST_DATA_DIR;

// Writes a multi-label sparse set of random counts: a case is in category c
// when attribute c is above 2, and in category 0 when in no other, so that
// categories overlap and trees have something to find.
void writeMultiLabel(const std::string &stem, int attributes, int training, int test,
                     int categories) {
    std::ofstream names(stem + ".names");
    for (int c = 0; c < categories; ++c)
        names << (c ? ", " : "") << "cat" << static_cast<char>('a' + c);
    names << ".\n\n";
    for (int a = 0; a < attributes; ++a)
        names << "w" << a << ": continuous.\n";
    unsigned state = 12345;
    const auto next = [&state] {
        state = state * 1103515245u + 12345u;
        return (state >> 16) & 0x7fff;
    };
    for (const auto &[part, cases] :
         {std::pair{".data.svm", training}, std::pair{".test.svm", test}}) {
        std::ofstream out(stem + part);
        for (int i = 0; i < cases; ++i) {
            std::vector<int> values(attributes);
            for (int &v : values)
                v = next() % 3 == 0 ? static_cast<int>(next() % 5) : 0;
            std::string labels;
            for (int c = 1; c < categories; ++c)
                if (values[c] > 2 && next() % 8 != 0)
                    labels += (labels.empty() ? "" : ",") + std::to_string(c);
            out << (labels.empty() ? "0" : labels);
            for (int a = 0; a < attributes; ++a)
                if (values[a])
                    out << ' ' << a + 1 << ':' << values[a];
            out << '\n';
        }
    }
}

// Writes the binary file set of category c of the multi-label set at from:
// the classes are the category and "not-" + the category, and each label
// list becomes 0 if it holds c, else 1.
void writeBinarySet(const std::string &from, int c, const std::string &to) {
    const Schema schema = readNames(from + ".names");
    std::ofstream names(to + ".names");
    names << schema.classes[c] << ", not-" << schema.classes[c] << ".\n\n";
    for (const Attribute &a : schema.attributes)
        names << a.name << ": continuous.\n";
    for (const std::string part : {".data.svm", ".test.svm"}) {
        std::ifstream in(from + part);
        std::ofstream out(to + part);
        for (std::string line; std::getline(in, line);) {
            const std::size_t blank = line.find(' ');
            std::istringstream labels(line.substr(0, blank));
            bool in = false;
            for (std::string label; std::getline(labels, label, ',');)
                in = in || std::stoi(label) == c;
            out << (in ? '0' : '1') << (blank == std::string::npos ? "" : line.substr(blank))
                << '\n';
        }
    }
}

// The section a normal run on a binary file set amounts to.
CategorySection normalRun(Options options, const std::string &stem, const std::string &name) {
    options.fileStem = stem;
    std::ostringstream out;
    runLearner(options, out);
    const std::string text = out.str();
    C45RunResult result;
    result.outputLines = splitLines(text);
    const C45Summary summary = parseC45Output(result, true);
    CategorySection section;
    section.name = name;
    section.unprunedSize = summary.training.sizeBeforePruning.value_or(-1);
    section.prunedSize = summary.training.sizeAfterPruning.value_or(-1);
    section.trainingErrorsBefore = summary.training.errorsBeforePruning.value_or(-1);
    section.trainingErrorsAfter = summary.training.errorsAfterPruning.value_or(-1);
    section.testErrorsBefore = summary.test.errorsBeforePruning.value_or(-1);
    section.testErrorsAfter = summary.test.errorsAfterPruning.value_or(-1);
    const ConfusionMatrix &m = result.confusionMatrix;
    if (m.size() == 2) {
        section.table = {m.count(0, 0), m.count(1, 0), m.count(0, 1), m.count(1, 1)};
        section.testCases = m.count(0, 0) + m.count(0, 1);
    }
    std::ifstream data(stem + ".data.svm");
    for (std::string line; std::getline(data, line);)
        section.trainingCases += line.compare(0, 2, "0 ") == 0 || line == "0";
    // The trees run from the first heading to "Tree saved".
    const std::size_t heading = text.find("Decision Tree:\n");
    const std::size_t end = text.find("\nTree saved\n", heading);
    if (heading != std::string::npos && end != std::string::npos)
        section.tree = text.substr(heading, end - heading);
    return section;
}

Options withOptions(int minObjs, float confidence, bool gain) {
    Options options;
    options.sparseFiles = true;
    options.evaluateTest = true;
    options.minObjs = minObjs;
    options.confidence = confidence;
    options.gainCriterion = gain;
    options.verbosity = 1;
    return options;
}

TEST(CategoryRun, EachTreeIsTheTreeOfItsBinaryFileSet) {
    const std::string generated = ::testing::TempDir() + "/multilabel";
    writeMultiLabel(generated, 40, 600, 200, 6);
    const std::string binary = ::testing::TempDir() + "/categorybinary";
    const std::vector<std::pair<std::string, Options>> cases = {
        {dataDir + "/multi/multi", withOptions(2, 0.25f, false)},
        {dataDir + "/multi/multi", withOptions(1, 0.6f, false)},
        {generated, withOptions(2, 0.25f, false)},
        {generated, withOptions(5, 0.1f, true)}};
    for (auto [stem, options] : cases) {
        SCOPED_TRACE(stem + " -m " + std::to_string(options.minObjs));
        const Schema schema = readNames(stem + ".names");
        options.fileStem = stem;
        options.perCategory = true;
        const CategoryReport report = learnCategories(options);
        ASSERT_EQ(schema.classes.size(), report.categories.size());
        options.perCategory = false;
        for (std::size_t c = 0; c < schema.classes.size(); ++c) {
            SCOPED_TRACE(schema.classes[c]);
            writeBinarySet(stem, static_cast<int>(c), binary);
            EXPECT_EQ(normalRun(options, binary, schema.classes[c]), report.categories[c]);
        }
    }
}

// Whatever the thread budget, the same report: a category's tree does not
// depend on which thread grew it or on what the other thread grows.
TEST(CategoryRun, ReportsDoNotDependOnTheThreadBudget) {
    const std::string generated = ::testing::TempDir() + "/categorybudget";
    writeMultiLabel(generated, 30, 400, 100, 5);
    Options options = withOptions(2, 0.25f, false);
    options.fileStem = generated;
    options.perCategory = true;
    const int budget = omp_get_max_threads();
    omp_set_num_threads(1);
    const CategoryReport alone = learnCategories(options);
    omp_set_num_threads(2);
    const CategoryReport shared = learnCategories(options);
    omp_set_num_threads(budget);
    EXPECT_EQ(alone.categories, shared.categories);
}

} // namespace
