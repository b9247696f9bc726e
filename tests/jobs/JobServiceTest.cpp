#include "jobs/JobService.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>
#include <new>
#include <string>
#include <vector>

namespace {

// Delivers until no job is left, as a front end's main loop would.
void deliverAll(JobService &service, const std::vector<JobId> &ids) {
    const auto anyActive = [&] {
        for (const JobId id : ids)
            if (service.active(id))
                return true;
        return false;
    };
    while (anyActive()) {
        service.waitForNews(std::chrono::milliseconds(100));
        service.deliver();
    }
}

TEST(JobService, DeliversNewsInOrderThenHowEachJobEnded) {
    std::atomic<int> wakes{0};
    JobService service([&wakes] { ++wakes; });
    std::vector<std::string> seen;
    const auto record = [&seen](const std::string &name) {
        return [&seen, name](const JobEnd &end) {
            seen.push_back(name + ":" +
                           (end.cancelled ? "cancelled" : end.error.empty() ? "done" : end.error));
        };
    };
    const JobId counting = service.submit(
        "counting",
        [&seen](JobControl &control) {
            for (int i = 1; i <= 3; ++i)
                control.post([&seen, i] { seen.push_back("step " + std::to_string(i)); });
        },
        record("counting"));
    const JobId failing = service.submit(
        "failing", [](JobControl &) { throw std::runtime_error("disk full"); }, record("failing"));
    const JobId starving = service.submit(
        "starving", [](JobControl &) { throw std::bad_alloc(); }, record("starving"));
    deliverAll(service, {counting, failing, starving});
    const auto position = [&seen](const std::string &entry) {
        return std::find(seen.begin(), seen.end(), entry) - seen.begin();
    };
    EXPECT_LT(position("step 1"), position("step 2"));
    EXPECT_LT(position("step 2"), position("step 3"));
    EXPECT_LT(position("step 3"), position("counting:done")) << "news comes before the end";
    std::sort(seen.begin(), seen.end());
    EXPECT_EQ(seen, (std::vector<std::string>{"counting:done", "failing:disk full",
                                              "starving:Out of memory", "step 1", "step 2",
                                              "step 3"}));
    EXPECT_GE(wakes.load(), 3);
    EXPECT_TRUE(service.activeNames().empty());
}

TEST(JobService, CancelledAndDetachedJobsEndWithoutTheirFrontEnd) {
    JobService service;
    std::vector<std::string> seen;
    const auto looping = [](JobControl &control) {
        for (;;) {
            control.checkCancelled();
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    };
    const JobId cancelled = service.submit("loop", looping, [&seen](const JobEnd &end) {
        seen.push_back(end.cancelled ? "cancelled" : "not cancelled");
    });
    // A job that returns normally after a cancel (keeping what it did so
    // far) counts as cancelled too.
    const JobId partial = service.submit(
        "partial",
        [](JobControl &control) {
            while (!control.cancelled())
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
        },
        [&seen](const JobEnd &end) { seen.push_back(end.succeeded() ? "done" : "partial"); });
    const JobId detached = service.submit(
        "detached",
        [](JobControl &control) {
            control.post([] { ADD_FAILURE() << "a detached job's news was delivered"; });
            while (!control.cancelled())
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
        },
        [](const JobEnd &) { ADD_FAILURE() << "a detached job's end was delivered"; });
    EXPECT_EQ(service.activeNames(), (std::vector<std::string>{"loop", "partial", "detached"}));
    service.detach(detached);
    EXPECT_FALSE(service.active(detached));
    service.cancel(detached);
    service.cancel(cancelled);
    service.cancel(partial);
    deliverAll(service, {cancelled, partial});
    std::sort(seen.begin(), seen.end());
    EXPECT_EQ(seen, (std::vector<std::string>{"cancelled", "partial"}));
}

TEST(JobService, ShutdownCancelsAndJoinsEveryJobAndTakesNoMore) {
    std::atomic<int> stopped{0};
    {
        JobService service;
        for (int i = 0; i < 3; ++i)
            service.submit(
                "loop " + std::to_string(i),
                [&stopped](JobControl &control) {
                    while (!control.cancelled())
                        std::this_thread::sleep_for(std::chrono::milliseconds(1));
                    ++stopped;
                },
                [](const JobEnd &) { ADD_FAILURE() << "done ran at shutdown"; });
        service.shutdown();
        EXPECT_EQ(stopped.load(), 3);
        EXPECT_THROW(service.submit("late", [](JobControl &) {}), std::logic_error);
    }
    EXPECT_EQ(stopped.load(), 3);
}

} // namespace
