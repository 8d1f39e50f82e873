#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <xercesc/util/PlatformUtils.hpp>

#include "document/library_entry.hpp"
#include "text/thread_transcoders.hpp"
#include "text/windows_31j.hpp"

namespace {

bool started = false;

}  // namespace

namespace tovalin {

bool libraryStarted() { return started; }

}  // namespace tovalin

// Starts the parser platform when a process attaches the library and stops it on detach;
// a platform that does not start refuses the attach.
extern "C" BOOL WINAPI DllMain(HINSTANCE /*instance*/, DWORD reason, LPVOID /*reserved*/) {
    switch (reason) {
        case DLL_PROCESS_ATTACH:
            try {
                xercesc::XMLPlatformUtils::Initialize();
                tovalin::text::registerWindows31J();
                started = true;
            } catch (...) {
                return FALSE;
            }
            return TRUE;
        case DLL_PROCESS_DETACH:
            if (started) {
                tovalin::text::deleteThreadTranscoders();
                xercesc::XMLPlatformUtils::Terminate();
            }
            started = false;
            return TRUE;
        default:
            return TRUE;
    }
}
