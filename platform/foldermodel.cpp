#include "foldermodel.h"

#include "namematch.h"

#include <algorithm>
#include <exception>
#include <utility>

namespace quillet {

namespace {

// Long enough to span the gaps between keystrokes of someone typing.
constexpr std::chrono::milliseconds kTypingPause{300};

} // namespace

struct FolderModel::Reading
{
    std::unique_ptr<BackgroundCall> call;
    /// False once files have been renamed since it started.
    bool fresh = true;
};

/// What one reading gave.
struct FolderReading
{
    HeldFolder folder;
    FolderEntries entries;
    std::optional<FolderError> failure;
    /// The files that match the pattern it was started with.
    LineBlock matches;
    std::string pattern;

    bool empty() const { return entries.empty() && matches.empty(); }
};

namespace {

LineBlock matchingNames(const std::vector<std::string> &names, const std::string &pattern)
{
    const NamePattern matcher(pattern);
    LineBlock matches;
    for (const std::string &name : names)
        if (matcher.matches(name))
            matches.append(name);
    return matches;
}

// The folder is opened here too, not on the window's thread: on a mount
// that has stopped answering, opening it hangs as reading it does.
FolderReading readFolder(const EntryReader &reader, const std::string &path,
                         const std::string &pattern)
{
    FolderReading result;
    result.pattern = pattern;
    try {
        HeldFolder folder(path);
        result.entries = reader(folder);
        std::ranges::sort(result.entries.folders, NaturalLess);
        std::ranges::sort(result.entries.files, NaturalLess);
        result.matches = matchingNames(result.entries.files, pattern);
        result.folder = std::move(folder);
    } catch (const FolderError &failure) {
        result.failure = failure;
    } catch (const std::exception &error) {
        result.entries = {};
        result.matches = {};
        result.failure = FolderError(path, SystemError{SystemFailure::Other, error.what()});
    }
    return result;
}

} // namespace

FolderModel::FolderModel(EntryReader reader, QObject *parent)
    : QObject(parent), m_reader(std::move(reader))
{
    m_pause.setSingleShot(true);
    m_pause.setInterval(kTypingPause);
    connect(&m_pause, &QTimer::timeout, this, &FolderModel::checkNow);
}

FolderModel::~FolderModel() = default;

void FolderModel::Open(const std::string &path)
{
    m_pause.stop();
    m_path = path;
    FreeInBackground(std::exchange(m_entries, {}));
    FreeInBackground(std::exchange(m_matches, {}));
    m_matchesPattern.reset();
    m_folder = HeldFolder();
    m_failure.reset();
    m_waiting = Waiting::Shown;
    request();
    emit Changed();
}

void FolderModel::ReadAgainSoon()
{
    if (m_stale)
        Open(m_path);
    else
        m_pause.start();
}

void FolderModel::MarkStale()
{
    m_stale = true;
    m_pause.stop();
    for (auto &[path, reading] : m_readings)
        reading.fresh = false;
    if (m_waiting == Waiting::Quiet)
        m_waiting = Waiting::None;
    else if (m_waiting == Waiting::Shown)
        request();
}

// A check while the folder is being read anyway would add nothing.
void FolderModel::checkNow()
{
    if (m_waiting != Waiting::None || m_stale)
        return;
    m_waiting = Waiting::Quiet;
    request();
    if (m_blocked)
        m_waiting = Waiting::None;
}

// A reading of the open folder that started before its files were renamed
// would tell of names that are gone: the new one starts once it has ended.
void FolderModel::request()
{
    const auto found = m_readings.find(m_path);
    if (found != m_readings.end() && found->second.fresh) {
        m_blocked = false;
        return;
    }
    m_blocked = found != m_readings.end() || m_readings.size() >= kMostReadings;
    if (!m_blocked)
        start();
}

void FolderModel::start()
{
    m_readings[m_path].call = CallInBackground<FolderReading>(
        [reader = m_reader, path = m_path, pattern = m_filePattern] {
            return readFolder(reader, path, pattern);
        },
        [this, path = m_path](FolderReading result) { ended(path, std::move(result)); });
}

void FolderModel::ended(const std::string &path, FolderReading result)
{
    auto reading = m_readings.extract(path);
    // Called from the call's own signal: it goes once that has returned.
    reading.mapped().call.release()->deleteLater();
    if (path == m_path && reading.mapped().fresh && m_waiting != Waiting::None)
        return take(std::move(result));
    FreeInBackground(std::move(result));
    if (m_blocked && m_waiting != Waiting::None) {
        request();
        if (!m_blocked)
            emit Changed();
    }
}

LineBlock FolderModel::TakeMatchingFiles(const std::string &pattern)
{
    if (std::exchange(m_matchesPattern, std::nullopt) == pattern)
        return std::exchange(m_matches, {});
    FreeInBackground(std::exchange(m_matches, {}));
    return matchingNames(Files(), pattern);
}

// A quiet reading that found what was shown changes nothing.
void FolderModel::take(FolderReading result)
{
    const bool quiet = std::exchange(m_waiting, Waiting::None) == Waiting::Quiet;
    m_stale = false;
    if (quiet && result.entries == m_entries && result.failure.has_value() == m_failure.has_value())
        return FreeInBackground(std::move(result));
    FreeInBackground(std::exchange(m_entries, std::move(result.entries)));
    FreeInBackground(std::exchange(m_matches, std::move(result.matches)));
    m_matchesPattern = std::move(result.pattern);
    m_folder = std::move(result.folder);
    m_failure = std::move(result.failure);
    emit Changed();
    // A copy: whoever hears of it may open another folder meanwhile.
    if (const std::optional<FolderError> failure = m_failure)
        emit ReadFailed(*failure);
}

} // namespace quillet
