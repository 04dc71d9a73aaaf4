#include "testmount.h"

#include <algorithm>
#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <netinet/in.h>
#include <spawn.h>
#include <stdexcept>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace testutil {

namespace {

constexpr const char *kTimeLimitSeconds = "60";

using Command = std::vector<std::string>;

// How one file system is made and mounted. Words in braces are filled in:
// {image} is the image file or folder, {device} the loop device it is
// attached to, {mnt} the mount point, {port} a free port on 127.0.0.1.
struct Recipe
{
    FileSystem kind;
    const char *name;
    std::uintmax_t imageBytes = 0; // 0: the image is a folder
    std::vector<Command> make{};   // run once on a new image
    bool onLoopDevice = false;
    std::vector<Command> mount{};
    const char *seedFolder = nullptr; // where files go in below the mount point
    const char *daemonPidFile = nullptr;
    bool fuse = false;
    const char *packages = "mount";
};

// mkfs.btrfs and mkfs.xfs refuse images smaller than about 114 and 300 MiB.
// The images are sparse: only what is written takes room.
const std::vector<Recipe> &recipes()
{
    constexpr std::uintmax_t kMiB = 1 << 20;
    static const std::vector<Recipe> table{
        {.kind = FileSystem::Tmpfs,
         .name = "tmpfs",
         .mount = {{"mount", "-t", "tmpfs", "-o", "size=64m", "tmpfs", "{mnt}"}}},
        // Layers on one tmpfs, as a container's are; a file of the lower
        // layer is copied up to the upper one when renamed.
        {.kind = FileSystem::Overlay,
         .name = "overlayfs",
         .make = {{"mount", "-t", "tmpfs", "-o", "size=64m", "tmpfs", "{image}"},
                  {"mkdir", "{image}/lower", "{image}/upper", "{image}/work"}},
         .mount = {{"mount", "-t", "overlay", "overlay", "-o",
                    "lowerdir={image}/lower,upperdir={image}/upper,workdir={image}/work",
                    "{mnt}"}},
         .seedFolder = "{image}/lower"},
        {.kind = FileSystem::Btrfs,
         .name = "btrfs",
         .imageBytes = 128 * kMiB,
         .make = {{"mkfs.btrfs", "-q", "{image}"}},
         .onLoopDevice = true,
         .mount = {{"mount", "-t", "btrfs", "{device}", "{mnt}"}},
         .packages = "btrfs-progs"},
        {.kind = FileSystem::Xfs,
         .name = "xfs",
         .imageBytes = 320 * kMiB,
         .make = {{"mkfs.xfs", "-q", "{image}"}},
         .onLoopDevice = true,
         .mount = {{"mount", "-t", "xfs", "{device}", "{mnt}"}},
         .packages = "xfsprogs"},
        // fusefat reads the image file itself; exfat-fuse needs a device.
        {.kind = FileSystem::Fat,
         .name = "FAT",
         .imageBytes = 32 * kMiB,
         .make = {{"mkfs.fat", "{image}"}},
         .mount = {{"fusefat", "-o", "rw+", "{image}", "{mnt}"}},
         .fuse = true,
         .packages = "dosfstools and fusefat"},
        {.kind = FileSystem::ExFat,
         .name = "exFAT",
         .imageBytes = 32 * kMiB,
         .make = {{"mkfs.exfat", "{image}"}},
         .onLoopDevice = true,
         .mount = {{"mount.exfat-fuse", "{device}", "{mnt}"}},
         .fuse = true,
         .packages = "exfatprogs and exfat-fuse"},
        {.kind = FileSystem::Ntfs,
         .name = "NTFS-3G",
         .imageBytes = 32 * kMiB,
         .make = {{"mkfs.ntfs", "-F", "-Q", "-q", "{image}"}},
         .mount = {{"ntfs-3g", "{image}", "{mnt}"}},
         .fuse = true,
         .packages = "ntfs-3g"},
        // sshd with throwaway keys and no configuration but what it is given
        // here; sshfs logs in to it as root with the user key.
        {.kind = FileSystem::Sshfs,
         .name = "sshfs",
         .make = {{"mkdir", "{image}/export"},
                  {"ssh-keygen", "-q", "-t", "ed25519", "-N", "", "-f", "{image}/host"},
                  {"ssh-keygen", "-q", "-t", "ed25519", "-N", "", "-f", "{image}/user"}},
         .mount = {{"mkdir", "-p", "/run/sshd"},
                   {"sshd", "-f", "/dev/null", "-p", "{port}", "-o", "ListenAddress=127.0.0.1",
                    "-o", "HostKey={image}/host", "-o", "AuthorizedKeysFile={image}/user.pub",
                    "-o", "PermitRootLogin=prohibit-password", "-o", "StrictModes=no", "-o",
                    "PasswordAuthentication=no", "-o", "UsePAM=no", "-o",
                    "PidFile={image}/sshd.pid", "-o", "Subsystem=sftp internal-sftp"},
                   // sshd writes its pid file once it listens.
                   {"sh", "-c", "until [ -s {image}/sshd.pid ]; do sleep 0.1; done"},
                   {"sshfs", "-p", "{port}", "-o",
                    "IdentityFile={image}/user,StrictHostKeyChecking=no,"
                    "UserKnownHostsFile=/dev/null,BatchMode=yes",
                    "root@127.0.0.1:{image}/export", "{mnt}"}},
         .daemonPidFile = "{image}/sshd.pid",
         .fuse = true,
         .packages = "openssh-server, openssh-client and sshfs"},
    };
    return table;
}

const Recipe &recipeOf(FileSystem kind)
{
    return *std::ranges::find(recipes(), kind, &Recipe::kind);
}

// The full path of \a tool on PATH, or empty. sshd runs only by its full
// path.
std::string pathOf(const std::string &tool)
{
    const char *path = std::getenv("PATH");
    std::string folders = path ? path : "";
    for (std::size_t start = 0; start <= folders.size();) {
        const std::size_t end = std::min(folders.find(':', start), folders.size());
        const std::string candidate = folders.substr(start, end - start) + '/' + tool;
        if (::access(candidate.c_str(), X_OK) == 0)
            return candidate;
        start = end + 1;
    }
    return {};
}

std::string commandLine(const Command &command)
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
std::string run(const Command &command)
{
    const std::string tool = pathOf(command[0]);
    Command limited{"timeout", "-s", "KILL", kTimeLimitSeconds, tool.empty() ? command[0] : tool};
    limited.insert(limited.end(), command.begin() + 1, command.end());
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

// A port on 127.0.0.1 that nothing listens on now.
std::string freePort()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    auto *generic = reinterpret_cast<sockaddr *>(&address);
    const bool found = fd >= 0 && ::bind(fd, generic, size) == 0 &&
                       ::getsockname(fd, generic, &size) == 0;
    if (fd >= 0)
        ::close(fd);
    if (!found)
        throw std::runtime_error("no free port on 127.0.0.1");
    return std::to_string(ntohs(address.sin_port));
}

// Asks the daemon whose pid \a pidFile holds to end, and waits a while for it
// to remove that file, as sshd does when it ends.
void stopDaemon(const std::string &pidFile)
{
    pid_t pid = 0;
    if (!(std::ifstream(pidFile) >> pid) || pid <= 0)
        return;
    ::kill(pid, SIGTERM);
    for (int i = 0; i < 50 && std::filesystem::exists(pidFile); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
}

void unmount(const std::string &path)
{
    if (!isMountPoint(path))
        return;
    try {
        run({"umount", path});
    } catch (const std::runtime_error &) {
        // A mount that is busy is detached lazily: it goes once nothing uses it.
        run({"umount", "--lazy", path});
    }
}

// Runs \a step, telling on stderr rather than throwing when it fails, so
// that one step of a cleanup that fails does not stop the others.
void attempt(const std::string &what, const std::function<void()> &step) noexcept
{
    try {
        step();
    } catch (const std::exception &error) {
        std::fprintf(stderr, "cleaning up %s: %s\n", what.c_str(), error.what());
    }
}

} // namespace

const char *fileSystemName(FileSystem kind)
{
    return recipeOf(kind).name;
}

std::string mountUnavailable(FileSystem kind)
{
    const Recipe &recipe = recipeOf(kind);
    if (::geteuid() != 0)
        return "mounting needs the superuser";
    if (recipe.fuse && ::access("/dev/fuse", R_OK | W_OK) != 0)
        return "there is no usable /dev/fuse";
    if (recipe.onLoopDevice && ::access("/dev/loop-control", R_OK | W_OK) != 0)
        return "there are no loop devices";
    Command tools{"losetup", "umount", "timeout"};
    for (const auto *commands : {&recipe.make, &recipe.mount}) {
        for (const Command &command : *commands)
            tools.push_back(command.front());
    }
    for (const std::string &tool : tools) {
        if (pathOf(tool).empty())
            return tool + " is not installed (Debian packages " + recipe.packages +
                   ", mount, coreutils)";
    }
    return {};
}

Mount::Mount(FileSystem kind, const std::string &imagePath, const std::string &mountPoint)
    : m_kind(kind), m_image(imagePath), m_mountPoint(mountPoint)
{
    const Recipe &recipe = recipeOf(kind);
    try {
        if (!std::filesystem::exists(m_image)) {
            if (recipe.imageBytes == 0) {
                std::filesystem::create_directory(m_image);
            } else {
                std::ofstream(m_image, std::ios::binary);
                std::filesystem::resize_file(m_image, recipe.imageBytes);
            }
            for (const Command &command : recipe.make)
                run(expand(command));
        }
        if (recipe.onLoopDevice)
            m_loopDevice = firstLine(run({"losetup", "--find", "--show", m_image}));
        mount();
    } catch (...) {
        release();
        throw;
    }
}

Mount::~Mount()
{
    release();
}

void Mount::seed(const std::function<void(const std::string &folder)> &write)
{
    const char *below = recipeOf(m_kind).seedFolder;
    if (!below) {
        write(m_mountPoint);
        return;
    }
    write(expand(below));
    run({"umount", m_mountPoint});
    mount();
}

void Mount::mount()
{
    const Recipe &recipe = recipeOf(m_kind);
    if (recipe.daemonPidFile)
        m_port = freePort();
    for (const Command &command : recipe.mount)
        run(expand(command));
    if (!isMountPoint(m_mountPoint))
        throw std::runtime_error(std::string(recipe.name) + " from " + m_image +
                                 " did not mount on " + m_mountPoint);
}

// The image folder itself is a mount point where the file system's layers
// live on a tmpfs of their own.
void Mount::release() noexcept
{
    const Recipe &recipe = recipeOf(m_kind);
    attempt(m_mountPoint, [&] { unmount(m_mountPoint); });
    if (recipe.daemonPidFile)
        attempt(recipe.daemonPidFile, [&] { stopDaemon(expand(recipe.daemonPidFile)); });
    if (recipe.imageBytes == 0)
        attempt(m_image, [&] { unmount(m_image); });
    if (!m_loopDevice.empty())
        attempt(m_loopDevice, [&] { run({"losetup", "--detach", m_loopDevice}); });
}

std::string Mount::expand(std::string word) const
{
    using Blank = std::pair<std::string, const std::string &>;
    for (const auto &[name, value] : {Blank{"{image}", m_image}, Blank{"{device}", m_loopDevice},
                                      Blank{"{mnt}", m_mountPoint}, Blank{"{port}", m_port}}) {
        for (auto at = word.find(name); at != std::string::npos;
             at = word.find(name, at + value.size()))
            word.replace(at, name.size(), value);
    }
    return word;
}

std::vector<std::string> Mount::expand(std::vector<std::string> words) const
{
    for (std::string &word : words)
        word = expand(std::move(word));
    return words;
}

} // namespace testutil
