#include "load/kept_source.hpp"

#include <xercesc/dom/DOMDocument.hpp>
#include <xercesc/framework/XMLAttDefList.hpp>
#include <xercesc/util/XMLString.hpp>
#include <xercesc/validators/DTD/DTDGrammar.hpp>

#include "load/internal_subset.hpp"
#include "platform/platform.hpp"

namespace tovalin::load {
namespace {

using text::XmlString;

void readEntities(const xercesc::DTDGrammar& grammar, detail::SourceFile& file) {
    auto entities = grammar.getEntityEnumerator();
    while (entities.hasMoreElements()) {
        const xercesc::DTDEntityDecl& entity = entities.nextElement();
        if (!entity.isExternal() && entity.getValue() != nullptr) {
            file.entityValues[entity.getName()] = entity.getValue();
        }
    }
}

void readAttributeTypes(const xercesc::DTDGrammar& grammar, detail::SourceFile& file) {
    auto elements = grammar.getElemEnumerator();
    while (elements.hasMoreElements()) {
        const xercesc::DTDElementDecl& element = elements.nextElement();
        if (!element.hasAttDefs()) continue;
        const xercesc::XMLAttDefList& attributes = element.getAttDefList();
        for (XMLSize_t i = 0; i < attributes.getAttDefCount(); ++i) {
            const xercesc::XMLAttDef& attribute = attributes.getAttDef(i);
            if (attribute.getType() == xercesc::XMLAttDef::CData) continue;
            file.tokenizedAttributes.insert(XmlString(element.getFullName()) + u" " +
                                            attribute.getFullName());
        }
    }
}

// The whole file, read from its first byte into bytes sized once to the file's size.
bool readWhole(int fd, std::string& bytes) {
    const long long size = platform::fileSize(fd);
    if (size < 0 || !platform::rewindFile(fd)) return false;
    bytes.assign(static_cast<std::size_t>(size), '\0');
    for (std::size_t filled = 0; filled < bytes.size();) {
        const long got = platform::readSome(fd, &bytes[filled], bytes.size() - filled);
        if (got <= 0) return false;
        filled += static_cast<std::size_t>(got);
    }
    return true;
}

}  // namespace

std::shared_ptr<const detail::SourceFile> keptSource(LoadParser& parser,
                                                     const xercesc::DOMDocument& document, int fd,
                                                     const std::string& encoding) {
    auto file = std::make_shared<detail::SourceFile>();
    if (!readWhole(fd, file->bytes)) return nullptr;
    file->transcoder = transcoderName(parser.documentEncoding());
    file->encoding = encoding;
    file->documentType = document.getDoctype();
    const XMLCh* version = document.getXmlVersion();
    file->comparable = !parser.getCreateEntityReferenceNodes() &&
                       (version == nullptr || XmlString(version) != u"1.1");
    const xercesc::Grammar* grammar = parser.getRootGrammar();
    if (grammar != nullptr && grammar->getGrammarType() == xercesc::Grammar::DTDGrammarType) {
        const auto& dtd = static_cast<const xercesc::DTDGrammar&>(*grammar);
        readEntities(dtd, *file);
        readAttributeTypes(dtd, *file);
    }
    return file;
}

}  // namespace tovalin::load
