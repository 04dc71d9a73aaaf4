// Drives the real window offscreen on a folder of photo-like files and
// times what a user waits for, each against the least the same work can
// cost, measured in the same run:
//   open       File1's Path assigned, until the list holds every match, sorted
//   keystroke  "*.JP" -> "*.JPG" typed in the pattern box, until the list is new
//              (its baseline: the names read filtered in memory with the
//              pattern and sorted)
//   click      "Remove Spaces" clicked, until the batch has listed every name
//              (its baseline: the listed files renamed in the order listed)
//   undo       the batch undone, until the file list has read the folder again
//              (its baseline: the renames in the other order, then the
//              folder listed)
// the longest time the window's event loop went without running while the
// folder was opened, while typing (the folder is read again in the background
// once typing pauses), during the click, and during a batch of a few files one
// of which the file system takes 2 s to rename, and the memory the window
// needs per listed file.
//
//   bench_window [FILES [ROUNDS]]     (default 100000, plus 1000 "*.png" files;
//                                      5 rounds)

#include "benchutil.h"
#include "commandbutton.h"
#include "filelistbox.h"
#include "foldermodel.h"
#include "form1.h"
#include "listbox.h"
#include "namefile.h"
#include "namematch.h"
#include "textbox.h"

#include <QAction>
#include <QApplication>
#include <QEventLoop>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <dirent.h>
#include <fstream>
#include <malloc.h>
#include <strings.h>
#include <thread>

using namespace quillet;

namespace {

constexpr int kRounds = 5;
// Opening and typing leave the folder as it was: each round times them this
// many times over, alternating with their baselines, as one reading of a
// folder is short enough for the machine's noise to swamp it.
constexpr int kListingRepeats = 5;
constexpr int kOtherFiles = 1000;
constexpr int kHangingBatchFiles = 20;
constexpr std::chrono::seconds kHang{2};

/// What the file list shows of \a folder with the pattern "*.JPG": the
/// folder read once, the names that end in ".JPG" in any case, sorted.
std::vector<std::string> listedPhotos(const std::string &folder)
{
    DIR *dir = ::opendir(folder.c_str());
    std::vector<std::string> names;
    while (const dirent *entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (name[0] != '.' && name.size() >= 4 &&
            ::strcasecmp(name.data() + name.size() - 4, ".JPG") == 0)
            names.emplace_back(name);
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end(), NaturalLess);
    return names;
}

/// Hands the memory a baseline freed back to the system. A million names
/// made and freed on this thread would be left for the window's next large
/// allocation to merge, a stall of a quarter of a second on a million files
/// that is the benchmark's own, not the window's.
void forgetBaseline()
{
    malloc_trim(0);
}

double listBaseline(const std::string &folder)
{
    const auto start = bench::Clock::now();
    listedPhotos(folder);
    const double time = bench::millisecondsSince(start);
    forgetBaseline();
    return time;
}

/// The time to filter \a names in memory with the pattern "*.JPG" and sort
/// what matches.
double filterBaseline(const LineBlock &names)
{
    const auto start = bench::Clock::now();
    const NamePattern pattern("*.JPG");
    std::vector<std::string_view> matches;
    for (std::size_t index = 0; index < names.size(); ++index)
        if (pattern.matches(names[index]))
            matches.push_back(names[index]);
    std::sort(matches.begin(), matches.end(), NaturalLess);
    return bench::millisecondsSince(start);
}

/// How many readings of a folder the window's folder model has finished.
std::atomic<int> readingsMade{0};

/// Bytes the program holds on its heap, large blocks mapped on their own included.
std::size_t heapInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

/// The most memory the process has held resident, in KiB.
long peakResidentKiB()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.starts_with("VmHWM:"))
            return std::stol(line.substr(6));
    return -1;
}

template <typename Control> Control *control(Form1 &form, const char *name)
{
    return form.findChild<Control *>(QString::fromLatin1(name));
}

struct Measures
{
    std::vector<double> open, openBaseline, keystroke, keystrokeBaseline, click, clickBaseline,
        undo, undoBaseline;
    double longestPause = 0;
    double longestOpenPause = 0;
    double longestTypingPause = 0;
    int readingsPerOpen = 0;
};

/// How often the benchmark looks at the event loop: often enough to see a
/// pause to the millisecond, not so often that the loop never rests, as the
/// window's own loop does while a job runs beside it.
constexpr std::chrono::milliseconds kLookEvery{1};

/// The longest time the event loop goes without running while it lives: a
/// timer that fires each time the loop runs notes the time since it last
/// did. Ends with one more run of the loop, which the window's work held off.
class PauseMeter final
{
public:
    PauseMeter()
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] { note(); });
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.start(kLookEvery);
    }
    ~PauseMeter() = default;
    PauseMeter(const PauseMeter &) = delete;
    PauseMeter &operator=(const PauseMeter &) = delete;

    double stop()
    {
        QCoreApplication::processEvents();
        m_timer.stop();
        return m_longest;
    }

private:
    void note()
    {
        const auto now = bench::Clock::now();
        m_longest =
            std::max(m_longest, std::chrono::duration<double, std::milli>(now - m_last).count());
        m_last = now;
    }

    QTimer m_timer;
    bench::Clock::time_point m_last = bench::Clock::now();
    double m_longest = 0;
};

/// Runs the event loop until \a done() holds.
template <typename Done> void runUntil(const Done &done)
{
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done())
            loop.quit();
    });
    poll.setTimerType(Qt::PreciseTimer);
    poll.start(kLookEvery);
    loop.exec();
}

/// Runs the event loop until \a list has read its folder and shows it.
void waitForList(FileListBox &list)
{
    auto *folders = list.window()->findChild<FolderModel *>();
    QEventLoop loop;
    QObject::connect(folders, &FolderModel::Changed, &loop, [&] {
        if (!list.IsReading())
            loop.quit();
    });
    if (list.IsReading())
        loop.exec();
}

/// Clicks \a button and waits until the work it started has ended: the
/// window takes input again.
void clickAndWait(QAbstractButton *button)
{
    QTest::mouseClick(button, Qt::LeftButton);
    runUntil([button] { return button->isEnabled(); });
}

/// Renames the real files, but takes \a kHang over one of them, as a file
/// system that stops answering for a while.
class HangingRenamer final : public RenameService
{
public:
    explicit HangingRenamer(HeldFolder folder) : m_files(std::move(folder)) {}
    FileIdentity NameFile(const std::string &oldName, const std::string &newName,
                          const std::optional<FileIdentity> &expected) override
    {
        if (++m_count == kHangingBatchFiles / 2)
            std::this_thread::sleep_for(kHang);
        return m_files.NameFile(oldName, newName, expected);
    }

private:
    FileRenamer m_files;
    int m_count = 0;
};

/// The longest the event loop of a window goes without running during a
/// batch one of whose renames hangs.
double pauseWhileRenameHangs()
{
    Services services;
    services.makeRenamer = [](HeldFolder folder) {
        return std::make_unique<HangingRenamer>(std::move(folder));
    };
    Form1 form(services);
    form.show();
    bench::TempFolder folder;
    folder.fill(kHangingBatchFiles);
    auto *file1 = control<FileListBox>(form, "File1");
    file1->SetPath(folder.path());
    waitForList(*file1);
    PauseMeter pauses;
    clickAndWait(control<CommandButton>(form, "Command1"));
    return pauses.stop();
}

/// Times opening \a folder and typing the last letter of "*.JPG", each
/// right after its baseline.
void measureListing(Form1 &form, const std::string &folder, Measures &measures)
{
    auto *file1 = control<FileListBox>(form, "File1");
    auto *pattern = control<TextBox>(form, "txtPattern");
    measures.openBaseline.push_back(listBaseline(folder));
    PauseMeter openPauses;
    const int readingsBefore = readingsMade;
    auto start = bench::Clock::now();
    file1->SetPath(folder);
    waitForList(*file1);
    measures.open.push_back(bench::millisecondsSince(start));
    measures.readingsPerOpen = std::max(measures.readingsPerOpen, readingsMade - readingsBefore);
    measures.longestOpenPause = std::max(measures.longestOpenPause, openPauses.stop());

    pattern->setText(QStringLiteral("*.JP"));
    waitForList(*file1);
    const auto *folders = form.findChild<FolderModel *>();
    measures.keystrokeBaseline.push_back(filterBaseline(folders->Files()));
    PauseMeter typingPauses;
    start = bench::Clock::now();
    QTest::keyClick(pattern, Qt::Key_G, Qt::ShiftModifier);
    measures.keystroke.push_back(bench::millisecondsSince(start));
    // The folder is read again once typing pauses; the baselines that follow
    // must not share the machine with that reading.
    const int readingsBeforePause = readingsMade;
    runUntil([&] { return readingsMade > readingsBeforePause && folders->ReadingsUnderWay() == 0; });
    QTest::qWait(50);
    measures.longestTypingPause = std::max(measures.longestTypingPause, typingPauses.stop());
}

void runRound(Form1 &form, int fileCount, Measures &measures)
{
    auto *file1 = control<FileListBox>(form, "File1");
    auto *list1 = control<ListBox>(form, "List1");
    bench::TempFolder folder;
    folder.fill(fileCount, kOtherFiles);
    for (int repeat = 0; repeat < kListingRepeats; ++repeat)
        measureListing(form, folder.path(), measures);
    if (file1->ListCount() != fileCount)
        throw std::runtime_error("the file list does not hold every photo");

    bench::TempFolder baselineFolder;
    baselineFolder.fill(fileCount, kOtherFiles);
    measures.clickBaseline.push_back(
        bench::renameBaseline(baselineFolder.path(), listedPhotos(baselineFolder.path())));
    forgetBaseline();
    PauseMeter pauses;
    auto start = bench::Clock::now();
    clickAndWait(control<CommandButton>(form, "Command1"));
    measures.click.push_back(bench::millisecondsSince(start));
    measures.longestPause = std::max(measures.longestPause, pauses.stop());
    if (list1->ListCount() != fileCount)
        throw std::runtime_error("the batch did not list every file");

    bench::TempFolder undoBaselineFolder;
    undoBaselineFolder.fill(fileCount, kOtherFiles);
    // An undo renames every file back and then reads the folder again.
    std::vector<std::string> backwards = listedPhotos(undoBaselineFolder.path());
    std::reverse(backwards.begin(), backwards.end());
    measures.undoBaseline.push_back(bench::renameBaseline(undoBaselineFolder.path(), backwards) +
                                    listBaseline(undoBaselineFolder.path()));
    start = bench::Clock::now();
    list1->actions().first()->trigger();
    auto *command1 = control<CommandButton>(form, "Command1");
    runUntil([command1] { return command1->isEnabled(); });
    measures.undo.push_back(bench::millisecondsSince(start));
    if (list1->ListCount() != 0 || file1->List(0) != bench::photoName(0))
        throw std::runtime_error("the undo did not name every file back");
}

struct Memory
{
    /// The heap the window holds per listed file beyond the bytes of its name.
    double perListedFile = 0;
    /// The heap the window holds after a batch per renamed file (the result
    /// list, the undo record) beyond the bytes of its old and new names.
    double perRenamedFile = 0;
};

/// Prints the peak resident memory and returns what the window holds per
/// file beyond the names.
Memory measureMemory(Form1 &form, int fileCount)
{
    auto *file1 = control<FileListBox>(form, "File1");
    bench::TempFolder empty;
    file1->SetPath(empty.path());
    waitForList(*file1);
    const std::size_t heapEmpty = heapInUse();

    bench::TempFolder folder;
    folder.fill(fileCount, kOtherFiles);
    file1->SetPath(folder.path());
    waitForList(*file1);
    const std::size_t heapListed = heapInUse();
    std::printf("peak resident after opening: %ld KiB\n", peakResidentKiB());
    clickAndWait(control<CommandButton>(form, "Command1"));
    QTest::qWait(500); // what went is freed on threads of its own
    const std::size_t heapRenamed = heapInUse();
    std::printf("peak resident after the batch: %ld KiB\n", peakResidentKiB());

    std::size_t nameBytes = 0;
    std::size_t newNameBytes = 0;
    auto *list1 = control<ListBox>(form, "List1");
    for (int i = 0; i < file1->ListCount(); ++i) {
        nameBytes += file1->List(i).size();
        newNameBytes += list1->List(i).size();
    }
    const auto perFile = [fileCount](std::size_t grown, std::size_t names) {
        return (static_cast<double>(grown) - static_cast<double>(names)) / fileCount;
    };
    std::printf("heap growth for the listed folder: %zu bytes, of which names %zu bytes\n",
                heapListed - heapEmpty, nameBytes);
    std::printf("heap growth for the batch: %zu bytes, names old and new %zu bytes\n",
                heapRenamed - heapListed, nameBytes + newNameBytes);
    return {perFile(heapListed - heapEmpty, nameBytes),
            perFile(heapRenamed - heapListed, nameBytes + newNameBytes)};
}

} // namespace

int main(int argc, char **argv)
{
    std::setvbuf(stdout, nullptr, _IOLBF, 0); // show each round as it ends
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int fileCount = bench::fileCount(argc, argv, 100000);
    // A round on a million files takes minutes.
    const int rounds = argc > 2 ? std::atoi(argv[2]) : kRounds;
    std::printf("Window on %d photos and %d other files, %d rounds\n", fileCount, kOtherFiles,
                rounds);

    Services services;
    services.readFolder = [](const HeldFolder &folder) {
        FolderEntries entries = ReadFolder(folder);
        ++readingsMade;
        return entries;
    };
    Form1 form(services);
    form.show();
    // First, while the peak resident memory is the window's own.
    const Memory memory = measureMemory(form, fileCount);
    Measures measures;
    for (int round = 0; round < rounds; ++round) {
        runRound(form, fileCount, measures);
        std::printf("  round %d: open %.1f/%.1f ms, keystroke %.1f/%.1f ms, click %.1f/%.1f ms, "
                    "undo %.1f/%.1f ms\n",
                    round + 1, measures.open.back(), measures.openBaseline.back(),
                    measures.keystroke.back(), measures.keystrokeBaseline.back(),
                    measures.click.back(), measures.clickBaseline.back(), measures.undo.back(),
                    measures.undoBaseline.back());
    }
    const double open = bench::report("open", measures.open, measures.openBaseline);
    const double keystroke =
        bench::report("keystroke/filter", measures.keystroke, measures.keystrokeBaseline);
    const double click = bench::report("click", measures.click, measures.clickBaseline);
    const double undo = bench::report("undo", measures.undo, measures.undoBaseline);
    std::printf("keystroke median: %.1f ms\n", bench::median(measures.keystroke));
    std::printf("open/baseline ratio: %.2f\n", open);
    std::printf("readings per open: %d\n", measures.readingsPerOpen);
    std::printf("keystroke/filter ratio: %.2f\n", keystroke);
    std::printf("longest pause while typing: %.0f ms\n", measures.longestTypingPause);
    std::printf("longest pause while opening: %.0f ms\n", measures.longestOpenPause);
    std::printf("click/baseline ratio: %.2f\n", click);
    std::printf("longest pause during the batch: %.0f ms\n", measures.longestPause);
    std::printf("longest pause while one rename hangs: %.0f ms\n", pauseWhileRenameHangs());
    std::printf("undo/baseline ratio: %.2f\n", undo);
    std::printf("bytes per file: %.0f\n", memory.perListedFile);
    std::printf("bytes per renamed file: %.0f\n", memory.perRenamedFile);
    return 0;
}
