// Loads the library into a process that has the parser but has not started it, and checks
// that attaching starts the parser platform and detaching stops it again.
#include <cstdio>
#include <string>

#include <xercesc/util/PlatformUtils.hpp>

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace {

bool parserStarted() { return xercesc::XMLPlatformUtils::fgTransService != nullptr; }

int fail(const std::string& what) {
    std::printf("FAILED: %s\n", what.c_str());
    return 1;
}

#ifdef _WIN32
using Library = HMODULE;
Library attach(const char* path) { return LoadLibraryA(path); }
bool finds(Library library, const char* name) { return GetProcAddress(library, name) != nullptr; }
bool detach(Library library) { return FreeLibrary(library) != 0; }
std::string lastError() { return "system error " + std::to_string(GetLastError()); }
#else
using Library = void*;
Library attach(const char* path) { return dlopen(path, RTLD_NOW | RTLD_LOCAL); }
bool finds(Library library, const char* name) { return dlsym(library, name) != nullptr; }
bool detach(Library library) { return dlclose(library) == 0; }
std::string lastError() { return dlerror(); }
#endif

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return fail("usage: attach_test LIBRARY");
    if (parserStarted()) return fail("parser running before the library was attached");

    const Library library = attach(argv[1]);
    if (library == nullptr) return fail(lastError());
    if (!parserStarted()) return fail("attach did not start the parser");
    if (!finds(library, "runtest")) return fail("runtest is not exported unmangled");

    if (!detach(library)) return fail(lastError());
    if (parserStarted()) return fail("detach did not stop the parser");
    std::printf("1 passed, 0 failed\n");
    return 0;
}
