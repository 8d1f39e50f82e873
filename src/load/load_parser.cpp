#include "load/load_parser.hpp"

#include <algorithm>
#include <optional>

#include <xercesc/internal/ReaderMgr.hpp>
#include <xercesc/internal/XMLScanner.hpp>
#include <xercesc/sax/Locator.hpp>

#include <xercesc/dom/DOMDocument.hpp>
#include <xercesc/util/BinInputStream.hpp>
#include <xercesc/util/BinMemInputStream.hpp>
#include <xercesc/util/PlatformUtils.hpp>
#include <xercesc/util/TranscodingException.hpp>
#include <xercesc/util/XMLString.hpp>

#include "node/declaration.hpp"
#include "node/layout_text.hpp"
#include "node/parser_document.hpp"
#include "platform/platform.hpp"

namespace tovalin {
namespace {

using text::XmlString;

// An open file whose bytes are counted in the load's account as they are read.
class CountedFileStream : public xercesc::BinInputStream {
  public:
    // Reads the open file, and closes it at the end when it is given as owned.
    CountedFileStream(int fd, platform::Descriptor owned, LoadAccount& account, bool again)
        : fd(fd), owned(std::move(owned)), account(account), again(again) {}

    XMLFilePos curPos() const override { return position; }
    XMLSize_t readBytes(XMLByte* toFill, XMLSize_t maxToRead) override {
        const long read = platform::readSome(fd, reinterpret_cast<char*>(toFill), maxToRead);
        if (read < 0)
            ThrowXML(xercesc::XMLPlatformUtilsException,
                     xercesc::XMLExcepts::File_CouldNotReadFromFile);
        position += static_cast<XMLFilePos>(read);
        account.countRead(static_cast<std::size_t>(read), again);
        refuseUnfinishedEnd(static_cast<XMLSize_t>(read), maxToRead);
        return static_cast<XMLSize_t>(read);
    }
    const XMLCh* getContentType() const override { return nullptr; }

  private:
    // The parser's reader asks for as much room as its buffer has beside the bytes it still
    // holds, all of it the first time. When it asks again at the end of the file for the same
    // room, the bytes it holds make no character: the file ends inside one. That fails the
    // load once every character before them is read, so that the record stands where they do.
    void refuseUnfinishedEnd(XMLSize_t read, XMLSize_t room) {
        if (firstRoom == 0) firstRoom = room;
        if (read != 0) {
            roomAtEnd = 0;
            return;
        }
        if (room < firstRoom && room == roomAtEnd && !charactersLeft()) text::refuseBytes();
        roomAtEnd = room;
    }

    // Whether the reader reading this file still holds characters, when it asks for bytes.
    bool charactersLeft() const {
        const xercesc::ReaderMgr* readers = account.parseReaders();
        const xercesc::XMLReader* reader = readers ? readers->getCurrentReader() : nullptr;
        return reader != nullptr && reader->charsLeftInBuffer() != 0;
    }

    const int fd;
    const platform::Descriptor owned;
    LoadAccount& account;
    const bool again;
    XMLFilePos position = 0;
    XMLSize_t firstRoom = 0;
    XMLSize_t roomAtEnd = 0;
};

bool startsWith(const XmlString& text, const char16_t* prefix) {
    return text.compare(0, std::char_traits<char16_t>::length(prefix),
                        reinterpret_cast<const XMLCh*>(prefix)) == 0;
}

// A scheme is at least two letters before a colon; one letter is a Windows drive.
bool hasScheme(const XmlString& id) {
    const XmlString::size_type colon = id.find(u':');
    if (colon == XmlString::npos || colon < 2) return false;
    for (XmlString::size_type i = 0; i < colon; ++i) {
        const XMLCh c = id[i];
        const bool letter = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
        if (!letter && !(i > 0 && (c == u'+' || c == u'-' || c == u'.'))) return false;
    }
    return true;
}

int hexValue(XMLCh c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    return -1;
}

// "file:///a/b%20c" becomes "/a/b c", and on Windows "file:///C:/a" becomes "C:/a"; escapes
// of ASCII only, as local file URLs use them.
XmlString pathOfFileUrl(const XmlString& url) {
    XmlString path = url.substr(5);
    if (startsWith(path, u"//")) path.erase(0, 2);
    if (path.size() > 1 && path[0] == u'/' && !platform::isPathSeparator(path[1]) &&
        platform::isAbsolutePath(path.substr(1))) {
        path.erase(0, 1);
    }
    XmlString decoded;
    for (XmlString::size_type i = 0; i < path.size(); ++i) {
        const int high = path[i] == u'%' && i + 2 < path.size() ? hexValue(path[i + 1]) : -1;
        const int low = high >= 0 ? hexValue(path[i + 2]) : -1;
        if (low >= 0 && high < 8) {
            decoded += static_cast<XMLCh>(high * 16 + low);
            i += 2;
        } else {
            decoded += path[i];
        }
    }
    return decoded;
}

XmlString folderOf(const XmlString& path) {
    XmlString::size_type end = path.size();
    while (end > 0 && !platform::isPathSeparator(path[end - 1])) --end;
    return path.substr(0, end);
}

// The local path of a system identifier, or an empty string for a remote one.
XmlString localPath(const XmlString& systemId, const XmlString& base) {
    const bool fileUrl = startsWith(systemId, u"file:");
    if (!fileUrl && hasScheme(systemId)) return {};
    const XmlString path = fileUrl ? pathOfFileUrl(systemId) : systemId;
    if (platform::isAbsolutePath(path)) return path;
    const XmlString baseFolder =
        startsWith(base, u"file:") ? folderOf(pathOfFileUrl(base)) : folderOf(base);
    return platform::joinedPath(baseFolder, path);
}

// A file that reads as empty when it cannot be read and the one asked lets it.
class OptionalSource : public xercesc::InputSource {
  public:
    OptionalSource(std::unique_ptr<LocalFileSource> file,
                   std::function<bool(const XMLCh* systemId)> leaveOut)
        : file(std::move(file)), leaveOut(std::move(leaveOut)) {
        setSystemId(this->file->getSystemId());
    }
    xercesc::BinInputStream* makeStream() const override {
        if (xercesc::BinInputStream* stream = file->makeStream()) return stream;
        if (!leaveOut(getSystemId())) return nullptr;
        static const XMLByte nothing = 0;
        return new xercesc::BinMemInputStream(&nothing, 0,
                                              xercesc::BinMemInputStream::BufOpt_Reference);
    }

  private:
    const std::unique_ptr<LocalFileSource> file;
    const std::function<bool(const XMLCh* systemId)> leaveOut;
};

}  // namespace

LocalFileSource::LocalFileSource(int document, const text::XmlString& systemId,
                                 LoadAccount& loadAccount)
    : opened(document), account(loadAccount) {
    setSystemId(systemId.c_str());
}

LocalFileSource::LocalFileSource(std::string path, const text::XmlString& systemId,
                                 LoadAccount& loadAccount, std::string folder)
    : narrowPath(std::move(path)), onlyFolder(std::move(folder)), account(loadAccount) {
    setSystemId(systemId.c_str());
}

xercesc::BinInputStream* LocalFileSource::makeStream() const {
    platform::Descriptor owned;
    if (opened < 0) {
        if (narrowPath.empty()) return nullptr;
        platform::FileProblem problem;
        owned = platform::Descriptor(platform::openToRead(narrowPath, problem));
        // The folder is judged by the file opened, so no link swapped in meanwhile escapes it.
        if (!owned.isOpen() || (!onlyFolder.empty() &&
                                !platform::isWithinFolder(owned.get(), narrowPath, onlyFolder))) {
            return nullptr;
        }
    } else if (!platform::rewindFile(opened)) {
        return nullptr;
    }
    const int fd = opened < 0 ? owned.get() : opened;
    const std::string identity = platform::identityOf(fd);
    if (identity.empty()) return nullptr;
    return new CountedFileStream(fd, std::move(owned), account, !account.firstRead(identity));
}

LocalEntityResolver::LocalEntityResolver(LoadAccount& loadAccount, std::string folder)
    : account(loadAccount), onlyFolder(std::move(folder)) {}

xercesc::InputSource* LocalEntityResolver::resolveEntity(xercesc::XMLResourceIdentifier* resource) {
    LocalFileSource* source = localSource(resource);
    if (!leaveOutDtd) return source;
    return new OptionalSource(std::unique_ptr<LocalFileSource>(source), leaveOutDtd);
}

void LocalEntityResolver::leaveOutUnreadableDtd(std::function<bool(const XMLCh*)> leaveOut) {
    leaveOutDtd = std::move(leaveOut);
}

LocalFileSource* LocalEntityResolver::localSource(xercesc::XMLResourceIdentifier* resource) {
    const XmlString systemId = text::orEmpty(resource->getSystemId());
    const XmlString path = localPath(systemId, text::orEmpty(resource->getBaseURI()));
    if (path.empty()) return new LocalFileSource(std::string(), systemId, account, onlyFolder);
    try {
        return new LocalFileSource(text::fromXml(path.c_str()), path, account, onlyFolder);
    } catch (const xercesc::TranscodingException&) {
        // A path the process code page cannot hold exactly would name some other file.
        return new LocalFileSource(std::string(), path, account, onlyFolder);
    }
}

LoadParser::LoadParser(LoadAccount& loadAccount, std::string onlyFolder)
    : XercesDOMParser(nullptr, &loadAccount),
      account(loadAccount),
      resolver(loadAccount, std::move(onlyFolder)) {}

void LoadParser::secure() {
    setXMLEntityResolver(&resolver);
    setDisableDefaultEntityResolution(true);
}

// Between the end of the internal subset, or of a document type without one, and the start
// of the external subset the only file the parser opens is the DTD.
void LoadParser::leaveOutUnreadableDtd() {
    resolver.leaveOutUnreadableDtd([this](const XMLCh* systemId) {
        if (!awaitingDtd) return false;
        const xercesc::Locator& at = position();
        dtdLeftOut =
            LeftOutDtd{static_cast<unsigned int>(at.getLineNumber()),
                       static_cast<unsigned int>(at.getColumnNumber()), text::orEmpty(systemId)};
        return true;
    });
}

void LoadParser::doctypeDecl(const xercesc::DTDElementDecl& root, const XMLCh* publicId,
                             const XMLCh* systemId, bool hasIntSubset, bool hasExtSubset) {
    XercesDOMParser::doctypeDecl(root, publicId, systemId, hasIntSubset, hasExtSubset);
    namesDtd = hasExtSubset;
    awaitingDtd = hasExtSubset && !hasIntSubset;
}

void LoadParser::startExtSubset() {
    awaitingDtd = false;
    XercesDOMParser::startExtSubset();
}

void LoadParser::parseCounted(const LocalFileSource& input) {
    struct Counting {
        LoadAccount& account;
        ~Counting() { account.endParse(); }
    } counting{account};
    account.startParse(*getScanner()->getReaderMgr());
    parse(input);
}

void LoadParser::startDocument() {
    XercesDOMParser::startDocument();
    xercesc::DOMDocumentImpl* made = fDocument;
    fDocument = newEmptyDocument(getMemoryManager());
    fDocument->setErrorChecking(made->getErrorChecking());
    fDocument->setDocumentURI(made->getDocumentURI());
    fDocument->setInputEncoding(made->getInputEncoding());
    fCurrentParent = fDocument;
    fCurrentNode = fDocument;
    made->release();
}

void LoadParser::XMLDecl(const XMLCh* versionText, const XMLCh* encodingText,
                         const XMLCh* standaloneText, const XMLCh* actualEncoding) {
    XercesDOMParser::XMLDecl(versionText, encodingText, standaloneText, actualEncoding);
    sawDeclaration = true;
    version = text::orEmpty(versionText);
    encoding = text::orEmpty(encodingText);
    standalone = text::orEmpty(standaloneText);
}

void LoadParser::startIntSubset() {
    XercesDOMParser::startIntSubset();
    const xercesc::Locator* at = getScanner()->getLocator();
    subset.startLine = at->getLineNumber();
    subset.startColumn = at->getColumnNumber();
    subset.encoding = text::orEmpty(getScanner()->getReaderMgr()->getCurrentEncodingStr());
}

void LoadParser::endIntSubset() {
    const xercesc::Locator* at = getScanner()->getLocator();
    subset.endLine = at->getLineNumber();
    subset.endColumn = at->getColumnNumber();
    subset.seen = true;
    awaitingDtd = namesDtd;
    XercesDOMParser::endIntSubset();
}

// With the DTD left out, the document declares every entity it may use itself: the parser
// takes a reference to any other as the error it is in a document without a DTD, where
// otherwise it would drop it without a word.
void LoadParser::endExtSubset() {
    XercesDOMParser::endExtSubset();
    if (dtdLeftOut) fScanner->setHasNoDTD(true);
}

bool LoadParser::holdBack(const XMLCh* chars, XMLSize_t length, bool ignorable) {
    const bool continuing = !heldBack.empty();
    // Text that joins an existing node, and text inside an entity reference node, is left
    // as the parser builds it: only a whole text node can be layout.
    if (!fWithinElement || (!preserving.empty() && preserving.back()) ||
        (!continuing && fCurrentNode->getNodeType() == xercesc::DOMNode::TEXT_NODE) ||
        fCurrentParent->getNodeType() == xercesc::DOMNode::ENTITY_REFERENCE_NODE ||
        !isBlankPiece(chars, length, continuing)) {
        return false;
    }
    if (!continuing) heldBackIgnorable = ignorable;
    heldBack.append(chars, length);
    return true;
}

void LoadParser::emitHeldBack() {
    if (heldBack.empty()) return;
    const text::XmlString text = std::move(heldBack);
    heldBack.clear();
    if (heldBackIgnorable) {
        XercesDOMParser::ignorableWhitespace(text.data(), text.size(), false);
    } else {
        XercesDOMParser::docCharacters(text.data(), text.size(), false);
    }
}

void LoadParser::docCharacters(const XMLCh* chars, XMLSize_t length, bool cdataSection) {
    if (cdataSection) {
        heldBack.clear();
    } else if (holdBack(chars, length, false)) {
        return;
    }
    emitHeldBack();
    XercesDOMParser::docCharacters(chars, length, cdataSection);
}

void LoadParser::ignorableWhitespace(const XMLCh* chars, XMLSize_t length, bool cdataSection) {
    // Dropped by the parser itself when it is not to be kept, without ending a text.
    if (fIncludeIgnorableWhitespace && holdBack(chars, length, true)) return;
    if (fIncludeIgnorableWhitespace) emitHeldBack();
    XercesDOMParser::ignorableWhitespace(chars, length, cdataSection);
}

void LoadParser::startElement(const xercesc::XMLElementDecl& declaration, unsigned int urlId,
                              const XMLCh* prefix,
                              const xercesc::RefVectorOf<xercesc::XMLAttr>& attributes,
                              XMLSize_t attributeCount, bool isEmpty, bool isRoot) {
    heldBack.clear();
    // By the root element the reader has settled on the encoding the declaration names.
    if (isRoot)
        readerEncoding = text::orEmpty(getScanner()->getReaderMgr()->getCurrentEncodingStr());
    startingEmpty = isEmpty;
    XercesDOMParser::startElement(declaration, urlId, prefix, attributes, attributeCount, isEmpty,
                                  isRoot);
    startingEmpty = false;
    if (!isEmpty) {
        const bool withinPreserved = !preserving.empty() && preserving.back();
        preserving.push_back(preservesWithin(spaceRuleOf(fCurrentNode), withinPreserved));
    }
    // The parser has made the element the current node, even when it is empty and ended.
    const xercesc::Locator& at = position();
    positions.push_back({fCurrentNode, static_cast<unsigned int>(at.getLineNumber()),
                         static_cast<unsigned int>(at.getColumnNumber())});
    noteSourceFile(fCurrentNode, at.getSystemId());
}

// The root element stands in the document itself; elements from an external entity stand in
// its file, and those from an internal one where the reference does.
void LoadParser::noteSourceFile(const xercesc::DOMNode* element, const XMLCh* systemId) {
    if (fileIds.empty() || !xercesc::XMLString::equals(systemId, fileIds[currentFile].c_str())) {
        const XmlString id = text::orEmpty(systemId);
        const auto known = std::find(fileIds.begin(), fileIds.end(), id);
        currentFile = static_cast<std::size_t>(known - fileIds.begin());
        if (known == fileIds.end()) fileIds.push_back(id);
    }
    if (currentFile != 0) elsewhere.emplace_back(element, currentFile);
}

detail::SourceFiles LoadParser::takeSourceFiles(
    const std::function<std::string(const XmlString&)>& nameOf) {
    detail::SourceFiles files;
    for (const XmlString& id : fileIds) files.names.push_back(nameOf(id));
    files.elsewhere = std::move(elsewhere);
    return files;
}

void LoadParser::endElement(const xercesc::XMLElementDecl& declaration, unsigned int urlId,
                            bool isRoot, const XMLCh* prefix) {
    heldBack.clear();
    if (!startingEmpty && !preserving.empty()) preserving.pop_back();
    XercesDOMParser::endElement(declaration, urlId, isRoot, prefix);
}

void LoadParser::docComment(const XMLCh* comment) {
    heldBack.clear();
    XercesDOMParser::docComment(comment);
}

void LoadParser::docPI(const XMLCh* target, const XMLCh* data) {
    heldBack.clear();
    XercesDOMParser::docPI(target, data);
}

void LoadParser::entityDecl(const xercesc::DTDEntityDecl& entity, bool isPEDecl, bool isIgnored) {
    XercesDOMParser::entityDecl(entity, isPEDecl, isIgnored);
    account.noteEntity(entity);
}

// Without entity reference nodes the text on both sides of a reference is one node, so
// what is held back waits for the text that follows.
void LoadParser::startEntityReference(const xercesc::XMLEntityDecl& entity) {
    if (fCreateEntityReferenceNodes) heldBack.clear();
    XercesDOMParser::startEntityReference(entity);
}

void LoadParser::endEntityReference(const xercesc::XMLEntityDecl& entity) {
    if (fCreateEntityReferenceNodes) heldBack.clear();
    XercesDOMParser::endEntityReference(entity);
}

void LoadParser::endDocument() {
    heldBack.clear();
    XercesDOMParser::endDocument();
}

void LoadParser::setMessageLanguage(TL_MESSAGE_LANGUAGE language) {
    japanese.reset(language == TL_MESSAGES_JAPANESE ? new load::ParserMessages() : nullptr);
}

void LoadParser::error(unsigned int code, const XMLCh* domain,
                       xercesc::XMLErrorReporter::ErrTypes type, const XMLCh* text,
                       const XMLCh* systemId, const XMLCh* publicId, XMLFileLoc line,
                       XMLFileLoc column) {
    const std::optional<text::XmlString> translated =
        japanese ? japanese->japanese(code, domain, text) : std::nullopt;
    XercesDOMParser::error(code, domain, type, translated ? translated->c_str() : text, systemId,
                           publicId, line, column);
}

xercesc::DOMDocument* LoadParser::takeDocument() {
    xercesc::DOMDocument* document = adoptDocument();
    if (sawDeclaration) {
        declaration::insertFirst(document, version, encoding, standalone);
    }
    return document;
}

}  // namespace tovalin
