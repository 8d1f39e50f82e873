// The load's messages and the rule about the two full-width characters that a load refuses
// in a folder name. Texts are kept as Unicode and given out in the process code page.
#ifndef TOVALIN_DOCUMENT_LOAD_MESSAGES_HPP
#define TOVALIN_DOCUMENT_LOAD_MESSAGES_HPP

#include <string>

#include <xercesc/util/XercesDefs.hpp>

#include "tovalin/document.hpp"

namespace tovalin::load_messages {

// The first U+FF0D or U+FF5E of a NUL-terminated path, or 0 when it holds neither.
XMLCh firstForbiddenCharacter(const XMLCh* path);

// "全角「－」" or "全角「～」" for the character, in the process code page.
std::string characterName(XMLCh forbidden);

// The record for a refused path.
std::string refusedPath(XMLCh forbidden);
// Replaces the parser's text for a problem without a position (a file that cannot be read).
std::string moveFileAndRetry();
// The record of a load that its limits stopped, or that ran out of memory.
std::string expandsBeyondLimit();
// What the load without a list writes for the first problem.
std::string openFailed(const XMLERROR_TYPE& problem);

}  // namespace tovalin::load_messages

#endif
