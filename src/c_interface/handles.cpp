// The registry of live handles. A handle's value is a serial number, never an address: the
// allocator hands a freed address to the next object at once, so a stale address would name a
// newer object. A released, foreign or mistyped value is refused instead of followed.
#include <cstdint>
#include <mutex>
#include <unordered_map>

#include "c_interface/boundary.hpp"

namespace tovalin::c_interface {
namespace {

using Value = std::uintptr_t;

// Values are odd, so that no pointer to an aligned object is ever a handle, and on 64-bit
// systems they have the top bit set, which no user-space address has. Where a pointer has only
// 32 bits, the values come round again after 2^31 handles, skipping those still live. The
// first is above 0xFFFF, which no small number a program makes up reaches.
constexpr bool wide = sizeof(Value) >= 8;
constexpr Value topBit = wide ? Value(1) << (sizeof(Value) * 8 - 1) : 0;
constexpr std::uint64_t valuesPerRound = std::uint64_t(~Value(0) >> (wide ? 2 : 1)) + 1;

Value valueOfSerial(std::uint64_t serial) {
    return topBit | static_cast<Value>(serial % valuesPerRound) << 1 | 1;
}

struct Registry {
    std::mutex lock;
    std::unordered_map<Value, std::shared_ptr<Handle>> live;
    std::uint64_t given = 0x8000;
};

// Never destroyed: a program may release its handles from its own static destructors.
Registry& registry() {
    static Registry* const made = new Registry();
    return *made;
}

Value valueOf(const void* handle) { return reinterpret_cast<Value>(handle); }

}  // namespace

std::uintptr_t enter(std::shared_ptr<Handle> handle) {
    Registry& handles = registry();
    const std::lock_guard<std::mutex> held(handles.lock);
    Value value = valueOfSerial(handles.given++);
    while (handles.live.count(value) != 0) value = valueOfSerial(handles.given++);
    handles.live.emplace(value, std::move(handle));
    return value;
}

std::shared_ptr<Handle> find(const void* handle) {
    Registry& handles = registry();
    const std::lock_guard<std::mutex> held(handles.lock);
    const auto found = handles.live.find(valueOf(handle));
    return found == handles.live.end() ? nullptr : found->second;
}

std::shared_ptr<Handle> leave(const void* handle) {
    Registry& handles = registry();
    const std::lock_guard<std::mutex> held(handles.lock);
    const auto found = handles.live.find(valueOf(handle));
    if (found == handles.live.end()) return nullptr;
    std::shared_ptr<Handle> taken = std::move(found->second);
    handles.live.erase(found);
    return taken;
}

}  // namespace tovalin::c_interface

tovalin_status TOVALIN_CALL tovalin_release(void* handle) {
    using namespace tovalin::c_interface;
    return guarded([&] {
        if (handle == nullptr) return TOVALIN_OK;
        // Destroyed outside the registry's lock, and only once no call in progress holds it:
        // the last share of a tree frees it.
        if (leave(handle) == nullptr) throw Refusal{TOVALIN_E_BAD_HANDLE, "not a live handle"};
        return TOVALIN_OK;
    });
}
