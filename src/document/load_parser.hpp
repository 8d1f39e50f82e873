// The parser of one load: it records the file's XML declaration, reads the file and its
// external entities from local files only, and bounds entity expansion.
#ifndef TOVALIN_DOCUMENT_LOAD_PARSER_HPP
#define TOVALIN_DOCUMENT_LOAD_PARSER_HPP

#include <string>

#include <xercesc/parsers/XercesDOMParser.hpp>
#include <xercesc/sax/InputSource.hpp>
#include <xercesc/util/SecurityManager.hpp>
#include <xercesc/util/XMLEntityResolver.hpp>

#include "document/internal_subset.hpp"
#include "text/code_page.hpp"

namespace tovalin {

// A file read by its narrow path, named to the parser by its UTF-16 path. A source with an
// empty path opens nothing, so the parser reports the entity as unreadable.
class LocalFileSource : public xercesc::InputSource {
  public:
    LocalFileSource(std::string narrowPath, const text::XmlString& systemId);
    xercesc::BinInputStream* makeStream() const override;

  private:
    std::string narrowPath;
};

// Resolves DTDs and external entities to local files, relative to the entity that names
// them; any other scheme than file gets a source that opens nothing.
class LocalEntityResolver : public xercesc::XMLEntityResolver {
  public:
    xercesc::InputSource* resolveEntity(xercesc::XMLResourceIdentifier* resource) override;
};

class LoadParser : public xercesc::XercesDOMParser {
  public:
    LoadParser();
    // Applies the limits that no configuration of a load may lift.
    void secure();

    void XMLDecl(const XMLCh* version, const XMLCh* encoding, const XMLCh* standalone,
                 const XMLCh* actualEncoding) override;
    void startIntSubset() override;
    void endIntSubset() override;

    // Layout text between elements never becomes a node: a text that begins blank is held
    // back until it proves to hold more, and dropped when markup follows it first.
    void docCharacters(const XMLCh* chars, XMLSize_t length, bool cdataSection) override;
    void ignorableWhitespace(const XMLCh* chars, XMLSize_t length, bool cdataSection) override;
    void startElement(const xercesc::XMLElementDecl& declaration, unsigned int urlId,
                      const XMLCh* prefix, const xercesc::RefVectorOf<xercesc::XMLAttr>& attributes,
                      XMLSize_t attributeCount, bool isEmpty, bool isRoot) override;
    void endElement(const xercesc::XMLElementDecl& declaration, unsigned int urlId, bool isRoot,
                    const XMLCh* prefix) override;
    void docComment(const XMLCh* comment) override;
    void docPI(const XMLCh* target, const XMLCh* data) override;
    void startEntityReference(const xercesc::XMLEntityDecl& entity) override;
    void endEntityReference(const xercesc::XMLEntityDecl& entity) override;
    void endDocument() override;
    // Takes the parsed document, with the declaration node first when the file had one.
    xercesc::DOMDocument* takeDocument();
    const SubsetSpan& internalSubset() const { return subset; }

  private:
    // True when the text piece is held back as possible layout.
    bool holdBack(const XMLCh* chars, XMLSize_t length, bool ignorable);
    // Turns held-back text into the node it begins after all.
    void release();

    xercesc::SecurityManager limits;
    LocalEntityResolver resolver;
    bool sawDeclaration = false;
    text::XmlString version, encoding, standalone;
    SubsetSpan subset;
    text::XmlString heldBack;
    bool heldBackIgnorable = false;
};

}  // namespace tovalin

#endif
