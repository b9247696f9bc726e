#include "CorpusText.h"

#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <memory>
#include <sstream>
#include <vector>

namespace {

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
            out << ' ' << describe(engine.documentWords(documents, i));
        out << '\n';
    }
}

} // namespace

std::string describe(const TextProcessor &engine) {
    std::ostringstream out;
    describeSet(out, "train", engine, engine.trainDocuments, engine.trainTopics);
    describeSet(out, "test", engine, engine.testDocuments, engine.testTopics);
    out << "categories: " << describe(engine.categories) << '\n'
        << "df: " << describe(engine.documentFrequency) << '\n'
        << "selected: " << describe(engine.selectedWords) << '\n';
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
