// Loads the library into a process that has the parser but has not started it, and checks
// that attaching starts the parser platform and detaching stops it again.
#include <dlfcn.h>

#include <cstdio>

#include <xercesc/util/PlatformUtils.hpp>

namespace {

bool parserStarted() { return xercesc::XMLPlatformUtils::fgTransService != nullptr; }

int fail(const char* what) {
    std::printf("FAILED: %s\n", what);
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return fail("usage: attach_test LIBRARY");
    if (parserStarted()) return fail("parser running before the library was attached");

    void* library = dlopen(argv[1], RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) return fail(dlerror());
    if (!parserStarted()) return fail("attach did not start the parser");
    if (dlsym(library, "runtest") == nullptr) return fail("runtest is not exported unmangled");

    if (dlclose(library) != 0) return fail(dlerror());
    if (parserStarted()) return fail("detach did not stop the parser");
    std::printf("1 passed, 0 failed\n");
    return 0;
}
