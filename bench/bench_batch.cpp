// Times the remove-spaces batch with the real rename service against the
// least the same work can cost: read the names once, make each new name,
// and rename each with one system call. With --fat, on a real FAT file
// system mounted through FUSE, against the least that renaming there can
// safely cost (see fatmode.h).
//
//   bench_batch [FILES]          (default 100000)
//   bench_batch --fat [FILES]    (default 200)

#include "batch.h"
#include "benchutil.h"
#include "fatmode.h"
#include "namefile.h"

#include <cstdio>
#include <stdexcept>
#include <string_view>

using namespace quillet;

namespace {

constexpr int kRounds = 5;

// Renames every file of \a folder with the batch, in the order the folder
// lists them, as the baselines do: the order of renames in a large folder
// changes what they cost, and this compares the work per file.
double batchRun(const std::string &folder)
{
    const BatchRequest request{bench::readNames(folder)};
    // As the window renames: relative to the folder held open, remembering
    // for the next files which ways the file system lacks.
    FileRenamer renamer{HeldFolder(folder)};

    const auto start = bench::Clock::now();
    const RenamingResult result = RunRemoveSpaces(request, renamer);
    const double elapsed = bench::millisecondsSince(start);
    if (result.renamed.size() != request.names.size())
        throw std::runtime_error("the batch did not rename every file");
    return elapsed;
}

double onFreshFolder(int fileCount, double (*run)(const std::string &folder))
{
    bench::TempFolder folder;
    folder.fill(fileCount);
    return run(folder.path());
}

} // namespace

int main(int argc, char **argv)
{
    std::setvbuf(stdout, nullptr, _IOLBF, 0); // show each round as it ends
    if (argc > 1 && std::string_view(argv[1]) == "--fat")
        return bench::CompareOnFat(bench::fileCount(argc - 1, argv + 1, 200), batchRun);

    const int fileCount = bench::fileCount(argc, argv, 100000);
    std::printf("Renaming %d files, %d rounds\n", fileCount, kRounds);
    const double ratio = bench::compareRounds(
        "batch", kRounds,
        [&] {
            return onFreshFolder(fileCount, [](const std::string &folder) {
                return bench::renameBaseline(folder, bench::readNames(folder));
            });
        },
        [&] { return onFreshFolder(fileCount, batchRun); });
    std::printf("batch/baseline ratio: %.2f\n", ratio);
    return 0;
}
