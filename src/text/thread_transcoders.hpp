// Each thread's own transcoders: the parser's transcoders are not safe to share.
#ifndef TOVALIN_TEXT_THREAD_TRANSCODERS_HPP
#define TOVALIN_TEXT_THREAD_TRANSCODERS_HPP

#include <memory>
#include <string>
#include <vector>

#include "text/transcoder_cache.hpp"

namespace tovalin::text {

struct ThreadTranscoders {
    // A thread sees one or two code sets in its life; a vector beats a map here.
    std::vector<std::unique_ptr<Transcoder>> cache;
    // The transcoder last found for the process code page, and the locale's name of that
    // code set, which is cheaper to compare than to map again.
    Transcoder* lastProcessTranscoder = nullptr;
    std::string lastLocaleCodeSet;
};

// The calling thread's transcoders, made on first use and deleted when the thread ends.
ThreadTranscoders& threadTranscoders();

// Windows: deletes the transcoders still held, while the parser that made them is running;
// called once, just before the library stops the parser. (On POSIX each thread's
// transcoders go with the thread's own thread_local storage.)
void deleteThreadTranscoders();

}  // namespace tovalin::text

#endif
