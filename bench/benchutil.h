#pragma once

// Shared by the benchmarks: folders of generated files, and timing that
// alternates a measured step with its baseline so that both see the same
// machine load. What calls the system has one file per system.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace bench {

/// The photo-like name of file number \a index, such as "IMG 000123 x.JPG".
inline std::string photoName(int index)
{
    char name[32];
    std::snprintf(name, sizeof name, "IMG %06d x.JPG", index);
    return name;
}

/// A fresh temporary folder that is removed with everything in it when the
/// object goes.
class TempFolder
{
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder &) = delete;
    TempFolder &operator=(const TempFolder &) = delete;

    const std::string &path() const { return m_path; }

    /// Creates an empty file named \a name in the folder.
    void add(const std::string &name) const;
    /// Waits until what the folder holds is on the disk.
    void writeOut() const;

    /// Creates \a photos photo-like files and \a others files that a "*.JPG"
    /// pattern leaves out, and has the system write them out, so that the
    /// writing does not slow down whatever is timed next.
    void fill(int photos, int others = 0) const
    {
        for (int i = 0; i < photos; ++i)
            add(photoName(i));
        for (int i = 0; i < others; ++i)
            add("other " + std::to_string(i) + ".png");
        writeOut();
    }

private:
    std::string m_path;
};

using Clock = std::chrono::steady_clock;

inline double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

inline double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

/// Prints the medians of \a measured and \a baseline times and returns the
/// ratio of the two.
inline double report(const char *label, const std::vector<double> &measured,
                     const std::vector<double> &baseline)
{
    const double measuredMedian = median(measured);
    const double baselineMedian = median(baseline);
    std::printf("%s: baseline median %.1f ms, measured median %.1f ms\n", label, baselineMedian,
                measuredMedian);
    return measuredMedian / baselineMedian;
}

/// Times \a baseline and \a measured once each a round, for \a rounds rounds,
/// printing each round, and returns the ratio of their medians. Which goes
/// first changes from round to round, so that neither always meets the disk
/// just after the other's clean-up.
inline double compareRounds(const char *label, int rounds, const std::function<double()> &baseline,
                            const std::function<double()> &measured)
{
    std::vector<double> measuredTimes;
    std::vector<double> baselineTimes;
    for (int round = 0; round < rounds; ++round) {
        if (round % 2 == 0) {
            baselineTimes.push_back(baseline());
            measuredTimes.push_back(measured());
        } else {
            measuredTimes.push_back(measured());
            baselineTimes.push_back(baseline());
        }
        std::printf("  round %d: baseline %.1f ms, %s %.1f ms\n", round + 1, baselineTimes.back(),
                    label, measuredTimes.back());
    }
    return report(label, measuredTimes, baselineTimes);
}

/// \a name without its spaces.
inline std::string withoutSpaces(const std::string &name)
{
    std::string newName;
    for (const char c : name)
        if (c != ' ')
            newName += c;
    return newName;
}

/// The names in \a folder, in the order the folder gives them.
std::vector<std::string> readNames(const std::string &folder);

/// Renames the files \a names of \a folder, in that order, to their names
/// without spaces, with the least work there is: for each, drop the spaces,
/// look the file up for its identity before and after, which an undo checks
/// on every file system, and rename it with one system call (statx from the
/// file system itself, renameat2 with RENAME_NOREPLACE; on Windows
/// GetFileInformationByHandle and MoveFileExW). The order matters: renaming
/// in a large folder costs more in some orders than in others. Returns the
/// milliseconds it took.
double renameBaseline(const std::string &folder, const std::vector<std::string> &names);

/// On POSIX, whether \a name in the open folder \a folder could be looked
/// up as the rename service looks a file up for its identity.
bool lookUp(int folder, const std::string &name);

/// The number of files to make: the first argument, or \a fallback.
inline int fileCount(int argc, char **argv, int fallback)
{
    return argc > 1 ? std::atoi(argv[1]) : fallback;
}

} // namespace bench
