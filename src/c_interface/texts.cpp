// Texts to and from the caller: the encoding the program chose, text arguments, and the texts
// and lists given as one block of the library's memory each, freed by tovalin_free.
#include <cstdlib>
#include <cstring>
#include <new>

#include <xercesc/util/XMLException.hpp>

#include "c_interface/boundary.hpp"

namespace tovalin::c_interface {
namespace {

void* allocate(std::size_t size) {
    void* made = std::malloc(size);
    if (made == nullptr) throw std::bad_alloc();
    return made;
}

// Copies the text with its NUL to the place and gives the place after it.
char* store(char* place, const std::string& text) {
    std::memcpy(place, text.c_str(), text.size() + 1);
    return place + text.size() + 1;
}

}  // namespace

text::XmlString kept(const std::string& text) {
    try {
        return text::toXml(text);
    } catch (const xercesc::XMLException&) {
        // Not text in the encoding it was made in: what is shown is what is ASCII.
    }
    text::XmlString shown;
    for (const unsigned char byte : text) shown += byte < 0x80 ? XMLCh(byte) : XMLCh(0xFFFD);
    return shown;
}

std::string messageToCaller(const text::XmlString& message) {
    return toCaller(text::fromXmlForMessage(message.c_str()));
}

std::string textArgument(const char* text) {
    if (text == nullptr) throw Refusal{TOVALIN_E_INVALID_ARGUMENT, "a text is null"};
    return fromCaller(text);
}

char* giveBytes(const std::string& bytes) {
    auto* made = static_cast<char*>(allocate(bytes.size() + 1));
    store(made, bytes);
    return made;
}

char* giveText(const std::string& text) { return giveBytes(toCaller(text)); }

tovalin_text_list* giveTexts(const std::list<std::string>& texts) {
    std::list<std::string> given;
    std::size_t size = sizeof(tovalin_text_list) + texts.size() * sizeof(const char*);
    for (const std::string& text : texts) {
        given.push_back(toCaller(text));
        size += given.back().size() + 1;
    }
    auto* list = static_cast<tovalin_text_list*>(allocate(size));
    auto** items = reinterpret_cast<const char**>(list + 1);
    char* place = reinterpret_cast<char*>(items + texts.size());
    list->count = texts.size();
    list->items = items;
    for (const std::string& text : given) {
        *items++ = place;
        place = store(place, text);
    }
    return list;
}

tovalin_problem_list* giveProblems(const std::list<XMLERROR_TYPE>& problems) {
    std::list<std::string> texts;
    std::size_t size = sizeof(tovalin_problem_list) + problems.size() * sizeof(tovalin_problem);
    for (const XMLERROR_TYPE& problem : problems) {
        for (const std::string* text : {&problem.message, &problem.systemId}) {
            texts.push_back(toCaller(*text));
            size += texts.back().size() + 1;
        }
    }
    auto* list = static_cast<tovalin_problem_list*>(allocate(size));
    auto* items = reinterpret_cast<tovalin_problem*>(list + 1);
    char* place = reinterpret_cast<char*>(items + problems.size());
    list->count = problems.size();
    list->items = items;
    auto text = texts.begin();
    for (const XMLERROR_TYPE& problem : problems) {
        items->line = problem.lineNumber;
        items->column = problem.columnNumber;
        items->message = place;
        place = store(place, *text++);
        items->system_id = place;
        place = store(place, *text++);
        ++items;
    }
    return list;
}

}  // namespace tovalin::c_interface

tovalin_status TOVALIN_CALL tovalin_set_text_encoding(int encoding) {
    using namespace tovalin::c_interface;
    return guarded([&]() -> tovalin_status {
        if (encoding != TOVALIN_TEXT_CODE_PAGE && encoding != TOVALIN_TEXT_UTF8) {
            throw Refusal{TOVALIN_E_INVALID_ARGUMENT, "no such text encoding"};
        }
        if (chooseTextEncoding(encoding)) return TOVALIN_OK;
        return failure(TOVALIN_E_FAILED, "the system offers no UTF-8 locale");
    });
}

int TOVALIN_CALL tovalin_get_text_encoding(void) {
    return tovalin::c_interface::chosenTextEncoding();
}

void TOVALIN_CALL tovalin_free(void* memory) { std::free(memory); }
