#include "folderreader_posix.h"
#include "heldfolder.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace quillet {

namespace {

// Held only to reach the entries: no permission to read is needed for it.
constexpr int kHoldFlags = O_PATH | O_DIRECTORY | O_CLOEXEC;

// Opens \a name relative to \a folder and lets \a folder go; errno is that of
// the open.
int openNext(int folder, const std::string &name)
{
    const int next = ::openat(folder, name.c_str(), kHoldFlags);
    const int error = errno;
    ::close(folder);
    errno = error;
    return next;
}

// A path longer than the system takes in one call is opened one folder at a
// time, each relative to the one before.
int openByParts(const std::string &path)
{
    int folder = ::open(path.starts_with('/') ? "/" : ".", kHoldFlags);
    for (std::size_t start = 0; folder >= 0 && start < path.size();) {
        std::size_t end = path.find('/', start);
        if (end == std::string::npos)
            end = path.size();
        if (end > start)
            folder = openNext(folder, path.substr(start, end - start));
        start = end + 1;
    }
    return folder;
}

int openFolder(const std::string &path)
{
    const int folder = ::open(path.c_str(), kHoldFlags);
    return folder < 0 && errno == ENAMETOOLONG ? openByParts(path) : folder;
}

} // namespace

HeldFolder::HeldFolder(const std::string &path) : m_path(path), m_descriptor(openFolder(path))
{
    if (m_descriptor < 0)
        ThrowFolderError(path, errno);
}

HeldFolder HeldFolder::Duplicate() const
{
    if (m_descriptor < 0)
        return {};
    const int descriptor = ::fcntl(m_descriptor, F_DUPFD_CLOEXEC, 0);
    if (descriptor < 0)
        ThrowFolderError(m_path, errno);
    return {m_path, descriptor};
}

HeldFolder::~HeldFolder()
{
    if (m_descriptor >= 0)
        ::close(m_descriptor);
}

} // namespace quillet
