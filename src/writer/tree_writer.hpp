// Writes a node and its subtree in a generated layout. Line breaks stand only between the
// nodes of element-only content, each line indented a number of spaces per level: never
// inside an element that holds character data (text other than layout, a CDATA section, an
// entity reference) nor inside xml:space="preserve", and never next to a text node, so
// that no character of the document changes for any reader. The fixed layout is this with
// every attribute written, the DTD's defaults too, and a line feed after the last node.
#ifndef TOVALIN_WRITER_TREE_WRITER_HPP
#define TOVALIN_WRITER_TREE_WRITER_HPP

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include <xercesc/dom/DOMDocument.hpp>
#include <xercesc/dom/DOMNode.hpp>
#include <xercesc/framework/XMLFormatter.hpp>

#include "text/code_page.hpp"
#include "writer/markup_output.hpp"

namespace tovalin::writer {

// The encoding is the name the file declares ("UTF-16", "UTF-8" or "Shift_JIS"). A whole document
// written in any encoding but UTF-16 begins with a declaration even when the tree holds
// none, since only the declaration names the encoding to a reader. indent is the number of
// spaces per level. False when the node is of a kind that is not written; then nothing is
// written.
bool writeTree(xercesc::XMLFormatter& formatter, const xercesc::DOMNode* top,
               const std::string& encoding, std::size_t indent);

// Runs the write into an output that refuses what the encoding cannot hold; such a
// character fails the save with a message naming it and where it stands.
void writeChecked(xercesc::XMLFormatter& formatter, const xercesc::DOMNode* top,
                  const std::string& encoding, const std::function<void(MarkupOutput&)>& write);

// Whether nodes of the kind are written: the document, its type, elements, text, CDATA
// sections, entity references, instructions and comments.
bool isWritten(const xercesc::DOMNode* node);

// Whether the element holds character data, which a line break within it would change: text
// other than layout (any text where spaces are data), a CDATA section, an entity reference.
bool holdsCharacterData(const xercesc::DOMNode* element, bool spacesAreData);

// The element where the character first stands within the top node, as a path ("/r/c[2]").
// Looked for only once a save has failed: the check itself runs over large pieces of output
// that mix many nodes.
std::string whereFound(const xercesc::DOMNode* top, unsigned long codePoint);

// How generated content is laid out.
struct Layout {
    // What stands before a node of element-only content at the outermost level: a line end
    // and the indentation of that level; empty for no line breaks at all.
    text::XmlString lineStart;
    // What each level within adds to the indentation.
    text::XmlString unit;
    // Whether attributes the DTD supplied are written too.
    bool defaultsToo;
};

class TreeWriter {
  public:
    TreeWriter(MarkupOutput& out, const text::XmlString& encoding, Layout layout);

    // The whole document, and a line end after it.
    void writeDocument(const xercesc::DOMDocument* document);
    // The node and its subtree and nothing around it, as a node within an element that
    // holds character data or not, and within xml:space="preserve" or not.
    void writeNode(const xercesc::DOMNode* node, bool characterData, bool preserve);

  private:
    // A container being written: the document, or an element whose children follow.
    struct Frame {
        // The container or one around it holds character data.
        bool characterData;
        // Its spaces are data (xml:space).
        bool preserve;
        // The last node written in it was text.
        bool afterText;
        // Nothing is written in it yet, and nothing stands before its first node.
        bool first;
    };
    // Whether line breaks go between the nodes of the container.
    bool breaks(const Frame& container) const;
    // Writes what comes before the node's children; true when the children follow.
    bool open(const xercesc::DOMNode* node);
    // Writes what comes after the children of a node that had them.
    void close(const xercesc::DOMNode* node);
    void walk(const xercesc::DOMNode* top);
    void gap(std::size_t level);

    MarkupOutput& out;
    const text::XmlString encoding;
    const Layout layout;
    // The open containers, outermost first.
    std::vector<Frame> frames;
    // Nothing is added inside the root element of the document being written.
    bool flatRoot = false;
};

}  // namespace tovalin::writer

#endif
