// The second half of a round trip: a file saved from a loaded tree is loaded and saved
// again, and must give that tree and those bytes.
#ifndef TOVALIN_TESTS_SUPPORT_ROUND_TRIP_HPP
#define TOVALIN_TESTS_SUPPORT_ROUND_TRIP_HPP

#include <list>
#include <string>

#include "support/temp_folder.hpp"
#include "support/tree_dump.hpp"
#include "tovalin/document.hpp"

namespace testing_support {

// Loads the file saved from the tree, saves that in the same encoding and indentation to the
// second path and tells what changed on the way; empty when nothing did.
inline std::string changeOnReload(const xercesc::DOMNode* tree, const std::string& saved,
                                  const std::string& second, TL_ENCODE_TYPE type,
                                  unsigned int indent = 0) {
    XcsXmlDOMDocument again;
    again.setIndent(indent);
    std::list<XMLERROR_TYPE> errors;
    if (!again.load(saved, &errors, false)) return "does not load: " + errors.front().message;
    const std::string before = dumpTree(tree);
    const std::string after = dumpTree(again.getDocument().getTarget());
    if (after != before) return "the tree " + before + "\nloads back as " + after;
    if (!again.save(second, type)) return "the reloaded tree is not saved";
    if (fileBytes(second) != fileBytes(saved)) return "the second save wrote other bytes";
    return {};
}

}  // namespace testing_support

#endif
