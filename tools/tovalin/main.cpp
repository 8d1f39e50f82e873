// tovalin: checks, reads and edits XML files kept in Shift_JIS or UTF-16, and reads
// tab-separated text, in the code page of the terminal.
#include <clocale>
#include <exception>
#include <iostream>
#include <map>
#include <string>

#include <xercesc/dom/DOMException.hpp>
#include <xercesc/util/TranscodingException.hpp>

#include "command_line.hpp"
#include "commands.hpp"
#include "console.hpp"
#include "language.hpp"

namespace {

using Command = int (*)(const tool::Words&);

const std::map<std::string, Command> commands = {
    {"check", tool::check},     {"get", tool::get}, {"set", tool::set},
    {"convert", tool::convert}, {"tsv", tool::tsv},
};

bool asksForHelp(const tool::Words& words) {
    for (const std::string& word : words) {
        if (word == "--help" || word == "-h") return true;
        if (word == "--") return false;
    }
    return false;
}

int run(const tool::Words& words) {
    if (words.empty() || words[0] == "--help" || words[0] == "-h") {
        std::cout << tool::helpText("");
        return words.empty() ? 2 : 0;
    }
    const auto command = commands.find(words[0]);
    if (command == commands.end()) {
        throw tool::UsageError(
            tool::say({u"unknown command %1", u"%1 というコマンドはありません"}, {words[0]}));
    }
    const tool::Words rest(words.begin() + 1, words.end());
    if (asksForHelp(rest)) {
        std::cout << tool::helpText(words[0]);
        return 0;
    }
    return command->second(rest);
}

// Every failure ends as one line on standard error and a status: nothing escapes as an abort.
int runReporting(int argc, char** argv) {
    try {
        return run(tool::programArguments(argc, argv));
    } catch (const tool::UsageError& e) {
        std::cerr << "tovalin: "
                  << tool::say({u"%1 (see tovalin --help)",
                                u"%1。使い方は tovalin --help で確かめてください"},
                               {e.what()})
                  << '\n';
        return 2;
    } catch (const std::exception& e) {
        std::cerr << "tovalin: " << e.what() << '\n';
    } catch (const xercesc::TranscodingException&) {
        std::cerr << "tovalin: "
                  << tool::say({u"a text is not in the terminal's code page, or the document "
                                u"holds a character that the code page cannot show; no file "
                                u"was changed",
                                u"端末の文字コードでない文字列が指定されたか、文書に端末の"
                                u"文字コードで表せない文字があります。ファイルは変更していません"})
                  << '\n';
    } catch (const xercesc::DOMException& e) {
        std::cerr << "tovalin: "
                  << tool::say({u"the document cannot take this change (DOM error %1); no file "
                                u"was changed",
                                u"この変更は文書に加えられません（DOM エラー %1）。ファイルは"
                                u"変更していません"},
                               {std::to_string(e.code)})
                  << '\n';
    } catch (...) {
        std::cerr << "tovalin: "
                  << tool::say({u"the XML parser failed; no file was changed",
                                u"XML パーサーでエラーが起きました。ファイルは変更していません"})
                  << '\n';
    }
    return 1;
}

// Output that did not reach its destination (a full disk, a closed pipe) is a failure.
bool outputReached() {
    if (!std::cout.flush()) {
        std::cerr << "tovalin: "
                  << tool::say({u"standard output cannot be written", u"標準出力に書き込めません"})
                  << '\n';
        return false;
    }
    return static_cast<bool>(std::cerr.flush());
}

}  // namespace

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "");
    const int status = runReporting(argc, argv);
    return outputReached() ? status : 1;
}
