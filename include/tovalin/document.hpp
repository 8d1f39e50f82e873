// The document side of the interface: the document object that holds one XML document in
// memory, the factory that hands it out, and the records and codes its operations use.
#ifndef TOVALIN_DOCUMENT_HPP
#define TOVALIN_DOCUMENT_HPP

#include <list>
#include <string>

#include "tovalin/export.hpp"
#include "tovalin/node.hpp"

// One problem with an input file.
struct XMLERROR_TYPE {
    unsigned int lineNumber;
    unsigned int columnNumber;
    std::string message;
    std::string systemId;
};

// The encoding of a saved file.
enum TL_ENCODE_TYPE : int { TL_ENCODE_UTF16 = 0, TL_ENCODE_SHIFT_JIS = 1 };

// The kind of grammar a document type names; every kind is written as a DTD reference.
enum TL_SCHEMA_TYPE : int { TL_SCHEMA_DTD = 0 };

class TOVALIN_API XcsXmlDOMDocument {
public:
    XcsXmlDOMDocument();
    // Copies share the document tree of the source; the tree lives until its last holder.
    XcsXmlDOMDocument(const XcsXmlDOMDocument& other);
    XcsXmlDOMDocument& operator=(const XcsXmlDOMDocument& other);

    virtual ~XcsXmlDOMDocument();

    // The document held; throws std::exception with the text "no document" when empty.
    XcsXmlDocument& getDocument();
    std::string getPath() const;
    // Replaces the document by a new one holding only a root element of the given name.
    XcsXmlDocument& createDocument(const std::string& rootName);

protected:
    // Back to the state of a new object: no path, no encoding, no document.
    virtual void initData();

private:
    std::string path;
    std::string encoding;
    XcsXmlDocument* document;
};

// The document interface that the factory hands out: an XcsXmlDOMDocument and nothing more.
template <class Document, class Node, class DocumentNode>
class TOVALIN_API XmlDOMDocument : public Document {};

class TOVALIN_API XmlDocumentFactory {
public:
    XmlDocumentFactory(const XmlDocumentFactory& other);
    XmlDocumentFactory& operator=(const XmlDocumentFactory& other);
    virtual ~XmlDocumentFactory();

    // A new, empty document object owned by the caller (delete it through the pointer), or
    // null when no memory is left or the parser platform did not start.
    static XmlDOMDocument<XcsXmlDOMDocument, XcsXmlNode, XcsXmlDocument>* createDocument();

protected:
    XmlDocumentFactory();
};

// Does nothing; kept for programs that probe the library by this unmangled name.
extern "C" TOVALIN_API void runtest();

#endif
