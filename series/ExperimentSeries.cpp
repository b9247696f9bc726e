// The series runner. One preparing thread parses, selects and writes each
// run's file set ahead of the learner; the calling thread starts the learner
// processes, watches their pipes and gathers the rows, so the callbacks and
// the trace stay on the caller's thread.
#include "ExperimentSeries.h"

#include "Experiment.h"

#include "c45/C45OutputFile.h"
#include "c45/C45Runner.h"
#include "c45/NumberText.h"
#include "corpus/AtomicFile.h"
#include "corpus/FileError.h"
#include "corpus/ReadFile.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <deque>
#include <filesystem>
#include <locale>
#include <map>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <tuple>

namespace fs = std::filesystem;

namespace {

template <typename Number>
std::vector<Number> parseList(const std::string &text, const char *kind) {
    std::vector<Number> values;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = text.find(',', start);
        const std::size_t end = comma == std::string::npos ? text.size() : comma;
        const char *const first = text.data() + start;
        const char *const last = text.data() + end;
        Number value{};
        const std::from_chars_result read = std::from_chars(first, last, value);
        if (first == last || read.ec != std::errc() || read.ptr != last ||
            !std::isfinite(static_cast<double>(value)))
            throw std::invalid_argument("not a comma-separated list of " + std::string(kind) +
                                        ": \"" + text + "\"");
        values.push_back(value);
        if (comma == std::string::npos)
            return values;
        start = comma + 1;
    }
}

C45Options c45Options(const SeriesSettings &settings, const SeriesRow &row) {
    C45Options options;
    options.discreteGroups = settings.discreteGroups;
    if (row.minCases)
        options.minCases = *row.minCases;
    options.confidence = row.confidence;
    return options;
}

// "run-07" for the seventh of up to 99 runs: names that sort in plan order.
std::string runName(std::size_t index, std::size_t total) {
    const std::string number = std::to_string(index + 1);
    const std::size_t width = std::to_string(total).size();
    return "run-" + std::string(width - std::min(width, number.size()), '0') + number;
}

// Each learner runs in its own folder, where "./c4.5.exe" would no longer be
// found: a relative program path is made absolute, a bare name stays a PATH
// lookup. Throws FileError when the working folder is gone.
std::string programPath(const std::string &program) {
    if (program.find('/') == std::string::npos)
        return program;
    std::error_code error;
    const fs::path path = fs::absolute(program, error);
    if (error)
        throw FileError::cannotOpen(program, error.value());
    return path.lexically_normal().string();
}

// A stop-word file that is a folder or a device would pass a mere open and
// then fail every run that uses it.
void checkStopWordFile(const std::string &path) {
    std::string content;
    std::error_code ignored;
    if (!readRegularFile(path, content))
        throw FileError::cannotOpen(path, fs::is_directory(path, ignored) ? EISDIR : 0);
}

std::unique_ptr<TextProcessor> parsedCorpus(const SeriesSettings &settings, bool stemming,
                                            std::ostream &quiet, const std::atomic<bool> &cancel) {
    const std::string &directory = settings.directory;
    auto engine = std::make_unique<TextProcessor>(quiet);
    engine->setDirectory(directory);
    engine->useStemming = stemming;
    engine->multiCategory = settings.multiCategory;
    if (!engine->parseDocuments(&cancel))
        throw FileError::cannotOpenDirectory(directory, directoryError(directory));
    return engine;
}

struct PreparedRun {
    std::size_t index = 0;
    fs::path folder;
    std::string error; // why the file set could not be written
};

// The file sets, written in plan order by their own thread and handed over
// through a queue that holds at most `limit` sets, so the disk holds no more
// sets than the learners can take next.
class Preparation {
public:
    Preparation(const SeriesSettings &settings, const std::vector<SeriesRow> &plan,
                const fs::path &folder, std::size_t limit, const std::atomic<bool> &cancel)
        : settings_(settings), plan_(plan), folder_(folder), limit_(limit), cancel_(cancel),
          quiet_(nullptr) {
        // The first corpus is read here, so a folder that cannot be read is
        // reported before anything runs.
        engine_ = parsedCorpus(settings, plan.front().stemming, quiet_, cancel);
        stemming_ = plan.front().stemming;
        thread_ = std::thread([this] { prepareAll(); });
    }

    ~Preparation() {
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            stop_ = true;
        }
        changed_.notify_all();
        thread_.join();
        std::error_code ignored;
        for (const PreparedRun &run : ready_)
            fs::remove_all(run.folder, ignored);
    }

    Preparation(const Preparation &) = delete;
    Preparation &operator=(const Preparation &) = delete;

    // The next prepared run, waiting up to `wait` for it; nothing when none
    // came in that time or when every run has been handed over.
    std::optional<PreparedRun> next(std::chrono::milliseconds wait) {
        std::unique_lock<std::mutex> lock(mutex_);
        changed_.wait_for(lock, wait, [this] { return !ready_.empty() || finished_; });
        if (ready_.empty())
            return std::nullopt;
        PreparedRun run = std::move(ready_.front());
        ready_.pop_front();
        lock.unlock();
        changed_.notify_all();
        return run;
    }

private:
    void prepareAll() {
        for (std::size_t i = 0; i < plan_.size(); ++i) {
            {
                std::unique_lock<std::mutex> lock(mutex_);
                changed_.wait(lock, [this] { return stop_ || ready_.size() < limit_; });
                if (stop_)
                    break;
            }
            if (cancel_)
                break;
            PreparedRun run = prepare(i);
            {
                const std::lock_guard<std::mutex> lock(mutex_);
                ready_.push_back(std::move(run));
            }
            changed_.notify_all();
        }
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            finished_ = true;
        }
        changed_.notify_all();
    }

    PreparedRun prepare(std::size_t index) {
        const SeriesRow &row = plan_[index];
        PreparedRun run{index, folder_ / row.name, {}};
        try {
            if (row.stemming != stemming_) {
                stemming_ = row.stemming;
                engine_.reset();
                parseError_.clear();
                try {
                    engine_ = parsedCorpus(settings_, row.stemming, quiet_, cancel_);
                } catch (const std::exception &error) {
                    parseError_ = error.what();
                }
            }
            if (!engine_)
                throw std::runtime_error(parseError_);
            selectAttributes(*engine_, {row.minDf, row.topIg, row.stopWords, settings_.stopWordFile,
                                        settings_.stemStopWords});
            fs::create_directories(run.folder);
            // A series stops on SIGINT, ends its learners and keeps its rows,
            // and a run's folder is removed whatever it holds.
            engine_->writeFileSetAs((run.folder / "set").string(), settings_.multiCategory,
                                    &cancel_, TextProcessor::SignalGuard::Unguarded);
        } catch (const std::exception &error) {
            run.error = error.what();
        }
        return run;
    }

    const SeriesSettings &settings_;
    const std::vector<SeriesRow> &plan_;
    const fs::path folder_;
    const std::size_t limit_;
    const std::atomic<bool> &cancel_;
    std::ostream quiet_; // the engine's trace: per-file lines of every parse are no use here
    std::unique_ptr<TextProcessor> engine_;
    bool stemming_ = false;
    std::string parseError_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<PreparedRun> ready_;
    bool stop_ = false;
    bool finished_ = false;
    std::thread thread_;
};

// The series folder belongs to one series at a time. The lock is an flock on
// the folder itself: it adds no file, and it ends with the process, however
// the process ends, so a killed series never blocks the next one.
class SeriesFolderLock {
public:
    explicit SeriesFolderLock(const fs::path &folder)
        : descriptor_(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
        if (descriptor_ < 0)
            throw FileError::cannotOpen(folder.string());
        if (::flock(descriptor_, LOCK_EX | LOCK_NB) == 0)
            return;
        ::close(descriptor_);
        throw SeriesBusy("another series is running in " + folder.string() +
                         "; wait for it to end or choose another file stem");
    }
    ~SeriesFolderLock() { ::close(descriptor_); }
    SeriesFolderLock(const SeriesFolderLock &) = delete;
    SeriesFolderLock &operator=(const SeriesFolderLock &) = delete;

private:
    int descriptor_;
};

// Whether name is "run-" and digits, then ending.
bool isRunName(const std::string &name, const std::string &ending) {
    if (name.rfind("run-", 0) != 0 || name.size() <= 4 + ending.size() ||
        name.compare(name.size() - ending.size(), ending.size(), ending) != 0)
        return false;
    return std::all_of(name.begin() + 4, name.end() - static_cast<std::ptrdiff_t>(ending.size()),
                       [](char c) { return c >= '0' && c <= '9'; });
}

// The run folders and run files of an earlier series, which the rows of
// this one would otherwise sit beside (run-1.c45p next to run-01.c45p).
void removeEarlierRuns(const fs::path &folder) {
    std::error_code error;
    for (const fs::directory_entry &entry : fs::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        std::error_code ignored;
        if ((entry.is_directory(ignored) && isRunName(name, "")) ||
            (entry.is_regular_file(ignored) && isRunName(name, ".c45p")))
            fs::remove_all(entry.path(), ignored);
    }
}

// While it lives a write beyond the file-size limit fails with EFBIG, which
// the run reports, instead of SIGXFSZ ending the process.
class FileSizeLimitAsError {
public:
    FileSizeLimitAsError() {
        struct sigaction ignore {};
        ignore.sa_handler = SIG_IGN;
        sigemptyset(&ignore.sa_mask);
        ::sigaction(SIGXFSZ, &ignore, &previous_);
    }
    ~FileSizeLimitAsError() { ::sigaction(SIGXFSZ, &previous_, nullptr); }
    FileSizeLimitAsError(const FileSizeLimitAsError &) = delete;
    FileSizeLimitAsError &operator=(const FileSizeLimitAsError &) = delete;

private:
    struct sigaction previous_ {};
};

struct ActiveRun {
    PreparedRun prepared;
    std::unique_ptr<C45Process> process;
    std::chrono::steady_clock::time_point start;
};

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

std::string csvField(const std::string &text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (const char c : text) {
        quoted += c;
        if (c == '"')
            quoted += '"';
    }
    return quoted + "\"";
}

template <typename Number> std::string csvNumber(const std::optional<Number> &value) {
    if (!value)
        return "";
    if constexpr (std::is_same_v<Number, float>)
        return numberToString(*value);
    else
        return std::to_string(*value);
}

// The run's file as seen from the CSV's folder, so that the CSV and its runs
// can be moved together; as it is when no such path can be made.
std::string runFileFrom(const std::string &runFile, const std::string &csvPath) {
    if (runFile.empty())
        return runFile;
    const fs::path csvFolder = fs::path(csvPath).parent_path();
    std::error_code error;
    const fs::path relative =
        fs::relative(runFile, csvFolder.empty() ? fs::path(".") : csvFolder, error);
    return error || relative.empty() ? runFile : relative.string();
}

std::string onOff(bool value, const char *name) {
    return std::string(name) + (value ? " da" : " ne");
}

} // namespace

std::vector<int> parseIntList(const std::string &text) {
    return parseList<int>(text, "whole numbers");
}

std::vector<float> parseFloatList(const std::string &text) {
    return parseList<float>(text, "numbers");
}

std::string settingsText(const SeriesRow &row, const SettingsWords &words) {
    std::string text = words.minDf + " " + std::to_string(row.minDf);
    if (row.topIg)
        text += ", " + words.topIg + " " + std::to_string(*row.topIg);
    text += ", " + words.stemming + " " + (row.stemming ? words.on : words.off) + ", " +
            words.stopWords + " " + (row.stopWords ? words.on : words.off);
    if (row.minCases)
        text += ", -m " + std::to_string(*row.minCases);
    if (row.confidence)
        text += ", -c " + numberToString(*row.confidence);
    return text;
}

std::size_t seriesRunCount(const SeriesSettings &settings) {
    std::size_t runs = 1;
    bool overflow = false;
    for (const std::size_t values :
         {settings.stemming.size(), settings.stopWords.size(), settings.minDf.size(),
          settings.topIg.size(), settings.minCases.size(), settings.confidence.size()})
        overflow |= __builtin_mul_overflow(runs, values, &runs);
    if (overflow || runs > maxSeriesRuns)
        throw std::invalid_argument(
            "the series would have " +
            (overflow ? "more than " + std::to_string(SIZE_MAX) : std::to_string(runs)) +
            " runs, more than the " + std::to_string(maxSeriesRuns) + " a series may have");
    return runs;
}

std::vector<SeriesRow> seriesPlan(const SeriesSettings &settings) {
    std::vector<SeriesRow> plan;
    plan.reserve(seriesRunCount(settings));
    for (const bool stemming : settings.stemming)
        for (const bool stopWords : settings.stopWords)
            for (const int minDf : settings.minDf)
                for (const std::optional<int> &topIg : settings.topIg)
                    for (const std::optional<int> &minCases : settings.minCases)
                        for (const std::optional<float> &confidence : settings.confidence) {
                            SeriesRow row;
                            row.minDf = minDf;
                            row.topIg = topIg;
                            row.stemming = stemming;
                            row.stopWords = stopWords;
                            row.minCases = minCases;
                            row.confidence = confidence;
                            plan.push_back(row);
                        }
    for (std::size_t i = 0; i < plan.size(); ++i)
        plan[i].name = runName(i, plan.size());
    return plan;
}

void prepareSeries(const SeriesSettings &settings) {
    programPath(settings.c45Program);
    if (std::find(settings.stopWords.begin(), settings.stopWords.end(), true) !=
        settings.stopWords.end())
        checkStopWordFile(settings.stopWordFile);
    const fs::path folder = settings.stem + "-series";
    std::error_code error;
    fs::create_directories(folder, error);
    if (!fs::is_directory(folder, error))
        throw FileError::cannotOpen(folder.string(), error ? error.value() : ENOTDIR);
}

std::vector<SeriesRow>
runSeries(const SeriesSettings &settings,
          const std::function<void(const SeriesRow &, std::size_t, std::size_t)> &progress,
          const std::atomic<bool> &cancel, std::ostream &trace) {
    const std::vector<SeriesRow> plan = seriesPlan(settings);
    if (plan.empty())
        return {};
    prepareSeries(settings);
    const fs::path folder = settings.stem + "-series";
    std::error_code ignored;
    const SeriesFolderLock lock(folder);
    removeEarlierRuns(folder);
    const FileSizeLimitAsError fileSizeLimit;

    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    const std::size_t jobs = std::min(
        plan.size(), settings.jobs > 0 ? static_cast<std::size_t>(settings.jobs) : cores);
    // N runs at once share the cores rather than each taking all of them.
    const int budget = static_cast<int>(std::max<std::size_t>(1, cores / jobs));
    const std::string program = programPath(settings.c45Program);
    std::ostream quiet(nullptr);

    std::vector<std::optional<SeriesRow>> finished(plan.size());
    std::size_t done = 0;
    const auto record = [&](const PreparedRun &run, SeriesRow row) {
        fs::remove_all(run.folder, ignored);
        ++done;
        trace << run.folder.filename().string() << " (" << settingsText(row) << ") "
              << (row.error.empty() ? "done" : "failed: " + row.error) << std::endl;
        finished[run.index] = std::move(row);
        if (progress)
            progress(*finished[run.index], done, plan.size());
    };

    std::vector<ActiveRun> active;
    Preparation preparation(settings, plan, folder, jobs, cancel);
    while (done < plan.size() && !cancel) {
        while (active.size() < jobs && !cancel) {
            const auto wait = std::chrono::milliseconds(active.empty() ? 100 : 0);
            std::optional<PreparedRun> prepared = preparation.next(wait);
            if (!prepared)
                break;
            SeriesRow row = plan[prepared->index];
            if (!prepared->error.empty()) {
                row.error = prepared->error;
                record(*prepared, row);
                continue;
            }
            C45RunRequest request;
            request.namesPath = "set.names";
            request.optionText = optionText(c45Options(settings, row));
            request.program = program;
            request.workingDirectory = prepared->folder.string();
            request.threads = budget;
            request.sparse = request.perCategory = settings.multiCategory;
            try {
                auto process = std::make_unique<C45Process>(request, quiet);
                active.push_back(
                    {std::move(*prepared), std::move(process), std::chrono::steady_clock::now()});
            } catch (const std::invalid_argument &error) {
                row.error = error.what();
                record(*prepared, row);
            }
        }
        if (active.empty())
            continue;

        std::vector<pollfd> descriptors;
        for (const ActiveRun &run : active)
            descriptors.push_back({run.process->outputDescriptor(), POLLIN, 0});
        // The timeout also notices a cancel, and a child whose output a
        // process it started still holds open.
        poll(descriptors.data(), descriptors.size(), 100);
        for (auto run = active.begin(); run != active.end();) {
            if (!run->process->readAvailable()) {
                ++run;
                continue;
            }
            C45Process::Outcome outcome = run->process->finish();
            SeriesRow row = plan[run->prepared.index];
            row.seconds = secondsSince(run->start);
            if (const std::optional<std::string> failure = runFailure(outcome)) {
                row.error = *failure;
            } else {
                const ExperimentFigures figures =
                    settings.multiCategory
                        ? categoryExperimentFigures(parseCategoryReport(outcome.result.outputLines))
                        : experimentFigures(outcome.summary, outcome.result.confusionMatrix);
                row.attributes = figures.attributes;
                row.sizeBefore = figures.sizeBefore;
                row.sizeAfter = figures.sizeAfter;
                row.testErrorBeforePercent = figures.testErrorBeforePercent;
                row.testErrorAfterPercent = figures.testErrorAfterPercent;
                row.microF1 = figures.microF1;
                row.macroF1 = figures.macroF1;
                row.runFile =
                    (folder / (run->prepared.folder.filename().string() + ".c45p")).string();
                try {
                    saveC45Output(outcome.result.outputLines, row.runFile);
                } catch (const std::exception &error) {
                    row.error = error.what();
                    row.runFile.clear();
                }
            }
            const PreparedRun prepared = run->prepared;
            run = active.erase(run);
            record(prepared, row);
        }
    }
    std::vector<C45Process *> unfinished;
    for (ActiveRun &run : active)
        unfinished.push_back(run.process.get());
    C45Process::cancelTogether(unfinished);
    for (ActiveRun &run : active)
        fs::remove_all(run.prepared.folder, ignored);
    active.clear();

    std::vector<SeriesRow> rows;
    for (std::optional<SeriesRow> &row : finished)
        if (row)
            rows.push_back(std::move(*row));
    return rows;
}

void writeSeriesCsv(const std::vector<SeriesRow> &rows, const std::string &path) {
    AtomicFile file(path);
    std::ostream &out = file.stream();
    out.imbue(std::locale::classic());
    out << "min_df,top_ig,stemming,stop_words,c,m,attributes,size_before,size_after,"
           "test_error_before_pct,test_error_after_pct,micro_f1,macro_f1,seconds,error,"
           "run_file\n";
    for (const SeriesRow &row : rows)
        out << row.minDf << ',' << csvNumber(row.topIg) << ',' << row.stemming << ','
            << row.stopWords << ',' << csvNumber(row.confidence) << ',' << csvNumber(row.minCases)
            << ',' << csvNumber(row.attributes) << ',' << csvNumber(row.sizeBefore) << ','
            << csvNumber(row.sizeAfter) << ',' << csvNumber(row.testErrorBeforePercent) << ','
            << csvNumber(row.testErrorAfterPercent) << ',' << csvNumber(row.microF1) << ','
            << csvNumber(row.macroF1) << ',' << fixedNumber(row.seconds, 3) << ','
            << csvField(row.error) << ',' << csvField(runFileFrom(row.runFile, path)) << '\n';
    file.commit();
}

SeriesChart seriesChart(const std::vector<SeriesRow> &rows) {
    using Group = std::tuple<bool, bool, std::optional<int>, std::optional<float>>;
    const auto groupOf = [](const SeriesRow &row) {
        return Group(row.stemming, row.stopWords, row.minCases, row.confidence);
    };
    // A label names only the settings that differ between the rows; those
    // shared by all are the same for every line.
    std::map<Group, std::size_t> lineOf;
    bool stemmingVaries = false, stopWordsVary = false, minCasesVary = false,
         confidenceVaries = false;
    const SeriesRow *first = nullptr;
    for (const SeriesRow &row : rows) {
        if (!row.error.empty())
            continue;
        if (!first)
            first = &row;
        stemmingVaries |= row.stemming != first->stemming;
        stopWordsVary |= row.stopWords != first->stopWords;
        minCasesVary |= row.minCases != first->minCases;
        confidenceVaries |= row.confidence != first->confidence;
    }
    SeriesChart chart;
    chart.title = "Serija pokusa";
    for (const SeriesRow &row : rows) {
        if (!row.error.empty())
            continue;
        const auto found = lineOf.find(groupOf(row));
        std::size_t line = found == lineOf.end() ? chart.lines.size() : found->second;
        if (found == lineOf.end()) {
            lineOf.emplace(groupOf(row), line);
            std::vector<std::string> parts;
            if (stemmingVaries)
                parts.push_back(onOff(row.stemming, "Stemiranje"));
            if (stopWordsVary)
                parts.push_back(onOff(row.stopWords, "Stop riječi"));
            if (minCasesVary)
                parts.push_back(row.minCases ? "-m " + std::to_string(*row.minCases) : "-m zadano");
            if (confidenceVaries)
                parts.push_back(row.confidence ? "-c " + numberToString(*row.confidence)
                                               : "-c zadano");
            std::string label = parts.empty() ? "svi pokusi" : parts.front();
            for (std::size_t i = 1; i < parts.size(); ++i)
                label += ", " + parts[i];
            chart.lines.push_back({label, {}});
        }
        SeriesPoint point;
        point.attributes = row.attributes.value_or(0);
        point.testErrorPercent =
            row.testErrorAfterPercent ? *row.testErrorAfterPercent : std::nan("");
        point.treeSize = row.sizeAfter ? *row.sizeAfter : std::nan("");
        chart.lines[line].points.push_back(point);
    }
    return chart;
}
