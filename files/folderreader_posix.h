#pragma once

#include "folderreader.h"
#include "heldfolder.h"

#include <dirent.h>
#include <string>
#include <vector>

namespace quillet {

/// The system calls that the POSIX folder reader makes, one virtual function
/// each, so that a test can make one of them fail. Each behaves as the
/// system's own, errno included; the defaults call the system.
class FolderCalls
{
public:
    virtual ~FolderCalls() = default;

    virtual int openat(int folder, const char *name, int flags);
    virtual DIR *fdopendir(int descriptor);
    /// The next entry; nullptr at the end, with errno left as it was, or on
    /// a failure, with errno set to it.
    virtual dirent *readdir(DIR *dir);
};

/// ReadFolder on the held \a folder, making its system calls through \a calls.
FolderEntries ReadFolderWith(FolderCalls &calls, const HeldFolder &folder);

/// Throws the FolderError that names \a folder and tells what the errno
/// value \a error means for it.
[[noreturn]] void ThrowFolderError(const std::string &folder, int error);

} // namespace quillet
