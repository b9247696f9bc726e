// The Croatian texts of the engine's messages. The English side is made by
// the engine itself wherever a function makes it, so that a change of its
// wording shows here as a message left untranslated.
#include "Messages.h"

#include "c45/C45Runner.h"
#include "classify/Classifier.h"
#include "corpus/FileError.h"
#include "series/ExperimentSeries.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <sstream>
#include <stdexcept>
#include <string>

namespace {

C45Process::Outcome outcome(const std::string &program) {
    C45Process::Outcome ended;
    ended.program = program;
    ended.exitStatus = 0;
    return ended;
}

std::string seriesTooLong() {
    SeriesSettings settings;
    settings.minDf.assign(10001, 1);
    try {
        seriesRunCount(settings);
    } catch (const std::invalid_argument &error) {
        return error.what();
    }
    return "seriesRunCount took 10001 runs";
}

// Why the tree printed is refused when it is read and applied to a text
// without words.
std::string treeProblem(const std::string &printed) {
    std::vector<std::string> lines;
    std::istringstream in(printed);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    try {
        classifyCounts(readDecisionTree(lines, true), {});
    } catch (const TreeError &error) {
        return error.what();
    }
    return "the tree was read and applied";
}

} // namespace

TEST(Messages, EveryShapeOfEngineMessageHasItsCroatianText) {
    const std::string noFile = std::strerror(ENOENT);
    C45Process::Outcome notStarted = outcome("/w/c4.5.exe");
    notStarted.exitStatus.reset();
    notStarted.startError = noFile;
    C45Process::Outcome failed = outcome("c4.5.exe");
    failed.exitStatus = 1;
    failed.errorLines = {"ERROR: cannot open file bla.data", "-m 0", "** illegal value **"};
    C45Process::Outcome killed = outcome("c4.5.exe");
    killed.exitStatus.reset();
    killed.signal = SIGKILL;
    C45Process::Outcome talkative = outcome("./c4.5.exe");
    talkative.outputCut = true;
    talkative.outputLimit = std::size_t(64) << 20;
    C45Process::Outcome lost = outcome("c4.5.exe");
    lost.exitStatus.reset();
    C45Options noMinCases;
    noMinCases.minCases = 0;
    C45Options tooConfident;
    tooConfident.confidence = 101.0f;
    C45Options tooManyTrials;
    tooManyTrials.trials = 10001;
    const std::string sets = "/home/ana/skup: prvi/bla";

    const struct {
        std::string english;
        std::string croatian;
    } cases[] = {
        {FileError::cannotOpen("xml/a.xml", ENOENT).messageWithReason(),
         "Ne mogu otvoriti fajl xml/a.xml: " + noFile},
        {FileError::cannotOpenDirectory("xml").what(), "Ne mogu otvoriti mapu xml"},
        {FileError::cannotRead("/dev/x", EIO).messageWithReason(),
         "Ne mogu pročitati fajl /dev/x: " + std::string(std::strerror(EIO))},
        {FileError::cannotWrite("/dev/full", ENOSPC).messageWithReason(),
         "Ne mogu zapisati fajl /dev/full: " + std::string(std::strerror(ENOSPC))},
        {FileError::outOfMemory("/dev/zero").what(),
         "Nema dovoljno memorije za čitanje fajla /dev/zero"},
        {"Out of memory", "Nema dovoljno memorije"},
        {"unknown error", "Nepoznata greška"},
        // The ".tpp" reader's problems, each with the place it names.
        {FileError::malformed("a: b.tpp", "line 2: expected the number of documents").what(),
         "Neispravan fajl a: b.tpp: redak 2: očekuje se broj dokumenata"},
        {FileError::malformed("s.tpp", "line 1: expected \"rijeci iz train dokumenata\"").what(),
         "Neispravan fajl s.tpp: redak 1: očekuje se \"rijeci iz train dokumenata\""},
        {FileError::malformed("s.tpp", "line 9: unexpected end of file, expected a category name")
             .what(),
         "Neispravan fajl s.tpp: redak 9: neočekivan kraj fajla, očekuje se ime kategorije"},
        {FileError::malformed("s.tpp", "line 4: expected a non-negative whole number in the "
                                       "number of words of a document")
             .what(),
         "Neispravan fajl s.tpp: redak 4: očekuje se nenegativan cijeli broj (broj riječi "
         "dokumenta)"},
        {FileError::malformed("s.tpp", "line 30: a document without a category").what(),
         "Neispravan fajl s.tpp: redak 30: dokument bez kategorije"},
        {FileError::malformed("s.tpp", "line 7: something new").what(),
         "Neispravan fajl s.tpp: redak 7: something new"},
        // A run file that holds no whole run.
        {FileError::malformed("table.csv", "no C4.5 output in it").what(),
         "Neispravan fajl table.csv: u njemu nema ispisa programa C4.5"},
        {FileError::malformed("cut.c45p", "incomplete C4.5 run, no evaluation on training data")
             .what(),
         "Neispravan fajl cut.c45p: nepotpuno pokretanje programa C4.5, nedostaje vrednovanje "
         "na podacima za učenje"},
        {FileError::malformed("e.c45p", "the run ended in an error: ERROR: no cases: x").what(),
         "Neispravan fajl e.c45p: pokretanje je završilo greškom: ERROR: no cases: x"},
        // The runner's failures; the learner's own lines follow unchanged.
        {*runFailure(notStarted), "Ne mogu pokrenuti program /w/c4.5.exe: " + noFile},
        {*runFailure(failed), "Program c4.5.exe završio je sa statusom 1\nERROR: cannot open file "
                              "bla.data\n-m 0\n** illegal value **"},
        {*runFailure(killed),
         "Program c4.5.exe prekinut je signalom 9 (" + std::string(strsignal(SIGKILL)) + ")"},
        {*runFailure(talkative), "Program ./c4.5.exe ispisao je više od 64 MB pa je zaustavljen"},
        {*runFailure(lost), "Program c4.5.exe nije završio normalno"},
        {*runFailure(outcome(sets + "/c4.5.exe")),
         "Program " + sets + "/c4.5.exe nije ispisao rezultat"},
        {"c4.5.exe gave no whole result (incomplete C4.5 run, no confusion matrix)",
         "Program c4.5.exe nije dao cijeli rezultat (nepotpuno pokretanje programa C4.5, "
         "nedostaje matrica zabune)"},
        // The options C4.5 would refuse.
        {*c45OptionsProblem(noMinCases),
         "Najmanji broj slučajeva (-m) mora biti cijeli broj od 1 do 1000000."},
        {*c45OptionsProblem(tooConfident),
         "Pouzdanost podrezivanja (-c) mora biti broj od 0.001 do 100."},
        {*c45OptionsProblem(tooManyTrials),
         "Broj pokušaja (-t) mora biti cijeli broj od 1 do 10000."},
        // The series.
        {"another series is running in bla-series; wait for it to end or choose another file stem",
         "U mapi bla-series već radi druga serija; pričekajte da završi ili odaberite drugo ime "
         "skupa fajlova."},
        {seriesTooLong(), "Serija bi imala 10001 pokretanja, a smije ih imati najviše 10000."},
        {"Could not write chart g.png: the name must end in .svg or .png",
         "Ne mogu zapisati graf g.png: ime mora završavati na .svg ili .png"},
        {"Could not write chart /dev/full: " + std::string(std::strerror(ENOSPC)),
         "Ne mogu zapisati graf /dev/full: " + std::string(std::strerror(ENOSPC))},
        // The tree of a run and the file set it is applied with.
        {treeProblem("Decision Tree:\n\nw <= 1 :[S1]\nw > 1 : a (2.0)\n"),
         "Stablo odluke: poziv na neispisano podstablo: \"<= 1 :[S1]\""},
        {treeProblem("Decision Tree:\n\nw = x: a (2.0)\n"),
         "Stablo odluke: test „w = x” ne ispituje broj pojavljivanja riječi"},
        {"decision tree: the word \"oil\" is no attribute of s.names",
         "Stablo odluke: riječ „oil” nije atribut u s.names"},
        {"Could not write picture t.svg: " + std::string(std::strerror(ENOSPC)),
         "Ne mogu zapisati sliku t.svg: " + std::string(std::strerror(ENOSPC))},
        // What is not the engine's passes unchanged.
        {"U mapi empty nije pronađen nijedan dokument.",
         "U mapi empty nije pronađen nijedan dokument."},
        {"Could not", "Could not"},
        {"", ""},
    };
    for (const auto &row : cases) {
        SCOPED_TRACE(row.english);
        EXPECT_EQ(row.croatian, croatianMessage(row.english));
    }
}
