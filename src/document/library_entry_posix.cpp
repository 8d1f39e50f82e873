// The shared library's attach and detach: they start and stop the parser platform.
#include <xercesc/util/PlatformUtils.hpp>

#include "document/library_entry.hpp"
#include "text/windows_31j.hpp"

namespace tovalin {
namespace {

bool started = false;

__attribute__((constructor)) void attach() {
    try {
        xercesc::XMLPlatformUtils::Initialize();
        tovalin::text::registerWindows31J();
        started = true;
    } catch (...) {
        // A library whose parser did not start refuses work: the factory hands out nothing.
        started = false;
    }
}

__attribute__((destructor)) void detach() {
    if (!started) return;
    started = false;
    xercesc::XMLPlatformUtils::Terminate();
}

}  // namespace

bool libraryStarted() { return started; }

}  // namespace tovalin
