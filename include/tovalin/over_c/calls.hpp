// What the classes of the C++ interface over the C interface share: the exceptions they throw
// in place of the library's own, and the way from a C status to them.
#ifndef TOVALIN_OVER_C_CALLS_HPP
#define TOVALIN_OVER_C_CALLS_HPP

#include <memory>
#include <new>
#include <stdexcept>
#include <string>

#include "tovalin/tovalin.h"

// The classes stand in an inline namespace: a program names them as the library's own, but
// their symbols never meet the library's, which defines the library's own classes.
inline namespace tovalin_over_c {
class XcsXmlNode;
class XcsXmlNodeList;
class XcsXmlDocument;
}  // namespace tovalin_over_c

namespace tovalin {

// The DOM refused an operation, where the library's own interface throws the parser's
// DOMException; code is the same DOM exception code.
class DomError : public std::runtime_error {
  public:
    DomError(short code, const std::string& message) : std::runtime_error(message), code(code) {}
    short code;
};

// Bytes that are no text in the text encoding, or a character it cannot hold so that it reads
// back as itself, where the library's own interface throws the parser's TranscodingException.
class ConversionError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

namespace over_c {

// Throws what the library's own interface throws for the failure. It throws the bare
// std::exception where an operation does not apply; std::logic_error says the same here.
[[noreturn]] inline void raise(tovalin_status status) {
    const std::string message = tovalin_last_error_message();
    if (status > TOVALIN_E_DOM) throw DomError(static_cast<short>(status - TOVALIN_E_DOM), message);
    switch (status) {
        case TOVALIN_E_NO_MEMORY:
            throw std::bad_alloc();
        case TOVALIN_E_INVALID_ARGUMENT:
        case TOVALIN_E_BAD_HANDLE:
            throw std::invalid_argument(message);
        case TOVALIN_E_OUT_OF_RANGE:
            throw std::out_of_range(message);
        case TOVALIN_E_NO_DOCUMENT:
            throw std::runtime_error("no document");
        case TOVALIN_E_CONVERSION:
            throw ConversionError(message);
        case TOVALIN_E_NOT_APPLICABLE:
            throw std::logic_error(message);
        default:
            throw std::runtime_error(message);
    }
}

inline void check(tovalin_status status) {
    if (status != TOVALIN_OK) raise(status);
}

// The library's own interface answers true or false where the C interface gives TOVALIN_OK or
// TOVALIN_E_FAILED; everything else it throws.
inline bool succeeded(tovalin_status status) {
    if (status == TOVALIN_E_FAILED) return false;
    check(status);
    return true;
}

struct Freed {
    void operator()(void* memory) const { tovalin_free(memory); }
};
template <class T>
using Given = std::unique_ptr<T, Freed>;

// The text a call gives through its last parameter.
template <class Call>
std::string text(Call call) {
    char* given = nullptr;
    const tovalin_status status = call(&given);
    const Given<char> held(given);
    check(status);
    return given == nullptr ? std::string() : std::string(given);
}

// A path holding a NUL names no file in the library's interface; a C text cannot hold one.
inline bool holdsNul(const std::string& text) { return text.find('\0') != std::string::npos; }

// The handles behind the classes, and the classes made from new handles they adopt.
struct Access {
    static tovalin_node* handle(const XcsXmlNode& node);
    static XcsXmlNode node(tovalin_node* adopted);
    static XcsXmlDocument document(tovalin_node* adopted);
    static XcsXmlNodeList list(tovalin_node_list* adopted);
};

}  // namespace over_c
}  // namespace tovalin

#endif
