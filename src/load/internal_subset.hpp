// The internal subset of a document type as the file wrote it. The parser rebuilds the
// subset from its declarations and loses parts of it (quotation marks inside entity
// values, NOTATION lists, the "%" of parameter entities), so the text is read again from
// the file between the positions the parser reported for its two brackets.
#ifndef TOVALIN_LOAD_INTERNAL_SUBSET_HPP
#define TOVALIN_LOAD_INTERNAL_SUBSET_HPP

#include <string>

#include <xercesc/util/XercesDefs.hpp>

#include "text/code_page.hpp"

namespace tovalin {

// Where the subset lies, by line and column as the parser counts them.
struct SubsetSpan {
    bool seen = false;
    // The character right after "[" and the one right after "]".
    XMLFileLoc startLine = 0, startColumn = 0, endLine = 0, endColumn = 0;
    // The encoding the parser read the file in, as it names it.
    text::XmlString encoding;
};

// The name of the parser's transcoder for an encoding as the parser reports it.
std::string transcoderName(const text::XmlString& parserName);

// The subset's text with line ends as a parser reads them (each a line feed), read again from
// the open file the parser read; empty when it cannot be read again as it was.
text::XmlString readSubset(int fd, const SubsetSpan& span);

}  // namespace tovalin

#endif
