// Names-file reader.
#include "Schema.h"

#include "FileError.h"
#include "InputError.h"
#include "NameReader.h"

#include <cstdlib>
#include <memory>

namespace {

struct FileCloser {
    void operator()(std::FILE *file) const { std::fclose(file); }
};

[[noreturn]] void fail(const std::string &path, const std::string &message) {
    throw InputError({path + ": " + message});
}

// "discrete N" with N >= 2 gives N; anything else that starts with the
// keyword is an error, and a name that is not the keyword gives 0.
int discreteLimit(const std::string &path, const std::string &attribute, const std::string &word) {
    const std::string keyword = "discrete";
    if (word.compare(0, keyword.size(), keyword) != 0)
        return 0;
    const std::string count = word.substr(keyword.size());
    char *end = nullptr;
    const long n = std::strtol(count.c_str(), &end, 10);
    if (count.empty() || *end != '\0' || n < 2 || n > 1000000)
        fail(path,
             "attribute " + attribute + ": '" + word + "' needs a number of values of 2 or more");
    return static_cast<int>(n);
}

} // namespace

Schema readNames(const std::string &path) {
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file)
        throw FileError("cannot open file " + path);
    NameReader reader(file.get(), path);
    Schema schema;
    std::string name;
    bool found = false;
    int delimiter;
    do {
        delimiter = reader.read(name, true, found);
        if (!found)
            break;
        schema.classes.push_back(name);
    } while (delimiter == ',');
    // A class line that is a full stop alone (an empty corpus) declares no class.
    if (schema.classes.empty() || (schema.classes.size() == 1 && schema.classes[0].empty()))
        fail(path, "no class names");
    for (std::size_t c = 0; c < schema.classes.size(); ++c)
        if (schema.classes[c].empty())
            fail(path, "class " + std::to_string(c + 1) + " has an empty name");
    if (delimiter == ':')
        fail(path, "line " + std::to_string(reader.line()) +
                       ": class names must end with a full stop, not a colon");

    for (;;) {
        delimiter = reader.read(name, true, found);
        if (!found)
            break;
        Attribute attribute;
        attribute.name = name;
        if (delimiter != ':')
            fail(path, "colon expected after attribute name " + name);
        std::string word;
        delimiter = reader.read(word, true, found);
        if (!found)
            fail(path, "attribute " + name + " has no type or values");
        if (delimiter != ',') {
            if (word == "continuous") {
                attribute.kind = AttributeKind::Continuous;
            } else if (word == "ignore") {
                attribute.kind = AttributeKind::Ignore;
            } else if (const int limit = discreteLimit(path, name, word)) {
                attribute.kind = AttributeKind::Discrete;
                attribute.openValues = limit;
            } else {
                fail(path, "attribute " + name + " has only one value");
            }
        } else {
            attribute.kind = AttributeKind::Discrete;
            attribute.values.push_back(word);
            do {
                delimiter = reader.read(word, true, found);
                if (!found)
                    fail(path, "attribute " + name + ": value list ends without a full stop");
                attribute.values.push_back(word);
            } while (delimiter == ',');
        }
        schema.attributes.push_back(std::move(attribute));
    }
    return schema;
}
