// Japanese texts of the parser's commonest problems: the mistakes of files edited by hand
// (tags, attributes, references, characters, declarations), the validity problems a DTD
// finds, and the files a load cannot open or decode.
#ifndef TOVALIN_LOAD_JAPANESE_TEXTS_HPP
#define TOVALIN_LOAD_JAPANESE_TEXTS_HPP

namespace tovalin::load {

// The parser's message domains that have Japanese texts.
enum class ParserDomain { wellFormedness, validity, exception };

// The text of the parser's problem, with the placeholders {0}..{3} of the parser's own text
// for the same details; null for a problem that has none.
const char16_t* japaneseText(ParserDomain domain, unsigned int code);

}  // namespace tovalin::load

#endif
