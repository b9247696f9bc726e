// Character-level reader shared by the names, data and test files.
#include "NameReader.h"

#include "FileError.h"

namespace {

bool isBlank(int c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v';
}

bool endsName(int next) {
    return next == NameReader::EndOfFile || next == '|' || next == '\n' || isBlank(next);
}

// Characters that neither end a name nor need a closer look.
bool ordinary(char c) {
    switch (c) {
    case ',':
    case ':':
    case '\n':
    case '|':
    case '.':
    case '\\':
    case ' ':
    case '\t':
    case '\r':
    case '\f':
    case '\v':
        return false;
    default:
        return true;
    }
}

} // namespace

bool NameReader::fill() {
    end_ = std::fread(buffer_, 1, sizeof buffer_, file_);
    pos_ = 0;
    if (std::ferror(file_))
        throw FileError("cannot read file " + path_);
    return end_ > 0;
}

void NameReader::skipComment() {
    int c;
    do
        c = get();
    while (c != '\n' && c != EndOfFile);
}

int NameReader::read(std::string &name, bool skipLineEnds, bool &found) {
    name.clear();
    found = true;
    for (;;) {
        const int c = peek();
        if (c == EndOfFile) {
            found = false;
            return EndOfFile;
        }
        if (isBlank(c) || (c == '\n' && skipLineEnds)) {
            get();
        } else if (c == '|') {
            skipComment();
            if (!skipLineEnds)
                return '\n';
        } else {
            break;
        }
    }
    bool blankPending = false;
    for (;;) {
        // Runs of ordinary characters are copied in one go.
        std::size_t start = pos_;
        while (pos_ < end_ && ordinary(buffer_[pos_]))
            ++pos_;
        if (pos_ > start) {
            if (blankPending)
                name += ' ';
            blankPending = false;
            name.append(buffer_ + start, pos_ - start);
        }
        int c = get();
        switch (c) {
        case EndOfFile:
        case ',':
        case ':':
        case '\n':
            return c;
        case '|':
            skipComment();
            return '\n';
        case '.':
            if (endsName(peek()))
                return '.';
            break;
        case '\\':
            c = get();
            if (c == EndOfFile)
                return EndOfFile;
            break;
        default:
            if (isBlank(c)) {
                blankPending = !name.empty();
                continue;
            }
        }
        if (blankPending)
            name += ' ';
        blankPending = false;
        name += static_cast<char>(c);
    }
}

bool NameReader::restOfLineIsEmpty() {
    for (;;) {
        const int c = get();
        if (c == EndOfFile || c == '\n')
            return true;
        if (c == '|') {
            skipComment();
            return true;
        }
        if (!isBlank(c)) {
            skipComment();
            return false;
        }
    }
}
