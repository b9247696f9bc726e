// Shared parts of the tcw commands of the C4.5 side.
#include "RunReport.h"

#include "Options.h"

#include "c45/C45OutputFile.h"
#include "c45/NumberText.h"
#include "corpus/AtomicFile.h"
#include "measures/Measures.h"

#include <signal.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <iomanip>
#include <iostream>

namespace {

template <typename Number>
Number numberValue(const std::string &option, const std::string &text, const char *kind) {
    Number value{};
    const char *const end = text.data() + text.size();
    const std::from_chars_result read = std::from_chars(text.data(), end, value);
    if (text.empty() || read.ec != std::errc() || read.ptr != end || !std::isfinite(value))
        throw UsageError("option " + option + " needs " + kind + ", not " + text);
    return value;
}

// While a run is under way SIGINT, SIGTERM and SIGHUP go on to C4.5's
// process group, so that interrupting tcw never leaves C4.5 running.
// (timeout sends its signal twice: to tcw and to tcw's process group.)
volatile std::sig_atomic_t runGroup = 0;

extern "C" void forwardToRunGroup(int signal) {
    if (runGroup > 0)
        killpg(static_cast<pid_t>(runGroup), signal);
}

volatile std::sig_atomic_t interruptSignal = 0;
void (*volatile interruptReaction)(int) = nullptr;

extern "C" void noteInterrupt(int signal) {
    if (interruptSignal == 0)
        interruptSignal = signal;
    interruptReaction(signal);
}

const std::array<int, 3> interruptSignals{SIGINT, SIGTERM, SIGHUP};

std::string padded(const std::string &text, std::size_t width) {
    return text.size() >= width ? text : text + std::string(width - text.size(), ' ');
}

void printEvaluation(const std::string &title, const std::string &estimate,
                     const std::string &sizeBefore, const std::string &sizeAfter,
                     const std::string &errorsBefore, const std::string &errorsAfter,
                     std::ostream &out) {
    out << title << '\n'
        << "  Estimate: " << estimate << '\n'
        << "  Veličina stabla: BP " << sizeBefore << ", AP " << sizeAfter << '\n'
        << "  Broj grešaka: BP " << errorsBefore << ", AP " << errorsAfter << '\n';
}

void printMatrix(const ConfusionMatrix &matrix, std::ostream &out) {
    out << "Matrica zabune (redak: stvarna kategorija, stupac: dodijeljena)\n";
    std::size_t nameWidth = 0;
    for (const std::string &name : matrix.categoryNames)
        nameWidth = std::max(nameWidth, name.size());
    std::vector<int> widths;
    for (std::size_t j = 0; j < matrix.size(); ++j) {
        std::size_t width = matrix.categoryNames[j].size();
        for (std::size_t i = 0; i < matrix.size(); ++i)
            width = std::max(width, std::to_string(matrix.count(i, j)).size());
        widths.push_back(static_cast<int>(width));
    }
    out << "  " << std::string(nameWidth, ' ');
    for (std::size_t j = 0; j < matrix.size(); ++j)
        out << ' ' << std::setw(widths[j]) << matrix.categoryNames[j];
    out << '\n';
    for (std::size_t i = 0; i < matrix.size(); ++i) {
        out << "  " << padded(matrix.categoryNames[i], nameWidth);
        for (std::size_t j = 0; j < matrix.size(); ++j)
            out << ' ' << std::setw(widths[j]) << matrix.count(i, j);
        out << '\n';
    }
}

void printMeasures(const ConfusionMatrix &matrix, std::ostream &out) {
    const Measures measures = computeMeasures(matrix, false);
    std::size_t nameWidth = std::string("Kategorija").size();
    for (const CategoryMeasures &m : measures.categories)
        nameWidth = std::max(nameWidth, m.name.size());
    out << "Mjere\n  " << padded("Kategorija", nameWidth)
        << "  Broj dokumenata      f++      f+-      f-+   Recall Precision       F1\n";
    for (const CategoryMeasures &m : measures.categories) {
        out << "  " << padded(m.name, nameWidth) << std::setw(17) << m.documents;
        for (const float value :
             {m.fPlusPlus, m.fPlusMinus, m.fMinusPlus, m.recall, m.precision, m.f1})
            out << ' ' << std::setw(8) << fixedNumber(value, 2);
        out << '\n';
    }
    out << summaryLines(measures.summary);
}

std::string errorText(std::int64_t errors, std::int64_t decisions) {
    const std::string percent =
        decisions > 0 ? fixedNumber(100.0 * static_cast<double>(errors) / decisions, 1) : "n/a";
    return std::to_string(errors) + " (" + percent + "%)";
}

std::string averagesLine(const char *title, const Averages &averages) {
    return std::string(title) + ": preciznost " + rateText(averages.precision) + ", odziv " +
           rateText(averages.recall) + ", F1 " + rateText(averages.f1);
}

} // namespace

InterruptGuard::InterruptGuard(void (*react)(int)) {
    interruptSignal = 0;
    interruptReaction = react;
    struct sigaction note {};
    note.sa_handler = noteInterrupt;
    sigemptyset(&note.sa_mask);
    for (std::size_t i = 0; i < interruptSignals.size(); ++i) {
        sigaction(interruptSignals[i], nullptr, &previous_[i]);
        // A signal the caller ignores (nohup) stays ignored.
        if (previous_[i].sa_handler != SIG_IGN)
            sigaction(interruptSignals[i], &note, nullptr);
    }
}

InterruptGuard::~InterruptGuard() {
    for (std::size_t i = 0; i < interruptSignals.size(); ++i)
        sigaction(interruptSignals[i], &previous_[i], nullptr);
    if (interruptSignal != 0) {
        std::cout << std::flush;
        std::raise(interruptSignal);
    }
}

int InterruptGuard::received() {
    return interruptSignal;
}


C45Options takeC45Options(Arguments &arguments) {
    C45Options options;
    Arguments rest;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string &argument = arguments[i];
        if (argument == "-s") {
            options.discreteGroups = true;
            continue;
        }
        if (argument != "-m" && argument != "-c" && argument != "-t") {
            rest.push_back(argument);
            continue;
        }
        if (++i == arguments.size())
            throw UsageError("option " + argument + " needs a value");
        if (argument == "-c")
            options.confidence = numberValue<float>(argument, arguments[i], "a number");
        else
            (argument == "-m" ? options.minCases : options.trials) =
                numberValue<long>(argument, arguments[i], "a whole number");
    }
    if (const std::optional<std::string> problem = c45OptionsProblem(options))
        throw UsageError(*problem);
    arguments = rest;
    return options;
}

std::optional<std::string> takeOperand(Arguments &arguments) {
    const auto operand = std::find_if(arguments.begin(), arguments.end(), [](const std::string &a) {
        return a.empty() || a[0] != '-';
    });
    if (operand == arguments.end())
        return std::nullopt;
    std::string value = *operand;
    arguments.erase(operand);
    return value;
}

void printRunReport(const C45Summary &summary, const ConfusionMatrix &matrix, std::ostream &out) {
    const C45PageTexts t = pageTexts(summary, TextForm::Plain);
    out << "Dokumenti\n"
        << "  Broj train dokumenata: " << t.trainCount << '\n'
        << "  Broj test dokumenata: " << t.testCount << '\n'
        << "  Broj kategorija: " << t.categoryCount << '\n'
        << "  Broj atributa: " << t.attributeCount << '\n'
        << "Stablo odluke\n"
        << "  Veličina BP: " << t.trainSizeBefore << '\n'
        << "  Veličina AP: " << t.trainSizeAfter << '\n';
    printEvaluation("Evaluation on training data", t.trainEstimate, t.trainSizeBefore,
                    t.trainSizeAfter, t.trainErrorsBefore, t.trainErrorsAfter, out);
    printEvaluation("Evaluation on test data", t.testEstimate.value_or("n/a"), t.testSizeBefore,
                    t.testSizeAfter, t.testErrorsBefore, t.testErrorsAfter, out);
    printMatrix(matrix, out);
    printMeasures(matrix, out);
}

void printCategoryRunReport(const ParsedCategoryReport &run, std::ostream &out) {
    const CategoryReport &report = run.report;
    const CategorySummary &summary = run.summary;
    const PooledErrors errors = pooledTestErrors(report);
    out << "Dokumenti\n"
        << "  Broj train dokumenata: " << report.trainingCases << '\n'
        << "  Broj test dokumenata: " << report.testCases << '\n'
        << "  Broj kategorija: " << report.categories.size() << '\n'
        << "  Broj atributa: " << report.attributes << '\n'
        << "Stabla odluke po kategorijama\n"
        << "  Zbroj veličina: BP " << summary.unprunedSize << ", AP " << summary.prunedSize
        << '\n'
        << "  Broj grešaka na test podacima (sve odluke): BP "
        << errorText(errors.before, errors.decisions) << ", AP "
        << errorText(errors.after, errors.decisions) << '\n';
    std::size_t nameWidth = std::string("Kategorija").size();
    for (const CategorySection &c : report.categories)
        nameWidth = std::max(nameWidth, c.name.size());
    out << "Mjere po kategorijama\n  " << padded("Kategorija", nameWidth)
        << "  Train   Test     TP     FP     FN     TN Preciznost  Odziv     F1  Veličina AP\n";
    for (const CategorySection &c : report.categories) {
        const Averages own = binaryAverages(c.table);
        out << "  " << padded(c.name, nameWidth) << ' ' << std::setw(6) << c.trainingCases << ' '
            << std::setw(6) << c.testCases;
        for (const std::int64_t count : {c.table.tp, c.table.fp, c.table.fn, c.table.tn})
            out << ' ' << std::setw(6) << count;
        out << ' ' << std::setw(10) << rateText(own.precision) << ' ' << std::setw(6)
            << rateText(own.recall) << ' ' << std::setw(6) << rateText(own.f1) << ' '
            << std::setw(12) << c.prunedSize << '\n';
    }
    out << averagesLine("Mikroprosjek", summary.micro) << '\n'
        << averagesLine("Makroprosjek", summary.macro)
        << " (kategorija s pozitivnim test dokumentima: " << summary.macroCategories << ")\n";
}

void checkSavePath(const std::string &saveAs) {
    if (!saveAs.empty())
        AtomicFile probe(saveAs);
}

int runAndReport(const C45RunRequest &request, const std::string &saveAs, std::ostream &out) {
    checkSavePath(saveAs);
    C45Process::Outcome run;
    {
        runGroup = 0;
        InterruptGuard interrupts(forwardToRunGroup);
        C45Process process(request, out);
        const pid_t group = process.processGroup();
        runGroup = group;
        if (InterruptGuard::received() != 0 && group > 0)
            killpg(group, InterruptGuard::received());
        run = process.finish();
        runGroup = 0;
        if (InterruptGuard::received() != 0) {
            out << std::flush;
            if (const std::optional<std::string> failure = runFailure(run))
                std::cerr << *failure << '\n';
        }
    }
    const std::optional<std::string> failure = runFailure(run);
    if (!request.perCategory)
        printRunReport(run.summary, run.result.confusionMatrix, out);
    else if (!failure)
        printCategoryRunReport(parseCategoryReport(run.result.outputLines), out);
    if (!failure) {
        if (!saveAs.empty())
            saveC45Output(run.result.outputLines, saveAs);
        return 0;
    }
    out << std::flush;
    std::cerr << *failure << '\n';
    return 1;
}

C45RunResult loadRun(const std::string &path, C45Summary &summary) {
    C45RunResult result;
    result.outputLines = loadC45Output(path);
    summary = parseC45Output(result, true);
    return result;
}

void printLoadedRun(const C45RunResult &run, const C45Summary &summary, std::ostream &out) {
    if (isPerCategoryRun(run.outputLines))
        printCategoryRunReport(parseCategoryReport(run.outputLines), out);
    else
        printRunReport(summary, run.confusionMatrix, out);
}
