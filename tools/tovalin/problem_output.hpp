// The lines a check prints for its problems.
#ifndef TOVALIN_TOOL_PROBLEM_OUTPUT_HPP
#define TOVALIN_TOOL_PROBLEM_OUTPUT_HPP

#include <string>

#include "check_file.hpp"
#include "code_page_text.hpp"

namespace tool {

// FILE:LINE:COLUMN: MESSAGE and a line end, as compilers write them, "warning: " before the
// message of a warning; FILE: MESSAGE for a problem of no place in the file (line 0).
std::string problemLine(const Problem& problem);

// A JSON object on a line of its own with the problem's file, line, column, message and
// severity ("warning", "error" or "fatal"). Only ASCII is written, every other character escaped,
// so that editors read it alike in every code page. One object per thread.
class JsonLines {
  public:
    std::string line(const Problem& problem);

  private:
    std::string quoted(const std::string& text);
    CodePageText codePage;
};

}  // namespace tool

#endif
