// The exported form of the load's rule on folder names (load/forbidden_path.hpp).
#include "load/forbidden_path.hpp"
#include "tovalin/document.hpp"

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
