// Realistic documents for the benchmarks, written at run time into a scratch folder that
// goes when the process ends: Japanese order records (wave dashes, full-width minus signs,
// circled digits, half-width katakana), indented, with attributes, comments and a DTD
// beside the file, in Shift_JIS, UTF-8 and UTF-16.
#ifndef TOVALIN_BENCH_SAMPLE_FILES_HPP
#define TOVALIN_BENCH_SAMPLE_FILES_HPP

#include <cstddef>
#include <string>

namespace bench {

enum class Encoding { shiftJis, utf8, utf16 };

// Records whose tag names "f0" to "f9999" are different in the first 10,000 records.
constexpr int distinctTagNames = 10000;

// The path of a sample of about the given size in the encoding, made on first use.
const std::string& sampleFile(std::size_t megabytes, Encoding encoding);

// A path in the scratch folder for a benchmark's own output.
std::string scratchPath(const std::string& name);

}  // namespace bench

#endif
