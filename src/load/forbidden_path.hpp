// The two full-width characters that a load refuses in the folder of the file: U+FF0D
// (FULLWIDTH HYPHEN-MINUS) and U+FF5E (FULLWIDTH TILDE).
#ifndef TOVALIN_LOAD_FORBIDDEN_PATH_HPP
#define TOVALIN_LOAD_FORBIDDEN_PATH_HPP

#include <string>

#include <xercesc/util/XercesDefs.hpp>

namespace tovalin::load {

// The first U+FF0D or U+FF5E of a NUL-terminated path, or 0 when it holds neither.
XMLCh firstForbiddenCharacter(const XMLCh* path);

// "全角「－」" or "全角「～」" for the character, in the process code page.
std::string characterName(XMLCh forbidden);

}  // namespace tovalin::load

#endif
