#pragma once

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

namespace testing_support {

// An X server of our own (Xvfb, with Mesa's software OpenGL) for what needs a
// real display: the accelerated back end's tests and benchmark. Started on
// first use on a display number Xvfb picks as free (-displayfd), stopped when
// the process ends (and killed with it should it crash).
//
//   CXvfbServer& x = CXvfbServer::Shared();
//   if (!x.IsRunning()) GTEST_SKIP() << x.GetProblem();
//   setenv("DISPLAY", x.GetDisplayName().c_str(), 1);
class CXvfbServer {
public:
    static CXvfbServer& Shared() {
        static CXvfbServer server;
        return server;
    }
    ~CXvfbServer() { Stop(); }
    CXvfbServer(const CXvfbServer&) = delete;
    CXvfbServer& operator=(const CXvfbServer&) = delete;

    bool IsRunning() const { return myPid > 0; }
    // ":N"
    std::string GetDisplayName() const { return ":" + std::to_string(myDisplay); }
    // Why it is not running.
    const std::string& GetProblem() const { return myProblem; }

private:
    static constexpr int START_TIMEOUT_MS = 20000;

    CXvfbServer() { Start(); }

    void Start() {
        int fds[2];
        if (pipe(fds) != 0) {
            myProblem = "Xvfb could not start: no pipe";
            return;
        }
        const pid_t parent = getpid();
        // Made before the fork: the child only calls what is safe there.
        const std::string fd = std::to_string(fds[1]);
        const pid_t pid = fork();
        if (pid < 0) {
            close(fds[0]);
            close(fds[1]);
            myProblem = "Xvfb could not start: fork failed";
            return;
        }
        if (pid == 0) {
            // The server goes when the tests go, however they end.
            prctl(PR_SET_PDEATHSIG, SIGTERM);
            if (getppid() != parent) _exit(1);
            close(fds[0]);
            const int quiet = open("/dev/null", O_WRONLY);
            if (quiet >= 0) {
                dup2(quiet, 1);
                dup2(quiet, 2);
            }
            execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1024x768x24",
                   "-nolisten", "tcp", "-noreset", static_cast<char*>(nullptr));
            _exit(127);
        }
        close(fds[1]);
        // Xvfb writes the display number once it takes connections.
        std::string text;
        const auto deadline =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(START_TIMEOUT_MS);
        while (text.find('\n') == std::string::npos) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                                  deadline - std::chrono::steady_clock::now())
                                  .count();
            pollfd p{fds[0], POLLIN, 0};
            if (left <= 0 || poll(&p, 1, int(left)) <= 0) break;
            char buffer[32];
            const ssize_t got = read(fds[0], buffer, sizeof(buffer));
            if (got <= 0) break;
            text.append(buffer, size_t(got));
        }
        close(fds[0]);
        if (text.find('\n') == std::string::npos) {
            int status = 0;
            kill(pid, SIGTERM);
            waitpid(pid, &status, 0);
            if (WIFEXITED(status) && WEXITSTATUS(status) == 127)
                myProblem = "Xvfb could not start: the program Xvfb is not installed";
            else
                myProblem = "Xvfb could not start: it gave no display number";
            return;
        }
        myPid = pid;
        myDisplay = std::atoi(text.c_str());
    }

    void Stop() {
        if (myPid <= 0) return;
        kill(myPid, SIGTERM);
        for (int i = 0; i < 100; ++i) {
            if (waitpid(myPid, nullptr, WNOHANG) == myPid) {
                myPid = -1;
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        kill(myPid, SIGKILL);
        waitpid(myPid, nullptr, 0);
        myPid = -1;
    }

    pid_t myPid = -1;
    int myDisplay = -1;
    std::string myProblem;
};

}  // namespace testing_support
