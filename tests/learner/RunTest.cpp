// Whole runs through the library: output sequence, windowing, the "<CM>"
// block against the printed matrix, and failures after partial output.
#include "Run.h"
#include "Dataset.h"
#include "FileError.h"
#include "InputError.h"
#include "Schema.h"

#include <gtest/gtest.h>
#include <omp.h>
#include <sys/resource.h>

#include <fstream>
#include <sstream>
#include <utility>
#include <vector>

namespace {

const std::string dataDir = TEST_DATA_DIR;

std::string readFile(const std::string &path) {
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string run(const std::string &stem, Options options = Options()) {
    options.fileStem = dataDir + "/" + stem;
    std::ostringstream out;
    runLearner(options, out);
    return out.str();
}

TEST(Run, ReproducesTheWorkedExample) {
    Options options;
    options.evaluateTest = true;
    std::string expected = readFile(dataDir + "/bla/bla-u.expected");
    // The library prints from the Read line on; the stem carries the folder.
    expected = expected.substr(expected.find("\nRead "));
    const std::string stem = dataDir + "/bla/bla";
    expected.replace(expected.find("from bla.data"), 13, "from " + stem + ".data");
    EXPECT_EQ(expected, run("bla/bla", options));
}

// Rows of the printed matrix and of the "<CM>" block, as "count count ...;".
std::pair<std::string, std::string> matrices(const std::string &output) {
    std::istringstream in(output);
    std::string line, printed, block;
    bool inMatrix = false;
    while (std::getline(in, line)) {
        if (line.find("<-classified as") != std::string::npos) {
            inMatrix = true;
            std::getline(in, line);
            continue;
        }
        if (inMatrix && line.find("): class ") != std::string::npos) {
            const std::string cells = line.substr(1, line.find('\t', 1) - 1);
            for (std::size_t i = 0; i < cells.size(); i += 5) {
                const std::string cell = cells.substr(i, 5);
                printed += (cell.find_first_not_of(' ') == std::string::npos
                                ? "0"
                                : std::to_string(std::stoi(cell))) +
                           " ";
            }
            printed += ";";
            continue;
        }
        if (line == "<CM>") {
            std::getline(in, line);
            const int k = std::stoi(line);
            while (std::getline(in, line) && line == "+") {
                for (int c = 0; c <= k; ++c) {
                    std::getline(in, line);
                    block += line + " ";
                }
                std::getline(in, line);
                block += ";";
            }
            EXPECT_EQ("</CM>", line);
            EXPECT_FALSE(std::getline(in, line)) << "output after </CM>";
        }
    }
    return {printed, block};
}

TEST(Run, ConfusionBlockRepeatsThePrintedMatrixLast) {
    for (const std::string stem : {"bla/bla", "cut/cut", "golf/golf"}) {
        SCOPED_TRACE(stem);
        Options options;
        options.evaluateTest = true;
        const auto m = matrices(run(stem, options));
        EXPECT_FALSE(m.first.empty());
        EXPECT_EQ(m.first, m.second);
    }
}

TEST(Run, WindowingPrintsTrialsAndSavesTheBest) {
    Options options;
    options.trials = 2;
    const std::string output = run("golf/golf", options);
    EXPECT_EQ(output, run("golf/golf", options)) << "runs must repeat";
    const std::string head =
        "\nRead 14 cases (4 attributes) from " + dataDir +
        "/golf/golf.data\n\n--------\nTrial 0\n--------\n\n"
        "Cycle   Tree    -----Cases----    -----------------Errors-----------------\n";
    EXPECT_EQ(head, output.substr(0, head.size()));
    EXPECT_NE(std::string::npos, output.find("\n--------\nTrial 1\n--------\n"));
    const std::string tail = output.substr(output.find("\n--------\n\nBest tree from trial"));
    EXPECT_EQ(0u, tail.find("\n--------\n\nBest tree from trial 0 saved\n\n\nEvaluation on "
                            "training data (14 items):\n\n"
                            "Trial\t Before Pruning"));
}

TEST(Run, RefusesTrainingDataWithoutCases) {
    Options options;
    options.evaluateTest = true;
    options.fileStem = dataDir + "/malformed/nocases";
    std::ostringstream out;
    try {
        runLearner(options, out);
        ADD_FAILURE() << "no error";
    } catch (const InputError &e) {
        EXPECT_EQ(options.fileStem + ".data: no cases", std::string(e.what()));
    }
    EXPECT_EQ("", out.str());
}

// Writes STEM.names, STEM.data.svm and, if there is one, STEM.test.svm
// under to, from the dense file set of from.
void writeSparse(const std::string &from, const std::string &to) {
    std::ofstream(to + ".names") << readFile(from + ".names");
    Schema schema = readNames(from + ".names");
    for (const std::string part : {".data", ".test"}) {
        if (!std::ifstream(from + part))
            continue;
        const Dataset data = readCases(from + part, schema);
        std::ofstream out(to + part + ".svm");
        for (std::size_t i = 0; i < data.size(); ++i) {
            out << data.classOf(i);
            for (const Dataset::Entry *e = data.rowBegin(i); e != data.rowEnd(i); ++e)
                out << ' ' << e->attribute + 1 << ':' << e->value;
            out << '\n';
        }
    }
}

// The sparse file set, read straight into the learner's columns, must grow,
// prune and evaluate exactly as the dense one: batch and windowing, with
// values that are not whole, with attributes no case holds and without any.
TEST(Run, SparseFilesGiveTheDenseOutput) {
    const std::string generated = ::testing::TempDir() + "/generated";
    {
        std::ofstream names(generated + ".names"), data(generated + ".data"),
            test(generated + ".test");
        names << "a, b, c.\n";
        for (int a = 0; a < 300; ++a)
            names << "w" << a << ": continuous.\n";
        unsigned state = 7;
        for (int i = 0; i < 900; ++i) {
            for (std::ofstream *file : {&data, &test}) {
                int sum = 0;
                for (int a = 0; a < 300; ++a) {
                    state = state * 1103515245 + 12345;
                    const int value = (state >> 16) % 9 < 7 ? 0 : (state >> 16) % 4;
                    sum += a % 5 == 0 ? value : 0;
                    *file << (a == 299 ? 0 : value) << (a % 7 == 0 && value ? ".5" : "") << ", ";
                }
                *file << static_cast<char>('a' + sum % 3) << "\n";
            }
        }
    }
    struct Case {
        std::string stem;
        bool test;
        int trials;
    };
    const std::vector<Case> cases = {
        {dataDir + "/bla/bla", true, 0},
        {dataDir + "/bla/bla", true, 2},
        {dataDir + "/cut/cut", true, 0},
        {dataDir + "/zero/zero", false, 0},
        {dataDir + "/noattr/noattr", false, 0},
        {generated, true, 0},
        {generated, false, 3},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.stem + " trials " + std::to_string(c.trials));
        const std::string sparse = ::testing::TempDir() + "/sparse";
        writeSparse(c.stem, sparse);
        Options options;
        options.evaluateTest = c.test;
        options.trials = c.trials;
        options.fileStem = c.stem;
        std::ostringstream dense;
        runLearner(options, dense);
        options.fileStem = sparse;
        options.sparseFiles = true;
        std::ostringstream out;
        runLearner(options, out);
        std::string expected = dense.str();
        const std::string from = "from " + c.stem + ".data\n";
        ASSERT_NE(std::string::npos, expected.find(from));
        expected.replace(expected.find(from), from.size(), "from " + sparse + ".data.svm\n");
        EXPECT_EQ(expected, out.str());
    }
}

// Processor time of this thread and of the whole process, exited threads
// included, in seconds.
std::pair<double, double> processorTime() {
    const auto seconds = [](const rusage &u) {
        return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
               static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
    };
    rusage thread{}, process{};
    getrusage(RUSAGE_THREAD, &thread);
    getrusage(RUSAGE_SELF, &process);
    return {seconds(thread), seconds(process)};
}

// Several runs share the machine, each within OMP_NUM_THREADS: with a budget
// of one thread no other thread may work, however large the node; with two
// the other thread must take part, or the measure below could not tell.
TEST(Run, KeepsWithinTheThreadBudget) {
    const std::string stem = ::testing::TempDir() + "/budget";
    {
        std::ofstream names(stem + ".names"), data(stem + ".data"), test(stem + ".test");
        names << "a, b, c, d.\n";
        for (int a = 0; a < 400; ++a)
            names << "w" << a << ": continuous.\n";
        unsigned state = 1;
        for (int i = 0; i < 6000; ++i) {
            for (std::ofstream *file : {&data, &test}) {
                int sum = 0;
                for (int a = 0; a < 400; ++a) {
                    state = state * 1103515245 + 12345;
                    const int value = (state >> 16) % 7 < 4 ? 0 : (state >> 16) % 5;
                    sum += a % 3 == 0 ? value : 0;
                    *file << value << ", ";
                }
                *file << static_cast<char>('a' + sum % 4) << "\n";
            }
        }
    }
    Options options;
    options.evaluateTest = true;
    options.fileStem = stem;
    const int budget = omp_get_max_threads();
    std::string single;
    for (const int threads : {1, 2}) {
        SCOPED_TRACE(threads);
        omp_set_num_threads(threads);
        const auto before = processorTime();
        std::ostringstream out;
        runLearner(options, out);
        const auto after = processorTime();
        const double own = after.first - before.first;
        const double others = (after.second - before.second) - own;
        if (threads == 1) {
            EXPECT_LT(others, 0.01 + 0.02 * own) << "this thread: " << own << " s";
            single = out.str();
        } else {
            EXPECT_GT(others, 0.0) << "this thread: " << own << " s";
            EXPECT_EQ(single, out.str());
        }
    }
    omp_set_num_threads(budget);
}

TEST(Run, MissingTestFileStopsAfterTheTrainingEvaluation) {
    Options options;
    options.evaluateTest = true;
    options.fileStem = dataDir + "/single/single";
    std::ostringstream out;
    EXPECT_THROW(runLearner(options, out), FileError);
    const std::string text = out.str();
    EXPECT_EQ("(37.0%)   <<\n", text.substr(text.size() - 13));
}

} // namespace
