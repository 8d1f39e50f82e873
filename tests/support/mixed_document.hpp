// Random well-formed XML files that mix text, elements, attributes, comments, processing
// instructions and CDATA sections, in UTF-8, drawn from a source of bytes (a fuzzer's input
// or a seeded generator). Texts hold Japanese characters, markup characters escaped as XML
// requires, line ends, layout and character references, a few of them with no Shift_JIS form.
#ifndef TOVALIN_TESTS_SUPPORT_MIXED_DOCUMENT_HPP
#define TOVALIN_TESTS_SUPPORT_MIXED_DOCUMENT_HPP

#include <cstddef>
#include <functional>
#include <string>
#include <utility>

namespace testing_support {

class MixedDocument {
  public:
    // next gives the next byte of the source, or 0 once it is used up.
    explicit MixedDocument(std::function<unsigned int()> next) : next(std::move(next)) {}

    // Whether a Shift_JIS file can hold every character of a file made here.
    static bool shiftJisStores(const std::string& file) {
        return file.find(outsideShiftJis) == std::string::npos;
    }

    std::string make() {
        std::string file = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
        for (unsigned int n = below(3); n > 0; --n) file += below(2) == 0 ? comment() : pi();
        file += element(0) + "\n";
        if (below(2) == 0) file += comment();
        return file;
    }

  private:
    static constexpr unsigned int maxDepth = 5;
    static constexpr const char* outsideShiftJis = "&#x1F600;";

    unsigned int below(unsigned int count) { return next() % count; }

    template <std::size_t size>
    std::string joined(const char* const (&pieces)[size], unsigned int most) {
        std::string text;
        for (unsigned int n = below(most + 1); n > 0; --n) text += pieces[below(size)];
        return text;
    }

    std::string element(unsigned int depth) {
        static const char* const names[] = {"a", "b", "p", "\xE9\xA0\x85\xE7\x9B\xAE", "x.y"};
        static const char* const attributes[] = {"x", "\xE9\xA0\x85", "y-z"};
        static const char* const values[] = {
            "1",  "&lt;&amp;&quot;", "'",     "\xE6\x97\xA5", "\t",
            "\n", "&#10;",           "&#13;", " > ",          "\xEF\xBD\x9E"};
        const std::string name = names[below(5)];
        std::string markup = "<" + name;
        for (unsigned int i = below(4); i > 0; --i) {
            markup += std::string(" ") + attributes[i - 1] + "=\"" + joined(values, 3) + "\"";
        }
        const unsigned int children = depth < maxDepth ? below(7) : 0;
        if (children == 0 && below(2) == 0) return markup + "/>";
        markup += ">";
        for (unsigned int n = children; n > 0; --n) markup += child(depth);
        return markup + "</" + name + ">";
    }

    std::string child(unsigned int depth) {
        static const char* const layout[] = {"\n", "\r\n  ", " ", "\t"};
        switch (below(8)) {
            case 0:
                return comment();
            case 1:
                return pi();
            case 2:
                return cdata();
            case 3:
                return joined(layout, 2);
            case 4:
            case 5:
                return text();
            default:
                return element(depth + 1);
        }
    }

    std::string text() {
        // "Japanese"; a full-width minus sign, circled digit one and half-width katakana.
        static const char* const japanese = "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E";
        static const char* const windowsSigns = "\xEF\xBC\x8D\xE2\x91\xA0\xEF\xBD\xB1";
        static const char* const pieces[] = {
            "Press ", "OK",        " to continue.", japanese, windowsSigns,
            "&amp;",  "&lt;b&gt;", "\"'",           ">",      "]]&gt;",
            " ",      "\n",        "\r\n",          "\r",     "\t",
            "&#13;",  "&#xFF5E;",  outsideShiftJis};
        return joined(pieces, 4);
    }

    // No piece ends in "-", so no "--" forms and the comment never ends with "-".
    std::string comment() {
        static const char* const pieces[] = {"c", " \xE6\x97\xA5 ", "a-b", "\r\n", "<&>", " "};
        return "<!--" + joined(pieces, 3) + "-->";
    }

    // No piece ends in "?" or begins with ">", so no "?>" forms inside.
    std::string pi() {
        static const char* const targets[] = {"t", "pi-x", "\xE6\x97\xA5"};
        static const char* const data[] = {"d", "\xE6\x97\xA5", "a?b", "<&>", "\r\n", " ", "\"q\""};
        return std::string("<?") + targets[below(3)] + " " + joined(data, 3) + "?>";
    }

    // No piece begins with ">" or "]>", so no "]]>" forms inside.
    std::string cdata() {
        static const char* const pieces[] = {"<&>", "\xE6\x97\xA5", "]]", "x]", "a>b", "\r\n", " "};
        return "<![CDATA[" + joined(pieces, 3) + "]]>";
    }

    std::function<unsigned int()> next;
};

}  // namespace testing_support

#endif
