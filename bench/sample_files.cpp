#include "sample_files.hpp"

#include <iconv.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <stdexcept>

namespace bench {
namespace {

// Removes the scratch folder when the program ends.
struct ScratchFolder {
    std::string path;
    ScratchFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "tovalin-bench-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("no scratch folder");
        path = pattern + "/";
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
};

ScratchFolder& scratch() {
    static ScratchFolder folder;
    return folder;
}

std::string record(int id) {
    const std::string n = std::to_string(id);
    const std::string tag = "f" + std::to_string(id % distinctTagNames);
    return "  <record id=\"" + n +
           "\" kind=\"通常\" date=\"2026-04-01\">\n"
           "    <!-- 受注 " +
           n +
           " -->\n"
           "    <customer>山田　太郎</customer>\n"
           "    <kana>ﾔﾏﾀﾞ ﾀﾛｳ</kana>\n"
           "    <period>４月～９月</period>\n"
           "    <amount>－１，２００</amount>\n"
           "    <steps>①②③④⑤</steps>\n"
           "    <" +
           tag + ">値" + n + "</" + tag +
           ">\n"
           "    <note>東京本社～大阪支社　配送（午前）&amp;返品</note>\n"
           "  </record>\n";
}

std::string dtd() {
    std::string text =
        "<!ELEMENT records (record*)>\n<!ELEMENT record ANY>\n"
        "<!ATTLIST record id CDATA #REQUIRED kind CDATA #IMPLIED date CDATA #IMPLIED>\n";
    for (const char* name : {"customer", "kana", "period", "amount", "steps", "note"}) {
        text += std::string("<!ELEMENT ") + name + " (#PCDATA)>\n";
    }
    for (int i = 0; i < distinctTagNames; ++i) {
        text += "<!ELEMENT f" + std::to_string(i) + " (#PCDATA)>\n";
    }
    return text;
}

std::string converted(const std::string& utf8, const char* to) {
    iconv_t converter = iconv_open(to, "UTF-8");
    if (converter == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("no converter");
    std::string out(utf8.size() * 2 + 16, '\0');
    char* in = const_cast<char*>(utf8.data());
    std::size_t inLeft = utf8.size();
    char* put = out.data();
    std::size_t outLeft = out.size();
    const std::size_t result = iconv(converter, &in, &inLeft, &put, &outLeft);
    iconv_close(converter);
    if (result == static_cast<std::size_t>(-1)) throw std::runtime_error("conversion failed");
    out.resize(out.size() - outLeft);
    return out;
}

std::string document(std::size_t megabytes, const char* declaredEncoding) {
    std::string text = std::string("<?xml version=\"1.0\" encoding=\"") + declaredEncoding +
                       "\"?>\n<!DOCTYPE records SYSTEM \"records.dtd\">\n"
                       "<!-- 受注データ -->\n<records>\n";
    // A record takes about 420 bytes in Shift_JIS.
    const int records = static_cast<int>(megabytes * 1024 * 1024 / 420);
    for (int id = 0; id < records; ++id) text += record(id);
    return text + "</records>\n";
}

void write(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
    if (!out) throw std::runtime_error("cannot write " + path);
}

std::string make(std::size_t megabytes, Encoding encoding) {
    static const bool dtdWritten = (write(scratch().path + "records.dtd", dtd()), true);
    (void)dtdWritten;
    const std::string name = scratch().path + "records-" + std::to_string(megabytes) + "mb";
    switch (encoding) {
        case Encoding::shiftJis:
            write(name + "-sjis.xml", converted(document(megabytes, "Shift_JIS"), "CP932"));
            return name + "-sjis.xml";
        case Encoding::utf8:
            write(name + "-utf8.xml", document(megabytes, "UTF-8"));
            return name + "-utf8.xml";
        case Encoding::utf16:
            write(name + "-utf16.xml",
                  "\xFF\xFE" + converted(document(megabytes, "UTF-16"), "UTF-16LE"));
            return name + "-utf16.xml";
    }
    throw std::logic_error("no such encoding");
}

}  // namespace

const std::string& sampleFile(std::size_t megabytes, Encoding encoding) {
    static std::map<std::pair<std::size_t, Encoding>, std::string> made;
    const auto key = std::make_pair(megabytes, encoding);
    auto found = made.find(key);
    if (found == made.end()) found = made.emplace(key, make(megabytes, encoding)).first;
    return found->second;
}

std::string scratchPath(const std::string& name) { return scratch().path + name; }

}  // namespace bench
