// The series library: its lists and plan, its CSV file and chart, and a real
// series that is cancelled half-way.
#include "series/ExperimentSeries.h"

#include "CroatianLocale.h"
#include "TestFiles.h"
#include "corpus/FileError.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/stat.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <algorithm>
#include <sstream>
#include <thread>
#include <tuple>

namespace fs = std::filesystem;

namespace {

std::string planText(const std::vector<SeriesRow> &rows) {
    std::ostringstream text;
    for (const SeriesRow &row : rows) {
        text << row.stemming << row.stopWords << " df" << row.minDf;
        if (row.topIg)
            text << " ig" << *row.topIg;
        if (row.minCases)
            text << " m" << *row.minCases;
        if (row.confidence)
            text << " c" << *row.confidence;
        text << ';';
    }
    return text.str();
}

std::string chartText(const SeriesChart &chart) {
    std::ostringstream text;
    for (const SeriesLine &line : chart.lines) {
        text << line.label << ':';
        for (const SeriesPoint &point : line.points)
            text << ' ' << point.attributes << '/' << point.testErrorPercent << '/'
                 << point.treeSize;
        text << '\n';
    }
    return text.str();
}

} // namespace

TEST(SeriesLists, MalformedListsAreRefusedAndPlansCombineEverySetting) {
    EXPECT_EQ((std::vector<int>{1, 20, -3}), parseIntList("1,20,-3"));
    EXPECT_EQ((std::vector<float>{2.5f, 25}), parseFloatList("2.5,25"));
    for (const char *bad : {"", ",", "1,", ",1", "1,,2", "1 ,2", " 1", "1.5", "x", "1;2", "+1",
                            "99999999999", "0x10"}) {
        SCOPED_TRACE(bad);
        EXPECT_THROW(parseIntList(bad), std::invalid_argument);
    }
    for (const char *bad : {"", "2,5,", "2,,5", "2,5x", "inf", "nan", "1e99", "2,5 "}) {
        SCOPED_TRACE(bad);
        EXPECT_THROW(parseFloatList(bad), std::invalid_argument);
    }
    {
        // Lists read the same with a decimal comma in the process locale.
        CroatianLocale croatian;
        ASSERT_TRUE(croatian.active());
        EXPECT_EQ((std::vector<float>{0.5f}), parseFloatList("0.5"));
        EXPECT_THROW(parseFloatList("0,5x"), std::invalid_argument);
    }

    SeriesSettings settings;
    EXPECT_EQ("00 df1;", planText(seriesPlan(settings)));
    settings.minDf = {2, 5};
    settings.topIg = {std::nullopt, 10};
    settings.stemming = {false, true};
    settings.minCases = {std::nullopt, 3};
    settings.confidence = {25};
    EXPECT_EQ("00 df2 c25;00 df2 m3 c25;00 df2 ig10 c25;00 df2 ig10 m3 c25;"
              "00 df5 c25;00 df5 m3 c25;00 df5 ig10 c25;00 df5 ig10 m3 c25;"
              "10 df2 c25;10 df2 m3 c25;10 df2 ig10 c25;10 df2 ig10 m3 c25;"
              "10 df5 c25;10 df5 m3 c25;10 df5 ig10 c25;10 df5 ig10 m3 c25;",
              planText(seriesPlan(settings)));
    settings.stopWords = {};
    EXPECT_TRUE(seriesPlan(settings).empty());

    // A plan of more than maxSeriesRuns is refused, saying how long it would be.
    SeriesSettings large;
    large.stemming = {false, true};
    large.minDf.assign(maxSeriesRuns / 2, 1);
    EXPECT_EQ(maxSeriesRuns, seriesPlan(large).size());
    large.minDf.assign(20000, 1);
    large.topIg.assign(100, 10);
    large.minCases.assign(100, 2);
    for (const char *step : {"count", "plan"}) {
        SCOPED_TRACE(step);
        EXPECT_EQ("the series would have 400000000 runs, more than the 10000 a series may have",
                  thrownMessage<std::invalid_argument>([&] {
                      step[0] == 'c' ? seriesRunCount(large) : seriesPlan(large).size();
                  }));
    }
}

// Settings that would fail every run, or the series at its end, are refused
// before anything runs, with the file and the system's reason.
TEST(SeriesChecks, PrepareRefusesWhatWouldFailEveryRun) {
    const TempFolder folder;
    const fs::path stopWords = folder.path / "stop-words";
    std::ofstream(stopWords) << "the\n";
    fs::create_directory(folder.path / "stop-folder");
    fs::create_directory_symlink("loop", folder.path / "loop");
    const std::string longStem = (folder.path / std::string(300, 'x')).string();
    const auto settingsWith = [&](const fs::path &stem, const fs::path &stopWordFile) {
        SeriesSettings settings;
        settings.stem = stem.string();
        settings.stopWords = {false, true};
        settings.stopWordFile = stopWordFile.string();
        return settings;
    };
    const struct {
        SeriesSettings settings;
        std::string error;
    } cases[] = {
        {settingsWith(folder.path / "s", folder.path / "stop-folder"),
         "Could not open file " + (folder.path / "stop-folder").string() + ": Is a directory"},
        {settingsWith(folder.path / "s", folder.path / "none"),
         "Could not open file " + (folder.path / "none").string() + ": No such file or directory"},
        {settingsWith(folder.path / "loop" / "s", stopWords),
         "Could not open file " + (folder.path / "loop" / "s-series").string() +
             ": Too many levels of symbolic links"},
        {settingsWith(longStem, stopWords),
         "Could not open file " + longStem + "-series: File name too long"},
        {settingsWith(stopWords / "s", stopWords),
         "Could not open file " + (stopWords / "s-series").string() + ": Not a directory"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.error);
        try {
            prepareSeries(c.settings);
            ADD_FAILURE() << "no error";
        } catch (const FileError &error) {
            EXPECT_EQ(c.error, error.messageWithReason());
        }
    }
    EXPECT_FALSE(fs::exists(folder.path / "s-series"));
    prepareSeries(settingsWith(folder.path / "s", stopWords));
    EXPECT_TRUE(fs::is_directory(folder.path / "s-series"));
}

TEST(SeriesFiles, CsvAndChartHoldEveryRowInAnyLocale) {
    const TempFolder folder;
    SeriesRow done;
    done.minDf = 1000;
    done.topIg = done.attributes = 1500;
    done.stemming = true;
    done.confidence = 12.5f;
    done.sizeBefore = 2609;
    done.sizeAfter = 1839;
    done.testErrorBeforePercent = 61;
    done.testErrorAfterPercent = 59.5f;
    done.microF1 = 0.404703f;
    done.macroF1 = 0.236949f;
    done.seconds = 1.25;
    done.runFile = (folder.path / "a,b-series" / "run-1.c45p").string();
    SeriesRow other = done, unstemmed = done, failed;
    other.minDf = 5;
    other.topIg.reset();
    other.attributes = 40;
    other.testErrorAfterPercent = 70;
    other.sizeAfter = 99;
    unstemmed.stemming = false;
    unstemmed.minCases = failed.minCases = failed.minDf = 2;
    failed.stopWords = true;
    failed.error = "./c4.5.exe ended with status 1\nERROR: \"bad\", here";

    const fs::path csv = folder.path / "series.csv";
    {
        CroatianLocale croatian;
        ASSERT_TRUE(croatian.active());
        writeSeriesCsv({done, failed}, csv.string());
    }
    EXPECT_EQ("min_df,top_ig,stemming,stop_words,c,m,attributes,size_before,size_after,"
              "test_error_before_pct,test_error_after_pct,micro_f1,macro_f1,seconds,error,"
              "run_file\n1000,1500,1,0,12.5,,1500,2609,1839,61,59.5,0.404703,0.236949,1.250,,"
              "\"a,b-series/run-1.c45p\"\n"
              "2,,0,1,,2,,,,,,,,0.000,\"./c4.5.exe ended with status 1\nERROR: \"\"bad\"\", "
              "here\",\n",
              fileText(csv));
    // The run's file is given from the folder the CSV is named in; a link to
    // the CSV stays one and is written through.
    fs::create_directory(folder.path / "sub");
    fs::create_symlink(folder.path / "sub" / "target.csv", folder.path / "link.csv");
    const std::string row = "1000,1500,1,0,12.5,,1500,2609,1839,61,59.5,0.404703,0.236949,1.250,,";
    for (const auto &[name, file, runFile] :
         {std::tuple{"sub/series.csv", "sub/series.csv", "\"../a,b-series/run-1.c45p\""},
          std::tuple{"link.csv", "sub/target.csv", "\"a,b-series/run-1.c45p\""}}) {
        SCOPED_TRACE(name);
        writeSeriesCsv({done}, (folder.path / name).string());
        const std::string written = fileText(folder.path / file);
        EXPECT_EQ(row + runFile + "\n", written.substr(written.find('\n') + 1));
    }
    EXPECT_TRUE(fs::is_symlink(folder.path / "link.csv"));
    EXPECT_THROW(writeSeriesCsv({done}, (folder.path / "none" / "x.csv").string()),
                 std::runtime_error);

    // Only the settings that differ name a line, in the series form's words;
    // a failed run draws nothing.
    EXPECT_EQ("Stemiranje da, -m zadano: 1500/59.5/1839 40/70/99\n"
              "Stemiranje ne, -m 2: 1500/59.5/1839\n",
              chartText(seriesChart({done, failed, other, unstemmed})));
    SeriesRow withoutStopWords = done;
    withoutStopWords.stopWords = true;
    EXPECT_EQ("Stop riječi ne: 1500/59.5/1839\nStop riječi da: 1500/59.5/1839\n",
              chartText(seriesChart({done, withoutStopWords})));
    EXPECT_EQ("svi pokusi: 1500/59.5/1839 40/70/99\n", chartText(seriesChart({done, other})));
    EXPECT_TRUE(seriesChart({}).lines.empty());
}

// A stand-in learner: the real one for -m 1, a failure for -m 2, and for -m 3
// a child that notes its process id and waits far longer than the test.
// A second series on the same stem is refused while the first runs; the
// runs an earlier series left are gone, other files stay.
TEST(SeriesRun, CancelStopsEveryChildAndKeepsTheRowsFinished) {
    const TempFolder folder;
    const fs::path pidFile = folder.path / "sleeper.pid";
    const fs::path learner = folder.path / "learner.sh";
    {
        std::ofstream script(learner);
        script << "#!/bin/sh\ncase \"$*\" in\n"
               << "*\"-m 1\"*) exec '" << C45_PROGRAM << "' \"$@\" ;;\n"
               << "*\"-m 2\"*) echo 'ERROR: refused' ; exit 3 ;;\n"
               << "*) echo $$ > '" << pidFile.string() << ".new' && mv '" << pidFile.string()
               << ".new' '" << pidFile.string() << "' && exec sleep 120 ;;\nesac\n";
    }
    fs::permissions(learner, fs::perms::owner_all);

    SeriesSettings settings;
    settings.directory = CORPUS_DIR;
    settings.stem = (folder.path / "s").string();
    settings.minDf = {2};
    settings.minCases = {1, 2, 3};
    settings.jobs = 3;
    settings.c45Program = learner.string();
    fs::create_directories(settings.stem + "-series/run-3");
    for (const char *earlier : {"run-7.c45p", "run-3/set.names", "notes.txt"})
        std::ofstream(settings.stem + "-series/" + earlier) << "earlier\n";
    std::atomic<bool> cancel{false};
    std::atomic<std::size_t> finished{0};
    // Cancels once two runs have ended and the third is under way.
    std::thread canceller([&] {
        for (int i = 0; i < 400 && (finished < 2 || !fs::exists(pidFile)); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        std::atomic<bool> keepOn{false};
        std::ostringstream secondTrace;
        EXPECT_THROW(runSeries(settings, {}, keepOn, secondTrace), SeriesBusy);
        cancel = true;
    });
    std::vector<std::size_t> progress;
    std::ostringstream trace;
    const auto start = std::chrono::steady_clock::now();
    const std::vector<SeriesRow> rows = runSeries(
        settings,
        [&](const SeriesRow &row, std::size_t done, std::size_t total) {
            progress.push_back(done * 10 + total);
            EXPECT_EQ(row.minCases == 2, !row.error.empty());
            finished = done;
        },
        cancel, trace);
    canceller.join();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(60));

    EXPECT_EQ((std::vector<std::size_t>{13, 23}), progress);
    ASSERT_EQ(2u, rows.size());
    EXPECT_EQ(1, rows[0].minCases);
    EXPECT_EQ("", rows[0].error);
    EXPECT_EQ(2, rows[1].minCases);
    EXPECT_EQ(learner.string() + " ended with status 3\nERROR: refused", rows[1].error);
    EXPECT_EQ("", rows[1].runFile);
    ASSERT_TRUE(rows[0].attributes && rows[0].sizeAfter && rows[0].testErrorAfterPercent &&
                rows[0].microF1);
    EXPECT_GT(*rows[0].attributes, 0);
    EXPECT_EQ(settings.stem + "-series/run-1.c45p", rows[0].runFile);
    EXPECT_NE(std::string::npos, fileText(rows[0].runFile).find("Evaluation on test data"));

    const std::string pid = fileText(pidFile);
    ASSERT_FALSE(pid.empty());
    EXPECT_EQ(-1, ::kill(static_cast<pid_t>(std::stol(pid)), 0));
    EXPECT_EQ(ESRCH, errno);
    // Only the finished run's output is left; no run folder stays behind.
    std::vector<std::string> left;
    for (const fs::directory_entry &entry : fs::directory_iterator(settings.stem + "-series"))
        left.push_back(entry.path().filename().string());
    std::sort(left.begin(), left.end());
    EXPECT_EQ((std::vector<std::string>{"notes.txt", "run-1.c45p"}), left);
}
