#include "systemerror.h"

#include <cerrno>
#include <system_error>

namespace quillet {

namespace {

SystemFailure failureOf(int error)
{
    switch (error) {
    case EEXIST:
    case ENOTEMPTY:
        return SystemFailure::Exists;
    case ENOENT:
        return SystemFailure::Missing;
    case ENOTDIR:
        return SystemFailure::NotAFolder;
    case EACCES:
    case EPERM:
        return SystemFailure::PermissionDenied;
    case EROFS:
        return SystemFailure::ReadOnly;
    case ENAMETOOLONG:
        return SystemFailure::NameTooLong;
    case EINVAL:
    case EILSEQ:
        return SystemFailure::InvalidName;
    case EBUSY:
    case ETXTBSY:
        return SystemFailure::InUse;
    case ENOSPC:
    case EDQUOT:
        return SystemFailure::NoSpace;
    case EIO:
    case ENOTCONN:
    case ETIMEDOUT:
        return SystemFailure::DeviceError;
    case EXDEV:
        return SystemFailure::OtherDrive;
    default:
        return SystemFailure::Other;
    }
}

} // namespace

SystemError SystemErrorOf(unsigned long code)
{
    const int error = static_cast<int>(code);
    return {failureOf(error), std::generic_category().message(error)};
}

} // namespace quillet
