#include <map>

#include "commands.hpp"

namespace tool {

std::string helpText(const std::string& command) {
    static const std::map<std::string, std::string> texts = {
        {"",
         "usage: tovalin COMMAND ...\n"
         "Checks, reads and edits XML files kept in Shift_JIS or UTF-16; texts are in the\n"
         "terminal's code page.\n\n"
         "  check FILE [--no-validate]     report every problem as FILE:LINE:COLUMN: MESSAGE\n"
         "  get FILE TAG [--all]           print the value of the first (or every) TAG element\n"
         "  set FILE TAG VALUE [--add]     write a value; --list VALUE... replaces them all\n"
         "  convert IN OUT --encoding E    write IN again as shift_jis or utf-16\n"
         "  tsv FILE [ROW COL]             show a tab-separated text, or one value\n\n"
         "check, get, set and convert also take --huge, which lifts the bounds on what\n"
         "loading may cost for large trusted files, and --local-only, which reads DTDs and\n"
         "entities from the file's own folder only.\n\n"
         "tovalin COMMAND --help describes one command. Exit status: 0 done, 1 failed,\n"
         "2 wrong usage.\n"},
        {"check",
         "usage: tovalin check FILE [--no-validate] [--huge] [--local-only]\n"
         "Loads FILE, validating it against its DTD unless --no-validate is given, and prints\n"
         "every problem as FILE:LINE:COLUMN: MESSAGE. Exit status 0 when it loaded, else 1.\n"
         "A file that would expand beyond what a load may cost is refused; --huge lifts those\n"
         "bounds for large trusted files. --local-only reads the DTD and entities from FILE's\n"
         "folder and below only; without it, from any local file, never from the network.\n"},
        {"get",
         "usage: tovalin get FILE TAG [--all] [--huge] [--local-only]\n"
         "Prints the text of the first element named TAG, or with --all of every one, a line\n"
         "each.\n"},
        {"set",
         "usage: tovalin set FILE TAG VALUE [--add] [--output OUT] [--encoding E]\n"
         "       tovalin set FILE TAG --list VALUE... [--output OUT] [--encoding E]\n"
         "       (and --huge, --local-only as for check)\n"
         "Writes VALUE into the first element named TAG (with --add, into a new element after\n"
         "the last one; with --list, every TAG element is replaced by one per VALUE), then\n"
         "saves FILE, or OUT. The earlier content is kept in FILE.BAK until the new one is\n"
         "stored. E is shift_jis or utf-16; without it a UTF-16 file stays UTF-16 and any\n"
         "other is written as Shift_JIS.\n"},
        {"convert",
         "usage: tovalin convert IN OUT --encoding E [--stylesheet HREF] [--dtd PATH]\n"
         "       (and --huge, --local-only as for check)\n"
         "Loads IN and saves it as OUT in E (shift_jis or utf-16), adding a stylesheet\n"
         "instruction for HREF and a document type naming the DTD at PATH when asked.\n"},
        {"tsv",
         "usage: tovalin tsv FILE [ROW COL]\n"
         "Shows the rows and values of a tab-separated text, or prints the value at ROW and\n"
         "COL (from 1).\n"},
    };
    const auto found = texts.find(command);
    return found == texts.end() ? std::string() : found->second;
}

}  // namespace tool
