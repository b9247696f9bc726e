// Reading of the stop-word file, independent of the process locale.
#include "corpus/StopWords.h"

#include "corpus/FileError.h"
#include "corpus/ReadFile.h"

#include <new>

std::vector<std::string> readStopWordFile(const std::string &path) {
    try {
        std::string content;
        readWholeFile(path, content);
        const char *const space = " \t\n\r\v\f";
        std::vector<std::string> words;
        for (std::size_t start = content.find_first_not_of(space); start != std::string::npos;) {
            const std::size_t end = content.find_first_of(space, start);
            words.push_back(content.substr(start, end - start));
            start = content.find_first_not_of(space, end);
        }
        return words;
    } catch (const std::bad_alloc &) {
        throw FileError::outOfMemory(path);
    }
}
