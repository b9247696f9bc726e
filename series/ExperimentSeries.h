// An experiment series: every combination of a few corpus and C4.5 settings,
// each run as `tcw experiment` runs one, with the figures gathered into rows
// for a CSV file and a chart. Parsing is shared by every run of one stemming
// setting and the learner runs go on side by side, each in its own folder.
#pragma once

#include "charts/SeriesChart.h"

#include <atomic>
#include <cstddef>
#include <functional>
#include <optional>
#include <stdexcept>
#include <ostream>
#include <string>
#include <vector>

struct SeriesSettings {
    std::string directory; // the document folder
    std::string stem;      // runs are kept under stem + "-series/"
    std::vector<int> minDf{1};
    std::vector<std::optional<int>> topIg{std::nullopt}; // absent: not used
    std::vector<bool> stemming{false};
    std::vector<bool> stopWords{false};
    std::string stopWordFile = "ceste_rijeci";
    bool stemStopWords = false; // on stemmed corpora, stem the list's entries too
    std::vector<std::optional<int>> minCases{std::nullopt};     // -m
    std::vector<std::optional<float>> confidence{std::nullopt}; // -c
    bool discreteGroups = false;                                // -s
    // Documents keep every category word and each run grows one tree per
    // category from the sparse file set (see categoryExperimentFigures).
    bool multiCategory = false;
    int jobs = 0;                                               // 0: the number of cores
    std::string c45Program = "./c4.5.exe";
};

struct SeriesRow {
    std::string name; // "run-07": the run's folder and run file under stem + "-series/"
    int minDf = 0;
    std::optional<int> topIg;
    bool stemming = false;
    bool stopWords = false;
    std::optional<int> minCases;
    std::optional<float> confidence;
    std::optional<int> attributes, sizeBefore, sizeAfter;
    std::optional<float> testErrorBeforePercent, testErrorAfterPercent, microF1, macroF1;
    double seconds = 0;
    std::string error;   // empty when the run succeeded
    std::string runFile; // the run's .c45p, under stem + "-series/"
};

// Parses a list of whole numbers as given on the command line ("1,2,5"):
// no blanks, no empty items, each within int. Throws std::invalid_argument
// naming the list when it is malformed.
std::vector<int> parseIntList(const std::string &text);

// The same for confidences ("10,25"), read in the C locale whatever the
// process locale is.
std::vector<float> parseFloatList(const std::string &text);

// The most runs a series may have: beyond it the plan alone would take a
// great deal of memory, and the runs more time than anyone waits for.
constexpr std::size_t maxSeriesRuns = 10000;

// The number of runs of the settings, counted without building the plan.
// Throws std::invalid_argument saying how many runs it would be when that
// is more than maxSeriesRuns.
std::size_t seriesRunCount(const SeriesSettings &settings);

// Every combination of the settings, in the order the rows are written:
// stemming, stop words, min_df, top_ig, m, c, the last changing fastest.
// Only the names and the settings are filled in. Throws as seriesRunCount
// does, before building anything.
std::vector<SeriesRow> seriesPlan(const SeriesSettings &settings);

// The words a settings text names the settings by: the console's English, or
// a window's own.
struct SettingsWords {
    std::string minDf = "min_df", topIg = "top_ig", stemming = "stemming",
                stopWords = "stop words", on = "on", off = "off";
};

// The settings of a row as the progress lines name them: "min_df 5, stemming
// on, stop words off, -m 2".
std::string settingsText(const SeriesRow &row, const SettingsWords &words = {});

// What a series checks before anything runs, so that nothing it could have
// seen at the start fails every run or the series at its end: the C4.5
// program's path can be made absolute; the stop-word file, when a run uses
// it, is a readable regular file; the runs' folder stem + "-series" exists
// or can be made (it is made, once the rest has passed). Throws FileError
// naming the file, with the system's reason. runSeries begins with it.
void prepareSeries(const SeriesSettings &settings);

// Runs the whole series and returns when it has ended: parses once per
// stemming setting, computes gains once per corpus, runs up to jobs C4.5
// processes at once, each in its own folder under stem + "-series/" (removed
// once the run has ended) with OMP_NUM_THREADS set to its share of the
// cores. The folder belongs to one series at a time: while it runs it holds
// a lock on it, which ends with the process whatever ends it, and first
// removes the runs an earlier series left there (run-N folders and run-N.c45p
// files). A second series on the same stem throws SeriesBusy before
// anything is touched. progress(row, done, total), if set, is called on the
// calling thread after each run ends. When cancel becomes true, every child
// is stopped (all together) and the rows finished so far are returned (in
// plan order); a parse or a file-set write under way stops too. A write
// beyond the file-size limit fails that run rather than ending the process.
// Trace gets one line per finished run: "run-07 (min_df 5, stemming on,
// stop words off) done", or "failed: " and the reason. Throws FileError when
// the document folder cannot be read or prepareSeries refuses the settings,
// and std::invalid_argument for a series too long; both before any run
// starts.
class SeriesBusy : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

std::vector<SeriesRow>
runSeries(const SeriesSettings &settings,
          const std::function<void(const SeriesRow &, std::size_t, std::size_t)> &progress,
          const std::atomic<bool> &cancel, std::ostream &trace);

// The CSV: a header line, then one line per row with the columns min_df,
// top_ig, stemming, stop_words, c, m, attributes, size_before, size_after,
// test_error_before_pct, test_error_after_pct, micro_f1, macro_f1, seconds,
// error, run_file (the path from the folder that path names the CSV in: a
// link's own folder). An absent figure is an empty field. Replaced as
// AtomicFile replaces a file (a link is written through); throws
// std::runtime_error naming path when it cannot be written.
void writeSeriesCsv(const std::vector<SeriesRow> &rows, const std::string &path);

// The chart of the rows: one line per group of the settings other than
// min_df/top_ig. Rows with an error are left out.
SeriesChart seriesChart(const std::vector<SeriesRow> &rows);
