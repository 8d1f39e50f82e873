// A sample loaded once through the library and shared by the benchmarks of one process.
#ifndef TOVALIN_BENCH_LOADED_DOCUMENT_HPP
#define TOVALIN_BENCH_LOADED_DOCUMENT_HPP

#include <cstddef>
#include <string>

#include <xercesc/dom/DOMDocument.hpp>

#include "sample_files.hpp"
#include "tovalin/document.hpp"

namespace bench {

// The Shift_JIS sample of the size, loaded without validation; throws when it does not load.
// Each copy number is a load of its own, for benchmarks that must not share the parser's
// caches or see each other's edits. The layout is the one the load is made for.
XcsXmlDOMDocument& loadedDocument(std::size_t megabytes, int copy = 0,
                                  TL_LAYOUT_TYPE layout = TL_LAYOUT_FIXED);

// The parser's own document behind a loaded one.
xercesc::DOMDocument* parserDocument(XcsXmlDOMDocument& document);

// Narrow text in UTF-8 from the parser's UTF-16, through the parser's transcoder, as the
// library converts in the benchmarks' process code page.
std::string narrow(const XMLCh* text);
std::basic_string<XMLCh> wide(const std::string& text);

// Writes the file's content through to stable storage.
void syncFile(const std::string& path);

}  // namespace bench

#endif
