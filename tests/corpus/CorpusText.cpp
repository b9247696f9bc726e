#include "CorpusText.h"

#include "corpus/FileError.h"

#include <algorithm>
#include <dirent.h>

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <sstream>

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
    std::string pattern = testing::TempDir() + "corpus-test-XXXXXX";
    const char *made = mkdtemp(pattern.data());
    EXPECT_NE(made, nullptr);
    return pattern;
}

std::string folderEntries(const std::string &folder) {
    std::vector<std::string> names;
    DIR *dir = opendir(folder.c_str());
    while (const dirent *entry = dir ? readdir(dir) : nullptr)
        if (entry->d_name[0] != '.')
            names.push_back(entry->d_name);
    if (dir)
        closedir(dir);
    std::sort(names.begin(), names.end());
    std::string text;
    for (const auto &name : names)
        text += (text.empty() ? "" : " ") + name;
    return text;
}

std::string errorOf(const std::function<void()> &action) {
    try {
        action();
    } catch (const FileError &error) {
        return error.what();
    }
    return "no error";
}
