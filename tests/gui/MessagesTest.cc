// The Croatian texts of the engine's messages. The English side is made by
// the engine itself wherever a function makes it, so that a change of its
// wording shows here as a message left untranslated.
#include "Messages.h"

#include "c45/C45Runner.h"
#include "classify/Classifier.h"
#include "corpus/FileError.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <sstream>
#include <string>

namespace {

C45Process::Outcome outcome(const std::string &program) {
    C45Process::Outcome ended;
    ended.program = program;
    ended.exitStatus = 0;
    return ended;
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
    C45Process::Outcome killed = outcome("c4.5.exe");
    killed.exitStatus.reset();
    killed.signal = SIGKILL;
    C45Process::Outcome talkative = outcome("./c4.5.exe");
    talkative.outputCut = true;
    talkative.outputLimit = std::size_t(64) << 20;
    C45Process::Outcome lost = outcome("c4.5.exe");
    lost.exitStatus.reset();
    const std::string sets = "/home/ana/skup: prvi/bla";

    const struct {
        std::string english;
        std::string croatian;
    } cases[] = {
        {FileError::cannotRead("/dev/x", EIO).messageWithReason(),
         "Ne mogu pročitati fajl /dev/x: " + std::string(std::strerror(EIO))},
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
        {FileError::malformed("s.tpp", "line 30: a document without a category").what(),
         "Neispravan fajl s.tpp: redak 30: dokument bez kategorije"},
        {FileError::malformed("s.tpp", "line 7: something new").what(),
         "Neispravan fajl s.tpp: redak 7: something new"},
        // A run file that holds no whole run.
        {FileError::malformed("e.c45p", "the run ended in an error: ERROR: no cases: x").what(),
         "Neispravan fajl e.c45p: pokretanje je završilo greškom: ERROR: no cases: x"},
        // The runner's failures.
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
        {*c45OptionsProblem({false, std::nullopt, std::nullopt, 10001}),
         "Broj pokušaja (-t) mora biti cijeli broj od 1 do 10000."},
        // The series.
        {"another series is running in bla-series; wait for it to end or choose another file stem",
         "U mapi bla-series već radi druga serija; pričekajte da završi ili odaberite drugo ime "
         "skupa fajlova."},
        {"Could not write chart g.png: the name must end in .svg or .png",
         "Ne mogu zapisati graf g.png: ime mora završavati na .svg ili .png"},
        {"Could not write chart /dev/full: " + std::string(std::strerror(ENOSPC)),
         "Ne mogu zapisati graf /dev/full: " + std::string(std::strerror(ENOSPC))},
        // The tree of a run and the file set it is applied with.
        {treeProblem("Decision Tree:\n\nw = x: a (2.0)\n"),
         "Stablo odluke: test „w = x” ne ispituje broj pojavljivanja riječi"},
        {"decision tree: the word \"oil\" is no attribute of s.names",
         "Stablo odluke: riječ „oil” nije atribut u s.names"},
        {"Could not write picture t.svg: " + std::string(std::strerror(ENOSPC)),
         "Ne mogu zapisati sliku t.svg: " + std::string(std::strerror(ENOSPC))},
        // What is not the engine's passes unchanged.
        {"Could not", "Could not"},
        {"", ""},
    };
    for (const auto &row : cases) {
        SCOPED_TRACE(row.english);
        EXPECT_EQ(row.croatian, croatianMessage(row.english));
    }
}
