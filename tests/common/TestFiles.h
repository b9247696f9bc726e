// Helpers shared by the engine's tests: files, lines, temporary folders and
// the messages of thrown exceptions.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

// A file's bytes; "" when it cannot be read.
inline std::string fileText(const std::filesystem::path &path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

inline std::vector<std::string> splitLines(const std::string &text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

inline std::string joinLines(const std::vector<std::string> &lines) {
    std::string text;
    for (const std::string &line : lines)
        text += line + '\n';
    return text;
}

// Sorted names in a folder, space-separated; "" when it cannot be read.
inline std::string folderEntries(const std::filesystem::path &folder) {
    std::set<std::string> names;
    std::error_code ignored;
    for (const auto &entry : std::filesystem::directory_iterator(folder, ignored))
        names.insert(entry.path().filename().string());
    std::string text;
    for (const std::string &name : names)
        text += (text.empty() ? "" : " ") + name;
    return text;
}

// Where a symbolic link points; "not a link" for anything else.
inline std::string linkTarget(const std::filesystem::path &path) {
    std::error_code error;
    const std::filesystem::path target = std::filesystem::read_symlink(path, error);
    return error ? "not a link" : target.string();
}

// What the exception of type Error that action throws says; "no error" when
// it throws none.
template <typename Error, typename Action> std::string thrownMessage(const Action &action) {
    try {
        action();
    } catch (const Error &error) {
        return error.what();
    }
    return "no error";
}

// A fresh empty folder, removed with all it holds at the end of scope.
struct TempFolder {
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "tcw-test-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("no temporary folder");
        path = pattern;
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    TempFolder(const TempFolder &) = delete;
    TempFolder &operator=(const TempFolder &) = delete;

    std::filesystem::path path;
    std::string operator/(const std::string &name) const { return (path / name).string(); }
};
