#include "c45/C45OutputFile.h"

#include "corpus/AtomicFile.h"
#include "corpus/FileError.h"
#include "corpus/ReadFile.h"

#include <algorithm>
#include <new>

void saveC45Output(const std::vector<std::string> &lines, const std::string &path) {
    AtomicFile file(path);
    for (const std::string &line : lines)
        file.stream() << line << '\n';
    file.commit();
}

std::vector<std::string> loadC45Output(const std::string &path) {
    std::string content;
    readWholeFile(path, content);
    try {
        std::vector<std::string> lines;
        for (std::size_t start = 0; start < content.size();) {
            const std::size_t end = std::min(content.find('\n', start), content.size());
            lines.emplace_back(content, start, end - start);
            start = end + 1;
        }
        return lines;
    } catch (const std::bad_alloc &) {
        throw FileError::outOfMemory(path);
    }
}
