// The library's attach and detach, one implementation per system: attach starts the parser
// platform and registers the library's transcoder for code page 932; detach stops them.
#ifndef TOVALIN_DOCUMENT_LIBRARY_ENTRY_HPP
#define TOVALIN_DOCUMENT_LIBRARY_ENTRY_HPP

namespace tovalin {

// Whether the parser platform started when the library was attached; a library whose
// parser did not start refuses work.
bool libraryStarted();

}  // namespace tovalin

#endif
