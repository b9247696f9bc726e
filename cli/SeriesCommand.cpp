// tcw series: every combination of a few settings, run as tcw experiment runs
// one, gathered into a CSV file and, if asked, a chart.
#include "Command.h"
#include "Options.h"
#include "RunReport.h"

#include "c45/C45Runner.h"
#include "c45/NumberText.h"
#include "jobs/JobService.h"
#include "series/ExperimentSeries.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <exception>
#include <iostream>

namespace {

// Ctrl-C (and SIGTERM, SIGHUP) cancels the series job rather than ending tcw
// at once: the runner ends its children and the rows so far are still
// written. The learners run in process groups of their own, so the
// terminal's signal reaches tcw only.
std::atomic<bool> stopRequested{false};

extern "C" void requestStop(int) {
    stopRequested = true;
}

// Removes a single-dash option with its value ("-c 10,25") from arguments.
std::optional<std::string> takeValue(Arguments &arguments, const std::string &name) {
    const auto found = std::find(arguments.begin(), arguments.end(), name);
    if (found == arguments.end())
        return std::nullopt;
    if (found + 1 == arguments.end())
        throw UsageError("option " + name + " needs a value");
    std::string value = *(found + 1);
    arguments.erase(found, found + 2);
    if (std::find(arguments.begin(), arguments.end(), name) != arguments.end())
        throw UsageError("option " + name + " given twice");
    return value;
}

std::vector<bool> choice(const std::string &option, const std::string &value) {
    if (value == "off")
        return {false};
    if (value == "on")
        return {true};
    if (value == "both")
        return {false, true};
    throw UsageError("option --" + option + " takes off, on or both, not " + value);
}

template <typename Number, typename Parse>
std::vector<Number> listOf(const std::string &option, const std::string &text, Parse parse) {
    try {
        return parse(text);
    } catch (const std::invalid_argument &error) {
        throw UsageError("option " + option + ": " + error.what());
    }
}

template <typename Number>
std::vector<std::optional<Number>> optionalList(const std::vector<Number> &values) {
    return std::vector<std::optional<Number>>(values.begin(), values.end());
}

std::string rowSummary(const SeriesRow &row) {
    if (!row.error.empty())
        return "failed: " + row.error;
    const auto number = [](const std::optional<float> &value) {
        return value ? numberToString(*value) : std::string("n/a");
    };
    const std::string testError =
        row.testErrorAfterPercent ? number(row.testErrorAfterPercent) + "%" : "n/a";
    return std::to_string(row.attributes.value_or(0)) + " attributes, test error " + testError +
           ", size " + (row.sizeAfter ? std::to_string(*row.sizeAfter) : std::string("n/a")) +
           ", micro F1 " + number(row.microF1) + " (" + fixedNumber(row.seconds, 1) + " s)";
}

} // namespace

int runExperimentSeries(const Arguments &arguments) {
    Arguments rest = arguments;
    SeriesSettings settings;
    const std::optional<std::string> confidence = takeValue(rest, "-c");
    const std::optional<std::string> minCases = takeValue(rest, "-m");
    const auto discrete = std::find(rest.begin(), rest.end(), "-s");
    if (discrete != rest.end()) {
        settings.discreteGroups = true;
        rest.erase(discrete);
    }
    std::string csv, plot, minDf = "1", topIg, stemming = "off", stopWordUse = "on", stopWords;
    OptionParser parser(
        "series --dir DIR --stem STEM --csv FILE [--plot FILE.svg|FILE.png] [options]\n"
        "           [-c LIST] [-m LIST] [-s]",
        "Runs an experiment for every combination of the listed settings, as tcw experiment\n"
        "would run each, and writes one CSV row per run. LIST is comma-separated (1,2,5).\n"
        "Each run's C4.5 output is kept as STEM-series/run-N.c45p. Progress goes to standard\n"
        "error; Ctrl-C stops the runs and writes the rows finished so far.");
    parser.text("dir", "DIR", settings.directory, "folder of .xml document files");
    parser.text("stem", "STEM", settings.stem, "path stem of the runs' folder STEM-series");
    parser.text("csv", "FILE", csv, "the CSV file to write");
    parser.text("plot", "FILE", plot, "draw the chart into FILE.svg or FILE.png (800x600)");
    parser.text("min-df", "LIST", minDf, "document-frequency thresholds (default 1)");
    parser.text("top-ig", "LIST", topIg,
                "keep only the K words of highest gain, for each K listed");
    parser.text("stemming", "off|on|both", stemming, "Porter stemming (default off)");
    parser.text("stop-words", "FILE", stopWords, "the stop-word list");
    parser.text("stop-word-use", "off|on|both", stopWordUse,
                "leave out the stop words (default on, with --stop-words)");
    parser.flag("stem-stop-words", settings.stemStopWords,
                "on stemmed corpora, stem the listed words too before leaving them out");
    parser.flag("multi-category", settings.multiCategory,
                "every category word of a document kept, one tree per category (sizes "
                "summed, errors pooled over all category decisions)");
    parser.number("jobs", "N", settings.jobs, "C4.5 runs at once (default: the number of cores)");
    parser.text("c45", "PATH", settings.c45Program, "the C4.5 program (default ./c4.5.exe)");
    if (!parser.parse(rest, std::cout))
        return 0;
    if (!parser.given("dir") || !parser.given("stem") || !parser.given("csv"))
        throw UsageError("--dir, --stem and --csv are required");
    if (parser.given("stop-word-use") && !parser.given("stop-words"))
        throw UsageError("--stop-word-use needs --stop-words");
    if (settings.stemStopWords && !parser.given("stop-words"))
        throw UsageError("--stem-stop-words needs --stop-words");
    if (parser.given("jobs") && settings.jobs < 1)
        throw UsageError("--jobs needs at least 1");

    settings.minDf = listOf<int>("--min-df", minDf, parseIntList);
    for (const int value : settings.minDf)
        checkMinDf(value);
    if (parser.given("top-ig")) {
        const std::vector<int> values = listOf<int>("--top-ig", topIg, parseIntList);
        if (std::any_of(values.begin(), values.end(), [](int k) { return k < 1; }))
            throw UsageError("option --top-ig needs numbers of at least 1");
        settings.topIg = optionalList(values);
    }
    settings.stemming = choice("stemming", stemming);
    if (parser.given("stop-words")) {
        settings.stopWordFile = stopWords;
        settings.stopWords = choice("stop-word-use", stopWordUse);
    }
    if (minCases)
        settings.minCases = optionalList(listOf<int>("-m", *minCases, parseIntList));
    if (confidence)
        settings.confidence = optionalList(listOf<float>("-c", *confidence, parseFloatList));
    for (const std::optional<int> &m : settings.minCases)
        for (const std::optional<float> &c : settings.confidence) {
            C45Options options;
            if (m)
                options.minCases = *m;
            options.confidence = c;
            if (const std::optional<std::string> problem = c45OptionsProblem(options))
                throw UsageError(*problem);
        }
    if (!plot.empty()) {
        std::string extension = plot.substr(std::min(plot.size(), plot.rfind('.')));
        std::transform(extension.begin(), extension.end(), extension.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        if (extension != ".svg" && extension != ".png")
            throw UsageError("--plot needs a file name ending in .svg or .png");
    }
    try {
        seriesRunCount(settings);
    } catch (const std::invalid_argument &error) {
        throw UsageError(error.what());
    }
    // Whatever would fail only after hours of runs is reported before them.
    checkSavePath(csv);
    checkSavePath(plot);
    prepareSeries(settings);

    std::vector<SeriesRow> rows;
    {
        stopRequested = false;
        InterruptGuard stop(requestStop);
        JobService jobs;
        std::exception_ptr failure;
        const JobId series = jobs.submit("series", [&](JobControl &control) {
            try {
                rows = runSeries(
                    settings,
                    [&control](const SeriesRow &row, std::size_t done, std::size_t total) {
                        control.post([row, done, total] {
                            std::cerr << "run " << done << '/' << total << ", " << row.name
                                      << " (" << settingsText(row) << "): " << rowSummary(row)
                                      << std::endl;
                        });
                    },
                    control.cancelFlag(), std::cout);
            } catch (...) {
                failure = std::current_exception();
            }
        });
        while (jobs.active(series)) {
            jobs.waitForNews(std::chrono::milliseconds(100));
            if (stopRequested)
                jobs.cancel(series);
            jobs.deliver();
        }
        if (failure)
            std::rethrow_exception(failure);
        writeSeriesCsv(rows, csv);
        if (!plot.empty())
            writeSeriesChart(seriesChart(rows), plot);
    }
    return std::any_of(rows.begin(), rows.end(),
                       [](const SeriesRow &row) { return !row.error.empty(); })
               ? 1
               : 0;
}
