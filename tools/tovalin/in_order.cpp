#include "in_order.hpp"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>

namespace tool {
namespace {

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
    explicit Shared(std::size_t items) : results(items) {}

    // The next item to work on, or none when all are given out or the run was interrupted.
    std::optional<std::size_t> nextItem() {
        const std::size_t item = next.fetch_add(1);
        if (item >= results.size() || interruption.load() != 0) return std::nullopt;
        return item;
    }

    void finish(std::size_t item, Problems problems) {
        {
            const std::lock_guard<std::mutex> held(lock);
            results[item] = std::move(problems);
            ++done;
        }
        changed.notify_one();
    }

    // The item's result once it is done, waiting a little for it; with the number done.
    std::optional<Problems> take(std::size_t item, std::size_t& doneSoFar) {
        std::unique_lock<std::mutex> held(lock);
        changed.wait_for(held, std::chrono::milliseconds(100),
                         [&] { return results[item].has_value() || interruption.load() != 0; });
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
    Shared shared(items);
    std::vector<std::thread> workers;
    // As many threads as asked and the system gives: --jobs may ask for more than it has.
    for (unsigned int i = 0; i < threads && i < items; ++i) {
        try {
            workers.emplace_back([&] {
                while (const std::optional<std::size_t> item = shared.nextItem()) {
                    shared.finish(*item, steps.work(*item));
                }
            });
        } catch (const std::system_error&) {
            if (workers.empty()) throw;
            break;
        }
    }
    std::size_t taken = 0, done = 0;
    while (taken < items && interruption.load() == 0) {
        if (const std::optional<Problems> result = shared.take(taken, done)) {
            steps.take(taken++, *result);
        }
        steps.progress(done);
    }
    for (std::thread& worker : workers) worker.join();
    // After an interruption: the items that were under way.
    while (taken < items) {
        const std::optional<Problems> result = shared.take(taken, done);
        if (!result) break;
        steps.take(taken++, *result);
    }
    return taken == items;
}

int interruptingSignal() { return interruption.load(); }

}  // namespace tool
