/// \file
/// The document side of the interface: the document object that holds one XML document in
/// memory, and the factory that hands it out. What the object is configured with is in
/// settings.hpp, the record of a load's problem in error_reporter.hpp.
/// Every std::string here is in the process code page (\ref text_rule).
/// With TOVALIN_OVER_C defined, the classes compiled over the C interface stand in.
#ifdef TOVALIN_OVER_C
#include "tovalin/over_c/tovalin.hpp"
#endif
#ifndef TOVALIN_DOCUMENT_HPP
#define TOVALIN_DOCUMENT_HPP

#include <list>
#include <string>

#include <xercesc/util/XercesDefs.hpp>

#include "tovalin/error_reporter.hpp"
#include "tovalin/export.hpp"
#include "tovalin/node.hpp"
#include "tovalin/settings.hpp"

XERCES_CPP_NAMESPACE_BEGIN
class XMLFormatter;
class XercesDOMParser;
XERCES_CPP_NAMESPACE_END

/// The kind of grammar a document type names; every kind is written as a DTD reference.
enum TL_SCHEMA_TYPE : int { TL_SCHEMA_DTD = 0 };
/// \var TL_SCHEMA_DTD
/// A DTD file, named as the system identifier of the document type.

namespace tovalin::detail {
struct DocumentSettings;
}

/// The document object: holds one XML document in memory, loads it from a file, saves it to
/// one, and reads and writes values by tag name. Programs get one from
/// XmlDocumentFactory::createDocument. Every std::string it takes or gives is in the
/// process code page; a text that is no text in it, or a value it cannot hold exactly,
/// throws xercesc::TranscodingException (\ref text_rule), except where a member says
/// otherwise (load and save report failure by their result). An object, its copies and the
/// wrappers into its tree are used by one thread at a time; separate objects on separate
/// threads need nothing more.
class TOVALIN_API XcsXmlDOMDocument {
  public:
    /// An object that holds no document yet.
    XcsXmlDOMDocument();
    /// Copies share the document tree of the source; the tree lives until its last holder.
    XcsXmlDOMDocument(const XcsXmlDOMDocument& other);
    /// Takes the other's document, path and settings; this object's reference from
    /// getDocument then shows the other's document.
    XcsXmlDOMDocument& operator=(const XcsXmlDOMDocument& other);

    /// Lets go of the document; it lives on while wrappers into it remain.
    virtual ~XcsXmlDOMDocument();
    /// Loads the file, validating against its DTD when asked. Problems are appended to the
    /// list; true when the document was loaded. On failure the object keeps the document it
    /// held. The library opens the file, its DTD and its external entities itself, reads them
    /// in place and writes nothing: regular files only (a pipe, a device, a socket or a folder
    /// fails at once with a record naming it), on Windows shared with programs that hold them
    /// open for reading, writing or deletion. A first problem without a position gets the
    /// library's advice to move the file and retry as its message, and a folder part holding
    /// a full-width hyphen-minus or tilde is refused with a record naming it. The path is in
    /// the process code page; one whose folder is no text in it fails with one record. A DTD
    /// that cannot be read fails the load, unless the load does not validate and
    /// setUnreadableDtd(TL_DTD_WARNS) lets it read on without it: then the load succeeds with
    /// the one record that warns of it, the only record a successful load appends. A null
    /// list does what load(path, validate) does.
    virtual bool load(const std::string& path, std::list<XMLERROR_TYPE>* errors, bool validate);
    /// The same; the first problem is written to standard output, in the process code page.
    virtual bool load(const std::string& path, bool validate);
    /// Writes the document to the file in the encoding. False when the file was left as it
    /// was: the object holds no document, the file cannot be written, another save of it did
    /// not end within 20 seconds, the document has no root element, or it holds what the file
    /// cannot carry (a character the encoding lacks, a comment holding "--", an instruction
    /// holding "?>"). The path is in the process code page.
    ///
    /// The new content goes to a new file beside the old one, is flushed to the disk, and
    /// takes the old file's place in one step (a rename and a flush of the folder on POSIX,
    /// ReplaceFileW on Windows): at every instant, whether the process is killed or the
    /// machine stops, the name holds the whole old content or the whole new content. The file
    /// stays what it was: owner, group, permissions, extended attributes and access lists on
    /// POSIX, attributes and security on Windows; a symbolic link stays a link and the file
    /// it names is replaced; a file that did not exist appears whole or not at all. While the
    /// save runs, the path plus ".BAK" names the old content (a second name of the old file,
    /// which needs no room on the drive); it replaces whatever stood at its name and is gone
    /// after the save. A save cut short may leave it, holding a whole content.
    ///
    /// Saves of one file from several threads or processes take turns: a save waits for the
    /// one under way, and the later content stands whole.
    ///
    /// Some files cannot be replaced without changing what they are, and are written in place
    /// instead, behind a copy of the old content in the ".BAK" that is put back when the
    /// write fails: a file with more than one hard link, one whose owner or attributes this
    /// process may not give a new file, on Windows one that another program holds open without
    /// sharing its deletion, and a writable file in a folder that takes no new file (its copy
    /// is then a file without a name in the temporary folder). A save of these cut short by a
    /// kill or a stop of the machine can leave the file part written, with the old content
    /// whole in the ".BAK" (but for the last).
    virtual bool save(const std::string& path, TL_ENCODE_TYPE type);
    /// Replaces the document by a new one holding a deep copy of the other's root element
    /// and nothing else; the other may be this object's own document. Gives the reference
    /// that getDocument gives. Throws std::invalid_argument, keeping the document held, for a
    /// null document and one without a root element.
    virtual XcsXmlDocument& bind(const XcsXmlDocument& other);
    /// Puts a new XML declaration first, replacing one that stands there; false when the
    /// document has no node at all. The encoding it names is a placeholder: a save names its
    /// own. Throws std::runtime_error "no document" when the object holds none.
    virtual bool setXMLDecl(TL_ENCODE_TYPE type) const;
    /// Adds a stylesheet instruction `type="text/xsl" href="..."` directly before the root
    /// element, with the address as given (in the process code page, not escaped) in the
    /// quotation marks it does not contain; false, with the document unchanged, for an
    /// address no instruction can carry (a NUL, "?>", both quotation marks). Throws
    /// std::runtime_error "no document" when the object holds none.
    virtual bool setXSL(const std::string& href) const;
    /// Replaces the document type by one that names the DTD file at the given location (in
    /// the process code page), written with the root element's name; false, with the
    /// document unchanged, for a location no document type can carry: empty, holding a NUL
    /// or both quotation marks. Throws std::runtime_error "no document" when the object
    /// holds none.
    virtual bool setSchema(const std::string& dtdPath, TL_SCHEMA_TYPE type) const;

    /// The document held; throws std::runtime_error with the text "no document" when empty.
    /// The reference stays valid for the object's whole life and always shows the document
    /// the object holds at the time: after a load, createDocument or bind the new one, after
    /// an assignment the other object's. A copy of the wrapper keeps its own document.
    XcsXmlDocument& getDocument();
    /// The path of the last successful load as the caller gave it; empty for a created or
    /// bound document.
    std::string getPath() const;
    /// Replaces the document by a new one holding only a root element of the given name.
    /// Gives the reference that getDocument gives. A name the parser refuses throws its
    /// xercesc::DOMException, and a name that is no text in the process code page
    /// xercesc::TranscodingException; the object then holds no document.
    XcsXmlDocument& createDocument(const std::string& rootName);
    /// Writes the node and its subtree through the formatter of the save in progress; false
    /// for a node the writer does not write, and when no save is in progress, which is
    /// whenever save itself does not call it.
    bool saveDOMTree(XcsXmlNode& node);
    /// The value stored under a tag name: the text of the first element of that name (its
    /// first text child); empty when there is none, for an empty name, and when the object
    /// holds no document. "*" names every element. A value held in a CDATA section is no
    /// text child: read it with XcsXmlNode::getData of the element, which gives its text and
    /// CDATA sections together.
    std::string getXmlData(const std::string& tagName);
    /// The same, and appends the value of every element of the name, in document order. The
    /// list is left as it was when a value throws xercesc::TranscodingException.
    std::string getXmlData(const std::string& tagName, std::list<std::string>& values);
    /// Writes into the first element of the name, or adds an element after the last one
    /// (into the first, when its first child is an empty text). Creates no element of a name
    /// the document does not hold yet, nor of the name "*"; false then, and when the object
    /// holds no document.
    bool setXmlData(const std::string& tagName, const std::string& value, bool overwrite);
    /// Replaces every element of the name, with its attributes and children, by one element
    /// per value (one empty one for no values), where the last of them stood. False as the
    /// other overload; more than one value for the root element throws the parser's
    /// xercesc::DOMException HIERARCHY_REQUEST_ERR. The tree is unchanged when it throws.
    bool setXmlData(const std::string& tagName, std::list<std::string>& values);
    /// Removes from the whole document, whatever node is given, every text node that begins
    /// with a space, tab, CR or LF and holds only spaces and ASCII control characters; text
    /// inside entity references stays. Returns the node given. Throws std::runtime_error "no
    /// document" when the object holds none.
    XcsXmlNode removeWhiteSpace(XcsXmlNode& node);

    /// Sets the bounds of this object's loads; XcsLoadLimits() until set. Copies take them
    /// along.
    void setLoadLimits(const XcsLoadLimits& limits);
    /// The bounds of this object's loads.
    XcsLoadLimits getLoadLimits() const;
    /// Sets where this object's loads read DTDs and external entities from;
    /// TL_ENTITY_ANY_LOCAL_FILE until set. False, changing nothing, for a value outside the
    /// enumeration. Copies take it along.
    bool setEntitySource(TL_ENTITY_SOURCE source);
    /// Where this object's loads read DTDs and external entities from.
    TL_ENTITY_SOURCE getEntitySource() const;
    /// Sets the language of the parser's problem texts in this object's load records;
    /// TL_MESSAGES_PARSER until set. Copies take it along. False, changing nothing, for a
    /// value outside the enumeration.
    bool setMessageLanguage(TL_MESSAGE_LANGUAGE language);
    /// The language of the parser's problem texts in this object's load records.
    TL_MESSAGE_LANGUAGE getMessageLanguage() const;
    /// Sets what this object's loads without validation do with a DTD they cannot read;
    /// TL_DTD_FAILS_LOAD until set. False, changing nothing, for a value outside the
    /// enumeration. Copies take it along.
    bool setUnreadableDtd(TL_UNREADABLE_DTD handling);
    /// What this object's loads without validation do with a DTD they cannot read.
    TL_UNREADABLE_DTD getUnreadableDtd() const;

    /// The encoding the loaded file was read in, as the parser found it from its byte-order
    /// mark, its first bytes or its declaration: "Shift_JIS" (for every name of code page
    /// 932), "UTF-8", "UTF-16" (either byte order, with or without a mark), or the parser's
    /// name of any other, such as "EUC-JP" or "ISO-8859-1". Empty until a load, and after
    /// createDocument or bind; a failed load keeps the earlier one.
    std::string getFileEncoding() const;

    /// Sets the spaces per level that this object's saves indent element-only content with:
    /// each line within an element that holds only elements, comments and instructions
    /// starts with that many spaces per enclosing element; an element that holds text, and
    /// all within it, is written as without indentation. The file loads back as the same
    /// tree. 0 until set: the fixed layout. False, changing nothing, for more than 16.
    bool setIndent(unsigned int spaces);
    /// The spaces per level of this object's saves.
    unsigned int getIndent() const;

    /// Sets how this object's saves lay the document out; TL_LAYOUT_FIXED until set. The
    /// keep layout needs the file: a load made while it is set keeps the file's bytes beside
    /// the tree (as much memory again as the file's size), and a save then writes each node
    /// it finds unchanged as the file had it; in another encoding than the file's the layout
    /// stays, and the encoding's name and line ends change with its bytes. A document not
    /// loaded so (created, bound, or loaded in the fixed layout) is saved in the fixed
    /// layout. False, changing nothing, for a value outside the enumeration. Copies take it
    /// along.
    bool setLayout(TL_LAYOUT_TYPE layout);
    /// How this object's saves lay the document out.
    TL_LAYOUT_TYPE getLayout() const;

    /// Why the last failed operation of this object failed (load, save, bind, setXMLDecl,
    /// setXSL, setSchema, setXmlData), in the process code page: for a load its first
    /// record, for a save the character that the encoding cannot carry (U+XXXX) and the
    /// element it stands in, the node no reader could read back, or the system's reason the
    /// file cannot be written (and whether the earlier content stays in FILE.BAK). Empty
    /// after any of these succeeded, and until one failed. Copies take it along.
    std::string getLastError() const;

  protected:
    /// Back to the state of a new object: no path, no encoding, no document.
    virtual void initData();
    /// Configures the parser of a load; false makes the load fail, with no record.
    virtual bool setParserCondition(xercesc::XercesDOMParser* parser,
                                    xercesc::ErrorHandler* handler, bool validate);

    /// Copies the file to a new working copy in its folder, which the caller deletes; false
    /// when none could be made. Both paths are in the process code page. Loads make no working
    /// copy.
    bool preBuilder(std::string source, std::string& workingCopy);
    /// Gives the folder for temporary files, with its trailing separator; always true.
    bool getWindowsTempPath(std::string& folder);
    /// Trims the text in place: control bytes become spaces, outer spaces go; always true.
    bool deleteString(std::string& text);
    /// Whether the existing file is hidden: its hidden attribute on Windows, a name that
    /// begins with a dot on POSIX.
    bool isHidden(const std::string& path);
    /// Sets or clears the hidden attribute on Windows; on POSIX changes nothing. True when
    /// done, and on POSIX for any existing file.
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
    // The object's own settings and what its last operations found; never null.
    tovalin::detail::DocumentSettings* settings;
};

/// The document interface that the factory hands out: an XcsXmlDOMDocument and nothing more.
template <class Document, class Node, class DocumentNode>
class TOVALIN_API XmlDOMDocument : public Document {};

/// Hands out document objects; it has no state, and programs use its static member only.
class TOVALIN_API XmlDocumentFactory {
  public:
    /// Copies nothing: the factory has no state.
    XmlDocumentFactory(const XmlDocumentFactory& other);
    /// Copies nothing: the factory has no state.
    XmlDocumentFactory& operator=(const XmlDocumentFactory& other);
    /// Has nothing to release.
    virtual ~XmlDocumentFactory();

    /// A new, empty document object owned by the caller (delete it through the pointer), or
    /// null when no memory is left or the parser platform did not start.
    static XmlDOMDocument<XcsXmlDOMDocument, XcsXmlNode, XcsXmlDocument>* createDocument();

  protected:
    /// Only for derived factories: programs use the static createDocument.
    XmlDocumentFactory();
};

/// The check of a path for the characters a load refuses in a folder name.
struct TOVALIN_API XmlFunction {
    /// Copies nothing: the struct has no state.
    XmlFunction& operator=(const XmlFunction& other);
    /// True when the NUL-terminated UTF-16 path holds neither U+FF0D nor U+FF5E; otherwise
    /// the name of the first one found goes to which, in the process code page, as the
    /// load's record names it.
    static bool checkPath(unsigned short* path, std::string& which);
};

/// The name of the full-width hyphen-minus (U+FF0D) that a load refuses in a folder name:
/// "全角「－」" as NUL-terminated Shift_JIS, whatever the process code page.
extern TOVALIN_API const char fullWidthHyphenMinusName[11];
/// The name of the full-width tilde (U+FF5E) that a load refuses in a folder name:
/// "全角「～」" as NUL-terminated Shift_JIS, whatever the process code page.
extern TOVALIN_API const char fullWidthTildeName[11];

/// Does nothing; kept for programs that probe the library by this unmangled name.
extern "C" TOVALIN_API void runtest();

#endif
