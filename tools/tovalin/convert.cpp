#include <stdexcept>

#include "command_line.hpp"
#include "commands.hpp"
#include "document_file.hpp"
#include "files.hpp"
#include "language.hpp"

namespace tool {

int convert(const Words& words) {
    const CommandLine line =
        parseCommandLine(words, {"--encoding", "--stylesheet", "--dtd", "--indent", "--layout"},
                         withLoadSwitches({}));
    if (line.positional.size() != 2) throw wrongArguments("convert", "IN OUT");
    if (line.options.count("--encoding") == 0) {
        throw UsageError(say({u"convert needs --encoding", u"convert には --encoding が必要です"}));
    }
    const TL_ENCODE_TYPE type = encodingOption(line.option("--encoding"));
    const auto document = loadDocument(line.positional[0], line);
    if (line.options.count("--stylesheet") != 0 && !document->setXSL(line.option("--stylesheet"))) {
        throw std::runtime_error(
            say({u"--stylesheet: no stylesheet instruction can carry this address",
                 u"--stylesheet: このアドレスはスタイルシートの指定に書けません"}));
    }
    if (line.options.count("--dtd") != 0 &&
        !document->setSchema(line.option("--dtd"), TL_SCHEMA_DTD)) {
        throw std::runtime_error(say({u"--dtd: no document type can name this DTD location",
                                      u"--dtd: この DTD の場所は文書型宣言に書けません"}));
    }
    saveDocument(*document, line.positional[1], type);
    return 0;
}

}  // namespace tool
