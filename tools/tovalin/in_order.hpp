// Work on many items spread over threads, its results taken in the order of the items.
#ifndef TOVALIN_TOOL_IN_ORDER_HPP
#define TOVALIN_TOOL_IN_ORDER_HPP

#include <cstddef>
#include <functional>
#include <vector>

#include "check_file.hpp"

namespace tool {

using Problems = std::vector<Problem>;

struct InOrder {
    // Runs on the worker threads, each call on its own item; must not throw.
    std::function<Problems(std::size_t item)> work;
    // Runs on the calling thread for each item in turn, as soon as it and those before it are
    // done.
    std::function<void(std::size_t item, const Problems& problems)> take;
    // Runs on the calling thread now and then, with the number of items done so far.
    std::function<void(std::size_t done)> progress;
};

// Runs the work on every item with the number of threads. An interruption (SIGINT, SIGTERM)
// starts no other item and takes those under way that end within half a second; false then,
// with the signal's own action restored. Work still under way is left running, so the caller
// then ends the process at once by raising the signal again; what the work refers to must
// last until then.
bool runInOrder(std::size_t items, unsigned int threads, const InOrder& steps);

// The signal that interrupted runInOrder, or 0.
int interruptingSignal();

}  // namespace tool

#endif
