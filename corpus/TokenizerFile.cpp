#include "corpus/TokenizerFile.h"

#include "corpus/FileError.h"
#include "corpus/ReadFile.h"

namespace {

const char *const stemmingLine = "stemming: yes\n";
const char *const plainLine = "stemming: no\n";

} // namespace

std::string tokenizerFileText(const TokenizerSettings &settings) {
    return settings.stemming ? stemmingLine : plainLine;
}

TokenizerSettings readTokenizerFile(const std::string &stem) {
    const std::string path = stem + ".tokens";
    std::string text;
    readWholeFile(path, text);
    if (text == stemmingLine)
        return TokenizerSettings{true};
    if (text == plainLine)
        return TokenizerSettings{false};
    throw FileError::malformed(path, "expected the line \"stemming: yes\" or \"stemming: no\"");
}
