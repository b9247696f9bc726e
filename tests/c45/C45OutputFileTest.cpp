#include "c45/C45OutputFile.h"
#include "TestLines.h"
#include "c45/CategoryReport.h"
#include "corpus/FileError.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

namespace fs = std::filesystem;

namespace {

TEST(C45OutputFile, SavesEachLineWithANewlineAndReadsThemBack) {
    const TempFolder dir;
    const std::string path = dir / "run.c45p";
    const std::vector<std::string> run = transcript("release8-test.out");
    std::vector<std::string> withMore = run;
    withMore.insert(withMore.end(), {"", "\tx\r", "", ""});
    for (const auto &lines : {run, withMore}) {
        saveC45Output(lines, path);
        EXPECT_EQ(fileText(path), joinLines(lines));
        EXPECT_EQ(loadC45Output(path), lines);
    }
    const std::string text = fileText(dataPath("release8-test.out"));
    std::ofstream(path, std::ios::binary) << text.substr(0, text.size() - 1);
    EXPECT_EQ(loadC45Output(path), run);

    saveC45Output({"kept"}, path);
    EXPECT_THROW(saveC45Output({"x"}, dir / "missing/run.c45p"), FileError);
    EXPECT_THROW(loadC45Output(dir / "missing.c45p"), FileError);
    EXPECT_THROW(loadC45Output(dir.path.string()), FileError);
    EXPECT_EQ(fileText(path), "kept\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), fs::directory_iterator()), 1);
}

// "percent: problem" for a run's output cut at each tenth of its bytes, just
// before its end, and whole; neighbouring cuts with the same problem share a
// line, "20-40: problem".
std::string refusals(const std::string &name) {
    const std::string text = fileText(dataPath(name));
    std::vector<std::pair<std::string, std::string>> cuts;
    for (const int percent : {0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 99, 100}) {
        const std::string problem =
            c45RunProblem(splitLines(text.substr(0, text.size() * percent / 100)))
                .value_or("whole");
        if (!cuts.empty() && cuts.back().second == problem)
            cuts.back().first = cuts.back().first.substr(0, cuts.back().first.find('-')) + "-" +
                                std::to_string(percent);
        else
            cuts.emplace_back(std::to_string(percent), problem);
    }
    std::string result;
    for (const auto &[percents, problem] : cuts)
        result += percents + ": " + problem + "\n";
    return result;
}

// A per-category run is whole once its closing block is; a saved one reads
// back to the same report.
TEST(C45OutputFile, KeepsAPerCategoryRun) {
    EXPECT_EQ(refusals("per-category.out"),
              "0: no C4.5 output in it\n"
              "10: incomplete C4.5 run, no line of the cases read\n"
              "20: incomplete per-category run, line 13: expected \"Per-category trees of # "
              "categories: # training cases (# attributes), # test cases\"\n"
              "30: incomplete per-category run, line 18: expected \"\ttest errors before # "
              "after #\"\n"
              "40: incomplete per-category run, line 28: expected \"\tcases in the category: "
              "training # test #\"\n"
              "50: incomplete per-category run, line 35: expected \"Category 3: \"\n"
              "60: incomplete per-category run, line 43: expected \"\ttraining errors before # "
              "after #\"\n"
              "70: incomplete per-category run, line 51: expected \"Category 4: \"\n"
              "80: incomplete per-category run, line 58: expected \"\ttest table TP # FP # FN # "
              "TN #\"\n"
              "90: incomplete per-category run, line 68: expected \"\ttest table TP # FP # FN # "
              "TN #\"\n"
              "99: incomplete per-category run, line 70: expected \"\tmacro precision % recall % "
              "F1 % over # categories with positive test cases\"\n"
              "100: whole\n");
    const TempFolder dir;
    saveC45Output(transcript("per-category.out"), dir / "run.c45p");
    std::stringstream saved(joinLines(loadC45Output(dir / "run.c45p")));
    std::stringstream original(fileText(dataPath("per-category.out")));
    EXPECT_TRUE(parseCategoryReport(original).report == parseCategoryReport(saved).report);
}

TEST(C45OutputFile, RefusesAFileThatIsNotAWholeRun) {
    EXPECT_EQ(refusals("release8-test.out"),
              "0: no C4.5 output in it\n"
              "10: incomplete C4.5 run, no line of the cases read\n"
              "20-40: incomplete C4.5 run, no line of the tree saved\n"
              "50-60: incomplete C4.5 run, no evaluation on training data\n"
              "70-80: incomplete C4.5 run, no evaluation on test data\n"
              "90-99: incomplete C4.5 run, no confusion matrix\n"
              "100: whole\n");
    EXPECT_EQ(refusals("windowing-two-trials.out"),
              "0: no C4.5 output in it\n"
              "10: incomplete C4.5 run, no line of the cases read\n"
              "20-30: incomplete C4.5 run, no decision tree\n"
              "40-60: incomplete C4.5 run, no line of the tree saved\n"
              "70-80: incomplete C4.5 run, no evaluation on training data\n"
              "90: incomplete C4.5 run, no evaluation on test data\n"
              "99: incomplete C4.5 run, no confusion matrix\n"
              "100: whole\n");
    // Without -u the training evaluation ends the run; the cut at 99 % takes
    // the "<<" of its saved row.
    EXPECT_EQ(refusals("one-leaf.out"), "0: no C4.5 output in it\n"
                                        "10-30: incomplete C4.5 run, no line of the cases read\n"
                                        "40: incomplete C4.5 run, no decision tree\n"
                                        "50-99: incomplete C4.5 run, no evaluation on training "
                                        "data\n"
                                        "100: whole\n");
    EXPECT_EQ(c45RunProblem(transcript("learner-error.out")),
              "the run ended in an error: ERROR:  cannot open file bla.names");

    const TempFolder dir;
    const std::string csv = dir / "table.csv";
    std::ofstream(csv) << "Kategorija,Broj dokumenata\nearn,3\n";
    EXPECT_EQ(thrownMessage<FileError>([&] { loadC45Output(csv); }),
              "Malformed file " + csv + ": no C4.5 output in it");
}

} // namespace
