// Times the remove-spaces batch with the real rename service against the
// least the same work can cost: read the names once, make each new name,
// and rename each with one system call.
//
//   bench_batch [FILES]      (default 100000)

#include "batch.h"
#include "benchutil.h"
#include "namefile.h"

#include <cstdio>
#include <dirent.h>
#include <stdexcept>
#include <utility>

using namespace quillet;

namespace {

constexpr int kRounds = 3;

std::vector<std::string> readNames(int folderFd)
{
    DIR *dir = ::fdopendir(::dup(folderFd));
    std::vector<std::string> names;
    while (const dirent *entry = ::readdir(dir))
        if (entry->d_name[0] != '.')
            names.emplace_back(entry->d_name);
    ::closedir(dir);
    return names;
}

double baselineRun(int fileCount)
{
    bench::TempFolder folder;
    folder.fill(fileCount);

    const auto start = bench::Clock::now();
    const int folderFd = ::open(folder.path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    std::string newName;
    for (const auto &name : readNames(folderFd)) {
        newName.clear();
        for (const char c : name)
            if (c != ' ')
                newName += c;
        if (::renameat2(folderFd, name.c_str(), folderFd, newName.c_str(), RENAME_NOREPLACE) != 0)
            throw std::runtime_error("baseline rename failed: " + name);
    }
    ::close(folderFd);
    return bench::millisecondsSince(start);
}

struct Names final : NameList
{
    std::vector<std::string> names;
    int ListCount() const override { return static_cast<int>(names.size()); }
    std::string List(int index) const override { return names[static_cast<std::size_t>(index)]; }
};

struct Folder final : FolderSource
{
    std::string path;
    std::string FolderPath() const override { return path; }
};

struct Unchecked final : UnderscoreFlag
{
    int Value() const override { return 0; }
};

struct Lines final : ResultSink
{
    std::vector<std::string> lines;
    void Clear() override { lines.clear(); }
    void AddItem(const std::string &line) override { lines.push_back(line); }
};

double batchRun(int fileCount)
{
    bench::TempFolder folder;
    folder.fill(fileCount);
    // The names in the order the folder gives them, as the baseline renames them.
    const int folderFd = ::open(folder.path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    Names names;
    names.names = readNames(folderFd);
    ::close(folderFd);
    Folder source;
    source.path = folder.path();
    Unchecked flag;
    Lines results;
    FileRenamer renamer;

    const auto start = bench::Clock::now();
    RunRemoveSpaces({names, source, flag, results, renamer});
    const double elapsed = bench::millisecondsSince(start);
    if (results.lines.size() != names.names.size())
        throw std::runtime_error("the batch did not list every file");
    return elapsed;
}

} // namespace

int main(int argc, char **argv)
{
    const int fileCount = bench::fileCount(argc, argv, 100000);
    std::printf("Renaming %d files, %d rounds\n", fileCount, kRounds);
    const double ratio = bench::compare(
        "batch", kRounds, [=] { return batchRun(fileCount); }, [=] { return baselineRun(fileCount); });
    std::printf("batch/baseline ratio: %.2f\n", ratio);
    return 0;
}
