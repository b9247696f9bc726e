#include "c45/C45Runner.h"

#include "c45/C45OutputFile.h"
#include "c45/CategoryReport.h"
#include "c45/NumberText.h"
#include "learner/OptionLimits.h"

#include <fcntl.h>
#include <pthread.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstring>
#include <fstream>
#include <limits>
#include <stdexcept>
#include <system_error>
#include <thread>

extern char **environ;

namespace {

// Large reads: a big tree is megabytes of output.
constexpr std::size_t readSize = 1 << 16;
constexpr std::size_t drainStep = std::size_t(1) << 20;

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

// Reads what the descriptor holds now, up to drainStep bytes, so that a
// caller can check what it holds in between; at the end of its data closes
// it and sets it to -1. Returns the number of bytes read.
std::size_t drain(int &descriptor, std::string &partial, std::vector<std::string> &lines) {
    char chunk[readSize];
    std::size_t total = 0;
    while (descriptor >= 0 && total < drainStep) {
        const ssize_t got = read(descriptor, chunk, sizeof chunk);
        if (got > 0) {
            takeLines(chunk, static_cast<std::size_t>(got), partial, lines);
            total += static_cast<std::size_t>(got);
            continue;
        }
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            break;
        close(descriptor);
        descriptor = -1;
        endLines(partial, lines);
    }
    return total;
}

// Reads a pipe as drain does until it holds nothing more for now, keeping
// the lines while they fit in room bytes and dropping the rest. Returns
// false once something was dropped.
bool drainWithin(int &descriptor, std::string &partial, std::vector<std::string> &lines,
                 std::size_t &room) {
    bool kept = true;
    for (;;) {
        std::vector<std::string> fresh;
        const std::size_t got = drain(descriptor, partial, fresh);
        for (std::string &line : fresh) {
            if (line.size() + 1 > room) {
                kept = false;
                room = 0;
                break;
            }
            room -= line.size() + 1;
            lines.push_back(std::move(line));
        }
        if (partial.size() > room) {
            kept = false;
            room = 0;
        }
        if (room == 0)
            partial.clear();
        if (got < drainStep)
            return kept;
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
    if (request.perCategory)
        command.arguments.insert(command.arguments.end(), {"-Y", "-v", "1"});
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

FileSetLayout fileSetLayout(const std::string &stem) {
    FileSetLayout layout;
    layout.sparse = isSparseFileSet(stem);
    if (!layout.sparse)
        return layout;
    std::ifstream cases(stem + ".data.svm");
    std::string label;
    while (!layout.perCategory && cases >> label) {
        layout.perCategory = label.find(',') != std::string::npos;
        cases.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
    }
    return layout;
}

C45Process::C45Process(const C45RunRequest &request, std::ostream &trace)
    : command_(buildC45Command(request)), program_(request.program),
      outputLimit_(request.outputLimit), outputRoom_(request.outputLimit), afterEmptyPoll_(request.afterEmptyPoll) {
    trace << "opcije su " << request.optionText << std::endl;
    int output[2] = {-1, -1};
    int errors[2] = {-1, -1};
    int report[2] = {-1, -1};
    if (pipe2(output, O_CLOEXEC) != 0 || pipe2(errors, O_CLOEXEC) != 0 ||
        pipe2(report, O_CLOEXEC) != 0) {
        startError_ = std::generic_category().message(errno);
        for (int *end : {&output[0], &output[1], &errors[0], &errors[1], &report[0], &report[1]})
            closeDescriptor(*end);
        return;
    }
    // Everything the child needs is made before the fork: between fork and
    // exec it may only call async-signal-safe functions.
    std::vector<std::string> arguments = command_.arguments;
    std::vector<std::string> environment = childEnvironment(request.threads);
    const std::vector<char *> argumentPointers = pointers(arguments);
    const std::vector<char *> environmentPointers = pointers(environment);
    const char *const folder =
        request.workingDirectory.empty() ? nullptr : request.workingDirectory.c_str();
    const pid_t parent = getpid();
    sigset_t all, previous;
    sigfillset(&all);
    pthread_sigmask(SIG_SETMASK, &all, &previous);
    const pid_t child = fork();
    if (child == 0) {
        // Its own process group, so that ending a run ends C4.5 and whatever
        // it started; killed with the thread that started it; default signal
        // handling and no blocked signals, whatever the workbench or tcw set
        // up for themselves.
        setpgid(0, 0);
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (getppid() != parent)
            _exit(127);
        struct sigaction byDefault {};
        byDefault.sa_handler = SIG_DFL;
        for (int signal = 1; signal < NSIG; ++signal)
            sigaction(signal, &byDefault, nullptr);
        sigset_t none;
        sigemptyset(&none);
        pthread_sigmask(SIG_SETMASK, &none, nullptr);
        int failure = 0;
        const int input = open("/dev/null", O_RDONLY);
        if ((folder != nullptr && chdir(folder) != 0) || input < 0 ||
            dup2(input, STDIN_FILENO) < 0 || dup2(output[1], STDOUT_FILENO) < 0 ||
            dup2(errors[1], STDERR_FILENO) < 0)
            failure = errno;
        if (failure == 0) {
            execvpe(argumentPointers[0], argumentPointers.data(), environmentPointers.data());
            failure = errno;
        }
        while (write(report[1], &failure, sizeof failure) < 0 && errno == EINTR) {
        }
        _exit(127);
    }
    const int forkError = child < 0 ? errno : 0;
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    close(output[1]);
    close(errors[1]);
    close(report[1]);
    int startFailure = forkError;
    if (child > 0) {
        setpgid(child, child);
        int reported = 0;
        ssize_t got;
        while ((got = read(report[0], &reported, sizeof reported)) < 0 && errno == EINTR) {
        }
        if (got == static_cast<ssize_t>(sizeof reported)) {
            startFailure = reported;
            int status = 0;
            while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
            }
        }
    }
    close(report[0]);
    if (startFailure != 0) {
        startError_ = std::generic_category().message(startFailure);
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

void C45Process::reapNow() {
    int status = 0;
    while (waitpid(child_, &status, 0) < 0 && errno == EINTR) {
    }
    reap(status);
}

void C45Process::terminate() {
    cancelTogether({this});
}

void C45Process::cancel() {
    terminate();
}

void C45Process::cancelTogether(const std::vector<C45Process *> &runs) {
    std::vector<C45Process *> running;
    for (C45Process *run : runs)
        if (run->child_ != 0) {
            killpg(run->child_, SIGTERM);
            running.push_back(run);
        }
    const auto deadline = std::chrono::steady_clock::now() + gracePeriod;
    for (C45Process *run : running)
        if (!exitsWithin(run->child_, deadline - std::chrono::steady_clock::now()))
            killpg(run->child_, SIGKILL);
    for (C45Process *run : running)
        run->reapNow();
}

// Reads what standard output holds now, up to the output limit; past it the
// program is stopped and the rest of its output dropped.
void C45Process::readOutput() {
    if (drainWithin(output_, partial_, lines_, outputRoom_) || outputCut_)
        return;
    outputCut_ = true;
    if (child_ != 0)
        killpg(child_, SIGKILL);
}

void C45Process::readErrors() {
    drainWithin(errors_, errorPartial_, errorLines_, errorRoom_);
}

// Reads both pipes; with wait, until standard output ends or the child has
// exited and left nothing more in it (something it started may hold the
// pipe open), or until cancel becomes true. Standard error is read
// alongside so that a child writing much of it never blocks.
void C45Process::readPipes(bool wait, const std::atomic<bool> *cancel) {
    while (output_ >= 0) {
        if (cancel != nullptr && *cancel)
            return;
        pollfd watch[2] = {{output_, POLLIN, 0}, {errors_, POLLIN, 0}};
        const int ready = poll(watch, errors_ >= 0 ? 2 : 1, wait ? 100 : 0);
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready < 0)
            return;
        if (ready == 0) {
            if (afterEmptyPoll_)
                afterEmptyPoll_();
            // What the child wrote before it exited is in the pipe by now,
            // whatever the poll before saw.
            if (child_ == 0 || hasExited(child_)) {
                readOutput();
                closeDescriptor(output_);
                endLines(partial_, lines_);
            }
            if (!wait)
                return;
            continue;
        }
        if (errors_ >= 0 && watch[1].revents != 0)
            readErrors();
        if (watch[0].revents != 0)
            readOutput();
    }
}

bool C45Process::readAvailable() {
    readPipes(false);
    return output_ < 0;
}

C45Process::Outcome C45Process::finish(const std::atomic<bool> *cancel) {
    if (child_ != 0) {
        readPipes(true, cancel);
        if ((cancel != nullptr && *cancel) || !exitsWithin(child_, gracePeriod)) {
            terminate();
        } else {
            // The run is over: whatever C4.5 left behind in its group goes.
            killpg(child_, SIGKILL);
            reapNow();
        }
    }
    // The child has gone: what it wrote is in the pipes; a descendant that
    // still holds them open is not waited for.
    readOutput();
    readErrors();
    closeDescriptor(output_);
    closeDescriptor(errors_);
    endLines(partial_, lines_);
    endLines(errorPartial_, errorLines_);

    Outcome outcome;
    outcome.program = program_;
    outcome.perCategory =
        std::find(command_.arguments.begin(), command_.arguments.end(), "-Y") !=
        command_.arguments.end();
    outcome.startError = startError_;
    outcome.outputCut = outputCut_;
    outcome.outputLimit = outputLimit_;
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

namespace {

// What a run that printed a result lacks: the parts its own option lines
// promise, and the test evaluation when the workbench asked for one.
std::optional<std::string> incompleteRun(const C45Process::Outcome &outcome) {
    if (std::optional<std::string> problem = c45RunProblem(outcome.result.outputLines))
        return problem;
    const C45Evaluation &test = outcome.summary.test;
    if (!outcome.perCategory && outcome.summary.hasTest &&
        (!test.sizeBeforePruning || !test.sizeAfterPruning))
        return "incomplete C4.5 run, no evaluation on test data";
    return std::nullopt;
}

} // namespace

std::optional<std::string> runFailure(const C45Process::Outcome &outcome) {
    const C45Evaluation &training = outcome.summary.training;
    std::string message = outcome.program;
    if (outcome.startError)
        message += " could not be started: " + *outcome.startError;
    else if (outcome.outputCut)
        message += " printed more than " +
                   (outcome.outputLimit >= (std::size_t(1) << 20)
                        ? std::to_string(outcome.outputLimit >> 20) + " MB"
                        : std::to_string(outcome.outputLimit) + " bytes") +
                   " and was stopped";
    else if (outcome.signal)
        message += " was ended by signal " + std::to_string(*outcome.signal) + " (" +
                   strsignal(*outcome.signal) + ")";
    else if (!outcome.exitStatus)
        message += " did not end normally";
    else if (*outcome.exitStatus != 0)
        message += " ended with status " + std::to_string(*outcome.exitStatus);
    else if (outcome.perCategory != isPerCategoryRun(outcome.result.outputLines))
        message += outcome.perCategory ? " printed no per-category report"
                                       : " printed a per-category report unasked";
    else if (!outcome.perCategory && !training.sizeBeforePruning && !training.sizeAfterPruning)
        message += " printed no result";
    else if (const std::optional<std::string> problem = incompleteRun(outcome))
        message += " gave no whole result (" + *problem + ")";
    else
        return std::nullopt;
    for (const std::string &line : outcome.errorLines)
        message += "\n" + line;
    return message;
}
