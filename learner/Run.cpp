// Sequence of a run, batch or windowing.
#include "Run.h"

#include "CategoryRun.h"
#include "Classify.h"
#include "Dataset.h"
#include "Grow.h"
#include "InputError.h"
#include "Print.h"
#include "Prune.h"
#include "RegionFailure.h"
#include "Schema.h"
#include "Window.h"

#include <algorithm>
#include <exception>
#include <optional>

namespace {

// Runs first and second side by side when parallel (on OpenMP's threads, so
// that a run never holds more than the budget), else one after the other.
// The first exception of either is rethrown once both have ended.
template <class First, class Second>
void sideBySide(bool parallel, const First &first, const Second &second) {
    RegionFailure failure;
#pragma omp parallel sections num_threads(2) if (parallel)
    {
#pragma omp section
        failure.run(first);
#pragma omp section
        failure.run(second);
    }
    failure.rethrow();
}

struct Trial {
    Tree unpruned;
    Tree pruned;
    float estimate = 0;
};

// Prints the unpruned tree and, if pruning changed it, the pruned one.
Trial finish(Tree unpruned, const Dataset &data, const Schema &schema, const Options &options,
             std::ostream &out) {
    Trial trial;
    trial.unpruned = std::move(unpruned);
    trial.pruned = trial.unpruned;
    const bool changed =
        pruneTree(trial.pruned, data, allCases(data), options.confidence, trial.estimate);
    printTrees(out, trial.unpruned, trial.pruned, changed, schema);
    return trial;
}

// Rows of the evaluation table on cases, which are data's or the test
// cases; the assessment of the saved tree goes to saved. Each trial's two
// trees are assessed side by side.
std::vector<EvaluationRow> rowsFor(const std::vector<Trial> &trials, std::size_t best,
                                   const Dataset &data, const Dataset &cases, int classes,
                                   Assessment &saved) {
    std::vector<EvaluationRow> rows;
    for (std::size_t t = 0; t < trials.size(); ++t) {
        Assessment unpruned, pruned;
        sideBySide(
            threadBudget() > 1, [&] { unpruned = assess(trials[t].unpruned, cases, classes); },
            [&] { pruned = assess(trials[t].pruned, cases, classes); });
        EvaluationRow row;
        row.trial = static_cast<int>(t);
        row.unprunedSize = trials[t].unpruned.size();
        row.unprunedErrors = unpruned.errors;
        row.prunedSize = trials[t].pruned.size();
        row.prunedErrors = pruned.errors;
        row.estimate = trials[t].estimate;
        row.trainingItems = static_cast<float>(data.size());
        row.saved = t == best;
        rows.push_back(row);
        if (row.saved)
            saved = std::move(pruned);
    }
    return rows;
}

} // namespace

void runLearner(const Options &options, std::ostream &out) {
    if (options.perCategory)
        return runCategories(options, out);
    const std::string &stem = options.fileStem;
    Schema schema = readNames(stem + ".names");
    // The test cases are read alongside when a second thread is allowed,
    // unless the training cases can still add discrete values that the test
    // cases must then know. A problem with them shows only where they are
    // needed, after the training evaluation.
    Schema testSchema = schema;
    const bool fixedValues = std::none_of(schema.attributes.begin(), schema.attributes.end(),
                                          [](const Attribute &a) { return a.openValues > 0; });
    const bool early = options.evaluateTest && fixedValues && threadBudget() > 1;
    const auto read = [&options](const std::string &path, Schema &into) {
        return options.sparseFiles ? readSparseCases(path, into) : readCases(path, into);
    };
    Dataset data;
    std::optional<Dataset> earlyTest;
    std::exception_ptr testError;
    sideBySide(
        early, [&] { data = read(options.dataFile(), schema); },
        [&] {
            if (!early)
                return;
            try {
                earlyTest = read(options.testFile(), testSchema);
            } catch (...) {
                testError = std::current_exception();
            }
        });
    if (data.size() == 0)
        throw InputError({options.dataFile() + ": no cases"});
    const int classes = static_cast<int>(schema.classes.size());
    out << "\nRead " << data.size() << " cases (" << schema.attributes.size()
        << " attributes) from " << options.dataFile() << "\n";

    Grower grower(data, schema, options);
    std::vector<Trial> trials;
    std::size_t best = 0;
    if (!options.windowing()) {
        out << '\n';
        trials.push_back(finish(grower.grow(allCases(data)), data, schema, options, out));
        out << "\nTree saved\n";
    } else {
        Windowing windowing(data, classes, options);
        for (int t = 0; t < options.trials; ++t) {
            out << "\n--------\nTrial " << t << "\n--------\n\n";
            Tree tree = windowing.trial(grower, out);
            out << '\n';
            trials.push_back(finish(std::move(tree), data, schema, options, out));
            if (trials.back().estimate < trials[best].estimate)
                best = trials.size() - 1;
        }
        out << "\n--------\n";
        if (options.trials > 1)
            out << "\nBest tree from trial " << best << " saved\n";
        else
            out << "\nTree saved\n";
    }

    out << '\n';
    Assessment assessment;
    printEvaluation(out, "training data", static_cast<int>(data.size()),
                    rowsFor(trials, best, data, data, classes, assessment));
    if (!options.evaluateTest)
        return;
    if (testError)
        std::rethrow_exception(testError);
    const Dataset test = earlyTest ? std::move(*earlyTest) : read(options.testFile(), schema);
    printEvaluation(out, "test data", static_cast<int>(test.size()),
                    rowsFor(trials, best, data, test, classes, assessment));
    printConfusion(out, assessment, schema);
    printConfusionBlock(out, assessment, schema);
}
