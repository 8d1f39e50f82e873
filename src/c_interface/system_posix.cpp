// What the C interface needs of a POSIX system. The library speaks the code set of the
// calling thread's locale, so UTF-8 is a UTF-8 locale for the thread during each call.
#include <locale.h>

#include <atomic>

#include "c_interface/boundary.hpp"

namespace tovalin::c_interface {
namespace {

std::atomic<int> chosen{TOVALIN_TEXT_CODE_PAGE};

// Made once and kept for the life of the process; null where the system has none.
locale_t utf8Locale() {
    static const locale_t made = [] {
        for (const char* name : {"C.UTF-8", "C.utf8", "en_US.UTF-8"}) {
            if (const locale_t found = newlocale(LC_CTYPE_MASK, name, locale_t())) return found;
        }
        return locale_t();
    }();
    return made;
}

}  // namespace

bool chooseTextEncoding(int encoding) {
    if (encoding == TOVALIN_TEXT_UTF8 && utf8Locale() == locale_t()) return false;
    chosen = encoding;
    return true;
}

int chosenTextEncoding() noexcept { return chosen; }

CallerTexts::CallerTexts() noexcept
    : previous(chosen == TOVALIN_TEXT_UTF8 ? uselocale(utf8Locale()) : nullptr) {}

CallerTexts::~CallerTexts() {
    if (previous != nullptr) uselocale(static_cast<locale_t>(previous));
}

std::string fromCaller(const char* text) { return text; }

std::string toCaller(const std::string& text) { return text; }

LastFailure* lastFailure() noexcept {
    thread_local LastFailure last;
    return &last;
}

}  // namespace tovalin::c_interface
