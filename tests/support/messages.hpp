// The library's own records, as a test in the Shift_JIS locale reads them.
#ifndef TOVALIN_TESTS_SUPPORT_MESSAGES_HPP
#define TOVALIN_TESTS_SUPPORT_MESSAGES_HPP

namespace testing_support {

// How the record of a load stopped by its limits, or by a lack of memory, begins: "文書を展開".
inline constexpr const char* stoppedLoad = "\x95\xB6\x8F\x91\x82\xF0\x93\x57\x8A\x4A";

}  // namespace testing_support

#endif
