// Shift_JIS exactly as Windows code page 932 has it, for the parser's files and for the
// process code page alike.
#ifndef TOVALIN_TEXT_WINDOWS_31J_HPP
#define TOVALIN_TEXT_WINDOWS_31J_HPP

namespace tovalin::text {

// Makes the parser's transcoding service give every name of Shift_JIS and Windows-31J the
// transcoder of code page 932. Called once, after the parser platform has started and before
// any parse or conversion.
void registerWindows31J();

}  // namespace tovalin::text

#endif
