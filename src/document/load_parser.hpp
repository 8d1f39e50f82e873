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
    // Takes the parsed document, with the declaration node first when the file had one.
    xercesc::DOMDocument* takeDocument();
    const SubsetSpan& internalSubset() const { return subset; }

  private:
    xercesc::SecurityManager limits;
    LocalEntityResolver resolver;
    bool sawDeclaration = false;
    text::XmlString version, encoding, standalone;
    SubsetSpan subset;
};

}  // namespace tovalin

#endif
