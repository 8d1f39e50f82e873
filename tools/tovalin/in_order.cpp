#include "in_order.hpp"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <memory>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>

namespace tool {
namespace {

using Clock = std::chrono::steady_clock;

// How long an interruption waits for the items under way.
constexpr std::chrono::milliseconds grace{500};

std::atomic<int> interruption{0};
static_assert(std::atomic<int>::is_always_lock_free, "a signal handler may only use lock-free");

extern "C" void noteInterruption(int signal) { interruption.store(signal); }

// Catches the interrupting signals while it lives, and restores their action when it goes.
// A signal the program was started to ignore stays ignored.
class InterruptionCatcher {
  public:
    InterruptionCatcher() {
        interruption.store(0);
        for (int i = 0; i < 2; ++i) {
            earlier[i] = std::signal(signals[i], noteInterruption);
            if (earlier[i] == SIG_IGN) std::signal(signals[i], SIG_IGN);
        }
    }
    ~InterruptionCatcher() {
        for (int i = 0; i < 2; ++i)
            std::signal(signals[i], earlier[i] == SIG_ERR ? SIG_DFL : earlier[i]);
    }
    InterruptionCatcher(const InterruptionCatcher&) = delete;
    InterruptionCatcher& operator=(const InterruptionCatcher&) = delete;

  private:
    const int signals[2] = {SIGINT, SIGTERM};
    void (*earlier[2])(int) = {};
};

class Shared {
  public:
    Shared(std::size_t items, InOrder steps) : steps(std::move(steps)), results(items) {}

    const InOrder steps;

    // The next item to work on, or none when all are given out or the run was interrupted.
    std::optional<std::size_t> nextItem() {
        if (interruption.load() != 0) return std::nullopt;
        const std::size_t item = next.fetch_add(1);
        if (item >= results.size()) return std::nullopt;
        return item;
    }

    // Whether the item was given out to a worker.
    bool started(std::size_t item) const { return item < next.load(); }

    void finish(std::size_t item, Problems problems) {
        {
            const std::lock_guard<std::mutex> held(lock);
            results[item] = std::move(problems);
            ++done;
        }
        changed.notify_one();
    }

    // The item's result once it is done, waiting for it until the time at most, or until an
    // interruption unless the wait is for the items under way after one; with the number done.
    std::optional<Problems> take(std::size_t item, std::size_t& doneSoFar, Clock::time_point until,
                                 bool interruptible) {
        std::unique_lock<std::mutex> held(lock);
        changed.wait_until(held, until, [&] {
            return results[item].has_value() || (interruptible && interruption.load() != 0);
        });
        doneSoFar = done;
        std::optional<Problems> result = std::move(results[item]);
        results[item].reset();
        return result;
    }

  private:
    std::atomic<std::size_t> next{0};
    std::mutex lock;
    std::condition_variable changed;
    std::vector<std::optional<Problems>> results;
    std::size_t done = 0;
};

}  // namespace

bool runInOrder(std::size_t items, unsigned int threads, const InOrder& steps) {
    const InterruptionCatcher catcher;
    // The workers share it, so that one still at work after an interruption may outlive this.
    const auto shared = std::make_shared<Shared>(items, steps);
    std::vector<std::thread> workers;
    // As many threads as asked and the system gives: --jobs may ask for more than it has.
    for (unsigned int i = 0; i < threads && i < items; ++i) {
        try {
            workers.emplace_back([shared] {
                while (const std::optional<std::size_t> item = shared->nextItem()) {
                    shared->finish(*item, shared->steps.work(*item));
                }
            });
        } catch (const std::system_error&) {
            if (workers.empty()) throw;
            break;
        }
    }
    std::size_t taken = 0, done = 0;
    while (taken < items && interruption.load() == 0) {
        const auto soon = Clock::now() + std::chrono::milliseconds(100);
        if (const std::optional<Problems> result = shared->take(taken, done, soon, true)) {
            steps.take(taken++, *result);
        }
        steps.progress(done);
    }
    // After an interruption: the items under way that end within the grace.
    const auto giveUp = Clock::now() + grace;
    while (taken < items && shared->started(taken)) {
        const std::optional<Problems> result = shared->take(taken, done, giveUp, false);
        if (!result) break;
        steps.take(taken++, *result);
    }
    for (std::thread& worker : workers) {
        if (taken == items) {
            worker.join();
        } else {
            worker.detach();
        }
    }
    return taken == items;
}

int interruptingSignal() { return interruption.load(); }

}  // namespace tool
