// Reading of the stop-word file, independent of the process locale.
#include "corpus/StopWords.h"

#include "corpus/FileError.h"

#include <fstream>
#include <iterator>

std::vector<std::string> readStopWordFile(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw FileError::cannotOpen(path);
    const std::string content{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad())
        throw FileError::cannotRead(path);
    const char *const space = " \t\n\r\v\f";
    std::vector<std::string> words;
    for (std::size_t start = content.find_first_not_of(space); start != std::string::npos;) {
        const std::size_t end = content.find_first_of(space, start);
        words.push_back(content.substr(start, end - start));
        start = content.find_first_not_of(space, end);
    }
    return words;
}
