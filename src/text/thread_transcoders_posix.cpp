#include "text/thread_transcoders.hpp"

namespace tovalin::text {
namespace {

thread_local ThreadTranscoders transcoders;

}  // namespace

ThreadTranscoders& threadTranscoders() { return transcoders; }

}  // namespace tovalin::text
