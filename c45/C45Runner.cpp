#include "c45/C45Runner.h"

#include "c45/NumberText.h"
#include "learner/OptionLimits.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstring>
#include <fstream>
#include <stdexcept>
#include <system_error>
#include <thread>

extern char **environ;

namespace {

// Large reads: a big tree is megabytes of output.
constexpr std::size_t readSize = 1 << 16;

// How long a program that was asked to end, or that closed its output, may
// take to exit before it is killed.
constexpr std::chrono::seconds gracePeriod(3);

void takeLines(const char *data, std::size_t size, std::string &partial,
               std::vector<std::string> &lines) {
    const char *const end = data + size;
    while (data < end) {
        const char *const lineEnd = static_cast<const char *>(std::memchr(data, '\n', end - data));
        if (lineEnd == nullptr) {
            partial.append(data, end);
            return;
        }
        partial.append(data, lineEnd);
        lines.push_back(std::move(partial));
        partial.clear();
        data = lineEnd + 1;
    }
}

void endLines(std::string &partial, std::vector<std::string> &lines) {
    if (!partial.empty())
        lines.push_back(std::move(partial));
    partial.clear();
}

// Reads what the descriptor holds now; at the end of its data closes it and
// sets it to -1.
void drain(int &descriptor, std::string &partial, std::vector<std::string> &lines) {
    char chunk[readSize];
    while (descriptor >= 0) {
        const ssize_t got = read(descriptor, chunk, sizeof chunk);
        if (got > 0) {
            takeLines(chunk, static_cast<std::size_t>(got), partial, lines);
            continue;
        }
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            return;
        close(descriptor);
        descriptor = -1;
        endLines(partial, lines);
    }
}

void closeDescriptor(int &descriptor) {
    if (descriptor >= 0)
        close(descriptor);
    descriptor = -1;
}

// Whether the child has exited, without waiting for it: it stays a zombie,
// so its process group cannot be reused by another process yet.
bool hasExited(pid_t child) {
    siginfo_t info{};
    return waitid(P_PID, static_cast<id_t>(child), &info, WEXITED | WNOHANG | WNOWAIT) == 0 &&
           info.si_pid != 0;
}

// Whether the child exits within the time, as hasExited.
bool exitsWithin(pid_t child, std::chrono::steady_clock::duration limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    for (;;) {
        if (hasExited(child))
            return true;
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

std::vector<std::string> words(const std::string &text) {
    std::vector<std::string> result;
    std::size_t start = 0;
    while ((start = text.find_first_not_of(" \t", start)) != std::string::npos) {
        const std::size_t end = text.find_first_of(" \t", start);
        result.push_back(text.substr(start, end - start));
        start = end;
    }
    return result;
}

// The parent's environment, with OMP_NUM_THREADS set when a budget is given.
std::vector<std::string> childEnvironment(int threads) {
    std::vector<std::string> variables;
    const std::string budget = "OMP_NUM_THREADS=";
    for (char **variable = environ; *variable != nullptr; ++variable)
        if (threads <= 0 || std::strncmp(*variable, budget.c_str(), budget.size()) != 0)
            variables.emplace_back(*variable);
    if (threads > 0)
        variables.push_back(budget + std::to_string(threads));
    return variables;
}

std::vector<char *> pointers(std::vector<std::string> &texts) {
    std::vector<char *> result;
    for (std::string &text : texts)
        result.push_back(text.data());
    result.push_back(nullptr);
    return result;
}

} // namespace

std::string optionText(const C45Options &options) {
    std::string text;
    if (options.discreteGroups)
        text += " -s";
    if (options.minCases)
        text += " -m " + std::to_string(*options.minCases);
    if (options.confidence)
        text += " -c " + numberToString(*options.confidence);
    if (options.trials)
        text += " -t " + std::to_string(*options.trials);
    return text;
}

std::optional<std::string> c45OptionsProblem(const C45Options &options) {
    const auto whole = [](const char *what, const OptionRange<long long> &range) {
        return std::string(what) + " must be a whole number from " + std::to_string(range.low) +
               " to " + std::to_string(range.high);
    };
    if (options.minCases && !minCasesRange.holds(*options.minCases))
        return whole("the minimum number of cases (-m)", minCasesRange);
    if (options.confidence && !confidenceRange.holds(*options.confidence))
        return "the pruning confidence (-c) must be a number from " +
               numberToString(static_cast<float>(confidenceRange.low)) + " to " +
               numberToString(static_cast<float>(confidenceRange.high));
    if (options.trials && !trialsRange.holds(*options.trials))
        return whole("the number of trials (-t)", trialsRange);
    return std::nullopt;
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

C45Command buildC45Command(const C45RunRequest &request) {
    std::string stem = stemOfNamesPath(request.namesPath);
    replaceAll(stem, "\\", "/");
    C45Command command;
    std::string testPath = stem + (request.sparse ? ".test.svm" : ".test");
    if (!request.workingDirectory.empty() && (stem.empty() || stem[0] != '/'))
        testPath = request.workingDirectory + "/" + testPath;
    command.hasTest = std::ifstream(testPath).is_open();
    command.arguments = {request.program};
    if (request.sparse)
        command.arguments.push_back("-L");
    if (command.hasTest)
        command.arguments.push_back("-u");
    command.arguments.push_back("-f");
    command.arguments.push_back(stem);
    for (std::string &word : words(request.optionText))
        command.arguments.push_back(std::move(word));
    for (const std::string &argument : command.arguments)
        if (argument.find('\0') != std::string::npos)
            throw std::invalid_argument("a command-line argument cannot hold a NUL byte");
    return command;
}

bool isSparseFileSet(const std::string &stem) {
    struct stat info;
    return ::stat((stem + ".data.svm").c_str(), &info) == 0 &&
           ::stat((stem + ".data").c_str(), &info) != 0 && errno == ENOENT;
}

C45Process::C45Process(const C45RunRequest &request, std::ostream &trace)
    : command_(buildC45Command(request)), program_(request.program) {
    trace << "opcije su " << request.optionText << std::endl;
    int output[2] = {-1, -1};
    int errors[2] = {-1, -1};
    if (pipe2(output, O_CLOEXEC) != 0 || pipe2(errors, O_CLOEXEC) != 0) {
        startError_ = std::generic_category().message(errno);
        for (int *end : {&output[0], &output[1]})
            closeDescriptor(*end);
        return;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (!request.workingDirectory.empty())
        posix_spawn_file_actions_addchdir_np(&actions, request.workingDirectory.c_str());
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, errors[1], STDERR_FILENO);
    // Its own process group, so that ending a run ends C4.5 and whatever
    // it started; default signal handling and no blocked signals, whatever
    // the workbench or tcw set up for themselves.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK |
                                              POSIX_SPAWN_SETSIGDEF);
    posix_spawnattr_setpgroup(&attributes, 0);
    sigset_t signals;
    sigemptyset(&signals);
    posix_spawnattr_setsigmask(&attributes, &signals);
    sigfillset(&signals);
    posix_spawnattr_setsigdefault(&attributes, &signals);

    std::vector<std::string> arguments = command_.arguments;
    std::vector<std::string> environment = childEnvironment(request.threads);
    pid_t child = 0;
    const int error = posix_spawnp(&child, request.program.c_str(), &actions, &attributes,
                                   pointers(arguments).data(), pointers(environment).data());
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    close(output[1]);
    close(errors[1]);
    if (error != 0) {
        startError_ = std::generic_category().message(error);
        close(output[0]);
        close(errors[0]);
        return;
    }
    child_ = child;
    output_ = output[0];
    errors_ = errors[0];
    fcntl(output_, F_SETFL, fcntl(output_, F_GETFL) | O_NONBLOCK);
    fcntl(errors_, F_SETFL, fcntl(errors_, F_GETFL) | O_NONBLOCK);
}

C45Process::~C45Process() {
    terminate();
    closeDescriptor(output_);
    closeDescriptor(errors_);
}

void C45Process::reap(int status) {
    status_ = status;
    child_ = 0;
}

void C45Process::terminate() {
    if (child_ == 0)
        return;
    killpg(child_, SIGTERM);
    if (!exitsWithin(child_, gracePeriod))
        killpg(child_, SIGKILL);
    int status = 0;
    while (waitpid(child_, &status, 0) < 0 && errno == EINTR) {
    }
    reap(status);
}

void C45Process::cancel() {
    terminate();
}

// Reads both pipes; with wait, until standard output ends or the child has
// exited and left nothing more in it (something it started may hold the
// pipe open). Standard error is read alongside so that a child writing much
// of it never blocks.
void C45Process::readPipes(bool wait) {
    while (output_ >= 0) {
        pollfd watch[2] = {{output_, POLLIN, 0}, {errors_, POLLIN, 0}};
        const int ready = poll(watch, errors_ >= 0 ? 2 : 1, wait ? 100 : 0);
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready < 0)
            return;
        if (ready == 0) {
            if (child_ == 0 || hasExited(child_)) {
                closeDescriptor(output_);
                endLines(partial_, lines_);
            }
            if (!wait)
                return;
            continue;
        }
        if (errors_ >= 0 && watch[1].revents != 0)
            drain(errors_, errorPartial_, errorLines_);
        if (watch[0].revents != 0)
            drain(output_, partial_, lines_);
    }
}

bool C45Process::readAvailable() {
    readPipes(false);
    return output_ < 0;
}

C45Process::Outcome C45Process::finish() {
    if (child_ != 0) {
        readPipes(true);
        if (!exitsWithin(child_, gracePeriod)) {
            terminate();
        } else {
            // The run is over: whatever C4.5 left behind in its group goes.
            killpg(child_, SIGKILL);
            int status = 0;
            while (waitpid(child_, &status, 0) < 0 && errno == EINTR) {
            }
            reap(status);
        }
    }
    // The child has gone: what it wrote is in the pipes; a descendant that
    // still holds them open is not waited for.
    drain(output_, partial_, lines_);
    drain(errors_, errorPartial_, errorLines_);
    closeDescriptor(output_);
    closeDescriptor(errors_);
    endLines(partial_, lines_);
    endLines(errorPartial_, errorLines_);

    Outcome outcome;
    outcome.program = program_;
    outcome.startError = startError_;
    if (status_ && WIFEXITED(*status_))
        outcome.exitStatus = WEXITSTATUS(*status_);
    if (status_ && WIFSIGNALED(*status_))
        outcome.signal = WTERMSIG(*status_);
    outcome.errorLines = std::move(errorLines_);
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const std::string &line = lines_[i];
        if (line.compare(0, 6, "ERROR:") == 0 || line == unrecognisedOptionLine)
            outcome.errorLines.push_back(line);
        // The echo line above the refusal names the option and its value.
        if (line == illegalValueLine && i > 0)
            for (const std::string &quoted : {lines_[i - 1], line})
                outcome.errorLines.push_back(quoted.substr(quoted.find_first_not_of('\t')));
    }
    outcome.result.outputLines = std::move(lines_);
    lines_.clear();
    outcome.summary = parseC45Output(outcome.result, command_.hasTest);
    return outcome;
}

C45Process::Outcome runC45(const C45RunRequest &request, std::ostream &trace) {
    return C45Process(request, trace).finish();
}

std::optional<std::string> runFailure(const C45Process::Outcome &outcome) {
    const C45Evaluation &training = outcome.summary.training;
    std::string message = outcome.program;
    if (outcome.startError)
        message += " could not be started: " + *outcome.startError;
    else if (outcome.signal)
        message += " was ended by signal " + std::to_string(*outcome.signal) + " (" +
                   strsignal(*outcome.signal) + ")";
    else if (!outcome.exitStatus)
        message += " did not end normally";
    else if (*outcome.exitStatus != 0)
        message += " ended with status " + std::to_string(*outcome.exitStatus);
    else if (!training.sizeBeforePruning && !training.sizeAfterPruning)
        message += " printed no result";
    else
        return std::nullopt;
    for (const std::string &line : outcome.errorLines)
        message += "\n" + line;
    return message;
}
