#include "systemerror.h"
#include "widetext_windows.h"

#include <windows.h>

namespace quillet {

namespace {

SystemFailure failureOf(DWORD error)
{
    switch (error) {
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return SystemFailure::Exists;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return SystemFailure::Missing;
    case ERROR_DIRECTORY:
        return SystemFailure::NotAFolder;
    case ERROR_ACCESS_DENIED:
        return SystemFailure::PermissionDenied;
    case ERROR_WRITE_PROTECT:
        return SystemFailure::ReadOnly;
    case ERROR_FILENAME_EXCED_RANGE:
        return SystemFailure::PathTooLong;
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
        return SystemFailure::InvalidName;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return SystemFailure::InUse;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return SystemFailure::NoSpace;
    case ERROR_CRC:
    case ERROR_GEN_FAILURE:
    case ERROR_NOT_READY:
    case ERROR_NETNAME_DELETED:
    case ERROR_UNEXP_NET_ERR:
    case ERROR_BAD_NETPATH:
        return SystemFailure::DeviceError;
    case ERROR_NOT_SAME_DEVICE:
        return SystemFailure::OtherDrive;
    default:
        return SystemFailure::Other;
    }
}

} // namespace

SystemError SystemErrorOf(unsigned long code)
{
    const DWORD error = code;
    return {failureOf(error), SystemMessage(error)};
}

} // namespace quillet
