// What a load keeps of its file for saves that keep the layout.
#ifndef TOVALIN_LOAD_KEPT_SOURCE_HPP
#define TOVALIN_LOAD_KEPT_SOURCE_HPP

#include <memory>
#include <string>

#include "load/load_parser.hpp"

#include "node/source_file.hpp"

namespace tovalin::load {

// The file's bytes and the encoding the parser read them in, with the entities and attribute
// types its grammar declares; null when the file cannot be read again.
std::shared_ptr<const detail::SourceFile> keptSource(LoadParser& parser,
                                                     const xercesc::DOMDocument& document, int fd,
                                                     const std::string& encoding);

}  // namespace tovalin::load

#endif
