// A sequence of node and data operations, chosen by the bytes, on a small document, among
// them insertions of a node into itself or below itself, which must be refused; then a save
// in both encodings, and what a save wrote must load again.
#include <cstdint>
#include <exception>
#include <list>
#include <string>
#include <vector>

#include <xercesc/dom/DOMException.hpp>
#include <xercesc/util/XMLException.hpp>

#include "fuzz_support.hpp"
#include "tovalin/document.hpp"

namespace {

class Script {
  public:
    Script(const std::uint8_t* data, std::size_t size) : at(data), end(data + size) {}
    bool more() const { return at != end; }
    unsigned int next() { return at == end ? 0 : *at++; }
    // A short text from the bytes; may be no text in the process code page at all.
    std::string text() {
        std::string made;
        for (unsigned int length = next() % 8; length > 0 && more(); --length) {
            made += static_cast<char>(next());
        }
        return made;
    }
    std::string tag() {
        static const char* const tags[] = {"a", "b", "c", "*", "r", ""};
        return tags[next() % 6];
    }

  private:
    const std::uint8_t* at;
    const std::uint8_t* end;
};

// DTD files that exist in the folder, so that a document naming one loads again; the
// last name cannot be written and must make the save fail.
const char* const dtdNames[] = {"s.dtd", "s'.dtd", "s\".dtd", "s'\".dtd"};

void writeDtdFiles() {
    static const bool written = [] {
        for (const char* name : dtdNames) fuzzing::writeInput(name, nullptr, 0);
        return true;
    }();
    (void)written;
}

// Every node of the document, the document node first.
std::vector<XcsXmlNode> nodesOf(XcsXmlDOMDocument& object) {
    std::vector<XcsXmlNode> nodes{object.getDocument()};
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        for (XcsXmlNode c = nodes[i].getFirstChild(); !c.isNull(); c = c.getNextSibling()) {
            nodes.push_back(c);
        }
    }
    return nodes;
}

void step(XcsXmlDOMDocument& object, XcsXmlDOMDocument& other, Script& script) {
    const std::vector<XcsXmlNode> nodes = nodesOf(object);
    XcsXmlNode pick = nodes[script.next() % nodes.size()];
    XcsXmlNode second = nodes[script.next() % nodes.size()];
    XcsXmlDocument& document = object.getDocument();
    switch (script.next() % 13) {
        case 0:
            object.setXmlData(script.tag(), script.text(), script.next() % 2 == 0);
            break;
        case 1: {
            std::list<std::string> values;
            for (unsigned int n = script.next() % 4; n > 0; --n) values.push_back(script.text());
            object.setXmlData(script.tag(), values);
            break;
        }
        case 2:
            pick.insertBefore(document.createElement(script.tag()), second);
            break;
        case 3:
            pick.appendChild(document.createTextNode(script.text()));
            break;
        case 4:
            pick.removeChild(second);
            break;
        case 5:
            pick.setAttribute(script.tag(), script.text());
            break;
        case 6:
            pick.appendChild(document.importNode(other.getDocument().getDocumentElement(), true));
            break;
        case 7:
            object.bind(script.next() % 2 == 0 ? other.getDocument() : object.getDocument());
            break;
        case 8:
            object.setXMLDecl(script.next() % 2 == 0 ? TL_ENCODE_UTF16 : TL_ENCODE_SHIFT_JIS);
            break;
        case 9:
            object.setXSL(script.text());
            break;
        case 10:
            object.setSchema(dtdNames[script.next() % 4], TL_SCHEMA_DTD);
            break;
        case 11:
            second.appendChild(pick);
            break;
        default: {
            // The node itself or one of its ancestors, which every insertion must refuse.
            XcsXmlNode own = pick;
            for (unsigned int up = script.next() % 4; up > 0 && !own.getParentNode().isNull();
                 --up) {
                own = own.getParentNode();
            }
            try {
                if (script.next() % 2 == 0) {
                    pick.appendChild(own);
                } else {
                    pick.insertBefore(own, pick.getFirstChild());
                }
            } catch (const xercesc::DOMException&) {
                break;
            }
            __builtin_trap();
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    writeDtdFiles();
    XcsXmlDOMDocument object;
    XcsXmlDOMDocument other;
    object.createDocument("r").getDocumentElement().appendChild(
        object.getDocument().createElement("a"));
    other.createDocument("b").getDocumentElement().setAttribute("x", "1");
    Script script(data, size);
    for (int steps = 0; steps < 64 && script.more(); ++steps) {
        try {
            step(object, other, script);
        } catch (const xercesc::DOMException&) {
        } catch (const xercesc::XMLException&) {
        } catch (const std::exception&) {
        }
    }
    fuzzing::expectSavesLoadAgain(object);
    return 0;
}
