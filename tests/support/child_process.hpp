// Runs a check in a forked child, for conditions a test must not impose on its own process:
// an unprivileged user (root ignores permission bits) or a resource limit.
#ifndef TOVALIN_TESTS_SUPPORT_CHILD_PROCESS_HPP
#define TOVALIN_TESTS_SUPPORT_CHILD_PROCESS_HPP

#include <sys/wait.h>
#include <unistd.h>

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

}  // namespace testing_support

#endif
