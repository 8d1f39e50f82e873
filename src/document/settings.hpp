// The settings a document object keeps for its loads, copied with the object.
#ifndef TOVALIN_DOCUMENT_SETTINGS_HPP
#define TOVALIN_DOCUMENT_SETTINGS_HPP

#include "tovalin/document.hpp"

namespace tovalin::detail {

struct DocumentSettings {
    XcsLoadLimits limits;
    TL_ENTITY_SOURCE entitySource = TL_ENTITY_ANY_LOCAL_FILE;
    TL_MESSAGE_LANGUAGE messageLanguage = TL_MESSAGES_PARSER;
};

// The settings of an object, or the defaults for one that has none of its own.
inline const DocumentSettings& settingsOr(const DocumentSettings* own) {
    static const DocumentSettings defaults;
    return own != nullptr ? *own : defaults;
}

}  // namespace tovalin::detail

#endif
