#include "classify/Classifier.h"

#include "corpus/FileError.h"
#include "corpus/ReadFile.h"
#include "corpus/TextProcessor.h"
#include "corpus/TokenizerFile.h"

#include "c45/C45Runner.h"

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <sstream>

namespace {

bool holds(const TreeNode &branch, int count) {
    const float value = static_cast<float>(count);
    return branch.kind == TestKind::AtMost ? value <= branch.threshold : value > branch.threshold;
}

// The text between open and close from position from, or npos.
std::size_t element(const std::string &text, std::size_t from, std::size_t to, const char *open,
                    const char *close, std::string &inside) {
    const std::string openTag = open;
    const std::size_t start = text.find(openTag, from);
    if (start == std::string::npos || start >= to)
        return std::string::npos;
    const std::size_t end = text.find(close, start + openTag.size());
    if (end == std::string::npos || end >= to)
        return std::string::npos;
    inside = text.substr(start + openTag.size(), end - start - openTag.size());
    return end;
}

std::string joinedWords(const WordCountMap &words) {
    std::string joined;
    for (const auto &word : words)
        joined += (joined.empty() ? "" : " ") + word.first;
    return joined;
}

std::string trimmed(const std::string &text) {
    const std::size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return "";
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// The categories of the first line up to its '.', and the attribute names
// of the "word: continuous." lines after it.
void readNames(const std::string &stem, RunClassifier &run, std::vector<std::string> &ordered) {
    const std::string path = stem + ".names";
    std::string text;
    readWholeFile(path, text);
    std::size_t line = 0;
    bool first = true;
    for (std::size_t at = 0; at < text.size(); at = line + 1) {
        line = std::min(text.find('\n', at), text.size());
        const std::string content = trimmed(text.substr(at, line - at));
        if (content.empty())
            continue;
        const std::size_t end = content.find(first ? '.' : ':');
        if (end == std::string::npos)
            throw FileError::malformed(path, "the line \"" + content + "\" lacks its " +
                                                 (first ? "'.'" : "':'"));
        if (!first) {
            ordered.push_back(trimmed(content.substr(0, end)));
            run.attributes.insert(ordered.back());
            continue;
        }
        first = false;
        const std::string classes = content.substr(0, end);
        for (std::size_t c = 0; c <= classes.size();) {
            const std::size_t comma = std::min(classes.find(',', c), classes.size());
            run.categories.push_back(trimmed(classes.substr(c, comma - c)));
            c = comma + 1;
        }
    }
    if (run.categories.empty())
        throw FileError::malformed(path, "no categories");
}

// A training case: its word counts and its categories (positions in
// STEM.names).
struct TrainingCase {
    WordCountMap counts;
    std::vector<int> categories;
};

// The training cases of the file set, from STEM.data.svm when the set is
// sparse, else from STEM.data; none when neither can be read or a line is
// not as the workbench writes it.
std::vector<TrainingCase> readTrainingCases(const std::string &stem,
                                            const std::vector<std::string> &categories,
                                            const std::vector<std::string> &attributes) {
    std::vector<TrainingCase> cases;
    std::string text;
    const bool sparse = isSparseFileSet(stem);
    try {
        if (!readRegularFile(stem + (sparse ? ".data.svm" : ".data"), text))
            return {};
    } catch (const FileError &) {
        return {};
    }
    for (std::size_t at = 0, end = 0; at < text.size(); at = end + 1) {
        end = std::min(text.find('\n', at), text.size());
        std::istringstream line(text.substr(at, end - at));
        TrainingCase c;
        std::string field;
        if (sparse) {
            line >> field;
            std::istringstream labels(field);
            for (std::string label; std::getline(labels, label, ',');)
                c.categories.push_back(std::atoi(label.c_str()));
            for (std::string entry; line >> entry;) {
                const std::size_t colon = entry.find(':');
                const std::size_t a = std::strtoul(entry.c_str(), nullptr, 10);
                if (colon == std::string::npos || a < 1 || a > attributes.size())
                    return {};
                c.counts[attributes[a - 1]] = std::atoi(entry.c_str() + colon + 1);
            }
        } else {
            for (std::size_t a = 0; std::getline(line, field, ','); ++a) {
                if (a == attributes.size()) {
                    const auto found =
                        std::find(categories.begin(), categories.end(), trimmed(field));
                    if (found == categories.end())
                        return {};
                    c.categories.push_back(static_cast<int>(found - categories.begin()));
                } else if (const int count = std::atoi(field.c_str()); count != 0) {
                    c.counts[attributes[a]] = count;
                }
            }
        }
        if (c.categories.empty())
            return {};
        cases.push_back(std::move(c));
    }
    return cases;
}

// A leaf gives a case the class of largest weight among the training cases
// that reach it, the earliest (in classes) on a tie; the learner prints a
// pruned leaf with the class it had before, which on a tie can be another.
// So each leaf's category becomes the one it gives, found by sending the
// training cases down the tree; classOf names a case's class.
void settleTiedLeaves(DecisionTree &tree, const std::vector<std::string> &classes,
                      const std::vector<TrainingCase> &cases,
                      const std::function<int(const TrainingCase &)> &classOf) {
    std::vector<std::vector<int>> counts(tree.nodes.size(), std::vector<int>(classes.size()));
    for (const TrainingCase &c : cases)
        ++counts[static_cast<std::size_t>(classifyCounts(tree, c.counts).leaf)]
                [static_cast<std::size_t>(classOf(c))];
    for (std::size_t n = 0; n < tree.nodes.size(); ++n) {
        TreeNode &leaf = tree.nodes[n];
        const std::vector<int> &dist = counts[n];
        const auto printed = std::find(classes.begin(), classes.end(), leaf.category);
        if (!leaf.isLeaf() || printed == classes.end())
            continue;
        const auto best = std::max_element(dist.begin(), dist.end());
        if (*best > 0 && *best == dist[static_cast<std::size_t>(printed - classes.begin())])
            leaf.category = classes[static_cast<std::size_t>(best - dist.begin())];
    }
}

} // namespace

TreePath classifyCounts(const DecisionTree &tree, const WordCountMap &counts) {
    TreePath path;
    int index = 0;
    while (!tree.nodes[static_cast<std::size_t>(index)].isLeaf()) {
        const TreeNode &node = tree.nodes[static_cast<std::size_t>(index)];
        const auto found = counts.find(node.attribute);
        PathStep step{index, node.attribute, found == counts.end() ? 0 : found->second, -1};
        for (std::size_t c = 0; c < node.children.size(); ++c) {
            const TreeNode &branch = tree.nodes[static_cast<std::size_t>(node.children[c])];
            if (branch.kind == TestKind::Discrete)
                throw TreeError("decision tree: the test \"" + node.attribute + " " + branch.test +
                                "\" is not one of a word count");
            if (holds(branch, step.count)) {
                step.child = static_cast<int>(c);
                break;
            }
        }
        if (step.child < 0)
            throw TreeError("decision tree: no branch of \"" + node.attribute + "\" takes " +
                            std::to_string(step.count));
        index = node.children[static_cast<std::size_t>(step.child)];
        path.steps.push_back(std::move(step));
    }
    path.leaf = index;
    return path;
}

std::vector<TextDocument> readTextDocuments(const std::string &text, bool stemming,
                                            std::size_t &skipped) {
    TextProcessor tokenizer;
    tokenizer.useStemming = stemming;
    WordCountMap unused;
    std::vector<TextDocument> documents;
    skipped = 0;
    std::string inside;
    if (text.find("<DATA>") == std::string::npos) {
        TextDocument document;
        const bool marked =
            element(text, 0, text.size(), "<TEXT>", "</TEXT>", inside) != std::string::npos;
        document.counts = tokenizer.tokenize(marked ? inside : text, unused, false, false);
        documents.push_back(std::move(document));
        return documents;
    }
    // Sets carry over from one document to the next, as the corpus parser
    // reads them, so the test documents of a corpus file are found here too.
    bool test = true;
    for (std::size_t d = text.find("<DATA>"); d != std::string::npos;) {
        const std::size_t next = text.find("<DATA>", d + 6);
        const std::size_t end = next == std::string::npos ? text.size() : next;
        TextDocument document;
        std::size_t after = element(text, d, end, "<SET>", "</SET>", inside);
        document.hasSet = after != std::string::npos;
        if (inside == "TRAIN" && document.hasSet)
            test = false;
        else if (inside == "TEST" && document.hasSet)
            test = true;
        document.test = test;
        if (!document.hasSet)
            after = d;
        const std::size_t topicEnd = element(text, after, end, "<TOPIC>", "</TOPIC>", inside);
        if (topicEnd != std::string::npos) {
            document.category = joinedWords(tokenizer.tokenize(inside, unused, false, false));
            after = topicEnd;
        }
        if (element(text, after, end, "<TEXT>", "</TEXT>", inside) == std::string::npos) {
            ++skipped;
        } else {
            document.counts = tokenizer.tokenize(inside, unused, false, false);
            documents.push_back(std::move(document));
        }
        d = next;
    }
    return documents;
}

std::string echoedFileStem(const std::vector<std::string> &outputLines) {
    const std::string echo = "\tFile stem <";
    for (const std::string &line : outputLines)
        if (line.compare(0, echo.size(), echo) == 0 && line.back() == '>')
            return line.substr(echo.size(), line.size() - echo.size() - 1);
    return "";
}

namespace {

// A tree of another file set tests a word the set lacks or ends in a
// category it cannot have.
void checkTree(const DecisionTree &tree, const RunClassifier &run, const std::string &stem,
               const std::function<bool(const std::string &)> &knownCategory) {
    for (const TreeNode &node : tree.nodes) {
        if (!node.isLeaf() && run.attributes.count(node.attribute) == 0)
            throw TreeError("decision tree: the word \"" + node.attribute +
                            "\" is no attribute of " + stem + ".names");
        if (node.isLeaf() && !knownCategory(node.category))
            throw TreeError("decision tree: the category \"" + node.category + "\" is not one of " +
                            stem + ".names");
    }
}

} // namespace

RunClassifier loadRunClassifier(const std::vector<std::string> &outputLines, bool pruned,
                                const std::string &stem) {
    RunClassifier run;
    std::vector<std::string> attributes;
    readNames(stem, run, attributes);
    run.stemming = readTokenizerFile(stem).stemming;
    const auto isCategory = [&run](const std::string &name) {
        return std::find(run.categories.begin(), run.categories.end(), name) !=
               run.categories.end();
    };
    if (!isPerCategoryRun(outputLines)) {
        run.tree = readDecisionTree(outputLines, pruned);
        checkTree(run.tree, run, stem, isCategory);
        settleTiedLeaves(run.tree, run.categories,
                         readTrainingCases(stem, run.categories, attributes),
                         [](const TrainingCase &c) { return c.categories.front(); });
        return run;
    }
    const std::vector<TrainingCase> cases = readTrainingCases(stem, run.categories, attributes);
    run.categoryTrees = readCategoryTrees(outputLines, pruned);
    for (const CategoryTree &categoryTree : run.categoryTrees) {
        const std::string &own = categoryTree.category;
        checkTree(categoryTree.tree, run, stem, [&](const std::string &leaf) {
            return isCategory(own) && (leaf == own || leaf == "not-" + own);
        });
    }
    for (CategoryTree &categoryTree : run.categoryTrees) {
        const std::string &own = categoryTree.category;
        const int category = static_cast<int>(
            std::find(run.categories.begin(), run.categories.end(), own) - run.categories.begin());
        settleTiedLeaves(categoryTree.tree, {own, "not-" + own}, cases,
                         [category](const TrainingCase &c) {
                             return std::count(c.categories.begin(), c.categories.end(),
                                               category) > 0
                                        ? 0
                                        : 1;
                         });
    }
    return run;
}

CategoryPaths classifyByCategory(const std::vector<CategoryTree> &trees,
                                 const WordCountMap &counts) {
    CategoryPaths result;
    for (const CategoryTree &categoryTree : trees) {
        result.paths.push_back(classifyCounts(categoryTree.tree, counts));
        const TreeNode &leaf =
            categoryTree.tree.nodes[static_cast<std::size_t>(result.paths.back().leaf)];
        if (leaf.category == categoryTree.category)
            result.assigned.push_back(categoryTree.category);
    }
    return result;
}

std::string stepText(const DecisionTree &tree, const PathStep &step) {
    const TreeNode &node = tree.nodes[static_cast<std::size_t>(step.node)];
    const int branch = node.children[static_cast<std::size_t>(step.child)];
    return step.word + "=" + std::to_string(step.count) + " " +
           tree.nodes[static_cast<std::size_t>(branch)].test;
}

std::string pathText(const DecisionTree &tree, const TreePath &path) {
    std::string text = tree.nodes[static_cast<std::size_t>(path.leaf)].category + ":";
    const char *separator = " ";
    for (const PathStep &step : path.steps) {
        text += separator + stepText(tree, step);
        separator = ", ";
    }
    return text;
}
