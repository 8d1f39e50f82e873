// The parser of one load: it records the file's XML declaration, reads the file and its
// external entities from local files only, and runs within the load's account.
#ifndef TOVALIN_LOAD_LOAD_PARSER_HPP
#define TOVALIN_LOAD_LOAD_PARSER_HPP

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <xercesc/internal/XMLScanner.hpp>
#include <xercesc/parsers/XercesDOMParser.hpp>
#include <xercesc/sax/InputSource.hpp>
#include <xercesc/util/XMLEntityResolver.hpp>

#include "load/internal_subset.hpp"
#include "load/load_account.hpp"
#include "load/parser_messages.hpp"
#include "node/tree.hpp"
#include "text/code_page.hpp"
#include "tovalin/settings.hpp"

namespace tovalin {

// A file the parser reads, opened by the library, its bytes counted in the load's account. A
// source that names no file opens nothing, so the parser reports the entity as unreadable.
class LocalFileSource : public xercesc::InputSource {
  public:
    // The document, opened by the load; the source reads it from its first byte.
    LocalFileSource(int document, const text::XmlString& systemId, LoadAccount& account);
    // A DTD or an external entity, opened when the parser reads it: only a regular file, and
    // with a folder given, only one that lies in it.
    LocalFileSource(std::string narrowPath, const text::XmlString& systemId, LoadAccount& account,
                    std::string onlyFolder);
    xercesc::BinInputStream* makeStream() const override;

  private:
    const int opened = -1;
    const std::string narrowPath;
    const std::string onlyFolder;
    LoadAccount& account;
};

// Resolves DTDs and external entities to local files, relative to the entity that names
// them; any other scheme than file gets a source that opens nothing.
class LocalEntityResolver : public xercesc::XMLEntityResolver {
  public:
    // With a folder given, only files in that folder are read.
    LocalEntityResolver(LoadAccount& account, std::string onlyFolder);
    xercesc::InputSource* resolveEntity(xercesc::XMLResourceIdentifier* resource) override;
    // From now on a file that cannot be read reads as an empty one where the function,
    // asked with its system identifier, lets it: the DTD.
    void leaveOutUnreadableDtd(std::function<bool(const XMLCh* systemId)> leaveOut);

  private:
    LocalFileSource* localSource(xercesc::XMLResourceIdentifier* resource);

    LoadAccount& account;
    const std::string onlyFolder;
    std::function<bool(const XMLCh* systemId)> leaveOutDtd;
};

class LoadParser : public xercesc::XercesDOMParser {
  public:
    // Entities and DTDs are read from the folder only, when one is given.
    LoadParser(LoadAccount& account, std::string onlyFolder);
    // Applies what no configuration of a load may change: where entities come from.
    void secure();
    // Reads the document without a DTD it cannot read. A reference to an entity that the
    // document does not declare itself then fails the parse.
    void leaveOutUnreadableDtd();
    // Where the document type stood that named a DTD left out, and its name; nothing when
    // none was.
    struct LeftOutDtd {
        unsigned int line, column;
        text::XmlString systemId;
    };
    const std::optional<LeftOutDtd>& leftOutDtd() const { return dtdLeftOut; }
    // Parses within the account's limits, which hold until this returns.
    void parseCounted(const LocalFileSource& input);
    // True when the account's limits stopped the parse, or memory ran out.
    bool stopped() const { return account.stopped(); }
    // The language of the problem texts the error handler receives.
    void setMessageLanguage(TL_MESSAGE_LANGUAGE language);
    // Where the parse is, or ended.
    const xercesc::Locator& position() const { return *getScanner()->getLocator(); }
    // False once the parse has let go of its last reader, when position() has nothing to
    // tell and must not be asked.
    bool isReading() const { return getScanner()->getReaderMgr()->getCurrentReader() != nullptr; }

    // Builds into a document of the library's own kind (node/parser_document.hpp).
    void startDocument() override;
    void XMLDecl(const XMLCh* version, const XMLCh* encoding, const XMLCh* standalone,
                 const XMLCh* actualEncoding) override;
    void startIntSubset() override;
    void endIntSubset() override;
    void doctypeDecl(const xercesc::DTDElementDecl& root, const XMLCh* publicId,
                     const XMLCh* systemId, bool hasIntSubset, bool hasExtSubset) override;
    void startExtSubset() override;
    void endExtSubset() override;

    // Layout text between elements never becomes a node: a text that begins blank is held
    // back until it proves to hold more, and dropped when markup follows it first. Within
    // xml:space="preserve" every text is kept.
    void docCharacters(const XMLCh* chars, XMLSize_t length, bool cdataSection) override;
    void ignorableWhitespace(const XMLCh* chars, XMLSize_t length, bool cdataSection) override;
    void startElement(const xercesc::XMLElementDecl& declaration, unsigned int urlId,
                      const XMLCh* prefix, const xercesc::RefVectorOf<xercesc::XMLAttr>& attributes,
                      XMLSize_t attributeCount, bool isEmpty, bool isRoot) override;
    void endElement(const xercesc::XMLElementDecl& declaration, unsigned int urlId, bool isRoot,
                    const XMLCh* prefix) override;
    void docComment(const XMLCh* comment) override;
    void docPI(const XMLCh* target, const XMLCh* data) override;
    void entityDecl(const xercesc::DTDEntityDecl& entity, bool isPEDecl, bool isIgnored) override;
    void startEntityReference(const xercesc::XMLEntityDecl& entity) override;
    void endEntityReference(const xercesc::XMLEntityDecl& entity) override;
    void endDocument() override;
    void error(unsigned int code, const XMLCh* domain, xercesc::XMLErrorReporter::ErrTypes type,
               const XMLCh* text, const XMLCh* systemId, const XMLCh* publicId, XMLFileLoc line,
               XMLFileLoc column) override;
    // Takes the parsed document, with the declaration node first when the file had one.
    xercesc::DOMDocument* takeDocument();
    const SubsetSpan& internalSubset() const { return subset; }
    // The parser's name of the encoding it read the document in.
    const text::XmlString& documentEncoding() const { return readerEncoding; }
    // Where each element read stood, in document order.
    std::vector<detail::SourcePosition> takePositions() { return std::move(positions); }
    // The files that held the elements read, each named from its system identifier.
    detail::SourceFiles takeSourceFiles(
        const std::function<std::string(const text::XmlString&)>& nameOf);

  private:
    // True when the text piece is held back as possible layout.
    bool holdBack(const XMLCh* chars, XMLSize_t length, bool ignorable);
    // Turns held-back text into the node it begins after all.
    void emitHeldBack();
    // Notes the file that holds the element the parser has just made.
    void noteSourceFile(const xercesc::DOMNode* element, const XMLCh* systemId);

    LoadAccount& account;
    LocalEntityResolver resolver;
    bool sawDeclaration = false;
    text::XmlString version, encoding, standalone;
    SubsetSpan subset;
    text::XmlString heldBack;
    bool heldBackIgnorable = false;
    // For each element open: whether its spaces are data (xml:space).
    std::vector<bool> preserving;
    // True while the parser starts an empty element, which it ends before it returns.
    bool startingEmpty = false;
    text::XmlString readerEncoding;
    std::vector<detail::SourcePosition> positions;
    // The system identifiers of the files that held elements, the document's first, and the
    // elements that another than the document held, by index into them.
    std::vector<text::XmlString> fileIds;
    std::vector<std::pair<const xercesc::DOMNode*, std::size_t>> elsewhere;
    std::size_t currentFile = 0;
    bool namesDtd = false;
    bool awaitingDtd = false;
    std::optional<LeftOutDtd> dtdLeftOut;
    // Present when the problem texts are to be Japanese.
    std::unique_ptr<load::ParserMessages> japanese;
};

}  // namespace tovalin

#endif
