#include <cstdio>
#include <iostream>
#include <list>
#include <optional>
#include <stdexcept>

#include "check_file.hpp"
#include "command_line.hpp"
#include "commands.hpp"
#include "document_file.hpp"
#include "files.hpp"
#include "folders.hpp"
#include "language.hpp"

namespace tool {
namespace {

// The values after FILE and TAG: one, or with --list any number.
std::list<std::string> valuesOf(const CommandLine& line) {
    std::list<std::string> values(line.positional.begin() + 2, line.positional.end());
    if (!line.has("--list") && values.size() != 1) {
        throw wrongArguments("set", "FILE TAG VALUE | FILE TAG --list VALUE...");
    }
    if (line.has("--list") && line.has("--add")) throw exclusive("--add", "--list");
    return values;
}

// The encoding asked for, or the file's own when the library writes it, else Shift_JIS;
// noted once the file is written when that changes the file's encoding.
struct OutputEncoding {
    TL_ENCODE_TYPE type;
    std::string note;
};

// The encoding --encoding asks for, read before the file is.
std::optional<TL_ENCODE_TYPE> askedEncoding(const CommandLine& line) {
    if (line.options.count("--encoding") == 0) return std::nullopt;
    return encodingOption(line.option("--encoding"));
}

OutputEncoding outputEncoding(std::optional<TL_ENCODE_TYPE> asked,
                              const XcsXmlDOMDocument& document, const std::string& file) {
    if (asked) return {*asked, {}};
    const std::string found = document.getFileEncoding();
    const TL_ENCODE_TYPE kept = keptEncoding(found);
    if (found == encodingName(kept)) return {kept, {}};
    return {kept, say({u"note: %1 was %2; it is written as %3",
                       u"注意: %1 は %2 でしたが、%3 で書き込みました"},
                      {file, found, encodingName(kept)})};
}

// The problems of the changed document against the DTD it names. It is written beside the
// file, so that a DTD named by a relative location is found as from the file, and checked there.
std::vector<Problem> problemsOfChange(XcsXmlDOMDocument& document, const std::string& file,
                                      TL_ENCODE_TYPE type, const CommandLine& line) {
    const std::string trial = newFileBeside(file);
    if (trial.empty()) {
        throw std::runtime_error(
            say({u"%1: the change cannot be checked against the DTD, since no file can be made "
                 u"beside it; --force writes it unchecked",
                 u"%1: 隣にファイルを作れないため、変更を DTD で検証できません。--force を付けると"
                 u"検証せずに書き込みます"},
                {file}));
    }
    // A document that cannot be written so is refused by the save that follows.
    std::vector<Problem> problems;
    if (document.save(trial, type)) problems = checkFile(trial, Validation::asNamed, line);
    std::remove(trial.c_str());
    return problems;
}

// Refuses a change that makes a file that keeps to the DTD it names break it.
void refuseInvalidChange(XcsXmlDOMDocument& document, const std::string& file, TL_ENCODE_TYPE type,
                         const CommandLine& line) {
    if (!hasDocumentType(document) || !checkFile(file, Validation::asNamed, line).empty()) return;
    const std::vector<Problem> problems = problemsOfChange(document, file, type, line);
    if (problems.empty()) return;
    throw std::runtime_error(
        say({u"%1: not written, since the change breaks its DTD (%2); --force writes it anyway",
             u"%1: 変更すると DTD に違反するため書き込みませんでした（%2）。--force を付けると"
             u"そのまま書き込みます"},
            {file, problems.front().message}));
}

}  // namespace

int set(const Words& words) {
    const CommandLine line =
        parseCommandLine(words, {"--output", "--encoding", "--indent", "--layout"},
                         withLoadSwitches({"--add", "--list", "--force"}));
    if (line.positional.size() < 2) {
        throw wrongArguments("set", "FILE TAG VALUE | FILE TAG --list VALUE...");
    }
    const std::string& file = line.positional[0];
    const std::string& tag = line.positional[1];
    std::list<std::string> values = valuesOf(line);
    const std::optional<TL_ENCODE_TYPE> asked = askedEncoding(line);
    const auto document = loadDocument(file, line, TL_LAYOUT_KEEP);
    const OutputEncoding output = outputEncoding(asked, *document, file);
    const bool written = line.has("--list")
                             ? document->setXmlData(tag, values)
                             : document->setXmlData(tag, values.front(), !line.has("--add"));
    if (!written) throw std::runtime_error(noElementNamed(file, tag));
    if (!line.has("--force")) refuseInvalidChange(*document, file, output.type, line);
    saveDocument(*document, line.option("--output", file), output.type);
    if (!output.note.empty()) std::cerr << output.note << '\n';
    return 0;
}

}  // namespace tool
