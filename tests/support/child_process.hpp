// Runs a check in a forked child, for conditions a test must not impose on its own process:
// an unprivileged user (root ignores permission bits) or a resource limit.
#ifndef TOVALIN_TESTS_SUPPORT_CHILD_PROCESS_HPP
#define TOVALIN_TESTS_SUPPORT_CHILD_PROCESS_HPP

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <functional>

namespace testing_support {

enum class ChildRole { sameUser, nobody };

// True when the child ran the check and the check held. Any exception counts as failure.
inline bool passesInChild(const std::function<bool()>& check,
                          ChildRole role = ChildRole::sameUser) {
    const pid_t child = fork();
    if (child == 0) {
        if (role == ChildRole::nobody && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(3);
        bool held = false;
        try {
            held = check();
        } catch (...) {
        }
        _exit(held ? 0 : 1);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child) return false;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// The bytes of address space (field 0) or resident memory (field 1) this process has.
inline rlim_t memoryOfThisProcess(int field) {
    std::ifstream statm("/proc/self/statm");
    rlim_t pages = 0;
    for (int i = 0; i <= field; ++i) statm >> pages;
    return pages * static_cast<rlim_t>(sysconf(_SC_PAGESIZE));
}

// The same, in a child that has the seconds of processor time and may grow by less than
// peak bytes of resident memory. The sanitizers' own memory makes any bound on it useless,
// so under them only the time is bounded, and ten times longer: they slow every large
// allocation a hundredfold.
inline bool passesWithinBounds(const std::function<bool()>& check, [[maybe_unused]] rlim_t peak,
                               rlim_t seconds) {
    return passesInChild([&] {
#ifdef __SANITIZE_ADDRESS__
        const rlimit time{10 * seconds, 10 * seconds};
#else
        const rlimit time{seconds, seconds};
#endif
        if (setrlimit(RLIMIT_CPU, &time) != 0) return false;
#ifdef __SANITIZE_ADDRESS__
        return check();
#else
        const rlim_t resident = memoryOfThisProcess(1);
        const rlim_t room = memoryOfThisProcess(0) + 2 * peak;
        const rlimit space{room, room};
        if (setrlimit(RLIMIT_AS, &space) != 0 || !check()) return false;
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        return static_cast<rlim_t>(usage.ru_maxrss) * 1024 < resident + peak;
#endif
    });
}

}  // namespace testing_support

#endif
