// Data and test file reader.
#include "Dataset.h"

#include "FileError.h"
#include "InputError.h"
#include "NameReader.h"

#include <algorithm>
#include <cfloat>
#include <cstdlib>
#include <limits>
#include <locale.h>
#include <memory>
#include <unordered_map>

namespace {

constexpr std::size_t errorLimit = 10;

struct FileCloser {
    void operator()(std::FILE *file) const { std::fclose(file); }
};

// Parses a whole text as a finite single-precision number; small
// non-negative integers, the bulk of text data, skip strtod. The whole text
// counts, NUL bytes included. Values too small for single precision are
// ordinary values that round towards 0; values beyond its range are refused
// like NaN and infinity. The C locale's decimal point holds whatever locale
// the process has.
bool parseNumber(const std::string &text, float &value) {
    if (!text.empty() && text.size() <= 9 &&
        std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        long n = 0;
        for (const char c : text)
            n = n * 10 + (c - '0');
        value = static_cast<float>(n);
        return true;
    }
    if (text.empty())
        return false;
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t());
    char *end = nullptr;
    const double d = strtod_l(text.c_str(), &end, cLocale);
    if (end != text.c_str() + text.size() || !(std::fabs(d) <= FLT_MAX))
        return false;
    value = static_cast<float>(d);
    return true;
}

// The text in quotes, control characters (a NUL byte, say) written as
// octal escapes so that the message shows them.
std::string quoted(const std::string &text) {
    std::string result = "'";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte != 0x7f) {
            result += c;
            continue;
        }
        const char escape[] = {'\\', static_cast<char>('0' + (byte >> 6)),
                               static_cast<char>('0' + ((byte >> 3) & 7)),
                               static_cast<char>('0' + (byte & 7))};
        result.append(escape, sizeof escape);
    }
    return result + "'";
}

} // namespace

float Dataset::value(std::size_t item, int a) const {
    const Entry *begin = rowBegin(item);
    const Entry *end = rowEnd(item);
    const Entry *it = std::lower_bound(
        begin, end, a, [](const Entry &e, int attribute) { return e.attribute < attribute; });
    return it != end && it->attribute == a ? it->value : 0.0f;
}

Dataset readCases(const std::string &path, Schema &schema) {
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file)
        throw FileError("cannot open file " + path);
    NameReader reader(file.get(), path);

    Schema grown = schema;
    std::vector<std::unordered_map<std::string, int>> valueIndex(grown.attributes.size());
    for (std::size_t a = 0; a < grown.attributes.size(); ++a)
        for (std::size_t v = 0; v < grown.attributes[a].values.size(); ++v)
            valueIndex[a].emplace(grown.attributes[a].values[v], static_cast<int>(v + 1));
    std::unordered_map<std::string, int> classIndex;
    for (std::size_t c = 0; c < grown.classes.size(); ++c)
        classIndex.emplace(grown.classes[c], static_cast<int>(c));

    Dataset data;
    data.discrete_.resize(grown.attributes.size());
    const std::size_t expected = grown.attributes.size() + 1;
    // Per field: the continuous attributes in a row from it on (0 for the class).
    std::vector<std::size_t> continuousRun(expected, 0);
    for (std::size_t a = grown.attributes.size(); a-- > 0;)
        if (grown.attributes[a].kind == AttributeKind::Continuous)
            continuousRun[a] = continuousRun[a + 1] + 1;
    std::vector<std::string> errors;
    std::vector<std::string> fields;
    std::vector<std::size_t> named; // fields kept as text: discrete, ignored, the class
    constexpr std::size_t none = std::numeric_limits<std::size_t>::max();
    for (long item = 1; errors.size() < errorLimit; ++item) {
        // One record: names up to the end of its line. Continuous values go
        // to the entries as they are read; zeros, the bulk of text data, are
        // skipped in runs.
        bool found = false;
        std::size_t used = 0;
        std::size_t badValue = none; // first continuous field that is no number
        int delimiter = ',';
        const long line = reader.line();
        const std::size_t rowBegin = data.entries_.size();
        named.clear();
        while (delimiter == ',' || delimiter == ':') {
            const bool continuous = used + 1 < expected && continuousRun[used] > 0;
            if (continuous && used > 0) {
                const std::size_t zeros = reader.skipZeros(continuousRun[used]);
                used += zeros;
                if (zeros > 0)
                    continue;
                float value = 0;
                if (reader.readInteger(value, delimiter)) {
                    if (value != 0.0f)
                        data.entries_.push_back({static_cast<int>(used), value});
                    ++used;
                    continue;
                }
            }
            if (fields.size() <= used)
                fields.resize(used + 1);
            delimiter = reader.read(fields[used], used == 0, found);
            if (!found && used == 0)
                break;
            if (!continuous) {
                named.push_back(used);
            } else if (fields[used] == "?") {
                data.entries_.push_back(
                    {static_cast<int>(used), std::numeric_limits<float>::quiet_NaN()});
                data.hasUnknowns_ = true;
            } else {
                float value = 0;
                if (!parseNumber(fields[used], value)) {
                    if (badValue == none)
                        badValue = used;
                } else if (value != 0.0f) {
                    data.entries_.push_back({static_cast<int>(used), value});
                }
            }
            ++used;
        }
        if (used == 0)
            break;
        if (delimiter == '.' && !reader.restOfLineIsEmpty())
            delimiter = ',';
        const std::string where =
            path + ", line " + std::to_string(line) + ": case " + std::to_string(item);
        const auto reject = [&](std::string message) {
            errors.push_back(std::move(message));
            data.entries_.resize(rowBegin);
            for (std::size_t a = 0; a + 1 < expected; ++a)
                data.discrete_[a].resize(data.classes_.size());
        };
        if (used != expected || delimiter == ',') {
            reject(where + " has " + (delimiter == ',' ? "more than " : "") +
                   std::to_string(used) + " values, expected " + std::to_string(expected) +
                   " (attributes and class)");
            if (delimiter == ',')
                reader.restOfLineIsEmpty();
            continue;
        }
        const auto cls = classIndex.find(fields[expected - 1]);
        if (cls == classIndex.end()) {
            reject(where + "'s class of " + quoted(fields[expected - 1]) + " is illegal");
            continue;
        }
        for (const std::size_t a : named) {
            if (a >= badValue || a + 1 == expected)
                break;
            Attribute &attribute = grown.attributes[a];
            if (attribute.kind == AttributeKind::Ignore)
                continue;
            const std::string &text = fields[a];
            int v = 0;
            if (text == "?") {
                data.hasUnknowns_ = true;
            } else if (const auto known = valueIndex[a].find(text); known != valueIndex[a].end()) {
                v = known->second;
            } else if (attribute.openValues > static_cast<int>(attribute.values.size())) {
                attribute.values.push_back(text);
                v = static_cast<int>(attribute.values.size());
                valueIndex[a].emplace(text, v);
            } else {
                badValue = a;
                break;
            }
            data.discrete_[a].push_back(v);
        }
        if (badValue != none) {
            reject(where + "'s value of " + quoted(fields[badValue]) + " for attribute " +
                   grown.attributes[badValue].name + " is illegal");
            continue;
        }
        data.classes_.push_back(cls->second);
        data.rowStart_.push_back(data.entries_.size());
    }
    if (!errors.empty()) {
        if (errors.size() == errorLimit)
            errors.push_back("Error limit exceeded");
        throw InputError(std::move(errors));
    }
    data.columnStart_.assign(grown.attributes.size() + 1, 0);
    for (const Dataset::Entry &e : data.entries_)
        ++data.columnStart_[e.attribute + 1];
    for (std::size_t a = 0; a < grown.attributes.size(); ++a)
        data.columnStart_[a + 1] += data.columnStart_[a];
    data.column_.resize(data.entries_.size());
    std::vector<std::size_t> fill(data.columnStart_.begin(), data.columnStart_.end() - 1);
    for (std::size_t i = 0; i < data.size(); ++i)
        for (const Dataset::Entry *e = data.rowBegin(i); e != data.rowEnd(i); ++e)
            data.column_[fill[e->attribute]++] = {static_cast<int>(i), e->value};
    schema = std::move(grown);
    return data;
}
