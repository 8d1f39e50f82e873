// The document side of the C++ interface over the C interface: the document object, its
// factory, and the records and codes its operations use.
#ifndef TOVALIN_OVER_C_DOCUMENT_HPP
#define TOVALIN_OVER_C_DOCUMENT_HPP

#include <cstddef>
#include <list>
#include <string>
#include <vector>

#include "tovalin/over_c/node.hpp"
#include "tovalin/settings.hpp"

inline namespace tovalin_over_c {

struct XMLERROR_TYPE {
    unsigned int lineNumber;
    unsigned int columnNumber;
    std::string message;
    std::string systemId;
};

enum TL_SCHEMA_TYPE : int { TL_SCHEMA_DTD = 0 };

class XcsXmlDOMDocument {
  public:
    XcsXmlDOMDocument() : handle(created()), document(tovalin::over_c::Access::document(nullptr)) {}
    // Copies share the document tree of the source.
    XcsXmlDOMDocument(const XcsXmlDOMDocument& other)
        : handle(copied(other.handle)), document(tovalin::over_c::Access::document(nullptr)) {
        try {
            refresh();
        } catch (...) {
            tovalin_release(handle);
            throw;
        }
    }
    XcsXmlDOMDocument& operator=(const XcsXmlDOMDocument& other) {
        if (this == &other) return *this;
        tovalin_document* copy = copied(other.handle);
        tovalin_release(handle);
        handle = copy;
        refresh();
        return *this;
    }

    virtual ~XcsXmlDOMDocument() { tovalin_release(handle); }
    virtual bool load(const std::string& path, std::list<XMLERROR_TYPE>* errors, bool validate) {
        if (!tovalin::over_c::holdsNul(path)) return loadFile(path, errors, validate);
        // Such a path names no file, as the empty one, which the C interface can take; the
        // records name the path as given.
        const std::size_t earlier = errors == nullptr ? 0 : errors->size();
        const bool loaded = loadFile(std::string(), errors, validate);
        if (errors != nullptr) {
            auto record = errors->begin();
            for (std::advance(record, earlier); record != errors->end(); ++record) {
                record->systemId = path;
            }
        }
        return loaded;
    }
    virtual bool load(const std::string& path, bool validate) {
        return load(path, nullptr, validate);
    }
    virtual bool save(const std::string& path, TL_ENCODE_TYPE type) {
        if (tovalin::over_c::holdsNul(path)) return false;
        return tovalin::over_c::succeeded(tovalin_document_save(handle, path.c_str(), type));
    }
    virtual XcsXmlDocument& bind(const XcsXmlDocument& other) {
        const tovalin_status status =
            tovalin_document_bind(handle, tovalin::over_c::Access::handle(other), nullptr);
        refresh();
        tovalin::over_c::check(status);
        return document;
    }
    virtual bool setXMLDecl(TL_ENCODE_TYPE type) const {
        return tovalin::over_c::succeeded(tovalin_document_set_xml_decl(handle, type));
    }
    virtual bool setXSL(const std::string& href) const {
        if (refusedForNul(href)) return false;
        return tovalin::over_c::succeeded(tovalin_document_set_xsl(handle, href.c_str()));
    }
    virtual bool setSchema(const std::string& dtdPath, TL_SCHEMA_TYPE type) const {
        if (refusedForNul(dtdPath)) return false;
        return tovalin::over_c::succeeded(
            tovalin_document_set_schema(handle, dtdPath.c_str(), type));
    }

    // The document held; the reference lasts as long as the object and always shows the
    // document it holds.
    XcsXmlDocument& getDocument() {
        if (document.isNull()) throw std::runtime_error("no document");
        return document;
    }
    std::string getPath() const {
        return tovalin::over_c::text(
            [&](char** path) { return tovalin_document_get_path(handle, path); });
    }
    XcsXmlDocument& createDocument(const std::string& rootName) {
        const tovalin_status status =
            tovalin_document_create_document(handle, rootName.c_str(), nullptr);
        refresh();
        tovalin::over_c::check(status);
        return document;
    }
    std::string getXmlData(const std::string& tagName) {
        return tovalin::over_c::text([&](char** value) {
            return tovalin_document_get_xml_data(handle, tagName.c_str(), value);
        });
    }
    std::string getXmlData(const std::string& tagName, std::list<std::string>& values) {
        tovalin_text_list* found = nullptr;
        const std::string first = tovalin::over_c::text([&](char** value) {
            return tovalin_document_get_xml_data_list(handle, tagName.c_str(), value, &found);
        });
        const tovalin::over_c::Given<tovalin_text_list> held(found);
        values.insert(values.end(), found->items, found->items + found->count);
        return first;
    }
    bool setXmlData(const std::string& tagName, const std::string& value, bool overwrite) {
        return tovalin::over_c::succeeded(tovalin_document_set_xml_data(
            handle, tagName.c_str(), value.c_str(), overwrite ? 1 : 0));
    }
    bool setXmlData(const std::string& tagName, std::list<std::string>& values) {
        std::vector<const char*> texts;
        for (const std::string& value : values) texts.push_back(value.c_str());
        return tovalin::over_c::succeeded(tovalin_document_set_xml_data_list(
            handle, tagName.c_str(), texts.data(), texts.size()));
    }
    XcsXmlNode removeWhiteSpace(XcsXmlNode& node) {
        tovalin::over_c::check(tovalin_document_remove_white_space(handle));
        return node;
    }

    void setLoadLimits(const XcsLoadLimits& limits) {
        const tovalin_load_limits given{limits.expansionPerByte, limits.expansionFloor,
                                        limits.memoryPerByte, limits.memoryFloor};
        tovalin::over_c::check(tovalin_document_set_load_limits(handle, &given));
    }
    XcsLoadLimits getLoadLimits() const {
        tovalin_load_limits held{};
        tovalin::over_c::check(tovalin_document_get_load_limits(handle, &held));
        XcsLoadLimits limits;
        limits.expansionPerByte = held.expansion_per_byte;
        limits.expansionFloor = held.expansion_floor;
        limits.memoryPerByte = held.memory_per_byte;
        limits.memoryFloor = held.memory_floor;
        return limits;
    }
    bool setEntitySource(TL_ENTITY_SOURCE source) {
        return tovalin::over_c::succeeded(tovalin_document_set_entity_source(handle, source));
    }
    TL_ENTITY_SOURCE getEntitySource() const {
        int source = 0;
        tovalin::over_c::check(tovalin_document_get_entity_source(handle, &source));
        return static_cast<TL_ENTITY_SOURCE>(source);
    }
    bool setMessageLanguage(TL_MESSAGE_LANGUAGE language) {
        return tovalin::over_c::succeeded(tovalin_document_set_message_language(handle, language));
    }
    TL_MESSAGE_LANGUAGE getMessageLanguage() const {
        int language = 0;
        tovalin::over_c::check(tovalin_document_get_message_language(handle, &language));
        return static_cast<TL_MESSAGE_LANGUAGE>(language);
    }
    bool setUnreadableDtd(TL_UNREADABLE_DTD handling) {
        return tovalin::over_c::succeeded(tovalin_document_set_unreadable_dtd(handle, handling));
    }
    TL_UNREADABLE_DTD getUnreadableDtd() const {
        int handling = 0;
        tovalin::over_c::check(tovalin_document_get_unreadable_dtd(handle, &handling));
        return static_cast<TL_UNREADABLE_DTD>(handling);
    }
    std::string getFileEncoding() const {
        return tovalin::over_c::text(
            [&](char** encoding) { return tovalin_document_get_file_encoding(handle, encoding); });
    }
    bool setIndent(unsigned int spaces) {
        return tovalin::over_c::succeeded(tovalin_document_set_indent(handle, spaces));
    }
    unsigned int getIndent() const {
        unsigned int spaces = 0;
        tovalin::over_c::check(tovalin_document_get_indent(handle, &spaces));
        return spaces;
    }
    bool setLayout(TL_LAYOUT_TYPE layout) {
        return tovalin::over_c::succeeded(tovalin_document_set_layout(handle, layout));
    }
    TL_LAYOUT_TYPE getLayout() const {
        int layout = 0;
        tovalin::over_c::check(tovalin_document_get_layout(handle, &layout));
        return static_cast<TL_LAYOUT_TYPE>(layout);
    }
    std::string getLastError() const {
        return tovalin::over_c::text(
            [&](char** message) { return tovalin_document_get_last_error(handle, message); });
    }

  private:
    // A text with a NUL cannot cross as a C string; the prolog edits refuse it as the library
    // does, after the check for a document.
    bool refusedForNul(const std::string& text) const {
        if (!tovalin::over_c::holdsNul(text)) return false;
        if (document.isNull()) throw std::runtime_error("no document");
        return true;
    }
    static tovalin_document* created() {
        tovalin_document* made = nullptr;
        tovalin::over_c::check(tovalin_document_create(&made));
        return made;
    }
    static tovalin_document* copied(tovalin_document* source) {
        tovalin_document* copy = nullptr;
        tovalin::over_c::check(tovalin_document_copy(source, &copy));
        return copy;
    }
    // The document the object holds now, in the wrapper that getDocument hands out.
    void refresh() {
        tovalin_node* held = nullptr;
        const tovalin_status status = tovalin_document_get_document(handle, &held);
        if (status != TOVALIN_E_NO_DOCUMENT) tovalin::over_c::check(status);
        document = tovalin::over_c::Access::document(held);
    }
    bool loadFile(const std::string& path, std::list<XMLERROR_TYPE>* errors, bool validate) {
        tovalin_problem_list* problems = nullptr;
        const tovalin_status status = tovalin_document_load(
            handle, path.c_str(), validate ? 1 : 0, errors == nullptr ? nullptr : &problems);
        const tovalin::over_c::Given<tovalin_problem_list> held(problems);
        for (std::size_t i = 0; problems != nullptr && i < problems->count; ++i) {
            const tovalin_problem& problem = problems->items[i];
            errors->push_back({problem.line, problem.column, problem.message, problem.system_id});
        }
        refresh();
        return tovalin::over_c::succeeded(status);
    }

    tovalin_document* handle;
    XcsXmlDocument document;
};

// The document interface that the factory hands out: an XcsXmlDOMDocument and nothing more.
template <class Document, class Node, class DocumentNode>
class XmlDOMDocument : public Document {};

class XmlDocumentFactory {
  public:
    XmlDocumentFactory(const XmlDocumentFactory&) = default;
    XmlDocumentFactory& operator=(const XmlDocumentFactory&) = default;
    virtual ~XmlDocumentFactory() = default;

    // A new, empty document object owned by the caller, or null when none could be made.
    static XmlDOMDocument<XcsXmlDOMDocument, XcsXmlNode, XcsXmlDocument>* createDocument() {
        try {
            return new XmlDOMDocument<XcsXmlDOMDocument, XcsXmlNode, XcsXmlDocument>();
        } catch (...) {
            return nullptr;
        }
    }

  protected:
    XmlDocumentFactory() = default;
};

// The names of the two characters a load refuses in a folder name, as NUL-terminated
// Shift_JIS: "全角「－」" and "全角「～」".
inline constexpr char fullWidthHyphenMinusName[11] = "\x91\x53\x8A\x70\x81\x75\x81\x7C\x81\x76";
inline constexpr char fullWidthTildeName[11] = "\x91\x53\x8A\x70\x81\x75\x81\x60\x81\x76";

// Does nothing, as in the library.
inline void runtest() {}

}  // namespace tovalin_over_c

#endif
