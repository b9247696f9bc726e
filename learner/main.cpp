// c4.5.exe: a C4.5 release 8 compatible decision-tree generator.
#include "FileError.h"
#include "InputError.h"
#include "Options.h"
#include "Print.h"
#include "Run.h"

#include <pthread.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <iostream>

namespace {

struct Job {
    int argc;
    char **argv;
    int status = 1;
};

// The whole run, with C4.5's messages and exit statuses for bad input.
int run(int argc, char **argv) {
    std::ostream &out = std::cout;
    const char *epoch = std::getenv("SOURCE_DATE_EPOCH");
    printBanner(out,
                epoch ? static_cast<std::time_t>(std::strtoll(epoch, nullptr, 10))
                      : std::time(nullptr),
                epoch != nullptr);
    try {
        runLearner(parseOptions(std::vector<std::string>(argv + 1, argv + argc), out), out);
    } catch (const UsageError &e) {
        out << e.what() << std::endl;
        return 1;
    } catch (const FileError &e) {
        out << "\nERROR:  " << e.what() << std::endl;
        return 1;
    } catch (const InputError &e) {
        for (const std::string &message : e.messages())
            out << "\nERROR:  " << message << '\n';
        out.flush();
        return 1;
    } catch (const std::bad_alloc &) {
        out << "\nERROR:  out of memory" << std::endl;
        return 1;
    }
    out.flush();
    return 0;
}

void *runJob(void *argument) {
    Job &job = *static_cast<Job *>(argument);
    job.status = run(job.argc, job.argv);
    return nullptr;
}

// Output lost to a full disk or a failing device must not pass for a
// finished run: standard output is closed and checked at exit, as the GNU
// tools do, and the failure reported on standard error.
int closeOutput(int status) {
    std::cout.flush();
    errno = 0;
    const bool lost = !std::cout || std::ferror(stdout);
    if (std::fclose(stdout) == 0 && !lost)
        return status;
    const int error = errno;
    std::cerr << "ERROR:  cannot write standard output"
              << (error != 0 ? std::string(": ") + std::strerror(error) : std::string()) << '\n';
    return 1;
}

} // namespace

// Growing, pruning and printing recurse once per tree level, and a tree of
// many thousands of cases can be thousands of levels deep: the run gets a
// stack far larger than the default (address space only, used as needed).
int main(int argc, char **argv) {
    Job job{argc, argv};
    pthread_attr_t attributes;
    pthread_t thread;
    if (pthread_attr_init(&attributes) == 0 &&
        pthread_attr_setstacksize(&attributes, std::size_t(1) << 30) == 0 &&
        pthread_create(&thread, &attributes, runJob, &job) == 0) {
        pthread_join(thread, nullptr);
        return closeOutput(job.status);
    }
    return closeOutput(run(argc, argv));
}
