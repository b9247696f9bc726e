// Data and test file reader.
#include "Dataset.h"

#include "FileError.h"
#include "InputError.h"
#include "NameReader.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <limits>
#include <memory>
#include <unordered_map>

namespace {

constexpr std::size_t errorLimit = 10;

struct FileCloser {
    void operator()(std::FILE *file) const { std::fclose(file); }
};

// Parses a whole text as a number; small non-negative integers, the bulk of
// text data, skip strtod.
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
    char *end = nullptr;
    errno = 0;
    const double d = std::strtod(text.c_str(), &end);
    if (*end != '\0' || errno == ERANGE || std::isnan(d))
        return false;
    value = static_cast<float>(d);
    return true;
}

std::string quoted(const std::string &text) {
    return "'" + text + "'";
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
    NameReader reader(file.get());

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
    std::vector<std::string> errors;
    std::vector<std::string> fields;
    std::vector<char> continuous;
    for (const Attribute &attribute : grown.attributes)
        continuous.push_back(attribute.kind == AttributeKind::Continuous);
    std::vector<float> numbers; // fields read as whole numbers straight away
    std::vector<char> isNumber;
    std::size_t used = 0;
    const std::size_t expected = grown.attributes.size() + 1;
    for (long item = 1; errors.size() < errorLimit; ++item) {
        // One record: names up to the end of its line.
        bool found = false;
        used = 0;
        int delimiter = ',';
        const long line = reader.line();
        while (delimiter == ',' || delimiter == ':') {
            if (used == fields.size()) {
                fields.emplace_back();
                numbers.push_back(0);
                isNumber.push_back(0);
            }
            isNumber[used] = used > 0 && used + 1 < expected && continuous[used] &&
                             reader.readInteger(numbers[used], delimiter);
            if (isNumber[used]) {
                ++used;
                continue;
            }
            delimiter = reader.read(fields[used], used == 0, found);
            if (!found && used == 0)
                break;
            ++used;
        }
        if (used == 0)
            break;
        if (delimiter == '.' && !reader.restOfLineIsEmpty())
            delimiter = ',';
        const std::string where =
            path + ", line " + std::to_string(line) + ": case " + std::to_string(item);
        if (used != expected || delimiter == ',') {
            errors.push_back(where + " has " + (delimiter == ',' ? "more than " : "") +
                             std::to_string(used) + " values, expected " +
                             std::to_string(expected) + " (attributes and class)");
            if (delimiter == ',')
                reader.restOfLineIsEmpty();
            continue;
        }
        const auto cls = classIndex.find(fields[expected - 1]);
        if (cls == classIndex.end()) {
            errors.push_back(where + "'s class of " + quoted(fields[expected - 1]) + " is illegal");
            continue;
        }
        const std::size_t rowBegin = data.entries_.size();
        bool bad = false;
        for (std::size_t a = 0; a + 1 < expected && !bad; ++a) {
            const std::string &text = fields[a];
            Attribute &attribute = grown.attributes[a];
            if (attribute.kind == AttributeKind::Ignore)
                continue;
            if (attribute.kind == AttributeKind::Continuous) {
                float value = 0;
                if (isNumber[a]) {
                    value = numbers[a];
                } else if (text.size() == 1 && text[0] == '?') {
                    value = std::numeric_limits<float>::quiet_NaN();
                    data.hasUnknowns_ = true;
                } else if (!parseNumber(text, value))
                    bad = true;
                if (!bad && value != 0.0f)
                    data.entries_.push_back({static_cast<int>(a), value});
            } else {
                int v = 0;
                if (text == "?") {
                    data.hasUnknowns_ = true;
                } else {
                    const auto known = valueIndex[a].find(text);
                    if (known != valueIndex[a].end()) {
                        v = known->second;
                    } else if (attribute.openValues > static_cast<int>(attribute.values.size())) {
                        attribute.values.push_back(text);
                        v = static_cast<int>(attribute.values.size());
                        valueIndex[a].emplace(text, v);
                    } else {
                        bad = true;
                    }
                }
                data.discrete_[a].push_back(v);
            }
            if (bad)
                errors.push_back(where + "'s value of " + quoted(text) + " for attribute " +
                                 attribute.name + " is illegal");
        }
        if (bad) {
            data.entries_.resize(rowBegin);
            for (std::size_t a = 0; a + 1 < expected; ++a)
                data.discrete_[a].resize(data.classes_.size());
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
