// The state a document object keeps beside its document: its settings and what its last
// operations found, copied with the object.
#ifndef TOVALIN_DOCUMENT_SETTINGS_HPP
#define TOVALIN_DOCUMENT_SETTINGS_HPP

#include <string>

#include "tovalin/document.hpp"

namespace tovalin::detail {

struct DocumentSettings {
    XcsLoadLimits limits;
    TL_ENTITY_SOURCE entitySource = TL_ENTITY_ANY_LOCAL_FILE;
    TL_MESSAGE_LANGUAGE messageLanguage = TL_MESSAGES_PARSER;
    TL_UNREADABLE_DTD unreadableDtd = TL_DTD_FAILS_LOAD;
    unsigned int indent = 0;
    TL_LAYOUT_TYPE layout = TL_LAYOUT_FIXED;
    // The encoding the loaded file was read in; empty for a document that was not loaded.
    std::string fileEncoding;
    // Why the last failed operation failed, in the process code page; empty after a success.
    std::string lastError;
};

// Keeps why the operation failed, or forgets the earlier failure when it succeeded; gives
// whether it succeeded. The reason is only made on failure.
template <class Reason>
bool noteOutcome(DocumentSettings& settings, bool succeeded, const Reason& reason) {
    settings.lastError = succeeded ? std::string() : reason();
    return succeeded;
}

}  // namespace tovalin::detail

#endif
