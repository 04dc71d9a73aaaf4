#pragma once

#include <string>

namespace quillet {

/// What a call to the system ran into, in terms a user can act on. Each
/// system's error codes are mapped to these in one place, for the folder
/// reader, the held folder and the rename service alike.
enum class SystemFailure {
    Exists,
    Missing,
    NotAFolder,
    PermissionDenied,
    ReadOnly,
    NameTooLong,
    PathTooLong,
    InvalidName,
    InUse,
    NoSpace,
    /// The drive or the connection to it failed to read or write.
    DeviceError,
    /// A rename that would move a file to another drive.
    OtherDrive,
    Other,
};

/// An error the system answered: its kind, and the system's own words for it.
struct SystemError
{
    SystemFailure failure = SystemFailure::Other;
    std::string detail;
};

/// The error of code \a code: an errno value on POSIX, a Windows error code
/// on Windows.
SystemError SystemErrorOf(unsigned long code);

} // namespace quillet
