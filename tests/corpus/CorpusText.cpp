#include "CorpusText.h"

#include "corpus/FileError.h"

#include <algorithm>
#include <dirent.h>
#include <ftw.h>
#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
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

namespace {

// The folders tests made, removed with everything in them when the test
// program ends; folders a test made unwritable are opened up first.
class TempFolders {
public:
    ~TempFolders() {
        for (const std::string &folder : folders_) {
            nftw(folder.c_str(), openUp, 16, FTW_PHYS);
            nftw(folder.c_str(), removeEntry, 16, FTW_DEPTH | FTW_PHYS);
        }
    }
    void add(const std::string &folder) { folders_.push_back(folder); }

private:
    static int openUp(const char *path, const struct stat *, int type, FTW *) {
        if (type == FTW_D || type == FTW_DNR)
            chmod(path, S_IRWXU);
        return 0;
    }
    static int removeEntry(const char *path, const struct stat *, int, FTW *) {
        remove(path);
        return 0;
    }
    std::vector<std::string> folders_;
};

} // namespace

std::string makeTempFolder() {
    static TempFolders made;
    std::string pattern = testing::TempDir() + "corpus-test-XXXXXX";
    const char *folder = mkdtemp(pattern.data());
    EXPECT_NE(folder, nullptr);
    if (folder)
        made.add(pattern);
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
