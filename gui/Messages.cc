// Croatian texts of the engine's and the runner's messages. Each shape of
// message is matched whole; its variable parts (paths, numbers, reasons) are
// copied into the Croatian sentence unchanged.
#include "Messages.h"

#include <optional>
#include <regex>
#include <utility>
#include <vector>

namespace {

using Phrases = std::vector<std::pair<std::string, std::string>>;

bool startsWith(const std::string &text, const std::string &start) {
    return text.compare(0, start.size(), start) == 0;
}

std::optional<std::string> lookUp(const Phrases &phrases, const std::string &text) {
    for (const auto &[english, croatian] : phrases)
        if (text == english)
            return croatian;
    return std::nullopt;
}

// What the ".tpp" reader expected on a line; a section title it expected is
// Croatian already and stays.
std::string expectedThing(const std::string &what) {
    static const Phrases things = {
        {"the number of documents", "broj dokumenata"},
        {"the number of words of a document", "broj riječi dokumenta"},
        {"a word and its count", "riječ i broj njezinih pojavljivanja"},
        {"the number of categories of a document", "broj kategorija dokumenta"},
        {"a category name", "ime kategorije"},
        {"the number of categories", "broj kategorija"},
        {"a category and its document count", "kategorija i broj njezinih dokumenata"},
        {"the number of words", "broj riječi"},
        {"\"ig\" or \"nig\"", "\"ig\" ili \"nig\""},
        {"a word and its document frequency", "riječ i broj dokumenata u kojima je"},
        {"a word of lower-case letters and inner hyphens",
         "riječ od malih slova i crtica unutar nje"},
    };
    return lookUp(things, what).value_or(what);
}

// The problem the ".tpp" reader found on a line.
std::string lineProblem(const std::string &problem) {
    static const Phrases whole = {
        {"unexpected text after the last section", "višak teksta nakon posljednjeg odjeljka"},
        {"the number of documents differs from that of the word section",
         "broj dokumenata razlikuje se od onoga u odjeljku riječi"},
        {"a document without a category", "dokument bez kategorije"},
        {"a category missing from the category section",
         "kategorija koje nema u odjeljku kategorija"},
        {"a document frequency above the number of training documents",
         "broj dokumenata s riječju veći od broja dokumenata za učenje"},
    };
    if (const std::optional<std::string> croatian = lookUp(whole, problem))
        return *croatian;
    const std::string endOfFile = "unexpected end of file, expected ";
    if (startsWith(problem, endOfFile))
        return "neočekivan kraj fajla, očekuje se " +
               expectedThing(problem.substr(endOfFile.size()));
    const std::string wholeNumber = "expected a non-negative whole number in ";
    if (startsWith(problem, wholeNumber))
        return "očekuje se nenegativan cijeli broj (" +
               expectedThing(problem.substr(wholeNumber.size())) + ")";
    const std::string expected = "expected ";
    if (startsWith(problem, expected))
        return "očekuje se " + expectedThing(problem.substr(expected.size()));
    return problem;
}

// What a run file or a learner's output lacks (c45RunProblem).
std::optional<std::string> runProblem(const std::string &problem) {
    if (problem == "no C4.5 output in it")
        return "u njemu nema ispisa programa C4.5";
    const std::string error = "the run ended in an error: ";
    if (startsWith(problem, error))
        return "pokretanje je završilo greškom: " + problem.substr(error.size());
    static const Phrases parts = {
        {"line of the cases read", "redak o pročitanim slučajevima"},
        {"decision tree", "stablo odluke"},
        {"line of the tree saved", "redak o snimljenom stablu"},
        {"evaluation on training data", "vrednovanje na podacima za učenje"},
        {"evaluation on test data", "vrednovanje na testnim podacima"},
        {"confusion matrix", "matrica zabune"},
    };
    const std::string incomplete = "incomplete C4.5 run, no ";
    if (!startsWith(problem, incomplete))
        return std::nullopt;
    const std::string part = problem.substr(incomplete.size());
    return "nepotpuno pokretanje programa C4.5, nedostaje " + lookUp(parts, part).value_or(part);
}

// The problem after "Malformed file PATH: ".
std::optional<std::string> fileProblem(const std::string &problem) {
    static const std::regex line("line ([0-9]+): (.*)");
    std::smatch match;
    if (std::regex_match(problem, match, line))
        return "redak " + match.str(1) + ": " + lineProblem(match.str(2));
    return runProblem(problem);
}

// Why a chart could not be written, when the chart writer says it itself.
std::optional<std::string> chartReason(const std::string &reason) {
    if (reason == "the name must end in .svg or .png")
        return "ime mora završavati na .svg ili .png";
    if (reason == "cannot be written")
        return "ne može se zapisati";
    static const std::regex size("the size must be positive, not (.*)");
    std::smatch match;
    if (std::regex_match(reason, match, size))
        return "veličina mora biti pozitivna, a ne " + match.str(1);
    return std::nullopt;
}

// text is "PATH: PROBLEM" with ": " possibly inside PATH: the first split
// whose PROBLEM translate knows, PATH kept.
std::optional<std::string> afterPath(const std::string &text,
                                     std::optional<std::string> (*translate)(const std::string &)) {
    for (std::size_t colon = text.find(": "); colon != std::string::npos;
         colon = text.find(": ", colon + 1))
        if (const std::optional<std::string> croatian = translate(text.substr(colon + 2)))
            return text.substr(0, colon + 2) + *croatian;
    return std::nullopt;
}

// A C4.5 option refused by c45OptionsProblem.
std::optional<std::string> optionProblem(const std::string &line) {
    static const std::regex shape(
        R"(the (.+) \((-[a-z])\) must be a (whole )?number from (\S+) to (\S+))");
    static const Phrases options = {
        {"minimum number of cases", "Najmanji broj slučajeva"},
        {"pruning confidence", "Pouzdanost podrezivanja"},
        {"number of trials", "Broj pokušaja"},
    };
    std::smatch match;
    if (!std::regex_match(line, match, shape))
        return std::nullopt;
    const std::optional<std::string> name = lookUp(options, match.str(1));
    if (!name)
        return std::nullopt;
    return *name + " (" + match.str(2) + ") mora biti " +
           (match[3].matched ? "cijeli broj" : "broj") + " od " + match.str(4) + " do " +
           match.str(5) + ".";
}

// The reader of a run's tree and its classifier: "decision tree: WHAT" or
// "decision tree: WHAT: "LINE"", the quoted line kept.
std::optional<std::string> treeProblem(const std::string &line) {
    const std::string lead = "decision tree: ";
    if (!startsWith(line, lead))
        return std::nullopt;
    static const Phrases problems = {
        {"the output holds no tree", "izlaz ne sadrži stablo"},
        {"a line outside the tree", "redak izvan stabla"},
        {"a leaf without its (cases) figures", "list bez broja slučajeva"},
        {"a threshold that is not a number", "prag koji nije broj"},
        {"a branch line without a test", "grana bez testa"},
        {"a reference to a subtree that was not printed", "poziv na neispisano podstablo"},
        {"a node whose branches test different words", "čvor čije grane ispituju različite riječi"},
    };
    const std::string rest = line.substr(lead.size());
    const std::size_t quote = rest.find(": \"");
    const std::optional<std::string> problem = lookUp(problems, rest.substr(0, quote));
    if (problem)
        return "Stablo odluke: " + *problem +
               (quote == std::string::npos ? "" : rest.substr(quote));
    static const std::vector<std::pair<std::regex, std::string>> shapes = [] {
        const std::pair<const char *, const char *> texts[] = {
            {"the word \"(.*)\" is no attribute of (.+)", "riječ „$1” nije atribut u $2"},
            {"the category \"(.*)\" is not one of (.+)", "kategorija „$1” nije u $2"},
            {"the test \"(.*)\" is not one of a word count",
             "test „$1” ne ispituje broj pojavljivanja riječi"},
            {"no branch of \"(.*)\" takes (.+)", "nijedna grana čvora „$1” ne prima $2"},
            {"the run printed no tree of category \"(.*)\" \\(the learner prints them from -v "
             "1\\)",
             "pokretanje nije ispisalo stablo kategorije „$1” (C4.5 ih ispisuje od -v 1)"},
        };
        std::vector<std::pair<std::regex, std::string>> compiled;
        for (const auto &[english, croatian] : texts)
            compiled.emplace_back(std::regex(english), croatian);
        return compiled;
    }();
    for (const auto &[pattern, croatian] : shapes)
        if (std::regex_match(rest, pattern))
            return "Stablo odluke: " + std::regex_replace(rest, pattern, croatian);
    return std::nullopt;
}

// The first line of a message: the part with a fixed shape.
std::optional<std::string> firstLine(const std::string &line) {
    static const Phrases whole = {
        {"Out of memory", "Nema dovoljno memorije"},
        {"unknown error", "Nepoznata greška"},
        {"a command-line argument cannot hold a NUL byte",
         "Argument naredbenog retka ne može sadržavati bajt NUL"},
    };
    if (const std::optional<std::string> croatian = lookUp(whole, line))
        return croatian;

    static const Phrases fileLeads = {
        {"Could not open file ", "Ne mogu otvoriti fajl "},
        {"Could not open directory ", "Ne mogu otvoriti mapu "},
        {"Could not read file ", "Ne mogu pročitati fajl "},
        {"Could not write file ", "Ne mogu zapisati fajl "},
        {"out of memory while reading ", "Nema dovoljno memorije za čitanje fajla "},
    };
    for (const auto &[english, croatian] : fileLeads)
        if (startsWith(line, english))
            return croatian + line.substr(english.size());
    const std::string malformed = "Malformed file ";
    if (startsWith(line, malformed)) {
        const std::string rest = line.substr(malformed.size());
        return "Neispravan fajl " + afterPath(rest, fileProblem).value_or(rest);
    }
    static const Phrases pictureLeads = {
        {"Could not write chart ", "Ne mogu zapisati graf "},
        {"Could not write picture ", "Ne mogu zapisati sliku "},
    };
    for (const auto &[english, croatian] : pictureLeads)
        if (startsWith(line, english)) {
            const std::string rest = line.substr(english.size());
            return croatian + afterPath(rest, chartReason).value_or(rest);
        }
    if (std::optional<std::string> croatian = optionProblem(line))
        return croatian;
    if (std::optional<std::string> croatian = treeProblem(line))
        return croatian;

    // Shapes with a variable part inside: runFailure's (the program first)
    // and the series' refusals.
    static const std::vector<std::pair<std::regex, std::string>> shapes = [] {
        const std::pair<const char *, const char *> texts[] = {
            {"(.+?) could not be started: (.*)", "Ne mogu pokrenuti program $1: $2"},
            {"(.+?) printed more than ([0-9]+) MB and was stopped",
             "Program $1 ispisao je više od $2 MB pa je zaustavljen"},
            {"(.+?) printed more than ([0-9]+) bytes and was stopped",
             "Program $1 ispisao je više od $2 bajtova pa je zaustavljen"},
            {R"((.+?) was ended by signal ([0-9]+) \((.*)\))",
             "Program $1 prekinut je signalom $2 ($3)"},
            {"(.+?) did not end normally", "Program $1 nije završio normalno"},
            {"(.+?) ended with status ([0-9]+)", "Program $1 završio je sa statusom $2"},
            {"(.+?) printed no result", "Program $1 nije ispisao rezultat"},
            {"another series is running in (.+); wait for it to end or choose another file stem",
             "U mapi $1 već radi druga serija; pričekajte da završi ili odaberite drugo ime "
             "skupa fajlova."},
            {"the series would have ([0-9]+) runs, more than the ([0-9]+) a series may have",
             "Serija bi imala $1 pokretanja, a smije ih imati najviše $2."},
            {"the series would have more than ([0-9]+) runs, more than the ([0-9]+) a series may "
             "have",
             "Serija bi imala više od $1 pokretanja, a smije ih imati najviše $2."},
        };
        std::vector<std::pair<std::regex, std::string>> compiled;
        for (const auto &[pattern, croatian] : texts)
            compiled.emplace_back(std::regex(pattern), croatian);
        return compiled;
    }();
    std::smatch match;
    for (const auto &[shape, croatian] : shapes)
        if (std::regex_match(line, match, shape))
            return match.format(croatian);
    static const std::regex partial(R"((.+?) gave no whole result \((.*)\))");
    if (std::regex_match(line, match, partial)) {
        const std::string problem = match.str(2);
        return "Program " + match.str(1) + " nije dao cijeli rezultat (" +
               runProblem(problem).value_or(problem) + ")";
    }
    return std::nullopt;
}

} // namespace

std::string croatianMessage(const std::string &message) {
    const std::size_t end = message.find('\n');
    const std::string line = message.substr(0, end);
    const std::optional<std::string> croatian = firstLine(line);
    if (!croatian)
        return message;
    return *croatian + (end == std::string::npos ? "" : message.substr(end));
}
