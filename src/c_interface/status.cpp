// Status codes and the calling thread's last failure: every exception of the C++ interface
// becomes its status here.
#include <cstdio>
#include <cstring>
#include <new>
#include <stdexcept>
#include <typeinfo>

#include <xercesc/dom/DOMException.hpp>
#include <xercesc/util/OutOfMemoryException.hpp>
#include <xercesc/util/TranscodingException.hpp>
#include <xercesc/util/XMLException.hpp>

#include "c_interface/boundary.hpp"

namespace tovalin::c_interface {
namespace {

// The parser's message in ASCII, which every text encoding of the library reads alike; other
// characters show as "<U+XXXX>".
std::string ascii(const XMLCh* message) {
    std::string shown;
    for (; message != nullptr && *message != 0; ++message) {
        if (*message < 0x80) {
            shown += static_cast<char>(*message);
        } else {
            char notation[12];
            std::snprintf(notation, sizeof notation, "<U+%04X>", static_cast<unsigned>(*message));
            shown += notation;
        }
    }
    return shown;
}

tovalin_status statusOfStandardException(const std::exception& e) {
    // The C++ interface throws the bare class where an operation does not apply.
    if (typeid(e) == typeid(std::exception)) {
        return failure(TOVALIN_E_NOT_APPLICABLE, "the operation does not apply here");
    }
    if (std::strcmp(e.what(), "no document") == 0) return failure(TOVALIN_E_NO_DOCUMENT, e.what());
    return failure(TOVALIN_E_INTERNAL, e.what());
}

tovalin_status statusOfRethrown() {
    try {
        throw;
    } catch (const Refusal& refusal) {
        return failure(refusal.status, refusal.message);
    } catch (const xercesc::DOMException& e) {
        // Not std::to_string: its digit table is a GNU unique symbol, which would keep the
        // library from ever being unloaded.
        char code[8];
        std::snprintf(code, sizeof code, "%u", static_cast<unsigned>(e.code));
        return failure(TOVALIN_E_DOM + e.code, std::string("the DOM refused the operation (code ") +
                                                   code + "): " + ascii(e.getMessage()));
    } catch (const xercesc::TranscodingException& e) {
        return failure(TOVALIN_E_CONVERSION, ascii(e.getMessage()));
    } catch (const xercesc::OutOfMemoryException&) {
        return failure(TOVALIN_E_NO_MEMORY, "out of memory");
    } catch (const xercesc::XMLException& e) {
        return failure(TOVALIN_E_INTERNAL, ascii(e.getMessage()));
    } catch (const std::bad_alloc&) {
        return failure(TOVALIN_E_NO_MEMORY, "out of memory");
    } catch (const std::invalid_argument& e) {
        return failure(TOVALIN_E_INVALID_ARGUMENT, e.what());
    } catch (const std::out_of_range& e) {
        return failure(TOVALIN_E_OUT_OF_RANGE, e.what());
    } catch (const std::exception& e) {
        return statusOfStandardException(e);
    } catch (...) {
        return failure(TOVALIN_E_INTERNAL, "an unknown failure");
    }
}

}  // namespace

tovalin_status failure(tovalin_status status, const char* message) noexcept {
    if (LastFailure* last = lastFailure()) {
        try {
            last->message = kept(message);
        } catch (...) {
            last->message.clear();
        }
    }
    return status;
}

tovalin_status failure(tovalin_status status, const std::string& message) noexcept {
    return failure(status, message.c_str());
}

tovalin_status statusOfCurrentException() noexcept {
    try {
        return statusOfRethrown();
    } catch (...) {
        // Making the message itself failed.
        return failure(TOVALIN_E_NO_MEMORY, "out of memory");
    }
}

}  // namespace tovalin::c_interface

const char* TOVALIN_CALL tovalin_last_error_message(void) {
    using namespace tovalin::c_interface;
    LastFailure* last = lastFailure();
    if (last == nullptr) return "";
    try {
        const CallerTexts texts;
        std::string shown = messageToCaller(last->message);
        // The text given before stays where it is while it does not change.
        if (shown != last->given) last->given = std::move(shown);
    } catch (...) {
        return "";
    }
    return last->given.c_str();
}
