#include "c45/C45Output.h"

#include "c45/NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace {

bool beginsWith(const std::string &line, const std::string &prefix) {
    return line.compare(0, prefix.size(), prefix) == 0;
}

bool endsWith(const std::string &line, const std::string &suffix) {
    return line.size() >= suffix.size() &&
           line.compare(line.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// Reads a line token by token, blanks between tokens skipped, numbers of
// any width read in the C locale's notation whatever the process locale.
class FieldReader {
public:
    explicit FieldReader(const std::string &line)
        : next_(line.data()), end_(line.data() + line.size()) {}

    template <typename Number> bool number(Number &value) {
        skipBlanks();
        const std::from_chars_result read = std::from_chars(next_, end_, value);
        if (read.ec != std::errc())
            return false;
        next_ = read.ptr;
        return true;
    }

    // Each character of text after blanks; a blank in text stands for any
    // number of blanks.
    bool literal(const char *text) {
        for (; *text != '\0'; ++text) {
            skipBlanks();
            if (*text == ' ')
                continue;
            if (next_ == end_ || *next_ != *text)
                return false;
            ++next_;
        }
        return true;
    }

    bool atTab() const { return next_ != end_ && *next_ == '\t'; }

private:
    void skipBlanks() {
        while (next_ != end_ && (*next_ == ' ' || *next_ == '\t'))
            ++next_;
    }

    const char *next_;
    const char *end_;
};

// "(P%)"; a percentage of no cases ("-nan") is read past but is no figure,
// so it leaves target absent.
bool readPercent(FieldReader &row, std::optional<float> &target) {
    float percent = 0;
    if (!row.literal("(") || !row.number(percent) || !row.literal("%)"))
        return false;
    target = std::isnan(percent) ? std::nullopt : std::optional<float>(percent);
    return true;
}

// One row of an evaluation table, "  13    2( 9.5%)      9    3(14.3%)
// (33.6%)   <<" in whatever widths the numbers take; the fields up to the
// first one that does not match are stored, the others keep what an
// earlier line gave them.
void readRow(FieldReader &row, C45Evaluation &evaluation) {
    int count = 0;
    if (!row.number(count))
        return;
    evaluation.sizeBeforePruning = count;
    if (!row.number(count))
        return;
    evaluation.errorsBeforePruning = count;
    if (!readPercent(row, evaluation.errorPercentBeforePruning))
        return;
    if (!row.number(count))
        return;
    evaluation.sizeAfterPruning = count;
    if (!row.number(count))
        return;
    evaluation.errorsAfterPruning = count;
    if (!readPercent(row, evaluation.errorPercentAfterPruning))
        return;
    readPercent(row, evaluation.estimatePercent);
}

// A windowing table's row starts with the trial number and a tab.
bool isTrialRow(const std::string &line) {
    FieldReader row(line);
    int trial = 0;
    return row.number(trial) && row.atTab();
}

// The table starts at heading + 6. A windowing run (-t 2 or more) prints
// "Trial" on the table's first heading line and one row per trial; the
// saved tree's row is the one that ends in "<<".
void readEvaluationTable(const std::vector<std::string> &lines, std::size_t heading,
                         C45Evaluation &evaluation) {
    const std::size_t firstRow = heading + 6;
    if (firstRow >= lines.size())
        return;
    if (!beginsWith(lines[heading + 2], "Trial")) {
        FieldReader row(lines[firstRow]);
        readRow(row, evaluation);
        return;
    }
    for (std::size_t row = firstRow; row < lines.size() && isTrialRow(lines[row]); ++row) {
        if (!endsWith(lines[row], "<<"))
            continue;
        FieldReader fields(lines[row]);
        int trial = 0;
        fields.number(trial);
        readRow(fields, evaluation);
        return;
    }
}

// "Evaluation on training data (21 items):" and the like: the number after
// the heading's text.
void readItems(const std::string &line, const char *heading, C45Evaluation &evaluation) {
    FieldReader reader(line);
    int items = 0;
    if (reader.literal(heading) && reader.number(items))
        evaluation.items = items;
}

// A count line as a string stream reads it: leading white space and a "+"
// skipped, text after the number ignored.
bool readCount(const std::string &line, long long &value) {
    const std::size_t start = line.find_first_not_of(" \t\n\v\f\r");
    if (start == std::string::npos)
        return false;
    const char *first = line.data() + start;
    const char *const end = line.data() + line.size();
    if (*first == '+' && first + 1 != end && *(first + 1) != '-')
        ++first;
    return std::from_chars(first, end, value).ec == std::errc();
}

ConfusionMatrix readMatrix(const std::vector<std::string> &lines, std::size_t cmLine) {
    ConfusionMatrix matrix;
    long long k = 0;
    if (cmLine + 1 >= lines.size() || !readCount(lines[cmLine + 1], k) || k < 0 ||
        static_cast<unsigned long long>(k) >= lines.size())
        return matrix;
    const std::size_t width = static_cast<std::size_t>(k) + 1;
    std::vector<std::int32_t> counts;
    std::size_t j = cmLine + 2;
    while (matrix.categoryNames.size() < width && j < lines.size() && lines[j] == "+") {
        const std::size_t nameLine = j + width + 1;
        if (nameLine >= lines.size())
            break;
        std::vector<std::int32_t> row;
        for (std::size_t c = 1; c <= width; ++c) {
            long long value = 0;
            if (!readCount(lines[j + c], value) || value < 0 ||
                value > std::numeric_limits<std::int32_t>::max())
                break;
            row.push_back(static_cast<std::int32_t>(value));
        }
        if (row.size() != width)
            break;
        counts.insert(counts.end(), row.begin(), row.end());
        matrix.categoryNames.push_back(lines[nameLine]);
        j = nameLine + 1;
    }
    const std::size_t n = matrix.categoryNames.size();
    for (std::size_t i = 0; i < n; ++i)
        for (std::size_t c = 0; c < n; ++c)
            matrix.counts.push_back(counts[i * width + c]);
    return matrix;
}

std::string textOf(const std::optional<int> &value) {
    return value ? std::to_string(*value) : "n/a";
}

std::string percentText(const std::optional<float> &value) {
    return value ? numberToString(*value) + "%" : "n/a";
}

std::string errorsText(const std::optional<int> &errors, const std::optional<float> &percent) {
    if (!errors)
        return "n/a";
    return std::to_string(*errors) + " (" + percentText(percent) + ")";
}

template <typename T> void printValue(std::ostream &out, const std::optional<T> &value) {
    if (value)
        out << *value;
    else
        out << "n/a";
}

} // namespace

void resetRunResult(C45RunResult &result) {
    result.outputLines.clear();
    result.confusionMatrix.clear();
}

bool C45Evaluation::operator==(const C45Evaluation &other) const {
    return items == other.items && sizeBeforePruning == other.sizeBeforePruning &&
           errorsBeforePruning == other.errorsBeforePruning &&
           errorPercentBeforePruning == other.errorPercentBeforePruning &&
           sizeAfterPruning == other.sizeAfterPruning &&
           errorsAfterPruning == other.errorsAfterPruning &&
           errorPercentAfterPruning == other.errorPercentAfterPruning &&
           estimatePercent == other.estimatePercent;
}

C45Summary parseC45Output(C45RunResult &result, bool hasTest) {
    const std::vector<std::string> &lines = result.outputLines;
    C45Summary summary;
    summary.hasTest = hasTest;
    std::optional<std::size_t> cmLine;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (beginsWith(lines[i], "Read")) {
            FieldReader read(lines[i]);
            int count = 0;
            if (read.literal("Read") && read.number(count)) {
                summary.training.items = count;
                if (read.literal("cases (") && read.number(count))
                    summary.attributes = count;
            }
        }
        if (beginsWith(lines[i], "Evaluation on training data")) {
            readItems(lines[i], "Evaluation on training data (", summary.training);
            readEvaluationTable(lines, i, summary.training);
            i += 2;
        }
        if (i >= lines.size())
            break;
        if (hasTest && beginsWith(lines[i], "Evaluation on test data")) {
            readItems(lines[i], "Evaluation on test data (", summary.test);
            readEvaluationTable(lines, i, summary.test);
        }
        if (lines[i] == "<CM>") {
            cmLine = i;
            break;
        }
    }
    result.confusionMatrix = cmLine ? readMatrix(lines, *cmLine) : ConfusionMatrix();
    if (cmLine)
        summary.categoryCount = static_cast<int>(result.confusionMatrix.size());
    return summary;
}

C45PageTexts pageTexts(const C45Summary &summary, TextForm form) {
    const C45Evaluation &train = summary.training;
    C45PageTexts texts;
    texts.trainCount = textOf(train.items);
    texts.categoryCount = textOf(summary.categoryCount);
    texts.attributeCount = textOf(summary.attributes);
    texts.trainSizeBefore = textOf(train.sizeBeforePruning);
    texts.trainErrorsBefore =
        errorsText(train.errorsBeforePruning, train.errorPercentBeforePruning);
    texts.trainSizeAfter = textOf(train.sizeAfterPruning);
    texts.trainErrorsAfter = errorsText(train.errorsAfterPruning, train.errorPercentAfterPruning);
    texts.trainEstimate = percentText(train.estimatePercent);
    const C45Evaluation test = summary.hasTest ? summary.test : C45Evaluation();
    texts.testCount = textOf(test.items);
    texts.testSizeBefore = textOf(test.sizeBeforePruning);
    texts.testErrorsBefore = errorsText(test.errorsBeforePruning, test.errorPercentBeforePruning);
    texts.testSizeAfter = textOf(test.sizeAfterPruning);
    texts.testErrorsAfter = errorsText(test.errorsAfterPruning, test.errorPercentAfterPruning);
    if (summary.hasTest)
        texts.testEstimate = percentText(test.estimatePercent);
    if (form == TextForm::Plain)
        return texts;
    for (std::string *text :
         {&texts.trainCount, &texts.testCount, &texts.categoryCount, &texts.attributeCount,
          &texts.trainSizeBefore, &texts.trainErrorsBefore, &texts.trainSizeAfter,
          &texts.trainErrorsAfter, &texts.testSizeBefore, &texts.testErrorsBefore,
          &texts.testSizeAfter, &texts.testErrorsAfter})
        *text = smallBoldMarkup(*text);
    return texts;
}

std::ostream &operator<<(std::ostream &out, const C45Evaluation &evaluation) {
    out << "items ";
    printValue(out, evaluation.items);
    out << " before ";
    printValue(out, evaluation.sizeBeforePruning);
    out << '/';
    printValue(out, evaluation.errorsBeforePruning);
    out << '/';
    printValue(out, evaluation.errorPercentBeforePruning);
    out << " after ";
    printValue(out, evaluation.sizeAfterPruning);
    out << '/';
    printValue(out, evaluation.errorsAfterPruning);
    out << '/';
    printValue(out, evaluation.errorPercentAfterPruning);
    out << " estimate ";
    printValue(out, evaluation.estimatePercent);
    return out;
}

std::ostream &operator<<(std::ostream &out, const C45RunResult &result) {
    out << result.outputLines.size() << " lines, matrix " << result.confusionMatrix;
    for (const std::string &line : result.outputLines)
        out << "\n  |" << line;
    return out;
}

C45Summary summaryOfCategoryRun(const ParsedCategoryReport &run) {
    const CategoryReport &report = run.report;
    const auto clamped = [](std::int64_t value) {
        return static_cast<int>(std::min<std::int64_t>(value, std::numeric_limits<int>::max()));
    };
    const auto evaluation = [&](int cases, std::int64_t before, std::int64_t after) {
        C45Evaluation e;
        e.items = cases;
        e.sizeBeforePruning = clamped(run.summary.unprunedSize);
        e.sizeAfterPruning = clamped(run.summary.prunedSize);
        e.errorsBeforePruning = clamped(before);
        e.errorsAfterPruning = clamped(after);
        const double decisions = static_cast<double>(cases) * report.categories.size();
        // To one decimal, as the learner prints its percentages.
        const auto percent = [&](std::int64_t errors) {
            return static_cast<float>(std::round(1000.0 * errors / decisions) / 10);
        };
        if (decisions > 0) {
            e.errorPercentBeforePruning = percent(before);
            e.errorPercentAfterPruning = percent(after);
        }
        return e;
    };
    std::int64_t trainingBefore = 0, trainingAfter = 0;
    for (const CategorySection &c : report.categories) {
        trainingBefore += c.trainingErrorsBefore;
        trainingAfter += c.trainingErrorsAfter;
    }
    const PooledErrors test = pooledTestErrors(report);
    C45Summary summary;
    summary.hasTest = true;
    summary.attributes = report.attributes;
    summary.categoryCount = static_cast<int>(report.categories.size());
    summary.training = evaluation(report.trainingCases, trainingBefore, trainingAfter);
    summary.test = evaluation(report.testCases, test.before, test.after);
    return summary;
}
