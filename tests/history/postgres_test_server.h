#pragma once
// A real PostgreSQL server of the tests' own: initdb into a temporary folder (as the postgres
// system user when the tests run as root, since the server refuses root), a Unix socket in
// that folder, no TCP port. It is stopped on every way the tests' process ends: a watchdog
// process waits on a pipe that only this process holds, so the test's normal end, a failed
// assertion, a crash or a kill all close it, and the watchdog then stops the server and
// removes the folder. Servers that a watchdog could not stop (the watchdog itself killed) are
// stopped when the next tests start.

#include <fcntl.h>
#include <pwd.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "tests/support/temp_folder.h"

namespace korvel::test {

class PostgresTestServer {
  public:
    static constexpr const char* kFolderPrefix = "korvel-postgres";

    // Debian's server programs, of whichever version is installed; empty when none is.
    static std::string serverPrograms() {
        std::error_code ec;
        for (const auto& entry : std::filesystem::directory_iterator("/usr/lib/postgresql", ec)) {
            if (std::filesystem::exists(entry.path() / "bin" / "initdb")) {
                return (entry.path() / "bin").string();
            }
        }
        return {};
    }

    PostgresTestServer()
        : programs_(serverPrograms()), asUser_(geteuid() == 0 ? "runuser -u postgres -- " : "") {}
    ~PostgresTestServer() { stop(); }
    PostgresTestServer(const PostgresTestServer&) = delete;
    PostgresTestServer& operator=(const PostgresTestServer&) = delete;

    bool installed() const { return !programs_.empty(); }
    const std::string& folder() const { return folder_; }
    const std::string& programs() const { return programs_; }

    // Makes the cluster (owner korvel_owner, trusted on the socket, UTF-8) and starts it.
    bool start() {
        stopStaleServers();
        folder_ = uniqueTempFolder(kFolderPrefix).string();
        std::ofstream(folder_ + "/owner") << getpid();
        // The server refuses to run as root: then it runs as the postgres system user.
        if (geteuid() == 0) {
            const passwd* user = getpwnam("postgres");
            if (!user || chown(folder_.c_str(), user->pw_uid, user->pw_gid) != 0) {
                return false;
            }
        }
        startWatchdog();
        return run(programs_ + "/initdb -D " + folder_ +
                   "/data -A trust -U korvel_owner -E UTF8 --locale=C") &&
               startAgain();
    }
    bool startAgain() const {
        return run(programs_ + "/pg_ctl -D " + folder_ + "/data -l " + folder_ +
                   "/log -w -o \"-c listen_addresses='' -c unix_socket_directories='" + folder_ +
                   "'\" start");
    }
    bool stopNow() const { return run(stopCommand(folder_)); }

    // Stops the server and removes its folder: the watchdog does it when the pipe closes.
    void stop() {
        if (watchdog_ > 0) {
            close(watchdogPipe_);
            waitpid(watchdog_, nullptr, 0);
            watchdog_ = -1;
        }
    }

    // A server program (psql, createdb ...) as the server's user; true when it succeeded.
    bool run(const std::string& command) const {
        return std::system((asUser_ + command + " >/dev/null 2>&1").c_str()) == 0;
    }

  private:
    std::string stopCommand(const std::string& folder) const {
        return programs_ + "/pg_ctl -D " + folder + "/data -m immediate -w stop";
    }

    void startWatchdog() {
        int pipe[2];
        if (pipe2(pipe, O_CLOEXEC) != 0) {
            return;
        }
        const pid_t child = fork();
        if (child == 0) {
            close(pipe[1]);
            setsid();  // a Ctrl+C at the terminal ends the tests, not the watchdog
            char byte;
            for (ssize_t n; (n = read(pipe[0], &byte, 1)) != 0 && (n > 0 || errno == EINTR);) {
            }
            run(stopCommand(folder_));
            std::error_code ec;
            std::filesystem::remove_all(folder_, ec);
            _exit(0);
        }
        close(pipe[0]);
        watchdogPipe_ = pipe[1];
        watchdog_ = child;
    }

    // Servers of earlier tests whose process is gone and whose watchdog did not stop them.
    void stopStaleServers() const {
        std::error_code ec;
        for (const auto& entry :
             std::filesystem::directory_iterator(std::filesystem::temp_directory_path(), ec)) {
            const std::string name = entry.path().filename().string();
            int owner = 0;
            if (name.rfind(std::string(kFolderPrefix) + "-", 0) != 0 ||
                !(std::ifstream(entry.path() / "owner") >> owner) ||
                (kill(owner, 0) == 0 || errno != ESRCH)) {
                continue;
            }
            if (std::filesystem::exists(entry.path() / "data" / "postmaster.pid")) {
                run(stopCommand(entry.path().string()));
            }
            std::filesystem::remove_all(entry.path(), ec);
        }
    }

    std::string programs_, folder_, asUser_;
    pid_t watchdog_ = -1;
    int watchdogPipe_ = -1;
};

}  // namespace korvel::test
