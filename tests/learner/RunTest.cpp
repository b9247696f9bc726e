// Whole runs through the library: output sequence, windowing, the "<CM>"
// block against the printed matrix, and failures after partial output.
#include "Run.h"
#include "FileError.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

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
