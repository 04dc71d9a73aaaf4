#include "fatmount.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <stdexcept>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace testutil {

namespace {

constexpr const char *kTimeLimitSeconds = "60";
constexpr std::uintmax_t kImageBytes = 32 << 20;

struct Tools
{
    const char *mkfs;
    const char *mountDaemon;
    const char *packages;
};

Tools toolsOf(FatKind kind)
{
    if (kind == FatKind::Fat)
        return {"mkfs.fat", "fusefat", "dosfstools and fusefat"};
    return {"mkfs.exfat", "mount.exfat-fuse", "exfatprogs and exfat-fuse"};
}

bool onPath(const std::string &tool)
{
    const char *path = std::getenv("PATH");
    std::string folders = path ? path : "";
    for (std::size_t start = 0; start <= folders.size();) {
        const std::size_t end = std::min(folders.find(':', start), folders.size());
        if (::access((folders.substr(start, end - start) + '/' + tool).c_str(), X_OK) == 0)
            return true;
        start = end + 1;
    }
    return false;
}

std::string commandLine(const std::vector<std::string> &command)
{
    std::string line;
    for (const auto &word : command)
        line += (line.empty() ? "" : " ") + word;
    return line;
}

std::string readAll(int fd)
{
    std::string text;
    char buffer[4096];
    ::lseek(fd, 0, SEEK_SET);
    for (ssize_t count; (count = ::read(fd, buffer, sizeof buffer)) > 0;)
        text.append(buffer, static_cast<std::size_t>(count));
    return text;
}

int waitFor(pid_t child)
{
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    return status;
}

// Runs \a command under coreutils' timeout, which kills it when the time is
// up, and returns what it wrote. Its output goes to a file of its own rather
// than to ours, so that a daemon it leaves running holds no pipe of the
// test runner open. Throws with that output when the command fails.
std::string run(const std::vector<std::string> &command)
{
    std::vector<std::string> limited{"timeout", "-s", "KILL", kTimeLimitSeconds};
    limited.insert(limited.end(), command.begin(), command.end());
    std::vector<char *> argv;
    for (auto &word : limited)
        argv.push_back(word.data());
    argv.push_back(nullptr);

    char outputPath[] = "/tmp/quillet-tool-XXXXXX";
    const int output = ::mkostemp(outputPath, O_CLOEXEC);
    if (output < 0)
        throw std::runtime_error("cannot make a file for the output of " + command[0]);
    ::unlink(outputPath);
    posix_spawn_file_actions_t actions;
    ::posix_spawn_file_actions_init(&actions);
    ::posix_spawn_file_actions_adddup2(&actions, output, STDOUT_FILENO);
    ::posix_spawn_file_actions_adddup2(&actions, output, STDERR_FILENO);
    pid_t child = 0;
    const int spawnError =
        ::posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ);
    ::posix_spawn_file_actions_destroy(&actions);
    const int status = spawnError == 0 ? waitFor(child) : 0;
    const std::string said = readAll(output);
    ::close(output);

    if (spawnError != 0)
        throw std::runtime_error("cannot start timeout to run " + command[0]);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        const bool timedOut = WIFEXITED(status) && WEXITSTATUS(status) == 128 + SIGKILL;
        throw std::runtime_error(commandLine(command) +
                                 (timedOut ? " did not finish within the time limit: "
                                           : " failed: ") +
                                 said);
    }
    return said;
}

std::string firstLine(const std::string &text)
{
    return text.substr(0, text.find('\n'));
}

// A FUSE mount whose daemon died answers ENOTCONN; it is still mounted.
bool isMountPoint(const std::string &path)
{
    struct stat folder
    {
    };
    struct stat parent
    {
    };
    if (::stat(path.c_str(), &folder) != 0)
        return errno == ENOTCONN;
    return ::stat((path + "/..").c_str(), &parent) == 0 && parent.st_dev != folder.st_dev;
}

} // namespace

const char *fatName(FatKind kind)
{
    return kind == FatKind::Fat ? "FAT" : "exFAT";
}

std::string fatUnavailable(FatKind kind)
{
    if (::geteuid() != 0)
        return "mounting needs the superuser";
    if (::access("/dev/fuse", R_OK | W_OK) != 0)
        return "there is no usable /dev/fuse";
    if (kind == FatKind::ExFat && ::access("/dev/loop-control", R_OK | W_OK) != 0)
        return "there are no loop devices";
    const Tools tools = toolsOf(kind);
    for (const char *tool : {tools.mkfs, tools.mountDaemon, "losetup", "umount", "timeout"}) {
        if (!onPath(tool))
            return std::string(tool) + " is not installed (Debian packages " + tools.packages +
                   ", mount, coreutils)";
    }
    return {};
}

void makeFatImage(FatKind kind, const std::string &imagePath)
{
    std::ofstream(imagePath, std::ios::binary);
    std::filesystem::resize_file(imagePath, kImageBytes);
    run({toolsOf(kind).mkfs, imagePath});
}

FatMount::FatMount(FatKind kind, const std::string &imagePath, const std::string &mountPoint)
    : m_mountPoint(mountPoint)
{
    try {
        if (kind == FatKind::Fat) {
            run({"fusefat", "-o", "rw+", imagePath, mountPoint});
        } else {
            m_loopDevice = firstLine(run({"losetup", "--find", "--show", imagePath}));
            run({"mount.exfat-fuse", m_loopDevice, mountPoint});
        }
        if (!isMountPoint(mountPoint))
            throw std::runtime_error(std::string(fatName(kind)) + " image " + imagePath +
                                     " did not mount on " + mountPoint);
    } catch (...) {
        release();
        throw;
    }
}

FatMount::~FatMount()
{
    release();
}

// A mount that is busy is detached lazily: it goes once nothing uses it.
void FatMount::release() noexcept
{
    try {
        if (isMountPoint(m_mountPoint)) {
            try {
                run({"umount", m_mountPoint});
            } catch (const std::runtime_error &) {
                run({"umount", "--lazy", m_mountPoint});
            }
        }
        if (!m_loopDevice.empty())
            run({"losetup", "--detach", m_loopDevice});
    } catch (const std::exception &error) {
        std::fprintf(stderr, "cleaning up %s: %s\n", m_mountPoint.c_str(), error.what());
    }
}

} // namespace testutil
