#pragma once
// Runs part of a test without root rights. Root writes into any folder whatever its permission
// bits, so a test of a read-only place (CI runs as root) runs that part in a child process that
// has given up root for the unprivileged "nobody" and hands back what it saw as text; the part
// checks nothing itself, the test checks the text. Without root rights, and on Windows, the part
// runs in the test's own process. The places the part uses must be open to others (nobody) for
// reading and, for folders, for passing through.

#ifndef _WIN32
#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <functional>
#include <string>

namespace korvel::test {

#ifndef _WIN32
namespace detail {

// In the child: become nobody, run the part, write what it saw into the pipe, and exit without
// running the parent's exit handlers.
[[noreturn]] inline void seeAsNobody(const std::function<std::string()>& look, int out) {
    const gid_t nobody = 65534;
    const std::string seen =
        setgroups(0, nullptr) == 0 && setgid(nobody) == 0 && setuid(nobody) == 0
            ? look()
            : "could not become nobody";
    for (std::size_t done = 0; done < seen.size();) {
        const ssize_t n = write(out, seen.data() + done, seen.size() - done);
        if (n <= 0) {
            _exit(1);
        }
        done += static_cast<std::size_t>(n);
    }
    _exit(0);
}

}  // namespace detail
#endif

inline std::string seenWithoutRoot(const std::function<std::string()>& look) {
#ifndef _WIN32
    if (geteuid() == 0) {
        int pipe[2];
        if (::pipe(pipe) != 0) {
            return "no pipe for the child process";
        }
        const pid_t child = fork();
        if (child == 0) {
            close(pipe[0]);
            detail::seeAsNobody(look, pipe[1]);
        }
        close(pipe[1]);
        std::string seen;
        char buffer[256];
        for (ssize_t n; child > 0 && (n = read(pipe[0], buffer, sizeof buffer)) > 0;) {
            seen.append(buffer, static_cast<std::size_t>(n));
        }
        close(pipe[0]);
        int status = 0;
        if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status) ||
            WEXITSTATUS(status) != 0) {
            return seen + " (the child process as nobody did not finish)";
        }
        return seen;
    }
#endif
    return look();
}

}  // namespace korvel::test
