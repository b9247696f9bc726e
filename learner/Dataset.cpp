// Data and test file reader.
#include "Dataset.h"

#include "FileError.h"
#include "InputError.h"
#include "NameReader.h"

#include <algorithm>
#include <cfloat>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <locale.h>
#include <memory>
#include <string_view>
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
// octal escapes so that the message shows them. A token can be megabytes
// long: beyond quotedLimit bytes it is cut (at the start of a UTF-8
// character) and ends in "...".
constexpr std::size_t quotedLimit = 60;

std::string quoted(std::string_view text) {
    std::string_view shown = text;
    if (text.size() > quotedLimit) {
        std::size_t cut = quotedLimit;
        while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xc0) == 0x80)
            --cut;
        shown = text.substr(0, cut);
    }
    std::string result = "'";
    for (const char c : shown) {
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
    return result + (shown.size() < text.size() ? "...'" : "'");
}

} // namespace

float Dataset::value(std::size_t item, int a) const {
    const Entry *begin = rowBegin(item);
    const Entry *end = rowEnd(item);
    const Entry *it = std::lower_bound(
        begin, end, a, [](const Entry &e, int attribute) { return e.attribute < attribute; });
    return it != end && it->attribute == a ? it->value : 0.0f;
}

Dataset Dataset::withClasses(std::vector<int> classes) const {
    Dataset other;
    other.classes_ = std::move(classes);
    other.cases_ = cases_;
    return other;
}

void Dataset::Values::indexColumns(std::size_t attributes, std::size_t items) {
    columnStart.assign(attributes + 1, 0);
    for (const Entry &e : entries)
        ++columnStart[e.attribute + 1];
    for (std::size_t a = 0; a < attributes; ++a)
        columnStart[a + 1] += columnStart[a];
    column.resize(entries.size());
    std::vector<std::size_t> fill(columnStart.begin(), columnStart.end() - 1);
    for (std::size_t i = 0; i < items; ++i)
        for (std::size_t k = rowStart[i]; k < rowStart[i + 1]; ++k)
            column[fill[entries[k].attribute]++] = {static_cast<int>(i), entries[k].value};
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
    const auto values = std::make_shared<Dataset::Values>();
    values->discrete.resize(grown.attributes.size());
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
        const std::size_t rowBegin = values->entries.size();
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
                        values->entries.push_back({static_cast<int>(used), value});
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
                values->entries.push_back(
                    {static_cast<int>(used), std::numeric_limits<float>::quiet_NaN()});
                values->hasUnknowns = true;
            } else {
                float value = 0;
                if (!parseNumber(fields[used], value)) {
                    if (badValue == none)
                        badValue = used;
                } else if (value != 0.0f) {
                    values->entries.push_back({static_cast<int>(used), value});
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
            values->entries.resize(rowBegin);
            for (std::size_t a = 0; a + 1 < expected; ++a)
                values->discrete[a].resize(data.classes_.size());
        };
        if (used != expected || delimiter == ',') {
            reject(where + " has " + (delimiter == ',' ? "more than " : "") + std::to_string(used) +
                   " values, expected " + std::to_string(expected) + " (attributes and class)");
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
                values->hasUnknowns = true;
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
            values->discrete[a].push_back(v);
        }
        if (badValue != none) {
            reject(where + "'s value of " + quoted(fields[badValue]) + " for attribute " +
                   grown.attributes[badValue].name + " is illegal");
            continue;
        }
        data.classes_.push_back(cls->second);
        values->rowStart.push_back(values->entries.size());
    }
    if (!errors.empty()) {
        if (errors.size() == errorLimit)
            errors.push_back("Error limit exceeded");
        throw InputError(std::move(errors));
    }
    values->indexColumns(grown.attributes.size(), data.size());
    data.cases_ = values;
    schema = std::move(grown);
    return data;
}

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

// A whole number of digits only, at most limit; false for anything else.
bool parseIndex(const char *first, const char *last, std::size_t limit, std::size_t &value) {
    if (first == last || last - first > 18)
        return false;
    std::size_t n = 0;
    for (const char *p = first; p != last; ++p) {
        if (*p < '0' || *p > '9')
            return false;
        n = n * 10 + static_cast<std::size_t>(*p - '0');
    }
    value = n;
    return n <= limit;
}

// Reads the case of one line, which holds more than blanks and has no
// comment: its categories onto labels (one unless lists are allowed) and
// its entries onto entries. Returns the first problem, or an empty text if
// the line is sound; labels and entries pushed before a problem are the
// caller's to take back.
class SparseLine {
public:
    SparseLine(const std::string &path, const Schema &schema, bool lists)
        : path_(path), schema_(schema), lists_(lists) {}

    std::string read(const char *p, const char *end, long line, std::vector<int> &labels,
                     std::vector<Dataset::Entry> &entries) const {
        const auto where = [&](const char *first, const char *last, const char *before,
                               const char *after) {
            return path_ + ", line " + std::to_string(line) + ": " + before +
                   quoted(std::string_view(first, static_cast<std::size_t>(last - first))) + after;
        };
        while (p != end && isBlank(*p))
            ++p;
        const char *token = p;
        while (p != end && !isBlank(*p))
            ++p;
        switch (readLabels(token, p, labels)) {
        case Labels::Sound:
            break;
        case Labels::Illegal:
            return where(token, p, "class label ", " is illegal");
        case Labels::Descending:
            return where(token, p, "class labels of ", " do not ascend");
        }
        const std::size_t attributes = schema_.attributes.size();
        std::size_t previous = 0;
        for (;;) {
            while (p != end && isBlank(*p))
                ++p;
            if (p == end)
                return {};
            token = p;
            const char *colon = nullptr;
            while (p != end && !isBlank(*p)) {
                if (*p == ':' && !colon)
                    colon = p;
                ++p;
            }
            if (!colon)
                return where(token, p, "", " has no colon");
            std::size_t index = 0;
            if (!parseIndex(token, colon, attributes, index) || index == 0)
                return where(token, p, "attribute index of ", " is out of range");
            if (index <= previous)
                return where(token, p, "attribute index of ", " does not ascend");
            previous = index;
            float value = 0;
            if (!parseNumber(std::string(colon + 1, p), value) || !(value >= 0))
                return where(token, p, "value of ", " is illegal");
            const int a = static_cast<int>(index - 1);
            if (value != 0 && schema_.attributes[a].kind == AttributeKind::Continuous)
                entries.push_back({a, value});
        }
    }

private:
    enum class Labels { Sound, Illegal, Descending };

    // Reads the label token [first, last) onto labels.
    Labels readLabels(const char *first, const char *last, std::vector<int> &labels) const {
        const std::size_t before = labels.size();
        for (;;) {
            const char *comma = lists_ ? std::find(first, last, ',') : last;
            std::size_t label = 0;
            if (schema_.classes.empty() ||
                !parseIndex(first, comma, schema_.classes.size() - 1, label))
                return Labels::Illegal;
            if (labels.size() > before && static_cast<int>(label) <= labels.back())
                return Labels::Descending;
            labels.push_back(static_cast<int>(label));
            if (comma == last)
                return Labels::Sound;
            first = comma + 1;
        }
    }

    const std::string &path_;
    const Schema &schema_;
    const bool lists_;
};

} // namespace

// Reads a sparse file; with lists, a label may name several categories.
struct SparseReader {
    static CategoryCases read(const std::string &path, const Schema &schema, bool lists);
};

CategoryCases SparseReader::read(const std::string &path, const Schema &schema, bool lists) {
    for (const Attribute &a : schema.attributes)
        if (a.kind == AttributeKind::Discrete)
            throw InputError(
                {path + ": attribute " + a.name + " is discrete, which a sparse file cannot hold"});
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file)
        throw FileError("cannot open file " + path);

    CategoryCases result;
    Dataset &data = result.cases;
    const auto values = std::make_shared<Dataset::Values>();
    values->discrete.resize(schema.attributes.size());
    const SparseLine parser(path, schema, lists);
    std::vector<std::string> errors;
    // Whole lines are parsed from the buffer; a line cut by its end moves to
    // the front and the rest of the buffer is filled behind it.
    std::vector<char> buffer(std::size_t(1) << 22);
    std::size_t held = 0;
    long line = 0;
    bool atEnd = false;
    while (!atEnd && errors.size() < errorLimit) {
        if (held == buffer.size())
            buffer.resize(buffer.size() * 2);
        const std::size_t got =
            std::fread(buffer.data() + held, 1, buffer.size() - held, file.get());
        if (got < buffer.size() - held) {
            if (std::ferror(file.get()))
                throw FileError("cannot read file " + path);
            atEnd = true;
        }
        held += got;
        const char *p = buffer.data();
        const char *end = p + held;
        while (p != end && errors.size() < errorLimit) {
            const char *next = static_cast<const char *>(std::memchr(p, '\n', end - p));
            if (!next && !atEnd)
                break;
            const char *stop = next ? next : end;
            ++line;
            // A comment runs from "#" to the end of its line; a line without
            // anything else but blanks holds no case.
            const char *hash = static_cast<const char *>(std::memchr(p, '#', stop - p));
            const char *content = hash ? hash : stop;
            if (!std::all_of(p, content, isBlank)) {
                const std::size_t rowBegin = values->entries.size();
                const std::size_t labelBegin = result.labels.size();
                std::string error = parser.read(p, content, line, result.labels, values->entries);
                if (error.empty()) {
                    data.classes_.push_back(result.labels[labelBegin]);
                    values->rowStart.push_back(values->entries.size());
                    result.labelStart.push_back(result.labels.size());
                } else {
                    values->entries.resize(rowBegin);
                    result.labels.resize(labelBegin);
                    errors.push_back(std::move(error));
                }
            }
            p = next ? next + 1 : end;
        }
        held = static_cast<std::size_t>(end - p);
        std::memmove(buffer.data(), p, held);
    }
    if (!errors.empty()) {
        if (errors.size() == errorLimit)
            errors.push_back("Error limit exceeded");
        throw InputError(std::move(errors));
    }
    values->indexColumns(schema.attributes.size(), data.size());
    data.cases_ = values;
    return result;
}

Dataset readSparseCases(const std::string &path, const Schema &schema) {
    return SparseReader::read(path, schema, false).cases;
}

CategoryCases readCategoryCases(const std::string &path, const Schema &schema) {
    return SparseReader::read(path, schema, true);
}

std::vector<int> CategoryCases::binaryClasses(int category) const {
    std::vector<int> classes(cases.size());
    for (std::size_t i = 0; i < classes.size(); ++i)
        classes[i] = std::binary_search(
                         labels.begin() + static_cast<std::ptrdiff_t>(labelStart[i]),
                         labels.begin() + static_cast<std::ptrdiff_t>(labelStart[i + 1]), category)
                         ? 0
                         : 1;
    return classes;
}
