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
    // The encoding the loaded file was read in; empty for a document that was not loaded.
    std::string fileEncoding;
};

}  // namespace tovalin::detail

#endif
