#include "c45/C45OutputFile.h"

#include "c45/CategoryReport.h"

#include "corpus/AtomicFile.h"
#include "corpus/FileError.h"
#include "corpus/ReadFile.h"

#include <algorithm>
#include <initializer_list>
#include <new>

namespace {

bool beginsWith(const std::string &line, const char *prefix) {
    return line.rfind(prefix, 0) == 0;
}

bool endsWith(const std::string &line, const std::string &suffix) {
    return line.size() >= suffix.size() &&
           line.compare(line.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// Reads the parts of a run in the order the learner prints them.
class RunParts {
public:
    explicit RunParts(const std::vector<std::string> &lines) : lines_(lines) {}

    // Moves past the first line from here that starts with one of the
    // prefixes; false when there is none.
    bool find(std::initializer_list<const char *> prefixes) {
        for (; next_ < lines_.size(); ++next_)
            for (const char *prefix : prefixes)
                if (beginsWith(lines_[next_], prefix)) {
                    ++next_;
                    return true;
                }
        return false;
    }

    // The evaluation under the heading with that prefix, up to the row of
    // the saved tree: the rows begin five lines below the heading and end
    // at an empty line.
    bool findEvaluation(const char *heading) {
        if (!find({heading}))
            return false;
        for (next_ += 5; next_ < lines_.size() && !lines_[next_].empty(); ++next_)
            if (endsWith(lines_[next_], "<<")) {
                ++next_;
                return true;
            }
        return false;
    }

private:
    const std::vector<std::string> &lines_;
    std::size_t next_ = 0;
};

} // namespace

std::optional<std::string> c45RunProblem(const std::vector<std::string> &lines) {
    RunParts parts(lines);
    if (!parts.find({"C4.5 [release 8] decision tree generator"}))
        return "no C4.5 output in it";
    const auto error = std::find_if(lines.begin(), lines.end(), [](const std::string &line) {
        return beginsWith(line, "ERROR:");
    });
    if (error != lines.end())
        return "the run ended in an error: " + *error;
    const auto read = std::find_if(lines.begin(), lines.end(), [](const std::string &line) {
        return beginsWith(line, "Read ");
    });
    const bool withTest =
        std::find(lines.begin(), read, "\tTrees evaluated on unseen cases") != read;
    if (isPerCategoryRun(lines)) {
        try {
            parseCategoryReport(lines);
            return std::nullopt;
        } catch (const CategoryReportError &e) {
            return std::string("incomplete per-category run, ") + e.what();
        }
    }
    const std::string incomplete = "incomplete C4.5 run, no ";
    if (!parts.find({"Read "}))
        return incomplete + "line of the cases read";
    if (!parts.find({"Decision Tree:"}))
        return incomplete + "decision tree";
    if (!parts.find({"Tree saved", "Best tree from trial"}))
        return incomplete + "line of the tree saved";
    if (!parts.findEvaluation("Evaluation on training data ("))
        return incomplete + "evaluation on training data";
    if (!withTest)
        return std::nullopt;
    if (!parts.findEvaluation("Evaluation on test data ("))
        return incomplete + "evaluation on test data";
    if (!parts.find({"<CM>"}) || !parts.find({"</CM>"}))
        return incomplete + "confusion matrix";
    return std::nullopt;
}

void saveC45Output(const std::vector<std::string> &lines, const std::string &path) {
    AtomicFile file(path);
    for (const std::string &line : lines)
        file.stream() << line << '\n';
    file.commit();
}

std::vector<std::string> loadC45Output(const std::string &path) {
    std::string content;
    readWholeFile(path, content);
    try {
        std::vector<std::string> lines;
        for (std::size_t start = 0; start < content.size();) {
            const std::size_t end = std::min(content.find('\n', start), content.size());
            lines.emplace_back(content, start, end - start);
            start = end + 1;
        }
        if (const std::optional<std::string> problem = c45RunProblem(lines))
            throw FileError::malformed(path, *problem);
        return lines;
    } catch (const std::bad_alloc &) {
        throw FileError::outOfMemory(path);
    }
}
