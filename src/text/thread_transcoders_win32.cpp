// The transcoders hang on a fiber-local slot whose callback deletes them when the thread
// ends. A thread_local object would not do: mingw's emulated thread-local storage can free
// the object's memory before its destructor runs, which then calls through a stale pointer.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <new>

#include "text/thread_transcoders.hpp"

namespace tovalin::text {
namespace {

void WINAPI deleteTranscoders(void* transcoders) {
    delete static_cast<ThreadTranscoders*>(transcoders);
}

DWORD slot() {
    static const DWORD index = FlsAlloc(deleteTranscoders);
    if (index == FLS_OUT_OF_INDEXES) throw std::bad_alloc();
    return index;
}

}  // namespace

ThreadTranscoders& threadTranscoders() {
    auto* transcoders = static_cast<ThreadTranscoders*>(FlsGetValue(slot()));
    if (transcoders == nullptr) {
        transcoders = new ThreadTranscoders();
        if (!FlsSetValue(slot(), transcoders)) {
            delete transcoders;
            throw std::bad_alloc();
        }
    }
    return *transcoders;
}

// Freeing the slot calls its callback for the value of every thread that still has one.
void deleteThreadTranscoders() { FlsFree(slot()); }

}  // namespace tovalin::text
