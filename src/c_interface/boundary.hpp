// What every function of the C interface shares: the guard that turns exceptions into
// statuses, the registry of live handles, and the caller's texts. The C interface stands on
// the exported C++ interface only.
#ifndef TOVALIN_C_INTERFACE_BOUNDARY_HPP
#define TOVALIN_C_INTERFACE_BOUNDARY_HPP

#include <list>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "tovalin/tovalin.h"
#include "tovalin/tovalin.hpp"

namespace tovalin::c_interface {

// A failure the C interface finds itself, before or instead of the C++ interface.
struct Refusal {
    tovalin_status status;
    const char* message;
};

// The message of the calling thread's last failure; null only when the system has no room
// for it.
std::string* lastError() noexcept;

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
// without letting any exception out.
template <class Body>
tovalin_status guarded(Body&& body) noexcept {
    try {
        const CallerTexts texts;
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

// Makes the handle live under the address the caller gets.
void enter(const void* address, Handle* handle);
// The live handle at the address, or null.
Handle* find(const void* address);
// Takes the live handle at the address out of the registry; null when there is none.
std::unique_ptr<Handle> leave(const void* address);

template <class T>
T* registered(std::unique_ptr<T> made) {
    enter(made.get(), made.get());
    return made.release();
}

// The live handle of the kind at the address; refused when there is none.
template <class T>
T& live(T* address) {
    if (T* found = dynamic_cast<T*>(find(address))) return *found;
    throw Refusal{TOVALIN_E_BAD_HANDLE, "not a live handle of this kind"};
}

}  // namespace tovalin::c_interface

struct tovalin_document : tovalin::c_interface::Handle {
    explicit tovalin_document(std::unique_ptr<XcsXmlDOMDocument> object)
        : object(std::move(object)) {}
    std::unique_ptr<XcsXmlDOMDocument> object;
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
