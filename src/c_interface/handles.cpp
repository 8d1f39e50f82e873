// The registry of live handles: a handle is used only while the library knows it, so a
// released, foreign or mistyped pointer is refused instead of followed.
#include <mutex>
#include <unordered_map>

#include "c_interface/boundary.hpp"

namespace tovalin::c_interface {
namespace {

struct Registry {
    std::mutex lock;
    std::unordered_map<const void*, Handle*> live;
};

// Never destroyed: a program may release its handles from its own static destructors.
Registry& registry() {
    static Registry* const made = new Registry();
    return *made;
}

}  // namespace

void enter(const void* address, Handle* handle) {
    Registry& handles = registry();
    const std::lock_guard<std::mutex> held(handles.lock);
    handles.live.emplace(address, handle);
}

Handle* find(const void* address) {
    Registry& handles = registry();
    const std::lock_guard<std::mutex> held(handles.lock);
    const auto found = handles.live.find(address);
    return found == handles.live.end() ? nullptr : found->second;
}

std::unique_ptr<Handle> leave(const void* address) {
    Registry& handles = registry();
    const std::lock_guard<std::mutex> held(handles.lock);
    const auto found = handles.live.find(address);
    if (found == handles.live.end()) return nullptr;
    std::unique_ptr<Handle> taken(found->second);
    handles.live.erase(found);
    return taken;
}

}  // namespace tovalin::c_interface

tovalin_status TOVALIN_CALL tovalin_release(void* handle) {
    using namespace tovalin::c_interface;
    return guarded([&] {
        if (handle == nullptr) return TOVALIN_OK;
        // Destroyed outside the registry's lock: the last share of a tree frees it.
        if (leave(handle) == nullptr) throw Refusal{TOVALIN_E_BAD_HANDLE, "not a live handle"};
        return TOVALIN_OK;
    });
}
