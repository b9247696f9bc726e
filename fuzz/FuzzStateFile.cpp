// The ".tpp" reader on any file: it either loads the whole file or throws
// FileError and keeps the corpus it had.
#include "corpus/FileError.h"
#include "corpus/TextProcessor.h"
#include "fuzz/FuzzInput.h"

#include <sstream>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const std::string path =
        writeScratchFile("state.tpp", reinterpret_cast<const char *>(data), size);
    std::ostringstream trace;
    TextProcessor engine(trace);
    engine.parseFileText("<DATA><SET>TRAIN</SET><TOPIC>kept</TOPIC><TEXT>old words</TEXT>");
    try {
        engine.loadTextProcessingState(path);
    } catch (const FileError &) {
        if (engine.trainDocuments.size() != 1 || engine.categories.count("kept") != 1)
            __builtin_trap();
        return 0;
    }
    // Only names the C4.5 files can hold, and only declared categories.
    for (const auto *topics : {&engine.trainTopics, &engine.testTopics})
        for (const auto &set : *topics)
            for (const auto &category : set)
                if (engine.categories.count(category) == 0 ||
                    category.find_first_not_of("abcdefghijklmnopqrstuvwxyz-") != std::string::npos)
                    __builtin_trap();
    // What loaded must save and load back to the same corpus.
    const std::string copyPath = scratchFolder() + "/copy.tpp";
    engine.saveTextProcessingState(copyPath);
    TextProcessor again(trace);
    again.loadTextProcessingState(copyPath);
    if (again.trainDocuments != engine.trainDocuments ||
        again.testDocuments != engine.testDocuments ||
        again.documentFrequency != engine.documentFrequency ||
        again.categories != engine.categories)
        __builtin_trap();
    return 0;
}
