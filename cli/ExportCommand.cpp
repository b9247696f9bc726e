// tcw export: corpus folder or state file to C4.5 file set.
#include "Command.h"
#include "CorpusSteps.h"
#include "Options.h"

#include "series/Experiment.h"

#include <chrono>
#include <ctime>
#include <iostream>

namespace {

struct ExportOptions {
    std::string directory;
    std::string state;
    std::string stem;
    int minDf = 1;
    int topIg = 0;
    bool stemming = false;
    bool multiCategory = false;
    bool stemStopWords = false;
    std::string stopWords;
    bool informationGain = false;
    bool timing = false;
    std::string format = "c45";
};

// Prints "time PHASE WALL_SECONDS CPU_SECONDS" on standard error when timing
// was asked for; the processor time tells the work apart from waiting on a
// busy machine.
class PhaseClock {
public:
    explicit PhaseClock(bool enabled) : enabled_(enabled) {}

    void lap(const char *phase) {
        const auto wall = std::chrono::steady_clock::now();
        const std::clock_t cpu = std::clock();
        if (enabled_)
            std::cerr << "time " << phase << ' '
                      << std::chrono::duration<double>(wall - wall_).count() << ' '
                      << static_cast<double>(cpu - cpu_) / CLOCKS_PER_SEC << std::endl;
        wall_ = wall;
        cpu_ = cpu;
    }

private:
    bool enabled_;
    std::chrono::steady_clock::time_point wall_ = std::chrono::steady_clock::now();
    std::clock_t cpu_ = std::clock();
};

} // namespace

int runExport(const Arguments &arguments) {
    ExportOptions options;
    OptionParser parser("export (--dir DIR | --state FILE.tpp) --stem STEM [options]",
                        "Reads a folder of .xml document files (or a saved .tpp state), selects "
                        "the attribute words\nand writes the C4.5 file set STEM.info, "
                        "STEM.names, STEM.data and STEM.test\n(with --format libsvm: "
                        "STEM.data.svm and STEM.test.svm in place of the last two),\nand STEM.tokens, "
                        "which tells tcw classify how the texts were counted.");
    parser.text("dir", "DIR", options.directory, "folder of .xml document files to parse");
    parser.text("state", "FILE.tpp", options.state, "state file to read instead of a folder");
    parser.text("stem", "STEM", options.stem, "path stem of the four files to write");
    parser.number("min-df", "N", options.minDf,
                  "keep words found in at least N training documents (default 1)");
    parser.number("top-ig", "K", options.topIg,
                  "then keep only the K words of highest information gain");
    parser.flag("stemming", options.stemming, "reduce words to their Porter stems (with --dir)");
    parser.flag("multi-category", options.multiCategory,
                "keep every category word of a document (with --dir; sparse cases only)");
    parser.text("stop-words", "FILE", options.stopWords, "leave out the words listed in FILE");
    parser.flag("stem-stop-words", options.stemStopWords,
                "with --stemming, stem the listed words too before leaving them out");
    parser.flag("ig", options.informationGain, "compute the information gain of every word");
    parser.text("format", "c45|libsvm", options.format,
                "dense C4.5 cases (default) or sparse LIBSVM cases");
    parser.flag("timing", options.timing, "print the seconds of each phase on standard error");
    if (!parser.parse(arguments, std::cout))
        return 0;
    if (parser.given("dir") == parser.given("state"))
        throw UsageError("give exactly one of --dir and --state");
    if (!parser.given("stem"))
        throw UsageError("--stem is required");
    if (options.stemming && parser.given("state"))
        throw UsageError("--stemming applies only when parsing a folder with --dir");
    if (options.stemStopWords && !options.stemming)
        throw UsageError("--stem-stop-words applies only with --stemming");
    if (options.multiCategory && parser.given("state"))
        throw UsageError("--multi-category applies only when parsing a folder with --dir: a state "
                         "file keeps the mode it was saved in");
    bool sparse = fileSetLayout(parser, options.format, options.multiCategory);
    checkMinDf(options.minDf);
    const std::optional<int> top = topIgOption(parser, options.topIg);

    TextProcessor engine;
    engine.setFileStem(options.stem);
    PhaseClock clock(options.timing);
    if (parser.given("dir")) {
        engine.multiCategory = options.multiCategory;
        parseFolder(engine, options.directory, options.stemming);
        clock.lap("parse");
    } else {
        loadState(engine, options.state);
        sparse = fileSetLayout(parser, options.format, engine.multiCategory);
        clock.lap("load");
    }
    if (options.informationGain) {
        engine.computeInformationGain();
        clock.lap("ig");
    }
    selectAttributes(engine, {options.minDf, top, parser.given("stop-words"), options.stopWords,
                              options.stemStopWords});
    engine.printSelectedWordCount();
    clock.lap("select");
    if (sparse)
        engine.writeSparseFiles();
    else
        engine.writeC45Files();
    clock.lap("export");
    return 0;
}
