#include "child_process.hpp"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

extern char** environ;

namespace bolvenda::testing {

namespace {

std::vector<std::string> merged_environment(const std::vector<std::string>& changes) {
    std::vector<std::string> env;
    for (char** e = environ; *e != nullptr; ++e) env.emplace_back(*e);
    for (const std::string& change : changes) {
        const std::string name = change.substr(0, change.find('='));
        std::erase_if(env, [&](const std::string& entry) {
            return entry.compare(0, name.size() + 1, name + "=") == 0;
        });
        if (change.find('=') != std::string::npos) env.push_back(change);
    }
    return env;
}

std::vector<char*> pointers(std::vector<std::string>& strings) {
    std::vector<char*> p;
    for (std::string& s : strings) p.push_back(s.data());
    p.push_back(nullptr);
    return p;
}

}  // namespace

ChildProcess::ChildProcess(const Launch& launch) {
    if (launch.argv.empty()) throw std::runtime_error("no program to start");
    char path[] = "/tmp/bolvenda-window-test-XXXXXX";
    int err_fd = mkostemp(path, O_CLOEXEC);
    if (err_fd < 0) throw std::runtime_error("cannot create a file for standard error");
    stderr_path_ = path;

    // Everything the child needs is built before fork: after it only system calls.
    std::vector<std::string> args = launch.argv;
    std::vector<std::string> env = merged_environment(launch.environment);
    std::vector<char*> argv = pointers(args);
    std::vector<char*> envp = pointers(env);
    const pid_t parent = getpid();

    pid_ = fork();
    if (pid_ < 0) {
        close(err_fd);
        throw std::runtime_error(std::string("fork failed: ") + std::strerror(errno));
    }
    if (pid_ == 0) {
        setpgid(0, 0);
        // As from a terminal: a shell running the suite in the background ignores these.
        signal(SIGINT, SIG_DFL);
        signal(SIGTERM, SIG_DFL);
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (getppid() != parent) _exit(127);  // the test died before prctl took effect
        int null_fd = open("/dev/null", O_RDWR);
        if (null_fd >= 0) {
            dup2(null_fd, 0);
            dup2(null_fd, 1);
        }
        dup2(err_fd, 2);
        if (launch.descriptor_3 >= 0) {
            if (launch.descriptor_3 == 3) {
                fcntl(3, F_SETFD, 0);
            } else {
                dup2(launch.descriptor_3, 3);
            }
        }
        execve(argv[0], argv.data(), envp.data());
        _exit(127);
    }
    setpgid(pid_, pid_);  // also from here, so that the group exists before any kill
    close(err_fd);
}

ChildProcess::~ChildProcess() {
    if (!exit_code_) {
        kill_group();
        int status = 0;
        while (waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
        }
    }
    if (!stderr_path_.empty()) unlink(stderr_path_.c_str());
}

void ChildProcess::kill_group() noexcept {
    if (pid_ > 0) kill(-pid_, SIGKILL);
}

void ChildProcess::reap(int status) {
    if (WIFEXITED(status)) {
        exit_code_ = WEXITSTATUS(status);
    } else if (WIFSIGNALED(status)) {
        exit_code_ = 128 + WTERMSIG(status);
    } else {
        return;
    }
    // A helper it forked (a message box) goes with it.
    kill_group();
}

bool ChildProcess::running() {
    if (exit_code_) return false;
    int status = 0;
    pid_t r = waitpid(pid_, &status, WNOHANG);
    if (r == pid_) reap(status);
    return !exit_code_;
}

std::optional<int> ChildProcess::wait_for_exit(std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (running()) {
        if (std::chrono::steady_clock::now() >= deadline) {
            kill_group();
            int status = 0;
            while (waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
            }
            exit_code_ = 128 + SIGKILL;
            return std::nullopt;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return exit_code_;
}

void ChildProcess::stop(std::chrono::milliseconds grace) {
    if (!running()) return;
    kill(pid_, SIGTERM);
    wait_for_exit(grace);
}

std::string ChildProcess::standard_error() const {
    std::ifstream in(stderr_path_);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::optional<std::string> find_on_path(const std::string& name) {
    const char* path = std::getenv("PATH");
    std::istringstream dirs(path != nullptr ? path : "/usr/bin:/bin");
    std::string dir;
    while (std::getline(dirs, dir, ':')) {
        std::string candidate = (dir.empty() ? "." : dir) + "/" + name;
        if (access(candidate.c_str(), X_OK) == 0) return candidate;
    }
    return std::nullopt;
}

}  // namespace bolvenda::testing
