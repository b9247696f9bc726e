// Shared parts of the tcw commands of the C4.5 side.
#include "RunReport.h"

#include "Options.h"

#include "c45/C45OutputFile.h"
#include "measures/Measures.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iomanip>
#include <iostream>

namespace {

float numberValue(const std::string &option, const std::string &text) {
    char *end = nullptr;
    const float value = std::strtof(text.c_str(), &end);
    if (text.empty() || *end != '\0' || !std::isfinite(value))
        throw UsageError("option " + option + " needs a number, not " + text);
    return value;
}

std::string fixed2(float value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.2f", static_cast<double>(value));
    return text;
}

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
            out << ' ' << std::setw(8) << fixed2(value);
        out << '\n';
    }
    out << summaryLines(measures.summary);
}

} // namespace

C45Options takeC45Options(Arguments &arguments) {
    C45Options options;
    Arguments rest;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string &argument = arguments[i];
        if (argument == "-s") {
            options.discreteGroups = true;
            continue;
        }
        std::optional<float> *target = argument == "-m"   ? &options.minCases
                                       : argument == "-c" ? &options.confidence
                                       : argument == "-t" ? &options.trials
                                                          : nullptr;
        if (target == nullptr) {
            rest.push_back(argument);
            continue;
        }
        if (++i == arguments.size())
            throw UsageError("option " + argument + " needs a value");
        *target = numberValue(argument, arguments[i]);
    }
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

int runAndReport(const C45RunRequest &request, const std::string &saveAs, std::ostream &out) {
    const C45Process::Outcome run = runC45(request, out);
    if (!saveAs.empty())
        saveC45Output(run.result.outputLines, saveAs);
    printRunReport(run.summary, run.result.confusionMatrix, out);
    if (run.exitStatus == 0)
        return 0;
    out << std::flush;
    std::cerr << request.program
              << (run.exitStatus ? " ended with status " + std::to_string(*run.exitStatus)
                                 : std::string(" did not end normally"))
              << '\n';
    return 1;
}

C45RunResult loadRun(const std::string &path, C45Summary &summary) {
    C45RunResult result;
    result.outputLines = loadC45Output(path);
    summary = parseC45Output(result, true);
    return result;
}
