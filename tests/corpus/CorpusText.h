// Compact canonical text of an engine's corpus tables and small file helpers,
// so that tests compare whole strings.
#pragma once

#include "TestFiles.h"
#include "corpus/FileError.h"
#include "corpus/TextProcessor.h"

#include <functional>
#include <sstream>
#include <string>

// "net:1 profit:2", for any table of words and their counts or gains.
template <typename Table> std::string describe(const Table &table) {
    std::ostringstream out;
    const char *separator = "";
    for (const auto &[key, value] : table) {
        out << separator << key << ':' << value;
        separator = " ";
    }
    return out.str();
}

// One line per document ("train earn | net:1 rose:1"), then the categories,
// document frequencies and selection.
std::string describe(const TextProcessor &engine);

std::string readFile(const std::string &path);
void writeFile(const std::string &path, const std::string &content);

// A fresh empty folder, removed when the test program ends.
std::string makeTempFolder();

// The message of the FileError that action throws, "no error" if none.
inline std::string errorOf(const std::function<void()> &action) {
    return thrownMessage<FileError>(action);
}
