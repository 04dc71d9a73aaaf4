#pragma once

// Shared by the benchmarks: folders of generated files, and timing that
// alternates a measured step with its baseline so that both see the same
// machine load.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
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
        std::string pattern =
            (std::filesystem::temp_directory_path() / "quillet-bench-XXXXXX").native();
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

/// The names in \a folder, in the order the folder gives them.
inline std::vector<std::string> readNames(const std::string &folder)
{
    DIR *dir = ::opendir(folder.c_str());
    std::vector<std::string> names;
    while (const dirent *entry = ::readdir(dir))
        if (entry->d_name[0] != '.')
            names.emplace_back(entry->d_name);
    ::closedir(dir);
    return names;
}

/// Renames every file of \a folder whose name holds a space with the least
/// work there is: read the names once, drop the spaces, one renameat2 each.
/// Returns the milliseconds it took.
inline double renameBaseline(const std::string &folder)
{
    const auto start = Clock::now();
    const int folderFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    std::string newName;
    for (const auto &name : readNames(folder)) {
        newName.clear();
        for (const char c : name)
            if (c != ' ')
                newName += c;
        if (::renameat2(folderFd, name.c_str(), folderFd, newName.c_str(), RENAME_NOREPLACE) != 0)
            throw std::runtime_error("baseline rename failed: " + name);
    }
    ::close(folderFd);
    return millisecondsSince(start);
}

/// The number of files to make: the first argument, or \a fallback.
inline int fileCount(int argc, char **argv, int fallback)
{
    return argc > 1 ? std::atoi(argv[1]) : fallback;
}

} // namespace bench
