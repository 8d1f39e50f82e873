#include "load/forbidden_path.hpp"

#include "text/code_page.hpp"
#include "tovalin/document.hpp"

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

const char fullWidthHyphenMinusName[11] = "\x91\x53\x8A\x70\x81\x75\x81\x7C\x81\x76";
const char fullWidthTildeName[11] = "\x91\x53\x8A\x70\x81\x75\x81\x60\x81\x76";

XmlFunction& XmlFunction::operator=(const XmlFunction&) { return *this; }

bool XmlFunction::checkPath(unsigned short* path, std::string& which) {
    static_assert(sizeof(unsigned short) == sizeof(XMLCh), "paths are UTF-16 code units");
    const XMLCh forbidden =
        tovalin::load::firstForbiddenCharacter(reinterpret_cast<const XMLCh*>(path));
    if (forbidden == 0) return true;
    which = tovalin::load::characterName(forbidden);
    return false;
}
