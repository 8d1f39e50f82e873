// Why a save failed, kept as Unicode and given out in the process code page.
#ifndef TOVALIN_WRITER_SAVE_MESSAGES_HPP
#define TOVALIN_WRITER_SAVE_MESSAGES_HPP

#include <string>

#include "platform/platform.hpp"

namespace tovalin::writer::save_messages {

// A character the file's encoding, or XML, cannot carry, and the element it stands in.
std::string unwritableCharacter(unsigned long codePoint, const std::string& encoding,
                                const std::string& element);
// The file cannot be written, for the system's reason.
std::string cannotWrite(platform::FileProblem problem);
// The backup cannot be made at its name, for the system's reason; names the backup.
std::string backupInTheWay(const std::string& backup, platform::FileProblem problem);
// The backup's path would pass the system's limit on paths.
std::string backupPathTooLong(const std::string& backup);
// The content could not be written out or stored.
std::string writeFailed();
// Appended when the earlier content could not be put back and stays in the backup.
std::string earlierContentKeptIn(const std::string& backup);

}  // namespace tovalin::writer::save_messages

#endif
