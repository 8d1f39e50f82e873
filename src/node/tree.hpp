// A parsed or created parser document together with the count of its holders: document
// objects and every node, list and iterator wrapper into it. The last holder frees it.
#ifndef TOVALIN_NODE_TREE_HPP
#define TOVALIN_NODE_TREE_HPP

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <xercesc/dom/DOMDocument.hpp>
#include <xercesc/framework/MemoryManager.hpp>

#include "node/source_file.hpp"
#include "node/tag_index.hpp"
#include "text/code_page.hpp"

namespace tovalin::detail {

// The document a node belongs to: the node itself for a document node.
xercesc::DOMDocument* documentOf(const xercesc::DOMNode* node);

// Where an element read from a file stood: the line and column of the character after its
// start tag.
struct SourcePosition {
    const xercesc::DOMNode* element;
    unsigned int line;
    unsigned int column;
};

// The files that held the elements read: the document's own first, then each external entity
// that held an element, with the elements that such an entity held, by index into the names.
struct SourceFiles {
    std::vector<std::string> names;
    std::vector<std::pair<const xercesc::DOMNode*, std::size_t>> elsewhere;
};

struct Tree {
    // Takes ownership of a parser document and marks it so that any of its nodes finds this
    // tree again. The count starts at zero; the first TreeRef makes it one. The memory
    // manager the document was made with, when it is not the parser's global one, is kept
    // until the document is freed.
    static Tree* adopt(xercesc::DOMDocument* document,
                       std::shared_ptr<xercesc::MemoryManager> memory = nullptr);
    // The tree of the document that owns the node, or null when the library does not hold it.
    static Tree* of(const xercesc::DOMNode* node);

    // Frees the document, once its last holder has let go.
    ~Tree();
    Tree(const Tree&) = delete;
    Tree& operator=(const Tree&) = delete;

    xercesc::DOMDocument* const document;
    unsigned long holders = 0;
    // The document type read from the file and its internal subset as the file wrote it,
    // since the parser's own rebuilt subset loses parts of it.
    const xercesc::DOMNode* loadedDocumentType = nullptr;
    text::XmlString loadedSubset;
    // The file the tree was loaded from, when a save is to keep its layout.
    std::shared_ptr<const SourceFile> source;
    // Made by the first search by tag name.
    std::unique_ptr<TagIndex> tagIndex;

    // Keeps the positions of the elements read from the file, in any order.
    void keepPositions(std::vector<SourcePosition> read);
    // The position of the element, or null for a node the file did not have.
    const SourcePosition* positionOf(const xercesc::DOMNode* element) const;
    // Keeps the names of the files that held the elements read.
    void keepSourceFiles(SourceFiles read);
    // The name of the file that held the element, or null for a node the file did not have.
    const std::string* sourceFileOf(const xercesc::DOMNode* element) const;

  private:
    Tree(xercesc::DOMDocument* owned, std::shared_ptr<xercesc::MemoryManager> madeWith)
        : document(owned), memory(std::move(madeWith)) {}

    // Sorted by element. Elements are never freed while the tree lives (their memory would
    // be reused), so no other node ever comes to stand at a kept address.
    std::vector<SourcePosition> positions;
    // Sorted by element, as the positions are.
    SourceFiles sourceFiles;
    // Destroyed after the document is freed.
    const std::shared_ptr<xercesc::MemoryManager> memory;
};

}  // namespace tovalin::detail

#endif
