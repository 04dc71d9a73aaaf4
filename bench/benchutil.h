#pragma once

// Shared by the benchmarks: folders of generated files, and timing that
// alternates a measured step with its baseline so that both see the same
// machine load.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fcntl.h>
#include <functional>
#include <stdexcept>
#include <string>
#include <unistd.h>
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
    TempFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "quillet-bench-XXXXXX").native();
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("cannot create a temporary folder");
        m_path = pattern;
    }
    ~TempFolder() { std::filesystem::remove_all(m_path); }
    TempFolder(const TempFolder &) = delete;
    TempFolder &operator=(const TempFolder &) = delete;

    const std::string &path() const { return m_path; }

    /// Creates an empty file named \a name in the folder.
    void add(const std::string &name) const
    {
        const int fd = ::open((m_path + '/' + name).c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
        if (fd < 0)
            throw std::runtime_error("cannot create " + name);
        ::close(fd);
    }

    /// Creates \a photos photo-like files and \a others files that a "*.JPG"
    /// pattern leaves out.
    void fill(int photos, int others = 0) const
    {
        for (int i = 0; i < photos; ++i)
            add(photoName(i));
        for (int i = 0; i < others; ++i)
            add("other " + std::to_string(i) + ".png");
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

/// A measured step: prepares what it needs untimed, then times only the work.
using Step = std::function<double()>;

/// Runs \a measured and \a baseline alternately \a rounds times, prints both
/// medians and returns their ratio (measured / baseline).
inline double compare(const char *label, int rounds, const Step &measured, const Step &baseline)
{
    std::vector<double> measuredTimes;
    std::vector<double> baselineTimes;
    for (int round = 0; round < rounds; ++round) {
        baselineTimes.push_back(baseline());
        measuredTimes.push_back(measured());
        std::printf("  %s round %d: baseline %.1f ms, measured %.1f ms\n", label, round + 1,
                    baselineTimes.back(), measuredTimes.back());
    }
    const double baselineMedian = median(baselineTimes);
    const double measuredMedian = median(measuredTimes);
    std::printf("%s: baseline median %.1f ms, measured median %.1f ms\n", label, baselineMedian,
                measuredMedian);
    return measuredMedian / baselineMedian;
}

/// The number of files to make: the first argument, or \a fallback.
inline int fileCount(int argc, char **argv, int fallback)
{
    return argc > 1 ? std::atoi(argv[1]) : fallback;
}

} // namespace bench
