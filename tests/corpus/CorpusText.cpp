#include "CorpusText.h"

#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <memory>
#include <sstream>
#include <vector>

namespace {

template <typename Map> std::string join(const Map &map) {
    std::ostringstream out;
    const char *separator = "";
    for (const auto &[key, value] : map) {
        out << separator << key << ':' << value;
        separator = " ";
    }
    return out.str();
}

void describeSet(std::ostringstream &out, const char *name, const TextProcessor &engine,
                 const DocumentTable &documents,
                 const std::deque<TextProcessor::TopicSet> &topics) {
    for (std::size_t i = 0; i < std::max(documents.size(), topics.size()); ++i) {
        out << name;
        if (i < topics.size())
            for (const auto &topic : topics[i])
                out << ' ' << topic;
        out << " |";
        if (i < documents.size())
            out << ' ' << join(engine.documentWords(documents, i));
        out << '\n';
    }
}

} // namespace

std::string describe(const TextProcessor::WordCounts &words) {
    return join(words);
}

std::string describe(const std::map<std::string, float> &gains) {
    return join(gains);
}

std::string describe(const TextProcessor &engine) {
    std::ostringstream out;
    describeSet(out, "train", engine, engine.trainDocuments, engine.trainTopics);
    describeSet(out, "test", engine, engine.testDocuments, engine.testTopics);
    out << "categories: " << join(engine.categories) << '\n'
        << "df: " << join(engine.documentFrequency) << '\n'
        << "selected: " << join(engine.selectedWords) << '\n';
    return out.str();
}

std::string readFile(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in) << path;
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeFile(const std::string &path, const std::string &content) {
    std::ofstream out(path, std::ios::binary);
    out << content;
    ASSERT_TRUE(out) << path;
}

std::string makeTempFolder() {
    static std::vector<std::unique_ptr<TempFolder>> made;
    made.push_back(std::make_unique<TempFolder>());
    return made.back()->path.string();
}
