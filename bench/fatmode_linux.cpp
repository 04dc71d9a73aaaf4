#include "fatmode.h"

#include "benchutil.h"
#include "testmount.h"

#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace bench {

namespace {

using testutil::FileSystem;
using testutil::Mount;

// Fewer than the other mode: every file costs milliseconds through FUSE.
constexpr int kFatRounds = 3;

// The least renaming costs where the file system offers neither
// RENAME_NOREPLACE nor hard links and nothing may be overwritten: look the
// file up for its identity, claim the new name with an exclusive create,
// then rename over the claim.
double placeholderBaseline(const std::string &folder)
{
    const auto start = Clock::now();
    const int folderFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    for (const auto &name : readNames(folder)) {
        const std::string newName = withoutSpaces(name);
        struct statx identity
        {
        };
        if (::statx(folderFd, name.c_str(), AT_SYMLINK_NOFOLLOW, STATX_INO | STATX_BTIME,
                    &identity) != 0)
            throw std::runtime_error("baseline lookup failed: " + name);
        const int fd = ::openat(folderFd, newName.c_str(),
                                O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd < 0 || ::close(fd) != 0 ||
            ::renameat(folderFd, name.c_str(), folderFd, newName.c_str()) != 0)
            throw std::runtime_error("baseline rename failed: " + name);
    }
    ::close(folderFd);
    return millisecondsSince(start);
}

// An image and the folder it is mounted on, in the temporary folder \a where.
struct ImagePaths
{
    std::string image;
    std::string mountPoint;

    explicit ImagePaths(const TempFolder &where)
        : image(where.path() + "/image"), mountPoint(where.path() + "/mnt")
    {
        std::filesystem::create_directory(mountPoint);
    }
    std::string photos() const { return mountPoint + "/photos"; }
};

// Creating files through FUSE FAT is slow, so the files are made once, in
// this image, and every run gets a byte-for-byte copy of it.
void makeImage(const ImagePaths &paths, int fileCount)
{
    const Mount mount(FileSystem::Fat, paths.image, paths.mountPoint);
    std::filesystem::create_directory(paths.photos());
    for (int i = 0; i < fileCount; ++i) {
        const std::string path = paths.photos() + '/' + photoName(i);
        const int fd = ::open(path.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0644);
        if (fd < 0)
            throw std::runtime_error("cannot create " + path);
        ::close(fd);
    }
}

double onFreshCopy(const ImagePaths &original, FolderRun run)
{
    const TempFolder where;
    const ImagePaths copy(where);
    std::filesystem::copy_file(original.image, copy.image);
    const Mount mount(FileSystem::Fat, copy.image, copy.mountPoint);
    return run(copy.photos());
}

} // namespace

int CompareOnFat(int fileCount, FolderRun batch)
{
    if (const std::string reason = testutil::mountUnavailable(FileSystem::Fat); !reason.empty()) {
        std::fprintf(stderr, "Cannot mount FAT here: %s.\n", reason.c_str());
        return 1;
    }
    std::printf("Renaming %d files on FAT through FUSE, %d rounds\n", fileCount, kFatRounds);
    const TempFolder where;
    const ImagePaths original(where);
    makeImage(original, fileCount);
    const double ratio = compareRounds(
        "fat batch", kFatRounds, [&] { return onFreshCopy(original, placeholderBaseline); },
        [&] { return onFreshCopy(original, batch); });
    std::printf("fat batch/baseline ratio: %.2f\n", ratio);
    return 0;
}

} // namespace bench
