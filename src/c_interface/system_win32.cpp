// What the C interface needs of Windows. The library speaks the ANSI code page, which no call
// changes: UTF-8 texts of the caller are converted to it and back, exactly or not at all.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <atomic>

#include "c_interface/boundary.hpp"

namespace tovalin::c_interface {
namespace {

std::atomic<int> chosen{TOVALIN_TEXT_CODE_PAGE};

bool converting() { return chosen == TOVALIN_TEXT_UTF8 && GetACP() != CP_UTF8; }

[[noreturn]] void refuseText() {
    throw Refusal{TOVALIN_E_CONVERSION,
                  "the text is no UTF-8, or holds a character the ANSI code page lacks"};
}

std::wstring wide(UINT codePage, const std::string& text) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int length =
        MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(), size, nullptr, 0);
    if (length <= 0) refuseText();
    std::wstring converted(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(), size, converted.data(),
                        length);
    return converted;
}

// Without the flag the system writes look-alikes (U+00A5 as a backslash); with it a character
// that would not read back as itself becomes the default character, which is reported.
std::string narrow(UINT codePage, const std::wstring& text) {
    if (text.empty()) return {};
    const DWORD flags = codePage == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
    BOOL lacking = FALSE;
    BOOL* reported = codePage == CP_UTF8 ? nullptr : &lacking;
    const int size = static_cast<int>(text.size());
    const int length =
        WideCharToMultiByte(codePage, flags, text.data(), size, nullptr, 0, nullptr, reported);
    if (length <= 0 || lacking) refuseText();
    std::string converted(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(codePage, flags, text.data(), size, converted.data(), length, nullptr,
                        nullptr);
    return converted;
}

void WINAPI deleteFailure(void* last) { delete static_cast<LastFailure*>(last); }

// The fiber-local slot of each thread's last failure, freed with the library: a thread_local
// object would not do, since mingw's emulated thread-local storage may free its memory
// before its destructor runs.
struct FailureSlot {
    const DWORD index = FlsAlloc(deleteFailure);
    FailureSlot() = default;
    FailureSlot(const FailureSlot&) = delete;
    FailureSlot& operator=(const FailureSlot&) = delete;
    ~FailureSlot() {
        if (index != FLS_OUT_OF_INDEXES) FlsFree(index);
    }
};

}  // namespace

bool chooseTextEncoding(int encoding) {
    chosen = encoding;
    return true;
}

int chosenTextEncoding() noexcept { return chosen; }

CallerTexts::CallerTexts() noexcept : previous(nullptr) {}

CallerTexts::~CallerTexts() = default;

std::string fromCaller(const char* text) {
    return converting() ? narrow(CP_ACP, wide(CP_UTF8, text)) : text;
}

std::string toCaller(const std::string& text) {
    return converting() ? narrow(CP_UTF8, wide(CP_ACP, text)) : text;
}

LastFailure* lastFailure() noexcept {
    static FailureSlot slot;
    if (slot.index == FLS_OUT_OF_INDEXES) return nullptr;
    auto* last = static_cast<LastFailure*>(FlsGetValue(slot.index));
    if (last != nullptr) return last;
    last = new (std::nothrow) LastFailure();
    if (last != nullptr && !FlsSetValue(slot.index, last)) {
        delete last;
        return nullptr;
    }
    return last;
}

}  // namespace tovalin::c_interface
