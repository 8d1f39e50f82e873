#include <algorithm>
#include <csignal>
#include <iostream>
#include <memory>
#include <thread>

#include "check_file.hpp"
#include "check_targets.hpp"
#include "command_line.hpp"
#include "commands.hpp"
#include "console.hpp"
#include "document_file.hpp"
#include "in_order.hpp"
#include "language.hpp"
#include "problem_output.hpp"
#include "progress_bar.hpp"

namespace tool {
namespace {

// More files than this draw a progress bar on a terminal.
constexpr std::size_t filesForProgress = 200;

Validation validationOf(const CommandLine& line) {
    if (line.has("--validate") && line.has("--no-validate")) {
        throw exclusive("--validate", "--no-validate");
    }
    if (line.has("--validate")) return Validation::always;
    return line.has("--no-validate") ? Validation::never : Validation::asNamed;
}

unsigned int threadsOf(const CommandLine& line) {
    if (line.options.count("--jobs") != 0) {
        return static_cast<unsigned int>(positiveNumber(line.option("--jobs"), "--jobs"));
    }
    const unsigned int cores = std::thread::hardware_concurrency();
    return cores == 0 ? 1 : cores;
}

std::string summary(std::size_t checked, std::size_t files, std::size_t failed) {
    const std::string done =
        checked < files
            ? say({u"interrupted after %1 of %2 files", u"%2 個のうち %1 個を検査して中断しました"},
                  {std::to_string(checked), std::to_string(files)})
            : sayCount(files, {u"1 file checked", u"1 個のファイルを検査しました"},
                       {u"%1 files checked", u"%1 個のファイルを検査しました"});
    if (failed == 0) return done + say({u", no problems", u"。問題はありません。"});
    return done + say({u", %1 with problems", u"。問題のあるファイルは %1 個です。"},
                      {std::to_string(failed)});
}

}  // namespace

int check(const Words& words) {
    const CommandLine line = parseCommandLine(
        words, {"--jobs"}, withLoadSwitches({"--validate", "--no-validate", "--json"}));
    if (line.positional.empty()) throw wrongArguments("check", "FILE|FOLDER...");
    const Validation validation = validationOf(line);
    const unsigned int threads = threadsOf(line);
    newDocument(line);  // fails at once when the parser cannot start
    const std::vector<CheckTarget> targets = checkTargets(line.positional);

    const bool json = line.has("--json");
    std::unique_ptr<JsonLines> jsonLines(json ? new JsonLines : nullptr);
    ProgressBar bar(targets.size(), targets.size() > filesForProgress && standardErrorIsTerminal());
    std::size_t checked = 0, failed = 0;
    InOrder steps;
    steps.work = [&](std::size_t item) -> Problems {
        const CheckTarget& target = targets[item];
        if (!target.problem.empty()) return {{target.path, 0, 0, target.problem, Severity::fatal}};
        return checkFile(target.path, validation, line);
    };
    steps.take = [&](std::size_t, const Problems& problems) {
        ++checked;
        if (problems.empty()) return;
        const auto grave = [](const Problem& p) { return p.severity != Severity::warning; };
        if (std::any_of(problems.begin(), problems.end(), grave)) ++failed;
        bar.hide();
        for (const Problem& problem : problems) {
            std::cout << (json ? jsonLines->line(problem) : problemLine(problem));
        }
        std::cout.flush();
    };
    steps.progress = [&](std::size_t done) { bar.show(done); };
    const bool finished = runInOrder(targets.size(), threads, steps);
    bar.hide();
    (json ? std::cerr : std::cout) << summary(checked, targets.size(), failed) << '\n';
    if (!finished) {
        std::cout.flush();
        std::raise(interruptingSignal());
    }
    return failed == 0 ? 0 : 1;
}

}  // namespace tool
