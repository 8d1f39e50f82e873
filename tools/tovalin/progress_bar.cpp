#include "progress_bar.hpp"

#include <iostream>
#include <string>

namespace tool {
namespace {

constexpr std::size_t width = 40;

}  // namespace

ProgressBar::ProgressBar(std::size_t total, bool shown)
    : total(total), shown(shown), drawnFor(0), drawn(false) {}

void ProgressBar::show(std::size_t done) {
    // At most a thousand steps, however many items there are.
    if (!shown || total == 0 || (drawn && done * 1000 / total == drawnFor * 1000 / total)) return;
    const std::size_t filled = done * width / total;
    std::cerr << "\r[" << std::string(filled, '#') << std::string(width - filled, '.') << "] "
              << done << '/' << total << std::flush;
    drawnFor = done;
    drawn = true;
}

void ProgressBar::hide() {
    if (!drawn) return;
    // Spaces over the whole line, since not every console knows the escape that erases it.
    std::cerr << '\r' << std::string(width + 4 + 2 * std::to_string(total).size() + 1, ' ') << '\r'
              << std::flush;
    drawn = false;
}

}  // namespace tool
