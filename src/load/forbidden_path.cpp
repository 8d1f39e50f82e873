#include "load/forbidden_path.hpp"

#include "text/code_page.hpp"

namespace tovalin::load {
namespace {

constexpr XMLCh fullWidthHyphenMinus = 0xFF0D;
constexpr XMLCh fullWidthTilde = 0xFF5E;

}  // namespace

XMLCh firstForbiddenCharacter(const XMLCh* path) {
    for (const XMLCh* unit = path; *unit != 0; ++unit) {
        if (*unit == fullWidthHyphenMinus || *unit == fullWidthTilde) return *unit;
    }
    return 0;
}

std::string characterName(XMLCh forbidden) {
    const char16_t* name = forbidden == fullWidthHyphenMinus ? u"全角「－」" : u"全角「～」";
    return text::fromXmlForMessage(reinterpret_cast<const XMLCh*>(name));
}

}  // namespace tovalin::load
