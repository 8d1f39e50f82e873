// The load's own messages, kept as Unicode and given out in the process code page.
#ifndef TOVALIN_LOAD_LOAD_MESSAGES_HPP
#define TOVALIN_LOAD_LOAD_MESSAGES_HPP

#include <string>

#include <xercesc/util/XercesDefs.hpp>

#include "tovalin/document.hpp"

namespace tovalin::load_messages {

// The record for a path whose folder holds a refused character (load/forbidden_path.hpp).
std::string refusedPath(XMLCh forbidden);
// Replaces the parser's text for a problem without a position (a file that cannot be read).
std::string moveFileAndRetry();
// The record of a load that its limits stopped, or that ran out of memory.
std::string expandsBeyondLimit();
// What the load without a list writes for the first problem.
std::string openFailed(const XMLERROR_TYPE& problem);

}  // namespace tovalin::load_messages

#endif
