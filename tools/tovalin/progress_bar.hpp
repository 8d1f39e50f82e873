// A progress bar on standard error, drawn on one line and redrawn in place.
#ifndef TOVALIN_TOOL_PROGRESS_BAR_HPP
#define TOVALIN_TOOL_PROGRESS_BAR_HPP

#include <cstddef>

namespace tool {

class ProgressBar {
  public:
    // A bar that is drawn only when shown is true.
    ProgressBar(std::size_t total, bool shown);
    // Draws the bar for the count, when that changes it by a thousandth or more.
    void show(std::size_t done);
    // Takes the bar off its line, so that other output starts there; the next show draws it
    // again.
    void hide();

  private:
    const std::size_t total;
    const bool shown;
    std::size_t drawnFor;
    bool drawn;
};

}  // namespace tool

#endif
