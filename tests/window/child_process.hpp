// A program started by a test: in a process group of its own, with its standard error kept
// in a file, and killed with its whole group (a message box may run in a forked helper) on
// every path where the test did not see it end. It also dies when the test process dies.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace bolvenda::testing {

struct Launch {
    std::vector<std::string> argv;  // argv[0] is the program's path
    // Changes to the test's own environment: "NAME=VALUE" sets, a bare "NAME" removes.
    std::vector<std::string> environment;
    // Given to the child as its descriptor 3 (Xvfb's -displayfd), or -1 for none.
    int descriptor_3 = -1;
};

class ChildProcess {
  public:
    explicit ChildProcess(const Launch& launch);  // throws std::runtime_error
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t pid() const noexcept { return pid_; }

    // The exit code (128 + signal for a killed child) once it ended, or nothing if it was
    // still running after the timeout; it is killed then, so the test never hangs.
    std::optional<int> wait_for_exit(std::chrono::milliseconds timeout);
    // Whether it is still running, without waiting.
    bool running();
    // Asks it to stop (SIGTERM), then kills it if it has not within the grace time.
    void stop(std::chrono::milliseconds grace);

    std::string standard_error() const;

  private:
    void reap(int status);
    void kill_group() noexcept;

    pid_t pid_ = -1;
    std::optional<int> exit_code_;
    std::string stderr_path_;
};

// Where a program of that name is found on PATH, or nothing.
std::optional<std::string> find_on_path(const std::string& name);

}  // namespace bolvenda::testing
