// The document side of the interface: the document object that holds one XML document in
// memory, the factory that hands it out, and the records and codes its operations use.
// With TOVALIN_OVER_C defined, the classes compiled over the C interface stand in.
#ifdef TOVALIN_OVER_C
#include "tovalin/over_c/tovalin.hpp"
#endif
#ifndef TOVALIN_DOCUMENT_HPP
#define TOVALIN_DOCUMENT_HPP

#include <cstddef>
#include <list>
#include <string>

#include <xercesc/util/XercesDefs.hpp>

#include "tovalin/export.hpp"
#include "tovalin/node.hpp"

XERCES_CPP_NAMESPACE_BEGIN
class ErrorHandler;
class XMLFormatter;
class XercesDOMParser;
XERCES_CPP_NAMESPACE_END

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

// Where a load reads a DTD or an external entity from. Never from the network.
enum TL_ENTITY_SOURCE : int {
    // Any local file the process may read.
    TL_ENTITY_ANY_LOCAL_FILE = 0,
    // Only files in the document's folder or below it, once every link is resolved.
    TL_ENTITY_DOCUMENT_FOLDER = 1
};

// What one load may cost. A load that would pass a bound stops and fails with a record
// saying that the document expands beyond the allowed size. Files known to be large and
// trusted may raise the bounds, or lift them with unlimited.
struct XcsLoadLimits {
    static constexpr std::size_t unlimited = static_cast<std::size_t>(-1);

    // Characters that entity expansion may produce for each byte read from the document and
    // the files it uses, once expansion has produced expansionFloor characters. Every
    // expansion counts its replacement text, at every level of nesting and in text,
    // attribute values and the DTD alike, and at least 64 characters (1,024 for an external
    // entity); reading a file again counts as expansion too.
    std::size_t expansionPerByte = 100;
    std::size_t expansionFloor = std::size_t(2) << 20;
    // Bytes the parser may hold while it parses: memoryFloor and memoryPerByte for each byte
    // read. The tree it leaves behind is not bounded: editing it may take any memory.
    std::size_t memoryPerByte = 128;
    std::size_t memoryFloor = std::size_t(64) << 20;

    // Every bound lifted.
    static XcsLoadLimits lifted() {
        XcsLoadLimits none;
        none.expansionPerByte = unlimited;
        none.memoryPerByte = unlimited;
        return none;
    }
};

namespace tovalin::detail {
struct DocumentSettings;
}

class TOVALIN_API XcsXmlDOMDocument {
  public:
    XcsXmlDOMDocument();
    // Copies share the document tree of the source; the tree lives until its last holder.
    XcsXmlDOMDocument(const XcsXmlDOMDocument& other);
    XcsXmlDOMDocument& operator=(const XcsXmlDOMDocument& other);

    virtual ~XcsXmlDOMDocument();
    // Loads the file through a working copy in its folder, validating against its DTD when
    // asked. Problems are appended to the list; true when the document was loaded.
    virtual bool load(const std::string& path, std::list<XMLERROR_TYPE>* errors, bool validate);
    // The same; the first problem is written to standard output.
    virtual bool load(const std::string& path, bool validate);
    // Writes the document to the file in the encoding, keeping the earlier content in the
    // file's ".BAK" beside it until the new content is safely stored. False when nothing
    // was written or the earlier content was put back.
    virtual bool save(const std::string& path, TL_ENCODE_TYPE type);
    // Replaces the document by a new one holding a deep copy of the other's root element
    // and nothing else; the other may be this object's own document. Gives the reference
    // that getDocument gives.
    virtual XcsXmlDocument& bind(const XcsXmlDocument& other);
    // Puts a new XML declaration first, replacing one that stands there; false when the
    // document has no node at all.
    virtual bool setXMLDecl(TL_ENCODE_TYPE type) const;
    // Adds a stylesheet instruction directly before the root element.
    virtual bool setXSL(const std::string& href) const;
    // Replaces the document type by one that names the DTD file at the given location; false,
    // with the document unchanged, for a location that holds a NUL.
    virtual bool setSchema(const std::string& dtdPath, TL_SCHEMA_TYPE type) const;

    // The document held; throws std::exception with the text "no document" when empty.
    // The reference stays valid for the object's whole life and always shows the document
    // the object holds at the time: after a load, createDocument or bind the new one, after
    // an assignment the other object's. A copy of the wrapper keeps its own document.
    XcsXmlDocument& getDocument();
    std::string getPath() const;
    // Replaces the document by a new one holding only a root element of the given name.
    // Gives the reference that getDocument gives.
    XcsXmlDocument& createDocument(const std::string& rootName);
    // Writes the node and its subtree through the formatter of the save in progress; false
    // for a node the writer does not write, and when no save is in progress.
    bool saveDOMTree(XcsXmlNode& node);
    // The value stored under a tag name: the text of the first element of that name (its
    // first text child); empty when there is none. "*" names every element.
    std::string getXmlData(const std::string& tagName);
    // The same, and appends the value of every element of the name, in document order.
    std::string getXmlData(const std::string& tagName, std::list<std::string>& values);
    // Writes into the first element of the name, or adds an element after the last one.
    // Creates no element of a name the document does not hold yet; false then.
    bool setXmlData(const std::string& tagName, const std::string& value, bool overwrite);
    // Replaces every element of the name by one element per value (one empty one for no
    // values), where the last of them stood.
    bool setXmlData(const std::string& tagName, std::list<std::string>& values);
    // Removes the whitespace-only text nodes of the whole document; returns the node given.
    XcsXmlNode removeWhiteSpace(XcsXmlNode& node);

    // The bounds of this object's loads; XcsLoadLimits() until set. Copies take them along.
    void setLoadLimits(const XcsLoadLimits& limits);
    XcsLoadLimits getLoadLimits() const;
    // Where this object's loads read DTDs and external entities from;
    // TL_ENTITY_ANY_LOCAL_FILE until set. False, changing nothing, for a value outside the
    // enumeration.
    bool setEntitySource(TL_ENTITY_SOURCE source);
    TL_ENTITY_SOURCE getEntitySource() const;

  protected:
    // Back to the state of a new object: no path, no encoding, no document.
    virtual void initData();
    // Configures the parser of a load; false makes the load fail.
    virtual bool setParserCondition(xercesc::XercesDOMParser* parser,
                                    xercesc::ErrorHandler* handler, bool validate);

    // Copies the file to a new working copy in its folder; false when none could be made.
    bool preBuilder(std::string source, std::string& workingCopy);
    bool getWindowsTempPath(std::string& folder);
    // Trims the text in place: control bytes become spaces, outer spaces go.
    bool deleteString(std::string& text);
    // Hidden files are those whose name begins with a dot.
    bool isHidden(const std::string& path);
    bool setHidden(const std::string& path, bool hidden);

  private:
    // listed: the caller gave a list; otherwise problems go to standard output and the
    // declared encoding is taken.
    bool loadFile(const std::string& source, std::list<XMLERROR_TYPE>& errors, bool validate,
                  bool listed);
    // Makes the parser document the one held, in place of the earlier one.
    XcsXmlDocument& install(xercesc::DOMDocument* made);

    std::string path;
    std::string encoding;
    XcsXmlDocument* document;
    // Present only while a save runs.
    xercesc::XMLFormatter* formatter;
    // The object's own settings; null stands for the defaults.
    tovalin::detail::DocumentSettings* settings;
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

struct TOVALIN_API XmlFunction {
    XmlFunction& operator=(const XmlFunction& other);
    // True when the NUL-terminated UTF-16 path holds neither U+FF0D nor U+FF5E; otherwise
    // the name text of the first one found goes to which.
    static bool checkPath(unsigned short* path, std::string& which);
};

// The names of the two characters a load refuses in a folder name, as NUL-terminated
// Shift_JIS: "全角「－」" and "全角「～」".
extern TOVALIN_API const char fullWidthHyphenMinusName[11];
extern TOVALIN_API const char fullWidthTildeName[11];

// Does nothing; kept for programs that probe the library by this unmangled name.
extern "C" TOVALIN_API void runtest();

#endif
