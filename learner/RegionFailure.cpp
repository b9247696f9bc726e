#include "RegionFailure.h"

void RegionFailure::rethrow() const {
    if (error_)
        std::rethrow_exception(error_);
}

void RegionFailure::record(std::exception_ptr error) noexcept {
    const std::lock_guard<std::mutex> lock(mutex_);
    if (!error_)
        error_ = std::move(error);
    failed_.store(true, std::memory_order_relaxed);
}
