// Document object handles: load, save, the prolog edits, values by tag name and settings.
#include "c_interface/boundary.hpp"

void tovalin_document::keepTexts() noexcept {
    using tovalin::c_interface::kept;
    try {
        path = kept(object->getPath());
        lastError = kept(object->getLastError());
    } catch (...) {
        // Out of memory: the texts kept before stay.
    }
}

namespace {

using namespace tovalin::c_interface;

XcsXmlDOMDocument& objectOf(tovalin_document* handle) { return *live(handle).object; }

// The object of a handle, for a call that may change its path or last error: both are kept
// again when the call ends, however it ends.
class Changing {
  public:
    explicit Changing(tovalin_document* handle) : document(held(handle)) {}
    ~Changing() { document->keepTexts(); }
    Changing(const Changing&) = delete;
    Changing& operator=(const Changing&) = delete;
    XcsXmlDOMDocument* operator->() const { return document->object.get(); }
    XcsXmlDOMDocument& operator*() const { return *document->object; }

  private:
    const std::shared_ptr<tovalin_document> document;
};

// TOVALIN_OK, or TOVALIN_E_FAILED with the object's own reason, or the given one where the
// object has none.
tovalin_status outcome(const XcsXmlDOMDocument& object, bool done, const char* why) {
    if (done) return TOVALIN_OK;
    const std::string reason = object.getLastError();
    return failure(TOVALIN_E_FAILED, reason.empty() ? why : reason.c_str());
}

tovalin_status unless(bool done, const char* why) {
    return done ? TOVALIN_OK : failure(TOVALIN_E_FAILED, why);
}

tovalin_status giveOptionally(tovalin_node** out, const XcsXmlDocument& document) {
    if (out != nullptr) *out = give(document);
    return TOVALIN_OK;
}

XcsLoadLimits limitsOf(const tovalin_load_limits& given) {
    XcsLoadLimits limits;
    limits.expansionPerByte = given.expansion_per_byte;
    limits.expansionFloor = given.expansion_floor;
    limits.memoryPerByte = given.memory_per_byte;
    limits.memoryFloor = given.memory_floor;
    return limits;
}

constexpr const char* noSuchElement = "no element of the name to hold the value";

}  // namespace

tovalin_status TOVALIN_CALL tovalin_document_create(tovalin_document** object) {
    return guarded([&]() -> tovalin_status {
        tovalin_document*& out = result(object);
        std::unique_ptr<XcsXmlDOMDocument> made(XmlDocumentFactory::createDocument());
        if (!made) return failure(TOVALIN_E_FAILED, "no document object: the parser did not start");
        out = registered(std::make_unique<tovalin_document>(std::move(made)));
        return TOVALIN_OK;
    });
}

tovalin_status TOVALIN_CALL tovalin_document_copy(tovalin_document* source,
                                                  tovalin_document** copy) {
    return guarded([&] {
        tovalin_document*& out = result(copy);
        const tovalin_document& from = live(source);
        auto made =
            std::make_unique<tovalin_document>(std::make_unique<XcsXmlDOMDocument>(*from.object));
        made->path = from.path;
        made->lastError = from.lastError;
        out = registered(std::move(made));
        return TOVALIN_OK;
    });
}

tovalin_status TOVALIN_CALL tovalin_document_load(tovalin_document* object, const char* path,
                                                  int validate, tovalin_problem_list** problems) {
    return guarded([&]() -> tovalin_status {
        if (problems != nullptr) *problems = nullptr;
        const Changing loader(object);
        const std::string source = textArgument(path);
        constexpr const char* notLoaded = "the file was not loaded";
        if (problems == nullptr) {
            return outcome(*loader, loader->load(source, nullptr, validate != 0), notLoaded);
        }
        std::list<XMLERROR_TYPE> found;
        const bool loaded = loader->load(source, &found, validate != 0);
        *problems = giveProblems(found);
        return outcome(*loader, loaded, notLoaded);
    });
}

tovalin_status TOVALIN_CALL tovalin_document_save(tovalin_document* object, const char* path,
                                                  int encoding) {
    return guarded([&] {
        const Changing saver(object);
        const bool saved = saver->save(textArgument(path), static_cast<TL_ENCODE_TYPE>(encoding));
        return outcome(*saver, saved, "nothing was written, or the earlier content was put back");
    });
}

tovalin_status TOVALIN_CALL tovalin_document_bind(tovalin_document* object, tovalin_node* other,
                                                  tovalin_node** document_node) {
    return guarded([&] {
        if (document_node != nullptr) *document_node = nullptr;
        const Changing binder(object);
        return giveOptionally(document_node, binder->bind(documentNodeOf(other)));
    });
}

tovalin_status TOVALIN_CALL tovalin_document_set_xml_decl(tovalin_document* object, int encoding) {
    return guarded([&] {
        const Changing editor(object);
        return outcome(*editor, editor->setXMLDecl(static_cast<TL_ENCODE_TYPE>(encoding)),
                       "the document has no node at all");
    });
}

tovalin_status TOVALIN_CALL tovalin_document_set_xsl(tovalin_document* object, const char* href) {
    return guarded([&] {
        const Changing editor(object);
        return outcome(*editor, editor->setXSL(textArgument(href)),
                       "no stylesheet instruction could carry the address");
    });
}

tovalin_status TOVALIN_CALL tovalin_document_set_schema(tovalin_document* object,
                                                        const char* dtd_path, int schema_type) {
    return guarded([&] {
        const Changing editor(object);
        return outcome(
            *editor,
            editor->setSchema(textArgument(dtd_path), static_cast<TL_SCHEMA_TYPE>(schema_type)),
            "the location names no file");
    });
}

tovalin_status TOVALIN_CALL tovalin_document_get_document(tovalin_document* object,
                                                          tovalin_node** document_node) {
    return guarded([&] {
        tovalin_node*& out = result(document_node);
        out = give(objectOf(object).getDocument());
        return TOVALIN_OK;
    });
}

tovalin_status TOVALIN_CALL tovalin_document_get_path(tovalin_document* object, char** path) {
    return guarded([&] {
        char*& out = result(path);
        out = giveText(tovalin::text::fromXml(live(object).path.c_str()));
        return TOVALIN_OK;
    });
}

tovalin_status TOVALIN_CALL tovalin_document_create_document(tovalin_document* object,
                                                             const char* root_name,
                                                             tovalin_node** document_node) {
    return guarded([&] {
        if (document_node != nullptr) *document_node = nullptr;
        const Changing creator(object);
        return giveOptionally(document_node, creator->createDocument(textArgument(root_name)));
    });
}

tovalin_status TOVALIN_CALL tovalin_document_get_xml_data(tovalin_document* object,
                                                          const char* tag_name, char** value) {
    return guarded([&] {
        char*& out = result(value);
        out = giveText(objectOf(object).getXmlData(textArgument(tag_name)));
        return TOVALIN_OK;
    });
}

tovalin_status TOVALIN_CALL tovalin_document_get_xml_data_list(tovalin_document* object,
                                                               const char* tag_name, char** first,
                                                               tovalin_text_list** values) {
    return guarded([&] {
        char*& firstOut = result(first);
        tovalin_text_list*& valuesOut = result(values);
        std::list<std::string> found;
        const std::string firstValue = objectOf(object).getXmlData(textArgument(tag_name), found);
        std::unique_ptr<char, decltype(&tovalin_free)> given(giveText(firstValue), tovalin_free);
        valuesOut = giveTexts(found);
        firstOut = given.release();
        return TOVALIN_OK;
    });
}

tovalin_status TOVALIN_CALL tovalin_document_set_xml_data(tovalin_document* object,
                                                          const char* tag_name, const char* value,
                                                          int overwrite) {
    return guarded([&] {
        const Changing writer(object);
        const std::string tag = textArgument(tag_name);
        return outcome(*writer, writer->setXmlData(tag, textArgument(value), overwrite != 0),
                       noSuchElement);
    });
}

tovalin_status TOVALIN_CALL tovalin_document_set_xml_data_list(tovalin_document* object,
                                                               const char* tag_name,
                                                               const char* const* values,
                                                               size_t count) {
    return guarded([&] {
        const Changing writer(object);
        const std::string tag = textArgument(tag_name);
        if (values == nullptr && count != 0) {
            throw Refusal{TOVALIN_E_INVALID_ARGUMENT, "the values are null"};
        }
        std::list<std::string> texts;
        for (size_t i = 0; i < count; ++i) texts.push_back(textArgument(values[i]));
        return outcome(*writer, writer->setXmlData(tag, texts), noSuchElement);
    });
}

tovalin_status TOVALIN_CALL tovalin_document_remove_white_space(tovalin_document* object) {
    return guarded([&] {
        XcsXmlNode none;
        objectOf(object).removeWhiteSpace(none);
        return TOVALIN_OK;
    });
}

tovalin_status TOVALIN_CALL tovalin_document_set_load_limits(tovalin_document* object,
                                                             const tovalin_load_limits* limits) {
    return guarded([&] {
        XcsXmlDOMDocument& settings = objectOf(object);
        if (limits == nullptr) throw Refusal{TOVALIN_E_INVALID_ARGUMENT, "the limits are null"};
        settings.setLoadLimits(limitsOf(*limits));
        return TOVALIN_OK;
    });
}

tovalin_status TOVALIN_CALL tovalin_document_get_load_limits(tovalin_document* object,
                                                             tovalin_load_limits* limits) {
    return guarded([&] {
        tovalin_load_limits& out = result(limits);
        const XcsLoadLimits held = objectOf(object).getLoadLimits();
        out = {held.expansionPerByte, held.expansionFloor, held.memoryPerByte, held.memoryFloor};
        return TOVALIN_OK;
    });
}

tovalin_status TOVALIN_CALL tovalin_document_set_entity_source(tovalin_document* object,
                                                               int source) {
    return guarded([&] {
        return unless(objectOf(object).setEntitySource(static_cast<TL_ENTITY_SOURCE>(source)),
                      "no such entity source");
    });
}

tovalin_status TOVALIN_CALL tovalin_document_get_entity_source(tovalin_document* object,
                                                               int* source) {
    return guarded([&] {
        int& out = result(source);
        out = objectOf(object).getEntitySource();
        return TOVALIN_OK;
    });
}

tovalin_status TOVALIN_CALL tovalin_document_set_message_language(tovalin_document* object,
                                                                  int language) {
    return guarded([&] {
        return unless(
            objectOf(object).setMessageLanguage(static_cast<TL_MESSAGE_LANGUAGE>(language)),
            "no such message language");
    });
}

tovalin_status TOVALIN_CALL tovalin_document_get_message_language(tovalin_document* object,
                                                                  int* language) {
    return guarded([&] {
        int& out = result(language);
        out = objectOf(object).getMessageLanguage();
        return TOVALIN_OK;
    });
}

tovalin_status TOVALIN_CALL tovalin_document_set_unreadable_dtd(tovalin_document* object,
                                                                int handling) {
    return guarded([&] {
        return unless(objectOf(object).setUnreadableDtd(static_cast<TL_UNREADABLE_DTD>(handling)),
                      "no such handling of an unreadable DTD");
    });
}

tovalin_status TOVALIN_CALL tovalin_document_get_unreadable_dtd(tovalin_document* object,
                                                                int* handling) {
    return guarded([&] {
        int& out = result(handling);
        out = objectOf(object).getUnreadableDtd();
        return TOVALIN_OK;
    });
}

tovalin_status TOVALIN_CALL tovalin_document_get_file_encoding(tovalin_document* object,
                                                               char** encoding) {
    return guarded([&] {
        char*& out = result(encoding);
        out = giveText(objectOf(object).getFileEncoding());
        return TOVALIN_OK;
    });
}

tovalin_status TOVALIN_CALL tovalin_document_set_indent(tovalin_document* object,
                                                        unsigned int spaces) {
    return guarded(
        [&] { return unless(objectOf(object).setIndent(spaces), "more than 16 spaces a level"); });
}

tovalin_status TOVALIN_CALL tovalin_document_get_indent(tovalin_document* object,
                                                        unsigned int* spaces) {
    return guarded([&] {
        unsigned int& out = result(spaces);
        out = objectOf(object).getIndent();
        return TOVALIN_OK;
    });
}

tovalin_status TOVALIN_CALL tovalin_document_set_layout(tovalin_document* object, int layout) {
    return guarded([&] {
        return unless(objectOf(object).setLayout(static_cast<TL_LAYOUT_TYPE>(layout)),
                      "no such layout");
    });
}

tovalin_status TOVALIN_CALL tovalin_document_get_layout(tovalin_document* object, int* layout) {
    return guarded([&] {
        int& out = result(layout);
        out = objectOf(object).getLayout();
        return TOVALIN_OK;
    });
}

tovalin_status TOVALIN_CALL tovalin_document_get_last_error(tovalin_document* object,
                                                            char** message) {
    return guarded([&] {
        char*& out = result(message);
        out = giveBytes(messageToCaller(live(object).lastError));
        return TOVALIN_OK;
    });
}
