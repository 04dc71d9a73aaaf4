// Times the remove-spaces batch with the real rename service against the
// least the same work can cost: read the names once, make each new name,
// and rename each with one system call.
//
//   bench_batch [FILES]      (default 100000)

#include "batch.h"
#include "benchutil.h"
#include "namefile.h"

#include <cstdio>
#include <stdexcept>

using namespace quillet;

namespace {

constexpr int kRounds = 5;

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

double baselineRun(int fileCount)
{
    bench::TempFolder folder;
    folder.fill(fileCount);
    return bench::renameBaseline(folder.path());
}

double batchRun(int fileCount)
{
    bench::TempFolder folder;
    folder.fill(fileCount);
    // In the order the baseline renames them: the order of renames in a large
    // folder changes what they cost, and this compares the work per file.
    Names names;
    names.names = bench::readNames(folder.path());
    Folder source;
    source.path = folder.path();
    Unchecked flag;
    Lines results;
    // As the window renames: relative to the folder held open, remembering
    // for the next files which ways the file system lacks.
    const HeldFolder held(folder.path());
    FileRenamer renamer(held);

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
    std::setvbuf(stdout, nullptr, _IOLBF, 0); // show each round as it ends
    const int fileCount = bench::fileCount(argc, argv, 100000);
    std::printf("Renaming %d files, %d rounds\n", fileCount, kRounds);
    std::vector<double> batch;
    std::vector<double> baseline;
    for (int round = 0; round < kRounds; ++round) {
        // Which goes first changes from round to round, so that neither
        // always meets the disk just after the other's clean-up.
        if (round % 2 == 0) {
            baseline.push_back(baselineRun(fileCount));
            batch.push_back(batchRun(fileCount));
        } else {
            batch.push_back(batchRun(fileCount));
            baseline.push_back(baselineRun(fileCount));
        }
        std::printf("  round %d: baseline %.1f ms, batch %.1f ms\n", round + 1, baseline.back(),
                    batch.back());
    }
    std::printf("batch/baseline ratio: %.2f\n", bench::report("batch", batch, baseline));
    return 0;
}
