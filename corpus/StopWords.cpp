// Reading of the stop-word file, independent of the process locale.
#include "corpus/StopWords.h"

#include "corpus/FileError.h"
#include "corpus/ReadFile.h"
#include "corpus/Stemmer.h"

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

std::vector<std::string> stemmedStopWords(const std::vector<std::string> &words) {
    std::vector<std::string> stems;
    for (const std::string &word : words) {
        if (word.find('-') != std::string::npos) {
            stems.push_back(word);
            continue;
        }
        std::string buffer = word;
        for (char &c : buffer)
            if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c - 'A' + 'a');
        // A word with other bytes than ASCII letters keeps its ending.
        stem(buffer.data());
        buffer.resize(std::char_traits<char>::length(buffer.c_str()));
        if (!buffer.empty())
            stems.push_back(std::move(buffer));
    }
    return stems;
}
