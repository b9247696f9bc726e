#include "c45/C45Runner.h"

#include "c45/NumberText.h"

#include <pstreams/pstream.h>
#include <sys/wait.h>

#include <cctype>
#include <csignal>
#include <cstring>
#include <fstream>
#include <stdexcept>

struct C45Process::Stream {
    redi::ipstream process;
};

namespace {

// PStreams keeps the pipe's descriptor protected; a pointer to the member,
// formed inside a derived class, reaches it without any cast of the object.
struct ReadPipe : redi::pstreambuf {
    static int of(redi::pstreambuf &buffer) {
        redi::pstreams::fd_type &(redi::pstreambuf::*pipe)() = &ReadPipe::rpipe;
        return (buffer.*pipe)();
    }
};

bool staysUnquoted(unsigned char c) {
    return std::isalnum(c) || c >= 0x80 || std::strchr("_-./+,:@%=", c) != nullptr;
}

} // namespace

std::string optionText(const C45Options &options) {
    std::string text;
    if (options.discreteGroups)
        text += " -s";
    if (options.minCases)
        text += " -m " + numberToString(*options.minCases);
    if (options.confidence)
        text += " -c " + numberToString(*options.confidence);
    if (options.trials)
        text += " -t " + numberToString(*options.trials);
    return text;
}

std::string &replaceAll(std::string &text, const std::string &from, const std::string &to) {
    if (from.empty())
        return text;
    for (std::size_t p = text.find(from); p != std::string::npos;
         p = text.find(from, p + to.size()))
        text.replace(p, from.size(), to);
    return text;
}

std::string stemOfNamesPath(const std::string &path) {
    return path.substr(0, path.find(".names"));
}

std::string shellWord(const std::string &text) {
    if (text.find('\0') != std::string::npos)
        throw std::invalid_argument("a command-line argument cannot hold a NUL byte");
    if (text.empty())
        return "''";
    std::string word;
    for (const char c : text) {
        if (staysUnquoted(static_cast<unsigned char>(c)))
            word += c;
        else if (c == '\n')
            word += "'\n'";
        else
            word += std::string{'\\', c};
    }
    return word;
}

C45Command buildC45Command(const C45RunRequest &request) {
    std::string stem = stemOfNamesPath(request.namesPath);
    replaceAll(stem, "\\", "/");
    C45Command command;
    command.hasTest = std::ifstream(stem + ".test").is_open();
    command.commandLine = shellWord(request.program) + (command.hasTest ? " -u -f " : " -f ") +
                          shellWord(stem) + request.optionText;
    return command;
}

C45Process::C45Process(const C45RunRequest &request, std::ostream &trace)
    : command_(buildC45Command(request)), stream_(std::make_unique<Stream>()) {
    trace << "opcije su " << request.optionText << std::endl;
    // A process group of its own, so that ending a run ends C4.5 and
    // anything it started, not only the shell in front of it.
    stream_->process.open(command_.commandLine, redi::pstreams::pstdout | redi::pstreams::newpg);
    if (!stream_->process.is_open())
        ended_ = true;
}

C45Process::~C45Process() {
    if (!ended_ && stream_->process.is_open())
        stream_->process.rdbuf()->killpg(SIGTERM);
}

int C45Process::outputDescriptor() const {
    return stream_->process.is_open() ? ReadPipe::of(*stream_->process.rdbuf()) : -1;
}

void C45Process::take(const char *data, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] != '\n') {
            partial_ += data[i];
            continue;
        }
        lines_.push_back(std::move(partial_));
        partial_.clear();
    }
}

void C45Process::endOutput() {
    if (!partial_.empty())
        lines_.push_back(std::move(partial_));
    partial_.clear();
    ended_ = true;
}

bool C45Process::readAvailable() {
    if (ended_)
        return true;
    std::streambuf &buffer = *stream_->process.rdbuf();
    char chunk[4096];
    for (;;) {
        const std::streamsize available = buffer.in_avail();
        if (available < 0) {
            endOutput();
            return true;
        }
        if (available == 0)
            return false;
        const std::streamsize wanted =
            std::min<std::streamsize>(available, static_cast<std::streamsize>(sizeof chunk));
        take(chunk, static_cast<std::size_t>(buffer.sgetn(chunk, wanted)));
    }
}

C45Process::Outcome C45Process::finish() {
    if (!ended_) {
        std::streambuf &buffer = *stream_->process.rdbuf();
        char chunk[4096];
        for (std::streamsize got; (got = buffer.sgetn(chunk, sizeof chunk)) > 0;)
            take(chunk, static_cast<std::size_t>(got));
        endOutput();
    }
    stream_->process.close();
    Outcome outcome;
    const int status = stream_->process.rdbuf()->status();
    if (status != -1 && WIFEXITED(status))
        outcome.exitStatus = WEXITSTATUS(status);
    outcome.result.outputLines = std::move(lines_);
    lines_.clear();
    outcome.summary = parseC45Output(outcome.result, command_.hasTest);
    return outcome;
}

C45Process::Outcome runC45(const C45RunRequest &request, std::ostream &trace) {
    return C45Process(request, trace).finish();
}
