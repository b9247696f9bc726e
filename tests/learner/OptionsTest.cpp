// Option parsing: echo lines, defaults, ranges and refusals.
#include "Options.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

struct Case {
    std::vector<std::string> args;
    std::string echo;    // everything written after the "Options:" heading
    std::string outcome; // canonical options, or "error:" and the refusal text
};

std::string canonical(const Options &o) {
    std::ostringstream text;
    text << "f=" << o.fileStem << " u=" << o.evaluateTest << " s=" << o.valueSubsets
         << " m=" << o.minObjs << " c=" << o.confidence << " t=" << o.trials
         << " w=" << o.windowSize << " i=" << o.windowIncrement << " g=" << o.gainCriterion
         << (o.sparseFiles ? " files=" + o.dataFile() + "," + o.testFile() : "")
         << (o.perCategory ? " per-category" : "");
    return text.str();
}

TEST(Options, EchoesAndValuesInCommandLineOrder) {
    const std::string illegal = "error:\t** illegal value **";
    const std::vector<Case> cases = {
        {{}, "", "f=DF u=0 s=0 m=2 c=0.25 t=0 w=0 i=0 g=0"},
        {{"-u", "-f", "bla"},
         "\tTrees evaluated on unseen cases\n\tFile stem <bla>\n",
         "f=bla u=1 s=0 m=2 c=0.25 t=0 w=0 i=0 g=0"},
        {{"-fbla", "-s", "-m5", "-c", "10", "-t", "3"},
         "\tFile stem <bla>\n\tTests on discrete attribute groups\n"
         "\tSensible test requires 2 branches with >=5 cases\n\tPruning confidence level 10%\n"
         "\tWindowing enabled with 3 trials\n",
         "f=bla u=0 s=1 m=5 c=0.1 t=3 w=0 i=0 g=0"},
        {{"-L", "-u", "-f", "bla"},
         "\tCases read from sparse (LIBSVM) files\n\tTrees evaluated on unseen cases\n"
         "\tFile stem <bla>\n",
         "f=bla u=1 s=0 m=2 c=0.25 t=0 w=0 i=0 g=0 files=bla.data.svm,bla.test.svm"},
        {{"-Lu"}, "", "error:unrecognised option"},
        {{"-m", "2.5", "-c", "12.5"},
         "\tSensible test requires 2 branches with >=2 cases\n\tPruning confidence level 12.5%\n",
         "f=DF u=0 s=0 m=2 c=0.125 t=0 w=0 i=0 g=0"},
        {{"-w", "40", "-i", "7", "-g", "-v", "2", "-p"},
         "\tInitial window size of 40 items\n\tMaximum window increment of 7 items\n"
         "\tGain criterion used\n\tVerbosity level 2\n\tProbability thresholds used\n",
         "f=DF u=0 s=0 m=2 c=0.25 t=1 w=40 i=7 g=1"},
        {{"-t", "2", "-b"},
         "\tWindowing enabled with 2 trials\n\tWindowing disabled (now the default)\n",
         "f=DF u=0 s=0 m=2 c=0.25 t=0 w=0 i=0 g=0"},
        {{"-m", "0"}, "\tSensible test requires 2 branches with >=0 cases\n", illegal},
        {{"-u", "-c", "0"},
         "\tTrees evaluated on unseen cases\n\tPruning confidence level 0%\n",
         illegal},
        {{"-c", "100.5"}, "\tPruning confidence level 100.5%\n", illegal},
        {{"-t", "0"}, "\tWindowing enabled with 0 trials\n", illegal},
        // Values beyond an int are refused, not wrapped (4294967298 once ran as 2).
        {{"-m", "4294967298"},
         "\tSensible test requires 2 branches with >=4294967298 cases\n",
         illegal},
        {{"-t", "4294967297"}, "\tWindowing enabled with 4294967297 trials\n", illegal},
        {{"-w", "-4294967295"}, "\tInitial window size of -4294967295 items\n", illegal},
        {{"-v", "4294967296"}, "\tVerbosity level 4294967296\n", illegal},
        {{"-m", "99999999999999999999999"},
         "\tSensible test requires 2 branches with >=9223372036854775807 cases\n",
         illegal},
        {{"-m", "1000000", "-t", "10000", "-c", "0.001", "-i", "1000000"},
         "\tSensible test requires 2 branches with >=1000000 cases\n"
         "\tWindowing enabled with 10000 trials\n\tPruning confidence level 0.001%\n"
         "\tMaximum window increment of 1000000 items\n",
         "f=DF u=0 s=0 m=1000000 c=1e-05 t=10000 w=0 i=1000000 g=0"},
        {{"-L", "-Y", "-u", "-f", "bla"},
         "\tCases read from sparse (LIBSVM) files\n\tOne tree per category against the rest\n"
         "\tTrees evaluated on unseen cases\n\tFile stem <bla>\n",
         "f=bla u=1 s=0 m=2 c=0.25 t=0 w=0 i=0 g=0 files=bla.data.svm,bla.test.svm per-category"},
        // -Y needs the sparse files and grows no windows; the test cases are optional.
        {{"-Y", "-u"},
         "\tOne tree per category against the rest\n\tTrees evaluated on unseen cases\n",
         "error:\t** -Y needs -L and cannot be combined with -t, -w or -i **"},
        {{"-Y", "-L"},
         "\tOne tree per category against the rest\n\tCases read from sparse (LIBSVM) files\n",
         "f=DF u=0 s=0 m=2 c=0.25 t=0 w=0 i=0 g=0 files=DF.data.svm,DF.test.svm per-category"},
        {{"-Y", "-L", "-u", "-w", "5"},
         "\tOne tree per category against the rest\n\tCases read from sparse (LIBSVM) files\n"
         "\tTrees evaluated on unseen cases\n\tInitial window size of 5 items\n",
         "error:\t** -Y needs -L and cannot be combined with -t, -w or -i **"},
        {{"-x"}, "", "error:unrecognised option"},
        {{"-u", "bla"}, "\tTrees evaluated on unseen cases\n", "error:unrecognised option"},
        {{"-f"}, "", "error:unrecognised option"},
        {{"-uf", "bla"}, "", "error:unrecognised option"}};
    for (const Case &c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.args));
        std::ostringstream out;
        std::string outcome;
        try {
            outcome = canonical(parseOptions(c.args, out));
        } catch (const UsageError &e) {
            outcome = std::string("error:") + e.what();
        }
        EXPECT_EQ(c.echo.empty() ? "" : "\n    Options:\n" + c.echo, out.str());
        EXPECT_EQ(c.outcome, outcome);
    }
}

} // namespace
