// Reads the names of C4.5's input files: names end at a comma, colon, bar,
// line end, or a full stop followed by white space or a bar; a bar starts a
// comment; a backslash makes the next character ordinary.
#pragma once

#include <cstdio>
#include <cstring>
#include <string>
#include <utility>

class NameReader {
public:
    // Delimiter reported when the file ends.
    static constexpr int EndOfFile = -1;

    // Reads from file, which stays owned by the caller; path names it in
    // the FileError ("cannot read file PATH") thrown when a read fails, so
    // that an I/O error is never taken for the end of the file.
    NameReader(std::FILE *file, std::string path) : file_(file), path_(std::move(path)) {}
    NameReader(const NameReader &) = delete;
    NameReader &operator=(const NameReader &) = delete;

    // Reads the next name into name (blank runs collapsed to one blank,
    // outer white space dropped) and returns what ended it: ',', ':', '.',
    // '\n' (a line end or a comment) or EndOfFile. Line ends before the name
    // are skipped when skipLineEnds is set; otherwise a line end met first
    // gives an empty name ended by '\n'. found is false when the file ended
    // before any name or delimiter.
    int read(std::string &name, bool skipLineEnds, bool &found);

    // Reads a name that is a whole number of at most nine digits, followed
    // by blanks and then a comma, colon or line end (returned in delimiter),
    // straight from the buffer: the bulk of a text data file. Returns false,
    // consuming nothing, for anything else.
    bool readInteger(float &value, int &delimiter) {
        std::size_t p = pos_;
        while (p < end_ && (buffer_[p] == ' ' || buffer_[p] == '\t'))
            ++p;
        const std::size_t first = p;
        long n = 0;
        while (p < end_ && buffer_[p] >= '0' && buffer_[p] <= '9' && p - first < 10)
            n = n * 10 + (buffer_[p++] - '0');
        if (p == first || p - first > 9)
            return false;
        while (p < end_ && (buffer_[p] == ' ' || buffer_[p] == '\t' || buffer_[p] == '\r'))
            ++p;
        if (p == end_ || (buffer_[p] != ',' && buffer_[p] != ':' && buffer_[p] != '\n'))
            return false;
        delimiter = buffer_[p];
        if (delimiter == '\n')
            ++line_;
        pos_ = p + 1;
        value = static_cast<float>(n);
        return true;
    }

    // Skips up to max names that are a lone 0 followed by a comma, blanks
    // around them included, straight from the buffer; returns how many.
    std::size_t skipZeros(std::size_t max) {
        // Four "0, " in a row, the common spelling, are compared at once.
        static constexpr char four[] = "0, 0, 0, 0, ";
        std::size_t skipped = 0;
        for (;;) {
            while (pos_ < end_ && (buffer_[pos_] == ' ' || buffer_[pos_] == '\t'))
                ++pos_;
            while (max - skipped >= 4 && end_ - pos_ >= 12 &&
                   std::memcmp(buffer_ + pos_, four, 12) == 0) {
                pos_ += 12;
                skipped += 4;
            }
            if (skipped == max || pos_ + 1 >= end_ || buffer_[pos_] != '0' ||
                buffer_[pos_ + 1] != ',')
                return skipped;
            pos_ += 2;
            ++skipped;
        }
    }

    // Consumes the rest of the line; returns false if it holds anything but
    // white space or a comment.
    bool restOfLineIsEmpty();

    // Number of the line the reader is on, from 1.
    long line() const { return line_; }

private:
    int get() {
        if (pos_ == end_ && !fill())
            return EndOfFile;
        const int c = static_cast<unsigned char>(buffer_[pos_++]);
        if (c == '\n')
            ++line_;
        return c;
    }
    int peek() {
        if (pos_ == end_ && !fill())
            return EndOfFile;
        return static_cast<unsigned char>(buffer_[pos_]);
    }
    bool fill();
    void skipComment();

    std::FILE *file_;
    std::string path_;
    char buffer_[1 << 16];
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
    long line_ = 1;
};
