// The parser hands its problems on as finished texts: the scanner and the validator fill
// the details (names, values, characters) into a template of their message catalogue, and
// the code that knows them is closed to a subclass. So the details are read back out of the
// text by that template, loaded from the parser's own catalogue, which keeps the reading
// exact whatever catalogue the parser was built with. A text that reads in more than one way
// (a value holding the template's own words) or in none (a text cut short at the parser's
// limit of 2,047 characters) keeps the parser's wording: a Japanese text never shows a
// detail that may be wrong.
#include "load/parser_messages.hpp"

#include <array>
#include <vector>

#include <xercesc/util/PlatformUtils.hpp>
#include <xercesc/util/TranscodingException.hpp>
#include <xercesc/util/XMLString.hpp>
#include <xercesc/util/XMLUni.hpp>

namespace tovalin::load {
namespace {

using text::XmlString;
using Details = std::array<XmlString, 4>;

constexpr ParserDomain domains[] = {ParserDomain::wellFormedness, ParserDomain::validity,
                                    ParserDomain::exception};

const XMLCh* nameOf(ParserDomain domain) {
    switch (domain) {
        case ParserDomain::wellFormedness:
            return xercesc::XMLUni::fgXMLErrDomain;
        case ParserDomain::validity:
            return xercesc::XMLUni::fgValidityDomain;
        case ParserDomain::exception:
            return xercesc::XMLUni::fgExceptDomain;
    }
    return nullptr;
}

std::optional<ParserDomain> domainNamed(const XMLCh* name) {
    for (const ParserDomain domain : domains) {
        if (xercesc::XMLString::equals(name, nameOf(domain))) return domain;
    }
    return std::nullopt;
}

// The number of the placeholder "{0}".."{3}" at the position, or -1: the parser copies any
// other brace as it stands.
int placeholderAt(const XmlString& text, std::size_t at) {
    if (at + 2 >= text.size() || text[at] != u'{' || text[at + 2] != u'}') return -1;
    const XMLCh digit = text[at + 1];
    return digit >= u'0' && digit <= u'3' ? digit - u'0' : -1;
}

// A template as its literal texts around its placeholders, one more literal than slots.
struct Pattern {
    std::vector<XmlString> literals{XmlString()};
    std::vector<int> slots;
};

Pattern patternOf(const XmlString& templateText) {
    Pattern pattern;
    for (std::size_t i = 0; i < templateText.size(); ++i) {
        const int slot = placeholderAt(templateText, i);
        if (slot < 0) {
            pattern.literals.back() += templateText[i];
            continue;
        }
        pattern.slots.push_back(slot);
        pattern.literals.emplace_back();
        i += 2;
    }
    return pattern;
}

// Counts, up to two, the ways the text from `at` on reads as the pattern from its slot k
// on, and keeps the details of the first way.
int readings(const Pattern& pattern, const XmlString& text, std::size_t at, std::size_t k,
             Details& details) {
    if (k == pattern.slots.size()) return at == text.size() ? 1 : 0;
    const XmlString& next = pattern.literals[k + 1];
    if (k + 1 == pattern.slots.size()) {
        // The last detail runs up to the literal that ends the text.
        if (text.size() < at + next.size()) return 0;
        const std::size_t end = text.size() - next.size();
        if (text.compare(end, next.size(), next) != 0) return 0;
        details[pattern.slots[k]] = text.substr(at, end - at);
        return 1;
    }
    int found = 0;
    for (std::size_t end = text.find(next, at); end != XmlString::npos && found < 2;
         end = text.find(next, end + 1)) {
        Details tried = details;
        tried[pattern.slots[k]] = text.substr(at, end - at);
        const int more = readings(pattern, text, end + next.size(), k + 1, tried);
        if (found == 0 && more > 0) details = tried;
        found += more;
    }
    return found;
}

// The details of the text, when it reads as the template in exactly one way.
std::optional<Details> detailsOf(const XmlString& templateText, const XmlString& text) {
    const Pattern pattern = patternOf(templateText);
    const XmlString& start = pattern.literals.front();
    Details details;
    if (text.compare(0, start.size(), start) != 0 ||
        readings(pattern, text, start.size(), 0, details) != 1) {
        return std::nullopt;
    }
    return details;
}

XmlString filledIn(const XmlString& templateText, const Details& details) {
    XmlString filled;
    for (std::size_t i = 0; i < templateText.size(); ++i) {
        const int slot = placeholderAt(templateText, i);
        if (slot < 0) {
            filled += templateText[i];
        } else {
            filled += details[slot];
            i += 2;
        }
    }
    return filled;
}

bool codePageHolds(const XmlString& text) {
    try {
        text::fromXml(text.c_str());
        return true;
    } catch (const xercesc::TranscodingException&) {
        return false;
    }
}

}  // namespace

std::optional<XmlString> ParserMessages::japanese(unsigned int code, const XMLCh* domainName,
                                                  const XMLCh* parserText) {
    const std::optional<ParserDomain> domain = domainNamed(domainName);
    const char16_t* found = domain ? japaneseText(*domain, code) : nullptr;
    if (found == nullptr || parserText == nullptr) return std::nullopt;
    const XmlString japaneseTemplate(reinterpret_cast<const XMLCh*>(found));
    const XmlString parserWording = parserTemplate(*domain, code);
    if (parserWording.empty() || !codePageHolds(japaneseTemplate)) return std::nullopt;
    const std::optional<Details> details = detailsOf(parserWording, parserText);
    if (!details) return std::nullopt;
    return filledIn(japaneseTemplate, *details);
}

XmlString ParserMessages::parserTemplate(ParserDomain domain, unsigned int code) {
    std::unique_ptr<xercesc::XMLMsgLoader>& loader = loaders[static_cast<int>(domain)];
    if (!loader) loader.reset(xercesc::XMLPlatformUtils::loadMsgSet(nameOf(domain)));
    // As large as the parser's own buffer.
    XMLCh loaded[2048];
    if (!loader->loadMsg(code, loaded, 2047)) return {};
    return loaded;
}

}  // namespace tovalin::load
