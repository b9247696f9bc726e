// Long work has one owner. Every long task of a front end (a parse, a state
// load, a file-set export, a C4.5 run, a series) is a job submitted to one
// JobService: the service runs it on a thread of its own, lets it be
// cancelled, brings its news and its end to the front end's thread, and at
// shutdown cancels every job and joins it before the front end goes.
//
// A job's work runs on its own thread and never touches the front end: it
// checks control.cancelled() inside its long steps, and hands anything for
// the front end to control.post(), whose closures the front end runs, in
// order, when it calls deliver(). The service calls wake (from any thread)
// whenever there is something to deliver; a GUI makes it emit a
// Glib::Dispatcher, whose handler calls deliver().
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <list>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

// Thrown by a job's work (or the engine it calls) when it stops because it
// was cancelled.
class JobCancelled : public std::runtime_error {
public:
    JobCancelled() : std::runtime_error("cancelled") {}
};

using JobId = std::uint64_t;

// How a job ended: cancelled (its work returned or threw after a cancel),
// failed (error holds the message of what it threw), or done.
struct JobEnd {
    bool cancelled = false;
    std::string error;
    bool succeeded() const { return !cancelled && error.empty(); }
};

class JobService;

// What a job's work sees of its job.
class JobControl {
public:
    bool cancelled() const { return cancel_.load(); }
    // The flag itself, for code that takes a cancel flag (the series runner,
    // the C4.5 runner, the engine).
    const std::atomic<bool> &cancelFlag() const { return cancel_; }
    // Throws JobCancelled once the job is cancelled.
    void checkCancelled() const;
    // Runs onFrontEnd on the front end's thread at its next deliver(), after
    // everything posted before; never once the job is detached.
    void post(std::function<void()> onFrontEnd);

private:
    friend class JobService;
    JobControl(JobService &service, JobId id) : service_(service), id_(id) {}
    JobService &service_;
    const JobId id_;
    std::atomic<bool> cancel_{false};
};

class JobService {
public:
    using Work = std::function<void(JobControl &)>;
    using Done = std::function<void(const JobEnd &)>;

    explicit JobService(std::function<void()> wake = {});
    // Shuts down.
    ~JobService();
    JobService(const JobService &) = delete;
    JobService &operator=(const JobService &) = delete;

    // Starts work on a thread of its own. done, if given, runs on the front
    // end's thread at a deliver() after the work has returned or thrown and
    // after the job's posted closures. Exhausted memory is reported as "out
    // of memory"; JobCancelled, or anything thrown after a cancel, as a
    // cancel. Throws std::logic_error after shutdown().
    JobId submit(std::string name, Work work, Done done = {});

    // Asks the job to stop; returns at once. Unknown or ended jobs are
    // ignored.
    void cancel(JobId id);
    // Cancels every job.
    void cancelAll();
    // The front end that submitted the job is going: its posted closures
    // and done are dropped; the job is still joined by deliver() or
    // shutdown(). Does not cancel.
    void detach(JobId id);

    // Whether the job has been submitted and its done has not yet run (or
    // been dropped).
    bool active(JobId id) const;
    // The names of the jobs whose done has not yet run, in submission
    // order.
    std::vector<std::string> activeNames() const;

    // On the front end's thread: runs the closures the jobs posted, joins
    // the threads of ended jobs and runs their done. Returns whether it ran
    // or joined anything.
    bool deliver();
    // Blocks until there is something to deliver or the time has passed
    // (for a front end without a main loop).
    void waitForNews(std::chrono::milliseconds limit);

    // Cancels every job and joins every thread. Posted closures and done
    // are dropped. The service takes no job afterwards. Idempotent.
    void shutdown();

private:
    friend class JobControl;
    struct Job {
        JobId id = 0;
        std::string name;
        std::unique_ptr<JobControl> control;
        Done done;
        bool detached = false;
        bool ended = false;
        JobEnd end;
        std::thread thread;
    };
    void post(JobId id, std::function<void()> closure);
    void finished(JobId id, JobEnd end);
    void notify();

    const std::function<void()> wake_;
    mutable std::mutex mutex_;
    std::condition_variable news_;
    std::list<Job> jobs_;
    std::vector<std::pair<JobId, std::function<void()>>> posted_;
    bool hasNews_ = false;
    bool shutDown_ = false;
    JobId nextId_ = 1;
};
