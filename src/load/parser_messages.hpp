// The parser's problem texts in Japanese, for the problems that have a Japanese text.
#ifndef TOVALIN_LOAD_PARSER_MESSAGES_HPP
#define TOVALIN_LOAD_PARSER_MESSAGES_HPP

#include <memory>
#include <optional>

#include <xercesc/util/XMLMsgLoader.hpp>

#include "load/japanese_texts.hpp"
#include "text/code_page.hpp"

namespace tovalin::load {

// One load's translator: it reads the parser's message templates as the parser does, so it
// belongs to one parse within the parser's lifetime.
class ParserMessages {
  public:
    // The Japanese text of the parser's problem, given by its code and message domain, with
    // the details of the parser's own text filled in. Nothing when the problem has no
    // Japanese text, when the details cannot be told for certain, or when the process code
    // page cannot hold the Japanese text.
    std::optional<text::XmlString> japanese(unsigned int code, const XMLCh* domain,
                                            const XMLCh* parserText);

  private:
    // The parser's template of the problem's text, with its placeholders.
    text::XmlString parserTemplate(ParserDomain domain, unsigned int code);

    std::unique_ptr<xercesc::XMLMsgLoader> loaders[3];
};

}  // namespace tovalin::load

#endif
