#include "jobs/JobService.h"

#include <algorithm>
#include <new>

void JobControl::checkCancelled() const {
    if (cancelled())
        throw JobCancelled();
}

void JobControl::post(std::function<void()> onFrontEnd) {
    service_.post(id_, std::move(onFrontEnd));
}

JobService::JobService(std::function<void()> wake) : wake_(std::move(wake)) {}

JobService::~JobService() {
    shutdown();
}

JobId JobService::submit(std::string name, Work work, Done done) {
    const std::lock_guard<std::mutex> lock(mutex_);
    if (shutDown_)
        throw std::logic_error("the job service has been shut down");
    Job &job = jobs_.emplace_back();
    job.id = nextId_++;
    job.name = std::move(name);
    job.control.reset(new JobControl(*this, job.id));
    job.done = std::move(done);
    JobControl &control = *job.control;
    job.thread = std::thread([this, &control, work = std::move(work)] {
        JobEnd end;
        try {
            work(control);
        } catch (const JobCancelled &) {
        } catch (const std::bad_alloc &) {
            end.error = "Out of memory";
        } catch (const std::exception &error) {
            end.error = error.what();
        } catch (...) {
            end.error = "unknown error";
        }
        end.cancelled = control.cancelled();
        if (end.cancelled)
            end.error.clear();
        finished(control.id_, std::move(end));
    });
    return job.id;
}

void JobService::cancel(JobId id) {
    const std::lock_guard<std::mutex> lock(mutex_);
    for (Job &job : jobs_)
        if (job.id == id)
            job.control->cancel_ = true;
}

void JobService::cancelAll() {
    const std::lock_guard<std::mutex> lock(mutex_);
    for (Job &job : jobs_)
        job.control->cancel_ = true;
}

void JobService::detach(JobId id) {
    const std::lock_guard<std::mutex> lock(mutex_);
    for (Job &job : jobs_)
        if (job.id == id)
            job.detached = true;
    posted_.erase(std::remove_if(posted_.begin(), posted_.end(),
                                 [id](const auto &entry) { return entry.first == id; }),
                  posted_.end());
}

bool JobService::active(JobId id) const {
    const std::lock_guard<std::mutex> lock(mutex_);
    return std::any_of(jobs_.begin(), jobs_.end(),
                       [id](const Job &job) { return job.id == id && !job.detached; });
}

std::vector<std::string> JobService::activeNames() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    std::vector<std::string> names;
    for (const Job &job : jobs_)
        names.push_back(job.name);
    return names;
}

void JobService::post(JobId id, std::function<void()> closure) {
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        const auto job = std::find_if(jobs_.begin(), jobs_.end(),
                                      [id](const Job &candidate) { return candidate.id == id; });
        if (job == jobs_.end() || job->detached)
            return;
        posted_.emplace_back(id, std::move(closure));
        hasNews_ = true;
    }
    notify();
}

void JobService::finished(JobId id, JobEnd end) {
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        for (Job &job : jobs_)
            if (job.id == id) {
                job.ended = true;
                job.end = std::move(end);
            }
        hasNews_ = true;
    }
    notify();
}

void JobService::notify() {
    news_.notify_all();
    if (wake_)
        wake_();
}

// The closures and the ended jobs are taken in one step: a job that has
// ended has posted everything it will, so its done runs after all of it.
// Ended jobs stay listed until their done runs, so that a closure can still
// detach them.
bool JobService::deliver() {
    std::vector<std::pair<JobId, std::function<void()>>> posted;
    std::vector<JobId> ended;
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        posted.swap(posted_);
        for (const Job &job : jobs_)
            if (job.ended)
                ended.push_back(job.id);
        hasNews_ = false;
    }
    for (const auto &[id, closure] : posted)
        if (active(id))
            closure();
    for (const JobId id : ended) {
        std::list<Job> taken;
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            const auto job = std::find_if(jobs_.begin(), jobs_.end(),
                                          [id](const Job &candidate) { return candidate.id == id; });
            if (job == jobs_.end())
                continue;
            taken.splice(taken.end(), jobs_, job);
        }
        Job &job = taken.front();
        job.thread.join();
        if (!job.detached && job.done)
            job.done(job.end);
    }
    return !posted.empty() || !ended.empty();
}

void JobService::waitForNews(std::chrono::milliseconds limit) {
    std::unique_lock<std::mutex> lock(mutex_);
    news_.wait_for(lock, limit, [this] { return hasNews_; });
}

void JobService::shutdown() {
    std::list<Job> all;
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        shutDown_ = true;
        for (Job &job : jobs_)
            job.control->cancel_ = true;
        all.swap(jobs_);
        posted_.clear();
    }
    for (Job &job : all)
        if (job.thread.joinable())
            job.thread.join();
}
