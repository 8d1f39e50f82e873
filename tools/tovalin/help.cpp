#include <map>

#include "commands.hpp"
#include "language.hpp"

namespace tool {

std::string helpText(const std::string& command) {
    static const std::map<std::string, Text> texts = {
        {"",
         {u"usage: tovalin COMMAND ...\n"
          u"Checks, reads and edits XML files kept in Shift_JIS, UTF-8 or UTF-16; texts are in\n"
          u"the terminal's code page.\n\n"
          u"  check FILE|FOLDER... [--json]  report every problem as FILE:LINE:COLUMN: MESSAGE\n"
          u"  get FILE TAG [--all]           print the value of the first (or every) TAG element\n"
          u"    [--attribute NAME] [--where] or its attribute NAME, after FILE:LINE:COLUMN:\n"
          u"  set FILE TAG VALUE [--add]     write a value; --list VALUE... replaces them all\n"
          u"    [--force]                    even when the change breaks the DTD\n"
          u"  convert IN OUT --encoding E    write IN again as shift_jis, utf-16 or utf-8\n"
          u"  tsv FILE [ROW COL]             show a tab-separated text, or one value\n\n"
          u"check, get, set and convert also take --huge, which lifts the bounds on what\n"
          u"loading may cost for large trusted files, and --local-only, which reads DTDs and\n"
          u"entities from the file's own folder only. set and convert take --indent N, which\n"
          u"indents the elements of a saved file by N spaces a level (0 to 16). get, set and\n"
          u"convert read a file whose DTD cannot be read without it, with a warning.\n\n"
          u"tovalin COMMAND --help describes one command. Exit status: 0 done, 1 failed,\n"
          u"2 wrong usage.\n",
          u"使い方: tovalin COMMAND ...\n"
          u"Shift_JIS、UTF-8、UTF-16 で保存した XML ファイルを検査し、値を読み書きします。\n"
          u"文字列は端末の文字コードで受け渡しします。\n\n"
          u"  check FILE|FOLDER... [--json]  問題をすべて FILE:LINE:COLUMN: MESSAGE の形で表示\n"
          u"  get FILE TAG [--all]           最初の（--all ならすべての）TAG 要素の値を表示\n"
          u"    [--attribute NAME] [--where] （--attribute なら属性 NAME の値、--where なら\n"
          u"                                 FILE:LINE:COLUMN: に続けて表示）\n"
          u"  set FILE TAG VALUE [--add]     値を書き込む。--list VALUE... ならすべてを置き換え\n"
          u"    [--force]                    （--force なら DTD に違反する変更も書き込む）\n"
          u"  convert IN OUT --encoding E    IN を shift_jis、utf-16、utf-8 のどれかで書き直す\n"
          u"  tsv FILE [ROW COL]             タブ区切りテキストの全体か、値を 1 つ表示\n\n"
          u"check、get、set、convert には --huge と --local-only も指定できます。--huge は\n"
          u"信頼できる大きなファイルのために読み込みの上限を外し、--local-only は DTD と\n"
          u"実体をファイルと同じフォルダーからだけ読み込みます。set と convert には --indent N\n"
          u"も指定でき、保存するファイルの要素を 1 段につき N 個（0 から 16）の空白で字下げ\n"
          u"します。get、set、convert は、DTD を読み込めないファイルも警告を出して DTD を\n"
          u"使わずに読み込みます。\n\n"
          u"各コマンドの説明は tovalin COMMAND --help で表示します。終了ステータスは 0 が成功、\n"
          u"1 が失敗、2 が使い方の誤りです。\n"}},
        {"check",
         {u"usage: tovalin check FILE|FOLDER... [--validate | --no-validate] [--json]\n"
          u"                     [--jobs N] [--huge] [--local-only]\n"
          u"Loads each FILE, and every *.xml file in each FOLDER and the folders below it, and\n"
          u"prints every problem as FILE:LINE:COLUMN: MESSAGE, in the order of the files, then\n"
          u"a summary line. A file that names a DTD is validated against it, any other is\n"
          u"checked to be well-formed; --validate makes a file without a DTD a problem, and\n"
          u"--no-validate checks well-formedness only: a DTD that cannot be read is then a\n"
          u"warning, unless the file uses an entity it would have declared. --json writes one\n"
          u"JSON object per problem (file, line, column, message, severity: warning, error or\n"
          u"fatal) and the summary to standard error. The files are checked on N threads (every "
          u"core by default); a\n"
          u"progress bar is shown on a terminal for more than 200 files. Exit status 0 when no\n"
          u"file has a problem, else 1.\n"
          u"A file that would expand beyond what a load may cost is refused; --huge lifts those\n"
          u"bounds for large trusted files. --local-only reads the DTD and entities from FILE's\n"
          u"folder and below only; without it, from any local file, never from the network.\n",
          u"使い方: tovalin check FILE|FOLDER... [--validate | --no-validate] [--json]\n"
          u"                      [--jobs N] [--huge] [--local-only]\n"
          u"各 FILE と、各 FOLDER とその下のフォルダーにある *.xml ファイルをすべて読み込み、\n"
          u"問題をファイルの順に FILE:LINE:COLUMN: MESSAGE の形で表示して、最後に結果を 1 行で\n"
          u"まとめます。DTD を指定しているファイルは DTD で検証し、それ以外は整形式かどうかを\n"
          u"検査します。--validate なら DTD のないファイルも問題とし、--no-validate なら整形式\n"
          u"かどうかだけを検査します。このとき読み込めない DTD は警告とし、DTD が宣言するはず\n"
          u"の実体をファイルが使う場合だけ問題とします。--json を付けると問題を 1 つずつ JSON\n"
          u"オブジェクト（file、line、column、message、severity: warning、error、fatal の\n"
          u"どれか）で書き出し、まとめは標準エラー出力に書きます。ファイルは N "
          u"個のスレッドで（既定ではすべてのコアで）検査\n"
          u"します。端末では 200 個を超えるファイルの検査に進み具合を表示します。問題のある\n"
          u"ファイルがなければ終了ステータスは 0、あれば 1 です。\n"
          u"展開すると読み込みの上限を超えるファイルは読み込みません。信頼できる大きな\n"
          u"ファイルなら --huge で上限を外せます。--local-only を付けると DTD と実体を FILE の\n"
          u"フォルダーとその下からだけ読み込みます。付けなければローカルのどのファイルからでも\n"
          u"読み込みます。ネットワークからは読み込みません。\n"}},
        {"get",
         {u"usage: tovalin get FILE TAG [--all] [--attribute NAME] [--where] [--huge]\n"
          u"                   [--local-only]\n"
          u"Prints the text of the first element named TAG, or with --all of every one, a line\n"
          u"each: its text and CDATA sections together, without its child elements. With\n"
          u"--attribute, prints their attribute NAME instead: an empty line for an\n"
          u"element without it, and a failure when none of them has it. With --where, each\n"
          u"line starts with FILE:LINE:COLUMN: where the element's start tag ends.\n",
          u"使い方: tovalin get FILE TAG [--all] [--attribute NAME] [--where] [--huge]\n"
          u"                    [--local-only]\n"
          u"TAG という名前の最初の要素の（--all ならすべての要素の）テキストを 1 行ずつ表示\n"
          u"します。テキストと CDATA セクションをつなげたもので、子要素の中は含みません。\n"
          u"--attribute を付けると、代わりに属性 NAME の値を表示します。属性のない要素\n"
          u"は空行になり、どの要素にも属性がなければ失敗します。--where を付けると、各行の前に\n"
          u"要素の開始タグが終わる位置を FILE:LINE:COLUMN: の形で表示します。\n"}},
        {"set",
         {u"usage: tovalin set FILE TAG VALUE [--add] [--output OUT] [--encoding E] [--force]\n"
          u"       tovalin set FILE TAG --list VALUE... [--output OUT] [--encoding E] [--force]\n"
          u"       (and --indent N, and --huge, --local-only as for check)\n"
          u"Writes VALUE into the first element named TAG (with --add, into a new element after\n"
          u"the last one; with --list, every TAG element is replaced by one per VALUE), then\n"
          u"saves FILE, or OUT, replacing it in one step; FILE.BAK names the earlier content\n"
          u"meanwhile. E is shift_jis, utf-16 or utf-8; without it a Shift_JIS, UTF-16 or UTF-8\n"
          u"file keeps its encoding and any other is written as Shift_JIS. --indent N indents\n"
          u"the elements by N spaces a level (0 to 16). A change that would make a file that\n"
          u"keeps to the DTD it names break it is refused, leaving the file as it was, unless\n"
          u"--force is given.\n",
          u"使い方: tovalin set FILE TAG VALUE [--add] [--output OUT] [--encoding E] [--force]\n"
          u"        tovalin set FILE TAG --list VALUE... [--output OUT] [--encoding E] [--force]\n"
          u"        （--indent N と、check と同じく --huge と --local-only も指定できます）\n"
          u"TAG という名前の最初の要素に VALUE を書き込み（--add なら最後の要素の後に新しい\n"
          u"要素を加え、--list なら TAG 要素をすべて VALUE ごとに 1 つの要素で置き換え）、\n"
          u"FILE か OUT に保存し、一度の操作で置き換えます。その間、元の内容は FILE.BAK に\n"
          u"あります。E は shift_jis、utf-16、utf-8 のどれかです。指定しなければ Shift_JIS、\n"
          u"UTF-16、UTF-8 のファイルはその文字コードのまま、それ以外は Shift_JIS で書き込み\n"
          u"ます。--indent N を付けると、要素を 1 段につき N 個（0 から 16）の空白で字下げ\n"
          u"します。DTD を指定していてそれに従うファイルは、変更すると DTD に違反する場合には\n"
          u"書き込まず、元のままにします。--force を付けるとそのまま書き込みます。\n"}},
        {"convert",
         {u"usage: tovalin convert IN OUT --encoding E [--stylesheet HREF] [--dtd PATH]\n"
          u"                       [--indent N] (and --huge, --local-only as for check)\n"
          u"Loads IN and saves it as OUT in E (shift_jis, utf-16 or utf-8), adding a stylesheet\n"
          u"instruction for HREF and a document type naming the DTD at PATH when asked, its\n"
          u"elements indented by N spaces a level (0 to 16) with --indent.\n",
          u"使い方: tovalin convert IN OUT --encoding E [--stylesheet HREF] [--dtd PATH]\n"
          u"                        [--indent N]（check と同じく --huge と --local-only も\n"
          u"                        指定できます）\n"
          u"IN を読み込み、E（shift_jis、utf-16、utf-8 のどれか）で OUT に保存します。指定が\n"
          u"あれば HREF のスタイルシート命令と、PATH の DTD を指す文書型宣言を加えます。\n"
          u"--indent N を付けると、要素を 1 段につき N 個（0 から 16）の空白で字下げします。\n"}},
        {"tsv",
         {u"usage: tovalin tsv FILE [ROW COL] [--encoding E]\n"
          u"Shows the rows and values of a tab-separated text, or prints the value at ROW and\n"
          u"COL (from 1); a cell the text does not hold is a failure. The text is read as\n"
          u"stored in E (shift_jis, utf-8 or utf-16; without a byte-order mark UTF-16 is\n"
          u"little-endian) and shown in the terminal's code page; without --encoding it must\n"
          u"be in the terminal's code page already, and a text that is not is a failure.\n",
          u"使い方: tovalin tsv FILE [ROW COL] [--encoding E]\n"
          u"タブ区切りテキストの行と値を表示するか、ROW 行目 COL 列目（1 から数えます）の値を\n"
          u"表示します。テキストにない位置を指定すると失敗します。テキストは E（shift_jis、\n"
          u"utf-8、utf-16 のどれか。バイト順マークのない UTF-16 はリトルエンディアンとみなし\n"
          u"ます）で保存されているものとして読み、端末の文字コードで表示します。--encoding\n"
          u"を指定しなければ、端末の文字コードで保存されていなければならず、そうでない\n"
          u"テキストは失敗になります。\n"}},
    };
    const auto found = texts.find(command);
    return found == texts.end() ? std::string() : say(found->second);
}

}  // namespace tool
