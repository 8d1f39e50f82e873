// Saving a file: its earlier content stays in FILE.BAK until the new content is on stable
// storage, and comes back when the write fails; a file that cannot be written is left alone.
#ifndef TOVALIN_WRITER_SAVE_HPP
#define TOVALIN_WRITER_SAVE_HPP

#include <functional>
#include <string>

#include <xercesc/framework/XMLFormatter.hpp>

#include "tovalin/settings.hpp"

namespace tovalin::writer {

// The name the file declares for its encoding ("UTF-16", "Shift_JIS", "UTF-8"), or null for a value
// that names no encoding the library writes.
const char* declaredEncoding(TL_ENCODE_TYPE type);

// Writes the file in the encoding: writeContent gives the text to the formatter, which
// refuses every character the encoding cannot hold, or bytes already in the encoding to the
// formatter's target. False when nothing was written (the
// file cannot be written, or cannot be backed up), and when the write failed, any exception
// of writeContent included; then the earlier content is back, or for a file that did not
// exist, no file is left. On failure why says why, in the process code page: the message of
// writeContent's exception, or the system's reason the file cannot be written, and whether
// the earlier content had to stay in the backup. Shift_JIS files store each line feed as
// CR LF unless asWritten, which stores the text's line ends as they are.
bool saveFile(const std::string& target, TL_ENCODE_TYPE type, bool asWritten,
              const std::function<void(xercesc::XMLFormatter&, xercesc::XMLFormatTarget&)>& writeContent,
              std::string& why);

}  // namespace tovalin::writer

#endif
