// Parse and load as the workbench's text-processing page runs them.
#include "CorpusSteps.h"

#include "corpus/FileError.h"
#include "corpus/ReadFile.h"

void parseFolder(TextProcessor &engine, const std::string &directory, bool stemming) {
    engine.setDirectory(directory);
    engine.useStemming = stemming;
    // The engine traces an unreadable folder and goes on with an empty corpus,
    // which the workbench's counts make visible; here it would pass silently.
    if (!engine.parseDocuments())
        throw FileError::cannotOpenDirectory(directory, directoryError(directory));
    engine.printWordCount();
    engine.printTrainDocumentCount();
    engine.printTestDocumentCount();
    engine.printCategoryCount();
    engine.printTrainDocumentCount();
    engine.printTestDocumentCount();
    engine.printCategoryCount();
    engine.printWordCount();
}

void loadState(TextProcessor &engine, const std::string &file) {
    engine.loadTextProcessingState(file);
    engine.printTrainDocumentCount();
    engine.printTestDocumentCount();
    engine.printCategoryCount();
    engine.printWordCount();
}
