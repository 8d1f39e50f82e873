// A second reader of saved files, libxml2 through Debian's python3-lxml: what it reads as
// each element's character data must be what the tree holds, so that no layout a save adds
// changes a document for other programs. Layout whitespace in element-only content, which
// readers drop or keep as they please, is left out on both sides.
#ifndef TOVALIN_TESTS_SUPPORT_PEER_READER_HPP
#define TOVALIN_TESTS_SUPPORT_PEER_READER_HPP

#include <xercesc/dom/DOM.hpp>

#include <cstdio>
#include <string>

namespace testing_support {

// One line per element in document order: its character data as hexadecimal UTF-16 units,
// or nothing when it is whitespace only. Text of expanded entities counts as the element's. A
// file that declares Shift_JIS is read as code page 932, the bytes the library writes for it.
inline const char* peerScript() {
    return "import sys\n"
           "from lxml import etree\n"
           "head = open(sys.argv[1], 'rb').read(100)\n"
           "sjis = head.startswith(b'<?xml') and b'Shift_JIS' in head.split(b'?>')[0]\n"
           "p = etree.XMLParser(resolve_entities=True, load_dtd=True, no_network=True,"
           " huge_tree=True, encoding='cp932' if sjis else None)\n"
           "root = etree.parse(sys.argv[1], p).getroot()\n"
           "for e in root.iter():\n"
           "    if not isinstance(e.tag, str): continue\n"
           "    t = (e.text or '') + ''.join(c.tail or '' for c in e)\n"
           "    if t.strip(' \\t\\r\\n') == '': t = ''\n"
           "    u = t.encode('utf-16-le')\n"
           "    print(' '.join('%02x%02x' % (u[i + 1], u[i]) for i in range(0, len(u), 2)))\n";
}

inline void appendCharacterData(const xercesc::DOMNode* parent, std::u16string& data) {
    for (const xercesc::DOMNode* child = parent->getFirstChild(); child != nullptr;
         child = child->getNextSibling()) {
        switch (child->getNodeType()) {
            case xercesc::DOMNode::TEXT_NODE:
            case xercesc::DOMNode::CDATA_SECTION_NODE:
                data += child->getNodeValue();
                break;
            case xercesc::DOMNode::ENTITY_REFERENCE_NODE:
                appendCharacterData(child, data);
                break;
            default:
                break;
        }
    }
}

// Calls the visitor on each node within the root element in document order, with its depth,
// without recursion; stops where the visitor gives false.
template <typename Visitor>
void visitInOrder(const xercesc::DOMDocument* document, Visitor visit) {
    std::size_t depth = 0;
    for (const xercesc::DOMNode* node = document->getDocumentElement(); node != nullptr;) {
        if (!visit(node, depth)) return;
        if (const xercesc::DOMNode* child = node->getFirstChild()) {
            node = child;
            ++depth;
            continue;
        }
        while (depth > 0 && node->getNextSibling() == nullptr) {
            node = node->getParentNode();
            --depth;
        }
        node = depth == 0 ? nullptr : node->getNextSibling();
    }
}

// Whether a second reader can read the document at all: not a version 1.1 document, which
// libxml2 does not read, nor one nested deeper than it allows, nor one with a reference no
// declaration expands.
inline bool readableByPeer(const xercesc::DOMDocument* document) {
    const XMLCh* version = document->getXmlVersion();
    if (version != nullptr && std::u16string(version) == u"1.1") return false;
    bool readable = true;
    visitInOrder(document, [&](const xercesc::DOMNode* node, std::size_t depth) {
        readable =
            depth < 256 && !(node->getNodeType() == xercesc::DOMNode::ENTITY_REFERENCE_NODE &&
                             !node->hasChildNodes());
        return readable;
    });
    return readable;
}

// The tree's elements as the peer script describes them.
inline std::string describedByTree(const xercesc::DOMDocument* document) {
    std::string lines;
    visitInOrder(document, [&](const xercesc::DOMNode* node, std::size_t) {
        if (node->getNodeType() != xercesc::DOMNode::ELEMENT_NODE) return true;
        std::u16string data;
        appendCharacterData(node, data);
        if (data.find_first_not_of(u" \t\r\n") == std::u16string::npos) data.clear();
        char unit[8];
        for (std::size_t i = 0; i < data.size(); ++i) {
            std::snprintf(unit, sizeof unit, i == 0 ? "%04x" : " %04x", unsigned{data[i]});
            lines += unit;
        }
        lines += "\n";
        return true;
    });
    return lines;
}

// The saved file's elements as libxml2 reads them; the error output when it cannot.
inline std::string describedByPeer(const std::string& file) {
    const std::string script = file + ".peer.py";
    if (FILE* out = std::fopen(script.c_str(), "w")) {
        std::fputs(peerScript(), out);
        std::fclose(out);
    }
    const std::string command = "/usr/bin/python3 '" + script + "' '" + file + "' 2>&1";
    std::string lines;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
            lines.append(buffer, got);
        }
        pclose(pipe);
    }
    std::remove(script.c_str());
    return lines;
}

}  // namespace testing_support

#endif
