// The second half of a round trip: a file saved from a loaded tree is loaded and saved
// again, and must give that tree and those bytes.
#ifndef TOVALIN_TESTS_SUPPORT_ROUND_TRIP_HPP
#define TOVALIN_TESTS_SUPPORT_ROUND_TRIP_HPP

#include <list>
#include <string>

#include <xercesc/dom/DOM.hpp>

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

// Loads the UTF-8 file in the keep layout and tells what a save changed that it must not;
// empty when nothing did. Saved unedited it must be the file; with an attribute set on the
// element the choice picks, only that element's start tag may differ, and the save, in UTF-8
// and in UTF-16, must load as the edited tree.
inline std::string keptLayoutChange(const std::string& file, const std::string& saved,
                                    unsigned int choice) {
    XcsXmlDOMDocument kept;
    kept.setLayout(TL_LAYOUT_KEEP);
    std::list<XMLERROR_TYPE> errors;
    if (!kept.load(file, &errors, false)) return "does not load in the keep layout";
    const std::string was = fileBytes(file);
    if (!kept.save(saved, TL_ENCODE_UTF8)) return "not saved in the keep layout";
    if (fileBytes(saved) != was) return "saved unedited in the keep layout with other bytes";
    auto* tree = static_cast<xercesc::DOMDocument*>(kept.getDocument().getTarget());
    const xercesc::DOMNodeList* elements = tree->getElementsByTagName(u"*");
    auto* edited =
        static_cast<xercesc::DOMElement*>(elements->item(choice % elements->getLength()));
    edited->setAttribute(u"edited", u"1");
    if (!kept.save(saved, TL_ENCODE_UTF8)) return "not saved in the keep layout after an edit";
    const std::string now = fileBytes(saved);
    std::size_t prefix = 0;
    while (prefix < now.size() && prefix < was.size() && now[prefix] == was[prefix]) ++prefix;
    std::size_t suffix = 0;
    while (suffix < now.size() - prefix && suffix < was.size() - prefix &&
           now[now.size() - 1 - suffix] == was[was.size() - 1 - suffix]) {
        ++suffix;
    }
    // The differing bytes of the file lie within one start tag.
    const std::size_t open = was.rfind('<', prefix == was.size() ? prefix - 1 : prefix);
    std::size_t close = open;
    for (char quote = 0; close < was.size() && (quote != 0 || was[close] != '>'); ++close) {
        if (quote == 0 && (was[close] == '"' || was[close] == '\'')) {
            quote = was[close];
        } else if (was[close] == quote) {
            quote = 0;
        }
    }
    if (open == std::string::npos || was[open + 1] == '/' || was.size() - suffix > close + 1) {
        return "an edit of one start tag changed more:\n" + now;
    }
    const auto loadsAsTree = [&] {
        XcsXmlDOMDocument again;
        return again.load(saved, &errors, false) &&
               dumpTree(again.getDocument().getTarget()) == dumpTree(tree);
    };
    if (!loadsAsTree()) return "the edited save does not load as the edited tree:\n" + now;
    // In another encoding the layout stays, and so does the tree.
    if (!kept.save(saved, TL_ENCODE_UTF16) || !loadsAsTree()) {
        return "the edited tree saved as UTF-16 does not load as itself";
    }
    return {};
}

}  // namespace testing_support

#endif
