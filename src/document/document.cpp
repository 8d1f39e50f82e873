// The document object: a thin front whose members each call the subsystem that does the
// work (load, data, writer) on the parser's document it holds.
#include <memory>
#include <stdexcept>

#include "data/trim.hpp"
#include "data/whitespace.hpp"
#include "data/xml_data.hpp"
#include "document/failure_messages.hpp"
#include "document/settings.hpp"
#include "load/load.hpp"
#include "node/access.hpp"
#include "node/parser_document.hpp"
#include "node/tree.hpp"
#include "platform/platform.hpp"
#include "text/code_page.hpp"
#include "tovalin/document.hpp"
#include "writer/kept_layout.hpp"
#include "writer/prolog.hpp"
#include "writer/save.hpp"
#include "writer/tree_writer.hpp"

namespace {

using tovalin::detail::Access;
using tovalin::detail::DocumentSettings;
using tovalin::detail::noteOutcome;
using tovalin::detail::TagIndex;
using tovalin::detail::TreeRef;
namespace messages = tovalin::failure_messages;

// The parser's document the wrapper holds; throws "no document" when it holds none.
xercesc::DOMDocument* held(const XcsXmlDocument* document) {
    if (document->isNull()) throw std::runtime_error("no document");
    return static_cast<xercesc::DOMDocument*>(document->getTarget());
}

// The index of the document the wrapper holds, or null while it holds none.
TagIndex* indexOf(const XcsXmlDocument* document) {
    tovalin::detail::Tree* tree = Access::tree(*document).get();
    return tree == nullptr ? nullptr : &TagIndex::of(*tree);
}

// Lets the object's formatter member point at the formatter of the save in progress, and
// at nothing again on every way out.
class FormatterInUse {
  public:
    FormatterInUse(xercesc::XMLFormatter*& member, xercesc::XMLFormatter& used) : member(member) {
        member = &used;
    }
    ~FormatterInUse() { member = nullptr; }
    FormatterInUse(const FormatterInUse&) = delete;
    FormatterInUse& operator=(const FormatterInUse&) = delete;

  private:
    xercesc::XMLFormatter*& member;
};

}  // namespace

// The object keeps one document wrapper for its whole life, so that the reference it hands
// out stays valid; it points at the document held, and is null while there is none.
XcsXmlDOMDocument::XcsXmlDOMDocument()
    : document(new XcsXmlDocument(Access::document(nullptr, TreeRef()))),
      formatter(nullptr),
      settings(nullptr) {
    try {
        settings = new DocumentSettings();
    } catch (...) {
        delete document;
        throw;
    }
}

XcsXmlDOMDocument::XcsXmlDOMDocument(const XcsXmlDOMDocument& other)
    : path(other.path),
      encoding(other.encoding),
      document(new XcsXmlDocument(*other.document)),
      formatter(nullptr),
      settings(nullptr) {
    try {
        settings = new DocumentSettings(*other.settings);
    } catch (...) {
        delete document;
        throw;
    }
}

XcsXmlDOMDocument& XcsXmlDOMDocument::operator=(const XcsXmlDOMDocument& other) {
    if (this == &other) return *this;
    auto ownSettings = std::make_unique<DocumentSettings>(*other.settings);
    path = other.path;
    encoding = other.encoding;
    *document = *other.document;
    delete settings;
    settings = ownSettings.release();
    return *this;
}

XcsXmlDOMDocument::~XcsXmlDOMDocument() {
    delete document;
    delete settings;
}

void XcsXmlDOMDocument::initData() {
    path.clear();
    encoding.clear();
    settings->fileEncoding.clear();
    *document = Access::document(nullptr, TreeRef());
}

XcsXmlDocument& XcsXmlDOMDocument::getDocument() {
    held(document);
    return *document;
}

std::string XcsXmlDOMDocument::getPath() const { return path; }

XcsXmlDocument& XcsXmlDOMDocument::createDocument(const std::string& rootName) {
    initData();
    return install(tovalin::newDocumentWithRoot(tovalin::text::toXml(rootName).c_str()));
}

XcsXmlDocument& XcsXmlDOMDocument::install(xercesc::DOMDocument* made) {
    *document = Access::document(made, TreeRef(tovalin::detail::Tree::adopt(made)));
    return *document;
}

bool XcsXmlDOMDocument::load(const std::string& source, std::list<XMLERROR_TYPE>* errors,
                             bool validate) {
    if (errors == nullptr) return load(source, validate);
    return loadFile(source, *errors, validate, true);
}

bool XcsXmlDOMDocument::load(const std::string& source, bool validate) {
    std::list<XMLERROR_TYPE> errors;
    return loadFile(source, errors, validate, false);
}

bool XcsXmlDOMDocument::loadFile(const std::string& source, std::list<XMLERROR_TYPE>& errors,
                                 bool validate, bool listed) {
    tovalin::load::Request request;
    request.validate = validate;
    request.listed = listed;
    request.limits = settings->limits;
    request.entitySource = settings->entitySource;
    request.messageLanguage = settings->messageLanguage;
    request.unreadableDtd = settings->unreadableDtd;
    request.keepSource = settings->layout == TL_LAYOUT_KEEP;
    request.configure = [this, validate](xercesc::XercesDOMParser* parser,
                                         xercesc::ErrorHandler* handler) {
        return setParserCondition(parser, handler, validate);
    };
    const std::size_t earlier = errors.size();
    std::optional<tovalin::load::Loaded> loaded = tovalin::load::loadFile(source, errors, request);
    noteOutcome(*settings, loaded.has_value(), [&] {
        return errors.size() == earlier
                   ? messages::parserNotConfigured()
                   : std::next(errors.begin(), std::ptrdiff_t(earlier))->message;
    });
    if (!loaded) return false;
    *document = Access::document(loaded->tree.get()->document, loaded->tree);
    path = source;
    if (!listed && loaded->declared) encoding = loaded->declaredEncoding;
    settings->fileEncoding = loaded->fileEncoding;
    return true;
}

bool XcsXmlDOMDocument::setParserCondition(xercesc::XercesDOMParser* parser,
                                           xercesc::ErrorHandler* handler, bool validate) {
    return tovalin::load::configureParser(parser, handler, validate);
}

bool XcsXmlDOMDocument::preBuilder(std::string source, std::string& workingCopy) {
    return tovalin::load::makeWorkingCopy(source, workingCopy);
}

bool XcsXmlDOMDocument::save(const std::string& target, TL_ENCODE_TYPE type) {
    const char* named = tovalin::writer::declaredEncoding(type);
    if (document->isNull()) return noteOutcome(*settings, false, messages::noDocument);
    if (named == nullptr) return noteOutcome(*settings, false, messages::unknownEncoding);
    const std::string earlier = encoding;
    encoding = named;
    std::string why;
    const auto* tree = static_cast<const xercesc::DOMDocument*>(document->getTarget());
    const bool kept = settings->layout == TL_LAYOUT_KEEP && tovalin::writer::canKeepLayout(tree);
    const bool saved = tovalin::writer::saveFile(
        target, type, kept && tovalin::writer::keepsLineEnds(tree, encoding),
        [this, kept, tree](xercesc::XMLFormatter& made, xercesc::XMLFormatTarget& file) {
            if (kept) return tovalin::writer::writeKeptLayout(made, file, tree, encoding);
            const FormatterInUse inUse(formatter, made);
            saveDOMTree(*document);
        },
        why);
    if (!saved) encoding = earlier;
    return noteOutcome(*settings, saved, [&] { return why; });
}

bool XcsXmlDOMDocument::saveDOMTree(XcsXmlNode& node) {
    const xercesc::DOMNode* target = node;
    if (formatter == nullptr || target == nullptr) return false;
    return tovalin::writer::writeTree(*formatter, target, encoding, settings->indent);
}

XcsXmlDocument& XcsXmlDOMDocument::bind(const XcsXmlDocument& other) {
    const auto* source = static_cast<const xercesc::DOMDocument*>(other.getTarget());
    const xercesc::DOMElement* root = source == nullptr ? nullptr : source->getDocumentElement();
    noteOutcome(*settings, root != nullptr, messages::nothingToBind);
    if (source == nullptr) throw std::invalid_argument("null node");
    if (root == nullptr) throw std::invalid_argument("no document element");
    // The copy is made before the current document goes, since the other may be that one.
    xercesc::DOMDocument* made = tovalin::newDocumentWithCopyOf(root);
    initData();
    return install(made);
}

bool XcsXmlDOMDocument::setXMLDecl(TL_ENCODE_TYPE type) const {
    return noteOutcome(*settings, tovalin::writer::setDeclaration(held(document), type),
                       messages::noNodeForDeclaration);
}

bool XcsXmlDOMDocument::setXSL(const std::string& href) const {
    return noteOutcome(*settings, tovalin::writer::addStylesheet(held(document), href),
                       messages::unwritableStylesheetAddress);
}

bool XcsXmlDOMDocument::setSchema(const std::string& dtdPath, TL_SCHEMA_TYPE /*type*/) const {
    return noteOutcome(*settings, tovalin::writer::setDtdReference(held(document), dtdPath),
                       messages::unwritableDtdLocation);
}

std::string XcsXmlDOMDocument::getXmlData(const std::string& tagName) {
    TagIndex* elements = indexOf(document);
    return elements == nullptr ? std::string() : tovalin::data::readValue(*elements, tagName);
}

std::string XcsXmlDOMDocument::getXmlData(const std::string& tagName,
                                          std::list<std::string>& values) {
    TagIndex* elements = indexOf(document);
    return elements == nullptr ? std::string()
                               : tovalin::data::readValues(*elements, tagName, values);
}

bool XcsXmlDOMDocument::setXmlData(const std::string& tagName, const std::string& value,
                                   bool overwrite) {
    TagIndex* elements = indexOf(document);
    if (elements == nullptr) return noteOutcome(*settings, false, messages::noDocument);
    return noteOutcome(*settings, tovalin::data::writeValue(*elements, tagName, value, overwrite),
                       [&] { return messages::noElementNamed(tagName); });
}

bool XcsXmlDOMDocument::setXmlData(const std::string& tagName, std::list<std::string>& values) {
    TagIndex* elements = indexOf(document);
    if (elements == nullptr) return noteOutcome(*settings, false, messages::noDocument);
    return noteOutcome(*settings, tovalin::data::replaceValues(*elements, tagName, values),
                       [&] { return messages::noElementNamed(tagName); });
}

XcsXmlNode XcsXmlDOMDocument::removeWhiteSpace(XcsXmlNode& node) {
    tovalin::removeBlankText(held(document));
    return node;
}

bool XcsXmlDOMDocument::isHidden(const std::string& file) {
    return tovalin::platform::isHiddenFile(file);
}

bool XcsXmlDOMDocument::setHidden(const std::string& file, bool hidden) {
    return tovalin::platform::setHiddenFile(file, hidden);
}

bool XcsXmlDOMDocument::getWindowsTempPath(std::string& folder) {
    folder = tovalin::platform::temporaryFolder();
    return true;
}

bool XcsXmlDOMDocument::deleteString(std::string& text) {
    text = tovalin::trimRight(tovalin::trimLeft(text));
    return true;
}

void XcsXmlDOMDocument::setLoadLimits(const XcsLoadLimits& limits) { settings->limits = limits; }

XcsLoadLimits XcsXmlDOMDocument::getLoadLimits() const { return settings->limits; }

bool XcsXmlDOMDocument::setEntitySource(TL_ENTITY_SOURCE source) {
    if (source != TL_ENTITY_ANY_LOCAL_FILE && source != TL_ENTITY_DOCUMENT_FOLDER) return false;
    settings->entitySource = source;
    return true;
}

TL_ENTITY_SOURCE XcsXmlDOMDocument::getEntitySource() const { return settings->entitySource; }

std::string XcsXmlDOMDocument::getFileEncoding() const { return settings->fileEncoding; }

std::string XcsXmlDOMDocument::getLastError() const { return settings->lastError; }

bool XcsXmlDOMDocument::setIndent(unsigned int spaces) {
    if (spaces > 16) return false;
    settings->indent = spaces;
    return true;
}

unsigned int XcsXmlDOMDocument::getIndent() const { return settings->indent; }

bool XcsXmlDOMDocument::setLayout(TL_LAYOUT_TYPE layout) {
    if (layout != TL_LAYOUT_FIXED && layout != TL_LAYOUT_KEEP) return false;
    settings->layout = layout;
    return true;
}

TL_LAYOUT_TYPE XcsXmlDOMDocument::getLayout() const { return settings->layout; }

bool XcsXmlDOMDocument::setMessageLanguage(TL_MESSAGE_LANGUAGE language) {
    if (language != TL_MESSAGES_PARSER && language != TL_MESSAGES_JAPANESE) return false;
    settings->messageLanguage = language;
    return true;
}

TL_MESSAGE_LANGUAGE XcsXmlDOMDocument::getMessageLanguage() const {
    return settings->messageLanguage;
}

bool XcsXmlDOMDocument::setUnreadableDtd(TL_UNREADABLE_DTD handling) {
    if (handling != TL_DTD_FAILS_LOAD && handling != TL_DTD_WARNS) return false;
    settings->unreadableDtd = handling;
    return true;
}

TL_UNREADABLE_DTD XcsXmlDOMDocument::getUnreadableDtd() const { return settings->unreadableDtd; }
