// Child processes for tests: a program, or a forked copy of the test running one function; waited
// for with a deadline, and killed and reaped if still running when the handle goes.
#pragma once

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace palabrum::testing {

class Child {
public:
    // Runs `body` in a forked copy of this process, its result the exit status; where threads run,
    // `body` may make async-signal-safe calls only.
    static Child Fork(const std::function<int()>& body) {
        const pid_t pid = ::fork();
        if (pid == 0) ::_exit(body());
        return Child(pid);
    }
    // Runs argv[0], output to the files `out` and `err`, after a byte from `gate` (-1: at once); 127 if it cannot.
    static Child Start(std::vector<std::string> argv, const std::string& out, const std::string& err, int gate = -1) {
        std::vector<char*> args;
        for (auto& arg : argv) args.push_back(arg.data());
        args.push_back(nullptr);
        return Fork([&] {
            char byte;
            const int o = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            const int e = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            if ((gate < 0 || ::read(gate, &byte, 1) == 1) && o >= 0 && e >= 0 && ::dup2(o, 1) >= 0 && ::dup2(e, 2) >= 0)
                ::execv(args[0], args.data());
            return 127;
        });
    }
    Child(Child&& other) noexcept : m_pid(std::exchange(other.m_pid, -1)), m_status(other.m_status) {}
    ~Child() {
        if (Running()) ::kill(m_pid, SIGKILL), Wait(std::chrono::seconds(10));
    }

    // The wait status once it has ended, waiting up to `limit` for that; an ended child is reaped here.
    std::optional<int> Wait(std::chrono::milliseconds limit = {}) {
        for (const auto end = std::chrono::steady_clock::now() + limit;;
             std::this_thread::sleep_for(std::chrono::milliseconds(10))) {
            int status = 0;
            if (m_pid > 0 && !m_status && ::waitpid(m_pid, &status, WNOHANG) == m_pid) m_status = status;
            if (m_status || m_pid <= 0 || std::chrono::steady_clock::now() >= end) return m_status;
        }
    }
    bool Running() { return m_pid > 0 && !Wait(); }
    pid_t Pid() const { return m_pid; }
    void Signal(int signal) { if (Running()) ::kill(m_pid, signal); }

private:
    explicit Child(pid_t pid) : m_pid(pid) {}

    pid_t m_pid;
    std::optional<int> m_status;
};

// A wait status as one number: the exit code, minus the signal that ended it, or 256 while it runs.
inline int ExitCode(std::optional<int> status) {
    return !status ? 256 : WIFEXITED(*status) ? WEXITSTATUS(*status) : -WTERMSIG(*status);
}

}  // namespace palabrum::testing
