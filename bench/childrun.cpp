#include "childrun.h"

#include <chrono>
#include <cstring>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace quorvel::bench {

namespace {

constexpr char frameSignal = 'S';
const char* const preloadVariable = "LD_PRELOAD=";

} // namespace

std::optional<ChildRun> runChild(const std::string& program, const std::string& probe)
{
    // This environment, with the probe preloaded in place of any other preload.
    std::string preload = preloadVariable + probe;
    std::vector<char*> environment;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        if (std::strncmp(*entry, preloadVariable, std::strlen(preloadVariable)) != 0) {
            environment.push_back(*entry);
        }
    }
    environment.push_back(preload.data());
    environment.push_back(nullptr);

    int pipeFds[2];
    if (::pipe(pipeFds) != 0) {
        return std::nullopt;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    posix_spawn_file_actions_addclose(&actions, pipeFds[1]);

    std::string path = program;
    char* args[] = {path.data(), nullptr};

    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int spawned =
        posix_spawn(&pid, program.c_str(), &actions, nullptr, args, environment.data());
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeFds[1]);
    if (spawned != 0) {
        ::close(pipeFds[0]);
        return std::nullopt;
    }

    char signal = 0;
    const bool signalled = ::read(pipeFds[0], &signal, 1) == 1 && signal == frameSignal;
    const auto shown = std::chrono::steady_clock::now();
    ::close(pipeFds[0]);

    int status = 0;
    rusage usage{};
    if (::wait4(pid, &status, 0, &usage) != pid || !signalled || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0) {
        return std::nullopt;
    }
    ChildRun run;
    run.startupMs = std::chrono::duration<double, std::milli>(shown - start).count();
    const auto milliseconds = [](const timeval& t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; };
    run.cpuMs = milliseconds(usage.ru_utime) + milliseconds(usage.ru_stime);
    run.peakKiB = double(usage.ru_maxrss);
    return run;
}

} // namespace quorvel::bench
