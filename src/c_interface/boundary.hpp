// What every function of the C interface shares: the guard that turns exceptions into
// statuses, the registry of live handles, and the caller's texts. The C interface stands on
// the exported C++ interface, and on the text module for the texts it keeps between calls.
#ifndef TOVALIN_C_INTERFACE_BOUNDARY_HPP
#define TOVALIN_C_INTERFACE_BOUNDARY_HPP

#include <cstdint>
#include <list>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "text/code_page.hpp"
#include "tovalin/tovalin.h"
#include "tovalin/tovalin.hpp"

namespace tovalin::c_interface {

// A failure the C interface finds itself, before or instead of the C++ interface.
struct Refusal {
    tovalin_status status;
    const char* message;
};

// The calling thread's last failure: its message, kept in UTF-16 so that it is given in the
// encoding in force when it is read, and the text last given for it.
struct LastFailure {
    text::XmlString message;
    std::string given;
};

// The calling thread's last failure; null only when the system has no room for it.
LastFailure* lastFailure() noexcept;

// Keeps a failure as the thread's last one and gives its status.
tovalin_status failure(tovalin_status status, const char* message) noexcept;
tovalin_status failure(tovalin_status status, const std::string& message) noexcept;
// The status of the exception being handled, kept as the thread's last failure.
tovalin_status statusOfCurrentException() noexcept;

// While it lives, the library speaks the text encoding the program chose.
class CallerTexts {
  public:
    CallerTexts() noexcept;
    ~CallerTexts();
    CallerTexts(const CallerTexts&) = delete;
    CallerTexts& operator=(const CallerTexts&) = delete;

  private:
    void* previous;
};

// Runs the body of an exported function, which gives its status, with the caller's texts and
// without letting any exception out. The failure is kept while the caller's texts are spoken,
// the texts its message was made in.
template <class Body>
tovalin_status guarded(Body&& body) noexcept {
    const CallerTexts texts;
    try {
        return body();
    } catch (...) {
        return statusOfCurrentException();
    }
}

// Whether the program may choose the encoding now; false when the system cannot speak it.
bool chooseTextEncoding(int encoding);
int chosenTextEncoding() noexcept;

// A caller's text as the library takes it, and the library's text as the caller takes it.
std::string fromCaller(const char* text);
std::string toCaller(const std::string& text);

// A text of the library's in UTF-16, to be given later in the encoding in force then; bytes
// that are no text become U+FFFD.
text::XmlString kept(const std::string& text);
// A kept message in the caller's encoding; a character it lacks shows as "<U+XXXX>".
std::string messageToCaller(const text::XmlString& message);

// A required text; a null one is refused.
std::string textArgument(const char* text);

// An out parameter, cleared; a null one is refused.
template <class T>
T& result(T* out) {
    if (out == nullptr) throw Refusal{TOVALIN_E_INVALID_ARGUMENT, "a result pointer is null"};
    *out = T();
    return *out;
}

// New memory of the caller's, freed by tovalin_free: bytes as they are, or texts in the
// caller's encoding.
char* giveBytes(const std::string& bytes);
char* giveText(const std::string& text);
tovalin_text_list* giveTexts(const std::list<std::string>& texts);
tovalin_problem_list* giveProblems(const std::list<XMLERROR_TYPE>& problems);

// Every handle the library gives out derives from this.
struct Handle {
    Handle() = default;
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    virtual ~Handle() = default;
};

// Makes the handle live under a value never given before, and gives the value.
std::uintptr_t enter(std::shared_ptr<Handle> handle);
// The live handle of the value, or null.
std::shared_ptr<Handle> find(const void* handle);
// Takes the live handle of the value out of the registry; null when there is none. A call in
// progress that holds it keeps it until the call ends.
std::shared_ptr<Handle> leave(const void* handle);

template <class T>
T* registered(std::unique_ptr<T> made) {
    // Not make_shared: its type tag is a GNU unique symbol, which would keep the library
    // from ever being unloaded.
    return reinterpret_cast<T*>(enter(std::shared_ptr<Handle>(made.release())));
}

// The live handle of the kind, held for as long as the caller keeps it; refused when there
// is none.
template <class T>
std::shared_ptr<T> held(T* handle) {
    if (auto found = std::dynamic_pointer_cast<T>(find(handle))) return found;
    throw Refusal{TOVALIN_E_BAD_HANDLE, "not a live handle of this kind"};
}

// The live handle of the kind, which the registry keeps during the call; refused when there
// is none.
template <class T>
T& live(T* handle) {
    return *held(handle);
}

}  // namespace tovalin::c_interface

// The object's path and last error are kept in UTF-16 after each call that may change them,
// so that they are given in the encoding in force when they are read.
struct tovalin_document : tovalin::c_interface::Handle {
    explicit tovalin_document(std::unique_ptr<XcsXmlDOMDocument> object)
        : object(std::move(object)) {}
    void keepTexts() noexcept;

    std::unique_ptr<XcsXmlDOMDocument> object;
    tovalin::text::XmlString path;
    tovalin::text::XmlString lastError;
};

// A node keeps the document node's own wrapper too when it is one, for the operations that
// only the document node has.
struct tovalin_node : tovalin::c_interface::Handle {
    explicit tovalin_node(const XcsXmlNode& node) : node(node) {}
    explicit tovalin_node(const XcsXmlDocument& document) : node(document), document(document) {}
    XcsXmlNode node;
    std::optional<XcsXmlDocument> document;
};

struct tovalin_node_list : tovalin::c_interface::Handle {
    explicit tovalin_node_list(const XcsXmlNodeList& list) : list(list) {}
    XcsXmlNodeList list;
};

struct tovalin_tokenizer : tovalin::c_interface::Handle {
    StringTokenizer tokenizer;
};

namespace tovalin::c_interface {

// The node of a handle; the null node for null.
XcsXmlNode nodeOf(tovalin_node* handle);
// The document node of a handle; refused for any other node.
XcsXmlDocument documentNodeOf(tovalin_node* handle);
// A new handle of the node, or null for the null node.
tovalin_node* give(const XcsXmlNode& node);
tovalin_node* give(const XcsXmlDocument& document);
tovalin_node_list* give(const XcsXmlNodeList& list);

}  // namespace tovalin::c_interface

#endif
