// Edits chosen by bytes, made through the library and straight on the parser's nodes, with
// lookups by tag name in between; every lookup must answer as a fresh search of the tree.
#ifndef TOVALIN_TESTS_SUPPORT_TAG_LOOKUP_SCRIPT_HPP
#define TOVALIN_TESTS_SUPPORT_TAG_LOOKUP_SCRIPT_HPP

#include <cstdint>
#include <exception>
#include <list>
#include <map>
#include <string>
#include <vector>

#include <xercesc/dom/DOM.hpp>
#include <xercesc/util/XMLException.hpp>

#include "tovalin/document.hpp"

namespace testing_support {

class TagLookupScript {
  public:
    // Starts from the file at the path, and reloads it.
    TagLookupScript(const std::uint8_t* data, std::size_t size, std::string path)
        : at(data), end(data + size), path(std::move(path)) {
        object.load(this->path, false);
        other.createDocument("b").getDocumentElement().appendChild(
            other.getDocument().createElement("c"));
    }

    // The first lookup that answered otherwise than a fresh search; empty when none did.
    std::string run() {
        for (int steps = 0; steps < 64 && at != end; ++steps) {
            try {
                edit();
            } catch (const xercesc::DOMException&) {
            } catch (const xercesc::XMLException&) {
            } catch (const std::exception&) {
            }
            if (next() % 2 == 0) continue;
            const std::string wrong = lookUp(tag());
            if (!wrong.empty()) return wrong + " after step " + std::to_string(steps);
        }
        for (const char* name : {"a", "b", "c", "*"}) {
            const std::string wrong = lookUp(name);
            if (!wrong.empty()) return wrong + " at the end";
        }
        return {};
    }

  private:
    unsigned int next() { return at == end ? 0 : *at++; }
    std::string tag() {
        static const char* const tags[] = {"a", "b", "c", "*"};
        return tags[next() % 4];
    }
    std::string value() {
        static const char* const values[] = {"", "v", "w"};
        return values[next() % 3];
    }

    // Every node of the document in document order, the document node first.
    static std::vector<XcsXmlNode> nodesOf(const XcsXmlNode& node) {
        std::vector<XcsXmlNode> nodes{node};
        for (XcsXmlNode c = node.getFirstChild(); !c.isNull(); c = c.getNextSibling()) {
            for (const XcsXmlNode& below : nodesOf(c)) nodes.push_back(below);
        }
        return nodes;
    }
    std::vector<XcsXmlNode> elementsNamed(const std::string& name) {
        std::vector<XcsXmlNode> found;
        for (const XcsXmlNode& node : nodesOf(object.getDocument())) {
            if (node.getNodeType() == xercesc::DOMNode::ELEMENT_NODE &&
                (name == "*" || node.getValue() == name)) {
                found.push_back(node);
            }
        }
        return found;
    }
    static std::string valueOf(const XcsXmlNode& element) {
        for (XcsXmlNode c = element.getFirstChild(); !c.isNull(); c = c.getNextSibling()) {
            if (c.getNodeType() == xercesc::DOMNode::TEXT_NODE) return c.getValue();
        }
        return {};
    }

    void edit() {
        const std::vector<XcsXmlNode> nodes = nodesOf(object.getDocument());
        XcsXmlNode pick = nodes[next() % nodes.size()];
        xercesc::DOMNode* raw = pick.getTarget();
        xercesc::DOMNode* parent = raw->getParentNode();
        xercesc::DOMDocument* parser =
            parent == nullptr ? static_cast<xercesc::DOMDocument*>(raw) : raw->getOwnerDocument();
        XcsXmlDocument& document = object.getDocument();
        switch (next() % 13) {
            case 0:
                object.setXmlData(tag(), value(), next() % 2 == 0);
                break;
            case 1: {
                std::list<std::string> values;
                for (unsigned int n = next() % 4; n > 0; --n) values.push_back(value());
                object.setXmlData(tag(), values);
                break;
            }
            case 2:
                pick.insertBefore(document.createElement(tag()), pick.getFirstChild());
                break;
            case 3:
                pick.getParentNode().removeChild(pick);
                break;
            case 4:
                pick.appendChild(
                    document.importNode(other.getDocument().getDocumentElement(), true));
                break;
            case 5:
                object.bind(next() % 2 == 0 ? other.getDocument() : object.getDocument());
                held.clear();
                break;
            case 6:
                object.load(path, false);
                held.clear();
                break;
            case 7:
                raw->appendChild(parser->createElement(xml(tag()).c_str()));
                break;
            case 8:
                if (parent != nullptr) parent->removeChild(raw);
                break;
            case 9: {
                if (parent == nullptr) break;
                // Renamed by a replacement that takes the children along.
                xercesc::DOMElement* renamed = parser->createElement(xml(tag()).c_str());
                while (raw->getFirstChild() != nullptr) renamed->appendChild(raw->getFirstChild());
                parent->replaceChild(renamed, raw);
                break;
            }
            case 10:
                raw->appendChild(parser->createTextNode(xml(value()).c_str()));
                break;
            case 11: {
                static const char* const names[] = {"a", "b", "c"};
                parser->renameNode(raw, nullptr, xml(names[next() % 3]).c_str());
                break;
            }
            default: {
                const std::string name = tag();
                held.emplace(name, document.getElementsByTagName(name));
            }
        }
    }

    static std::u16string xml(const std::string& ascii) { return {ascii.begin(), ascii.end()}; }

    std::string lookUp(const std::string& name) {
        const std::vector<XcsXmlNode> expected = elementsNamed(name);
        std::list<std::string> want;
        for (const XcsXmlNode& element : expected) want.push_back(valueOf(element));
        const std::string first = want.empty() ? std::string() : want.front();
        std::list<std::string> values;
        if (object.getXmlData(name) != first || object.getXmlData(name, values) != first ||
            values != want) {
            return "the values of " + name;
        }
        std::vector<XcsXmlNodeList> lists{object.getDocument().getElementsByTagName(name)};
        for (auto [from, to] = held.equal_range(name); from != to; ++from) {
            lists.push_back(from->second);
        }
        for (const XcsXmlNodeList& list : lists) {
            if (list.getLength() != expected.size()) return "the count of " + name;
            for (unsigned int i = 0; i <= expected.size(); ++i) {
                if (list.item(i) != (i < expected.size() ? expected[i] : XcsXmlNode())) {
                    return "element " + std::to_string(i) + " of " + name;
                }
            }
        }
        return {};
    }

    const std::uint8_t* at;
    const std::uint8_t* const end;
    const std::string path;
    XcsXmlDOMDocument object;
    XcsXmlDOMDocument other;
    // Lists asked for earlier, which must follow every later change.
    std::multimap<std::string, XcsXmlNodeList> held;
};

}  // namespace testing_support

#endif
