// Whole runs through the library: windowing, sparse files, the thread
// budget and failures after partial output. The committed file sets' whole
// outputs are checked by the smoke tests.
#include "Run.h"
#include "Classify.h"
#include "Dataset.h"
#include "FileError.h"
#include "Grow.h"
#include "Prune.h"
#include "Schema.h"

#include <gtest/gtest.h>
#include <omp.h>
#include <sys/resource.h>

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <new>
#include <sstream>
#include <utility>
#include <vector>

// GCC cannot see that the operator delete below pairs with the operator new.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

// While set, every allocation made inside an active OpenMP parallel region
// fails, as when memory runs out on a worker thread.
std::atomic<bool> failInParallelRegions{false};

// The deletes pair with the two news, so that a sanitizer sees malloc freed
// by free.
void *operator new(std::size_t size) {
    if (failInParallelRegions && omp_in_parallel())
        throw std::bad_alloc();
    if (void *memory = std::malloc(size ? size : 1))
        return memory;
    throw std::bad_alloc();
}

void *operator new(std::size_t size, const std::nothrow_t &) noexcept {
    if (failInParallelRegions && omp_in_parallel())
        return nullptr;
    return std::malloc(size ? size : 1);
}

void operator delete(void *memory) noexcept {
    std::free(memory);
}

void operator delete(void *memory, const std::nothrow_t &) noexcept {
    std::free(memory);
}

void operator delete(void *memory, std::size_t) noexcept {
    std::free(memory);
}

namespace {

const std::string dataDir = TEST_DATA_DIR;

std::string run(Options options, const std::string &stem) {
    options.fileStem = stem;
    std::ostringstream out;
    runLearner(options, out);
    return out.str();
}

Options withTest(bool test = true, int trials = 0) {
    Options options;
    options.evaluateTest = test;
    options.trials = trials;
    return options;
}

TEST(Run, WindowingPrintsTrialsAndSavesTheBest) {
    const std::string output = run(withTest(false, 2), dataDir + "/golf/golf");
    EXPECT_EQ(output, run(withTest(false, 2), dataDir + "/golf/golf")) << "runs must repeat";
    const std::string head =
        "\nRead 14 cases (4 attributes) from " + dataDir +
        "/golf/golf.data\n\n--------\nTrial 0\n--------\n\n"
        "Cycle   Tree    -----Cases----    -----------------Errors-----------------\n";
    EXPECT_EQ(head, output.substr(0, head.size()));
    EXPECT_NE(std::string::npos, output.find("\n--------\nTrial 1\n--------\n"));
    EXPECT_NE(std::string::npos,
              output.find("\n--------\n\nBest tree from trial 0 saved\n\n\nEvaluation on "
                          "training data (14 items):\n\nTrial\t Before Pruning"));
}

// A missing test file stops after the training evaluation.
TEST(Run, FailuresKeepOnlyTheOutputBeforeThem) {
    std::ostringstream out;
    Options options = withTest();
    options.fileStem = dataDir + "/single/single";
    EXPECT_THROW(runLearner(options, out), FileError);
    const std::string text = out.str();
    EXPECT_EQ("(37.0%)   <<\n", text.substr(text.size() - 13));
}

// Writes STEM.names, STEM.data and STEM.test of random counts whose class
// follows every third attribute; values on every seventh attribute are not
// whole, and the last attribute is always zero.
void writeCounts(const std::string &stem, int attributes, int cases, int classes) {
    std::ofstream names(stem + ".names"), data(stem + ".data"), test(stem + ".test");
    for (int c = 0; c < classes; ++c)
        names << (c ? ", " : "") << static_cast<char>('a' + c);
    names << ".\n";
    for (int a = 0; a < attributes; ++a)
        names << "w" << a << ": continuous.\n";
    unsigned state = 7;
    for (int i = 0; i < cases; ++i) {
        for (std::ofstream *file : {&data, &test}) {
            int sum = 0;
            for (int a = 0; a < attributes; ++a) {
                state = state * 1103515245 + 12345;
                const int value =
                    (state >> 16) % 9 < 6 || a == attributes - 1 ? 0 : (state >> 16) % 4;
                sum += a % 3 == 0 ? value : 0;
                *file << value << (a % 7 == 0 && value ? ".5" : "") << ", ";
            }
            *file << static_cast<char>('a' + sum % classes) << "\n";
        }
    }
}

// Writes the sparse file set of the dense one at from to to.
void writeSparse(const std::string &from, const std::string &to) {
    std::ofstream(to + ".names") << std::ifstream(from + ".names").rdbuf();
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
    writeCounts(generated, 300, 900, 3);
    const std::vector<std::pair<std::string, Options>> cases = {
        {dataDir + "/bla/bla", withTest()},
        {dataDir + "/bla/bla", withTest(true, 2)},
        {dataDir + "/cut/cut", withTest()},
        {dataDir + "/zero/zero", withTest(false)},
        {dataDir + "/noattr/noattr", withTest(false)},
        {generated, withTest()},
        {generated, withTest(false, 3)}};
    const std::string sparse = ::testing::TempDir() + "/sparse";
    for (auto c : cases) {
        SCOPED_TRACE(c.first + " trials " + std::to_string(c.second.trials));
        writeSparse(c.first, sparse);
        std::string expected = run(c.second, c.first);
        const std::string from = "from " + c.first + ".data\n";
        ASSERT_NE(std::string::npos, expected.find(from));
        expected.replace(expected.find(from), from.size(), "from " + sparse + ".data.svm\n");
        c.second.sparseFiles = true;
        EXPECT_EQ(expected, run(c.second, sparse));
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
    writeCounts(stem, 400, 6000, 4);
    const int budget = omp_get_max_threads();
    std::string single;
    for (const int threads : {1, 2}) {
        SCOPED_TRACE(threads);
        omp_set_num_threads(threads);
        const auto before = processorTime();
        const std::string out = run(withTest(), stem);
        const auto after = processorTime();
        const double own = after.first - before.first;
        const double others = (after.second - before.second) - own;
        if (threads == 1) {
            EXPECT_LT(others, 0.01 + 0.02 * own) << "this thread: " << own << " s";
            single = out;
        } else {
            EXPECT_GT(others, 0.0) << "this thread: " << own << " s";
            EXPECT_EQ(single, out);
        }
    }
    omp_set_num_threads(budget);
}

// Memory that runs out on a worker thread of growing, pruning or
// classifying is reported as bad_alloc after the parallel region, with the
// output so far kept; it once ended the program at once (exit 134).
TEST(Run, RunningOutOfMemoryInAParallelRegionThrows) {
    const std::string stem = ::testing::TempDir() + "/memory";
    writeCounts(stem, 400, 6000, 4);
    const int budget = omp_get_max_threads();
    omp_set_num_threads(2);
    Options options = withTest(false);
    options.fileStem = stem;
    std::ostringstream out;
    failInParallelRegions = true;
    EXPECT_THROW(runLearner(options, out), std::bad_alloc);
    failInParallelRegions = false;
    const std::string read = "\nRead 6000 cases (400 attributes) from " + stem + ".data\n";
    EXPECT_EQ(out.str().substr(0, read.size()), read);

    Schema schema = readNames(stem + ".names");
    const Dataset data = readCases(stem + ".data", schema);
    const Tree tree = Grower(data, schema, options).grow(allCases(data));
    Tree pruned = tree;
    float estimate = 0;
    failInParallelRegions = true;
    EXPECT_THROW(assess(tree, data, 4), std::bad_alloc);
    EXPECT_THROW(pruneTree(pruned, data, allCases(data), 0.25f, estimate), std::bad_alloc);
    failInParallelRegions = false;

    // A discrete test's table is built on a worker thread once a node holds
    // enough cases for the threads to share its attributes.
    const std::string discrete = ::testing::TempDir() + "/discrete";
    std::ofstream(discrete + ".names") << "a, b.\nx: p, q.\n";
    std::ofstream cases(discrete + ".data");
    for (int i = 0; i < 60000; ++i)
        cases << (i % 3 ? "p, a\n" : "q, b\n");
    cases.close();
    Schema discreteSchema = readNames(discrete + ".names");
    const Dataset discreteData = readCases(discrete + ".data", discreteSchema);
    Grower grower(discreteData, discreteSchema, options);
    failInParallelRegions = true;
    EXPECT_THROW(grower.grow(allCases(discreteData)), std::bad_alloc);
    failInParallelRegions = false;
    omp_set_num_threads(budget);
}

} // namespace
