// The load's own messages, kept as Unicode and given out in the process code page.
#ifndef TOVALIN_LOAD_LOAD_MESSAGES_HPP
#define TOVALIN_LOAD_LOAD_MESSAGES_HPP

#include <string>

#include <xercesc/util/XercesDefs.hpp>

#include "platform/platform.hpp"
#include "tovalin/error_reporter.hpp"

namespace tovalin::load_messages {

// The record for a path whose folder holds a refused character (load/forbidden_path.hpp).
std::string refusedPath(XMLCh forbidden);
// Replaces the parser's text for a problem without a position (a file that cannot be read).
std::string moveFileAndRetry();
// Why a file cannot be read at all; empty for a problem that moving the file cures.
std::string cannotRead(platform::FileProblem problem);
// Appended when a missing file has a backup beside it, which a save cut short may have left.
std::string earlierContentMayBeIn(const std::string& backup);
// The record that warns of a DTD the load could not read and did without.
std::string dtdLeftOut(const std::string& dtd);
// The record of a load that its limits stopped, or that ran out of memory.
std::string expandsBeyondLimit();
// What the load without a list writes for the first problem.
std::string openFailed(const XMLERROR_TYPE& problem);

}  // namespace tovalin::load_messages

#endif
