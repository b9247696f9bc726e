// Carrying an exception out of an OpenMP parallel region.
#pragma once

#include <atomic>
#include <exception>
#include <mutex>

// An exception must not leave a parallel region or a worksharing loop's
// body: the program would end at once, with nothing reported (running out
// of memory on a worker thread did exactly that). Each piece of work runs
// through run(), which catches what it throws and skips all later work once
// something failed; after the region, rethrow() throws the first failure.
class RegionFailure {
public:
    template <class Work> void run(Work &&work) noexcept {
        if (failed_.load(std::memory_order_relaxed))
            return;
        try {
            work();
        } catch (...) {
            record(std::current_exception());
        }
    }
    bool failed() const { return failed_.load(std::memory_order_relaxed); }
    // Throws the first exception caught, if any. Call after the region.
    void rethrow() const;

private:
    void record(std::exception_ptr error) noexcept;

    std::atomic<bool> failed_{false};
    std::mutex mutex_;
    std::exception_ptr error_;
};
