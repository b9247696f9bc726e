// c4.5.exe: a C4.5 release 8 compatible decision-tree generator.
#include "FileError.h"
#include "InputError.h"
#include "Options.h"
#include "Print.h"
#include "Run.h"

#include <pthread.h>

#include <cstdlib>
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
        return job.status;
    }
    return run(argc, argv);
}
