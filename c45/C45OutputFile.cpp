#include "c45/C45OutputFile.h"

#include "corpus/AtomicFile.h"
#include "corpus/FileError.h"

#include <fstream>

void saveC45Output(const std::vector<std::string> &lines, const std::string &path) {
    AtomicFile file(path);
    for (const std::string &line : lines)
        file.stream() << line << '\n';
    file.commit();
}

std::vector<std::string> loadC45Output(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    if (!in.is_open())
        throw FileError::cannotOpen(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    if (in.bad())
        throw FileError::cannotRead(path);
    return lines;
}
