// Loads every *.xml, *.bin and *.ent file below the folders given, in place beside the DTDs
// and entities they name, in every way a load can be asked for: validating and not, each
// entity source, the default and the lifted bounds, the parser's and the Japanese messages,
// with and without a problem list. Built with the sanitizers, a load that touches memory it
// should not stops the run. Beyond that it checks what any load must keep to: a refused
// file has a record and a reason, and a file that saves loads again as the same tree, valid
// again when the load validated: the layout a save adds must not break validity.
//
// Usage: tovalin_load_every_way FOLDER...   The folders are copied into a scratch folder
// first, since a load may make its working copy beside the file and saves go beside it.
#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <list>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "support/temp_folder.hpp"
#include "support/tree_dump.hpp"
#include "tovalin/document.hpp"

namespace fs = std::filesystem;

namespace {

struct Way {
    const char* name;
    bool validate;
    TL_ENTITY_SOURCE source;
    bool lifted;
    TL_MESSAGE_LANGUAGE language;
    bool listed;
    TL_LAYOUT_TYPE layout;
};

// Each value of each choice at least twice, in different company.
const Way ways[] = {
    {"validating, any local file", true, TL_ENTITY_ANY_LOCAL_FILE, false, TL_MESSAGES_PARSER, true,
     TL_LAYOUT_FIXED},
    {"well-formedness, document folder, lifted, Japanese", false, TL_ENTITY_DOCUMENT_FOLDER, true,
     TL_MESSAGES_JAPANESE, true, TL_LAYOUT_FIXED},
    {"validating, document folder, lifted, Japanese, kept", true, TL_ENTITY_DOCUMENT_FOLDER, true,
     TL_MESSAGES_JAPANESE, true, TL_LAYOUT_KEEP},
    {"well-formedness, any local file, without a list, kept", false, TL_ENTITY_ANY_LOCAL_FILE,
     false, TL_MESSAGES_PARSER, false, TL_LAYOUT_KEEP},
};

bool isDocument(const fs::path& path) {
    const std::string extension = path.extension().string();
    return extension == ".xml" || extension == ".bin" || extension == ".ent";
}

struct Tally {
    std::size_t loads = 0, refused = 0, faults = 0;
};

void fault(Tally& tally, const fs::path& file, const Way& way, const std::string& what) {
    ++tally.faults;
    std::cerr << file.string() << " (" << way.name << "): " << what << '\n';
}

std::string dump(XcsXmlDOMDocument& document) {
    return testing_support::dumpTree(document.getDocument().getTarget());
}

// Invalid documents the parser takes when validating: an entity puts NEL (U+0085), which XML
// 1.1 does not count as whitespace, into element content. Their saves write it as a
// reference, which the parser rejects there, so they are reloaded without validating.
bool parserMissesItsInvalidity(const fs::path& file) {
    const std::string name = file.filename().string();
    return name == "ibm46i01.xml" || name == "ibm46i02.xml";
}

// The encoding of the library's saves that the file was read in; UTF-16 for any other.
TL_ENCODE_TYPE ownEncoding(const XcsXmlDOMDocument& document) {
    const std::string encoding = document.getFileEncoding();
    if (encoding == "UTF-8") return TL_ENCODE_UTF8;
    if (encoding == "Shift_JIS") return TL_ENCODE_SHIFT_JIS;
    return TL_ENCODE_UTF16;
}

// Files whose unedited save in the keep layout has other bytes, since what they hold is
// generated: big-endian UTF-16 (saves are little-endian), XML 1.1, and references to general
// entities that hold markup or that the file does not declare (their nodes are written out).
bool keepsEveryByte(const std::string& bytes) {
    std::string ascii;
    for (const char c : bytes) {
        if (c != '\0') ascii += c;
    }
    static const std::regex generated("^\xFE\xFF|^<\\?xml[^>]*version\\s*=\\s*[\"']1\\.1");
    if (std::regex_search(ascii, generated) || bytes.compare(0, 2, std::string("\0<", 2)) == 0) {
        return false;
    }
    static const std::regex reference("&([A-Za-z_][-.\\w:]*);");
    for (auto found = std::sregex_iterator(ascii.begin(), ascii.end(), reference);
         found != std::sregex_iterator(); ++found) {
        const std::string name = (*found)[1];
        if (name == "amp" || name == "lt" || name == "gt" || name == "quot" || name == "apos") {
            continue;
        }
        const std::regex plain("<!ENTITY\\s+" + name + "\\s+(\"[^\"<]*\"|'[^'<]*')");
        if (!std::regex_search(ascii, plain)) return false;
    }
    return true;
}

// A file the load took saves beside it, and that save loads again as the same tree, and
// validates again when the first load validated. Saved unedited in the keep layout in its
// own encoding, it has the file's bytes.
void expectSavedFileLoadsTheSame(XcsXmlDOMDocument& document, const fs::path& file, const Way& way,
                                 Tally& tally) {
    const bool kept = way.layout == TL_LAYOUT_KEEP;
    const std::string saved = (file.parent_path() / "tovalin-saved.xml").string();
    if (!document.save(saved, kept ? ownEncoding(document) : TL_ENCODE_UTF16)) return;
    XcsXmlDOMDocument again;
    again.setLoadLimits(XcsLoadLimits::lifted());
    std::list<XMLERROR_TYPE> errors;
    const std::string bytes = testing_support::fileBytes(saved);
    const std::string was = testing_support::fileBytes(file.string());
    if (!again.load(saved, &errors, way.validate && !parserMissesItsInvalidity(file))) {
        fault(tally, file, way,
              "saved, but what it saved does not load: " +
                  (errors.empty() ? std::string() : errors.front().message));
    } else if (dump(again) != dump(document)) {
        fault(tally, file, way,
              "saved, but loads as another tree:\n  " + dump(document) + "\n  " + dump(again));
    } else if (kept && document.getFileEncoding() == again.getFileEncoding() && bytes != was &&
               keepsEveryByte(was)) {
        std::size_t at = 0;
        while (at < bytes.size() && at < was.size() && bytes[at] == was[at]) ++at;
        fault(tally, file, way,
              "saved unedited in the keep layout, other bytes from byte " + std::to_string(at) +
                  ": " + bytes.substr(at, 40));
    }
    fs::remove(saved);
}

void loadEveryWay(const fs::path& file, Tally& tally) {
    for (const Way& way : ways) {
        XcsXmlDOMDocument document;
        document.setEntitySource(way.source);
        document.setMessageLanguage(way.language);
        document.setLayout(way.layout);
        if (way.lifted) document.setLoadLimits(XcsLoadLimits::lifted());
        std::list<XMLERROR_TYPE> errors;
        ++tally.loads;
        const bool loaded = way.listed ? document.load(file.string(), &errors, way.validate)
                                       : document.load(file.string(), way.validate);
        if (!loaded) {
            ++tally.refused;
            if (way.listed && errors.empty()) fault(tally, file, way, "refused without a record");
            if (document.getLastError().empty())
                fault(tally, file, way, "refused without a reason");
        } else {
            expectSavedFileLoadsTheSame(document, file, way, tally);
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "C");
    if (argc < 2) {
        std::cerr << "usage: tovalin_load_every_way FOLDER...\n";
        return 2;
    }
    const char* scratchRoot = std::getenv("TMPDIR");
    const fs::path scratch =
        fs::path(scratchRoot != nullptr ? scratchRoot : "/tmp") /
        ("tovalin-load-every-way-" + std::to_string(static_cast<long>(::getpid())));
    std::vector<fs::path> files;
    for (int i = 1; i < argc; ++i) {
        const fs::path source(argv[i]);
        if (!fs::is_directory(source)) {
            std::cerr << "no folder " << source.string() << " (the set-up fetches the corpora)\n";
            return 2;
        }
        const fs::path copy = scratch / std::to_string(i);
        fs::create_directories(copy);
        fs::copy(source, copy, fs::copy_options::recursive);
        for (const auto& entry : fs::recursive_directory_iterator(copy)) {
            if (entry.is_regular_file() && isDocument(entry.path())) files.push_back(entry.path());
        }
    }
    // A load without a list prints its first problem; the run keeps those out of its output.
    std::ostringstream quiet;
    std::streambuf* const out = std::cout.rdbuf(quiet.rdbuf());
    Tally tally;
    for (const fs::path& file : files) {
        loadEveryWay(file, tally);
        quiet.str({});
    }
    std::cout.rdbuf(out);
    fs::remove_all(scratch);
    std::cout << files.size() << " files, " << tally.loads << " loads, " << tally.refused
              << " refused, " << tally.faults << " faults\n";
    return tally.faults == 0 ? 0 : 1;
}
