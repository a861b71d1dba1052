// Faults a store write must survive, each staged in a child process so the
// test process keeps its own mounts, limits and state: being killed at any
// moment, a full disk and a read-only folder.
#pragma once

#include <chrono>
#include <functional>
#include <random>
#include <string>
#include <thread>

#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fault {

// Exit code of a child that could not stage its fault (no right to mount).
constexpr int kCannotStage = 77;

// Runs `body` in a child and returns its exit code, or 128 + signal.
inline int RunInChild(const std::function<int()>& body)
{
    const pid_t child = ::fork();
    if (child == 0) ::_exit(body());
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// Starts `writeForever` in a child and kills it after a random moment of up
// to `most`, mid-write as often as not.
inline void KillWhileWriting(const std::function<void()>& writeForever, std::chrono::microseconds most,
                             std::mt19937& random)
{
    const pid_t child = ::fork();
    if (child == 0) {
        writeForever();
        ::_exit(0);
    }
    std::this_thread::sleep_for(std::chrono::microseconds(std::uniform_int_distribution<long>(0, most.count())(random)));
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
}

// In a child only: puts a tmpfs of `bytes` over `folder` in a mount
// namespace of the child's own, so writes there soon find the disk full.
// False when the system does not let this process mount.
inline bool MountSmallFolder(const std::string& folder, std::size_t bytes)
{
    if (::unshare(CLONE_NEWNS) != 0) return false;
    if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) return false;
    const std::string size = "size=" + std::to_string(bytes);
    return ::mount("ostrel-fault", folder.c_str(), "tmpfs", 0, size.c_str()) == 0;
}

// In a child only, after MountSmallFolder: the folder becomes read-only.
inline bool MakeReadOnly(const std::string& folder)
{
    return ::mount(nullptr, folder.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
}

}  // namespace fault
