// Long engine steps (parsing, information gain, writing case files) can be
// stopped from another thread: they take a flag, look at it now and then,
// and throw WorkCancelled once it is true, keeping what they promise to keep
// on any failure.
#pragma once

#include <atomic>
#include <stdexcept>

class WorkCancelled : public std::runtime_error {
public:
    WorkCancelled() : std::runtime_error("cancelled") {}
};

// Throws WorkCancelled when flag is given and true.
inline void stopIfCancelled(const std::atomic<bool> *flag) {
    if (flag != nullptr && flag->load(std::memory_order_relaxed))
        throw WorkCancelled();
}
