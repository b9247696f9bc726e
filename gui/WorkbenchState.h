// What the main window knows between commands. The "Text Processing" page
// owns the corpus side and the "C4.5" page the run side; the window reads
// both for the commands' sensitivity and the experiment series.
//
// Three files are kept apart: the C4.5 file set that the "C4.5" page names
// and runs (chosen there or just written), the corpus state file (".tpp")
// and the run file (".c45p"). The engine's own file stem is only where the
// file set is written.
#pragma once

#include "c45/C45Output.h"
#include "c45/C45Runner.h"
#include "corpus/TextProcessor.h"

#include <string>

struct WorkbenchState {
    // Starts on the folder "xml" with the file stem "bla".
    TextProcessor textProcessor{"xml", "bla"};
    std::string documentFolder;
    // The corpus state file last opened or saved.
    std::string stateFile;
    // Each parse and ".tpp" load is then followed by the information-gain
    // computation.
    bool computeInformationGain = false;
    // File sets are written sparse (STEM.data.svm, STEM.test.svm).
    bool writeSparse = false;
    // On a stemmed corpus "Izbaci" and the series stem the stop words too.
    bool stemStopWords = false;
    // The next parse keeps every category word of a document; the corpus
    // parsed or loaded says its own mode (textProcessor.multiCategory), and
    // such a corpus is written only as a sparse file set.
    bool multiCategory = false;
    // "Izbaci" was pressed on the current corpus, with this threshold and
    // stop-word choice.
    bool wordsSelected = false;
    int selectedMinDf = 0;
    bool selectedStopWords = false;

    // The stem of the C4.5 file set that the "C4.5" page names and runs;
    // empty until one is chosen or written.
    std::string fileSet;
    FileSetLayout fileSetLayout;
    // The run file last opened or saved.
    std::string runFile;
    C45RunResult c45Result;
    C45Options c45Options;
};
