// Child processes for tests: a program started with the arguments and
// environment a test chooses (its output kept in files), or a forked copy of
// the test running one function; optionally held at a barrier so that many
// start at the same instant; waited for with a deadline; and never left
// behind: a child still running when its handle goes is killed and reaped.
#pragma once

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

extern char** environ;

namespace palabrum::testing {

// The test's own environment with `changes` applied: a value sets the
// variable, nullopt removes it.
inline std::vector<std::string> EnvironmentWith(
    const std::vector<std::pair<std::string, std::optional<std::string>>>& changes) {
    std::vector<std::string> env;
    for (char** entry = environ; *entry; ++entry) {
        const std::string text = *entry;
        const std::string name = text.substr(0, text.find('='));
        bool changed = false;
        for (const auto& change : changes) changed |= change.first == name;
        if (!changed) env.push_back(text);
    }
    for (const auto& [name, value] : changes) {
        if (value) env.push_back(name + "=" + *value);
    }
    return env;
}

struct Command {
    std::string program;
    std::vector<std::string> args;                 // after the program's name
    std::vector<std::string> env = EnvironmentWith({});  // "NAME=value"
    std::filesystem::path workingDirectory;        // empty: the test's own
    std::filesystem::path stdoutFile, stderrFile;  // empty: discarded
};

// Holds children back until Release(), so that they all start at one instant.
class StartBarrier {
public:
    StartBarrier() {
        if (::pipe2(m_fds, O_CLOEXEC) != 0) std::abort();
    }
    ~StartBarrier() {
        Release();
        ::close(m_fds[0]);
    }
    StartBarrier(const StartBarrier&) = delete;
    StartBarrier& operator=(const StartBarrier&) = delete;

    void Release() {
        if (m_fds[1] >= 0) ::close(m_fds[1]);
        m_fds[1] = -1;
    }
    // In a child: returns once the parent and every other child let go of
    // the write end, that is, once the parent released.
    void WaitInChild() const {
        ::close(m_fds[1]);
        char byte;
        while (::read(m_fds[0], &byte, 1) < 0 && errno == EINTR) {
        }
    }

private:
    int m_fds[2] = {-1, -1};
};

class Child {
public:
    // Starts `command`, after `barrier` releases when one is given. A program
    // that cannot be started ends with status 127.
    static Child Start(const Command& command, const StartBarrier* barrier = nullptr) {
        // Everything the child needs is made before the fork: after it, a
        // process with threads may only make async-signal-safe calls.
        std::vector<std::string> args{command.program};
        args.insert(args.end(), command.args.begin(), command.args.end());
        std::vector<char*> argv, envp;
        for (auto& arg : args) argv.push_back(arg.data());
        argv.push_back(nullptr);
        std::vector<std::string> env = command.env;
        for (auto& entry : env) envp.push_back(entry.data());
        envp.push_back(nullptr);
        const std::string out = command.stdoutFile.empty() ? "/dev/null" : command.stdoutFile.string();
        const std::string err = command.stderrFile.empty() ? "/dev/null" : command.stderrFile.string();
        const std::string dir = command.workingDirectory.string();
        return Fork([&] {
            if (barrier) barrier->WaitInChild();
            const int o = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            const int e = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            if (o < 0 || e < 0 || ::dup2(o, STDOUT_FILENO) < 0 || ::dup2(e, STDERR_FILENO) < 0) return 127;
            if (!dir.empty() && ::chdir(dir.c_str()) != 0) return 127;
            ::execve(argv[0], argv.data(), envp.data());
            return 127;
        });
    }

    // Runs `body` in a forked copy of this process; its result is the exit
    // status. In a test with threads, `body` may only make async-signal-safe calls.
    static Child Fork(const std::function<int()>& body) {
        const pid_t pid = ::fork();
        if (pid < 0) std::abort();
        if (pid == 0) ::_exit(body());
        return Child(pid);
    }

    Child(Child&& other) noexcept : m_pid(std::exchange(other.m_pid, -1)), m_status(other.m_status) {}
    Child& operator=(Child&&) = delete;
    ~Child() {
        if (Running()) {
            ::kill(m_pid, SIGKILL);
            Wait(std::chrono::seconds(10));
        }
    }

    pid_t Pid() const { return m_pid; }
    // Whether it still runs; an ended child is reaped here.
    bool Running() {
        if (m_pid < 0 || m_status) return false;
        int status = 0;
        pid_t got;
        while ((got = ::waitpid(m_pid, &status, WNOHANG)) < 0 && errno == EINTR) {
        }
        if (got == m_pid) m_status = status;
        return got == 0;
    }
    // The wait status (see ExitCode) once it ended; nullopt while it runs past `limit`.
    std::optional<int> Wait(std::chrono::milliseconds limit) {
        const auto until = std::chrono::steady_clock::now() + limit;
        while (Running() && std::chrono::steady_clock::now() < until) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return m_status;
    }
    void Signal(int sig) {
        if (Running()) ::kill(m_pid, sig);
    }
    // Asks it to end, then makes it: SIGTERM, and SIGKILL after `grace`.
    std::optional<int> Stop(std::chrono::milliseconds grace) {
        Signal(SIGTERM);
        if (Wait(grace)) return m_status;
        Signal(SIGKILL);
        return Wait(std::chrono::seconds(10));
    }
    std::optional<int> Status() const { return m_status; }

private:
    explicit Child(pid_t pid) : m_pid(pid) {}

    pid_t m_pid;
    std::optional<int> m_status;
};

// A wait status as one number: the exit code, or minus the signal that ended it.
inline int ExitCode(int status) { return WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status); }

}  // namespace palabrum::testing
