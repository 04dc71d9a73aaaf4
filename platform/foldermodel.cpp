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

namespace {

LineBlock matchingNames(const LineBlock &names, const std::string &pattern)
{
    const NamePattern matcher(pattern);
    LineBlock matches;
    for (std::size_t index = 0; index < names.size(); ++index)
        if (const std::string_view name = names[index]; matcher.matches(name))
            matches.append(name);
    return matches;
}

// The files are kept end to end: a folder of a million files then costs
// little more than their names, and matching them walks one block.
LineBlock sortedBlock(std::vector<std::string> names)
{
    std::ranges::sort(names, NaturalLess);
    std::size_t bytes = 0;
    for (const std::string &name : names)
        bytes += name.size();
    LineBlock block;
    block.reserve(names.size(), bytes);
    for (const std::string &name : names)
        block.append(name);
    return block;
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
        FolderEntries entries = reader(folder);
        result.folders = std::move(entries.folders);
        std::ranges::sort(result.folders, NaturalLess);
        result.files = sortedBlock(std::move(entries.files));
        result.matches = matchingNames(result.files, pattern);
        result.folder = std::move(folder);
    } catch (const FolderError &failure) {
        result.failure = failure;
    } catch (const std::exception &error) {
        result = {};
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
    LetGoInBackground(std::exchange(m_shown, {}));
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
    LetGoInBackground(std::move(result));
    if (m_blocked && m_waiting != Waiting::None) {
        request();
        if (!m_blocked)
            emit Changed();
    }
}

LineBlock FolderModel::TakeMatchingFiles(const std::string &pattern)
{
    if (std::exchange(m_shown.pattern, std::nullopt) == pattern)
        return std::exchange(m_shown.matches, {});
    LetGoInBackground(std::exchange(m_shown.matches, {}));
    return matchingNames(m_shown.files, pattern);
}

// A quiet reading that found what was shown changes nothing.
void FolderModel::take(FolderReading result)
{
    const bool quiet = std::exchange(m_waiting, Waiting::None) == Waiting::Quiet;
    m_stale = false;
    if (quiet && result.sameEntries(m_shown))
        return LetGoInBackground(std::move(result));
    LetGoInBackground(std::exchange(m_shown, std::move(result)));
    emit Changed();
    // A copy: whoever hears of it may open another folder meanwhile.
    if (const std::optional<FolderError> failure = m_shown.failure)
        emit ReadFailed(*failure);
}

} // namespace quillet
