#include "messages.h"

#include "batch.h"
#include "folderreader.h"
#include "renameerror.h"

#include <QCoreApplication>

namespace quillet {

namespace {

// Every sentence a user reads about a failure is made here, so that one
// translation covers them all.
class Messages
{
    Q_DECLARE_TR_FUNCTIONS(Messages)

public:
    static QString unexpected() { return tr("An unexpected error stopped the action."); }
    static QString rename(const RenameError &error);
    static QString folder(const FolderError &error);
    static QString batch(const BatchStopped &stop);

private:
    static QString renameReason(const RenameError &error);
    static QString folderReason(const FolderError &error);
    static QString renamedPart(int count);
    static QString untouchedPart(int count);
};

QString text(const std::string &bytes)
{
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

QString systemDetail(const std::string &detail)
{
    return detail.empty() ? Messages::tr("the system gave no reason") : text(detail);
}

QString Messages::renameReason(const RenameError &error)
{
    switch (error.failure()) {
    case RenameFailure::TargetExists:
        return tr("a file named \"%1\" already exists").arg(text(error.newName()));
    case RenameFailure::SourceMissing:
        return tr("the file no longer exists");
    case RenameFailure::PermissionDenied:
        return tr("permission was denied");
    case RenameFailure::ReadOnlyFileSystem:
        return tr("the file system is read-only");
    case RenameFailure::NameTooLong:
        return tr("the new name is too long");
    case RenameFailure::PathTooLong:
        return tr("the full path of the new name, folders included, is too long");
    case RenameFailure::InvalidName:
        return tr("the new name is not valid here");
    case RenameFailure::EmptyName:
        return tr("the new name would be empty, as the name is made only of spaces");
    case RenameFailure::HidingName:
        return tr("the new name would start with a dot, which hides the file");
    case RenameFailure::EndsInDot:
        return tr("Windows programs could neither open nor delete a file whose name ends in a dot");
    case RenameFailure::ReservedName:
        return tr("\"%1\" is a device name that Windows reserves")
            .arg(text(error.newName().substr(0, error.newName().find('.'))));
    case RenameFailure::InUse:
        return tr("the file is in use");
    case RenameFailure::NoSpace:
        return tr("there is no space left on the drive");
    case RenameFailure::RenamedEarlier:
        return tr("an earlier renaming has renamed it already; opening the folder again or "
                  "changing the pattern lists the new names");
    case RenameFailure::Other:
        break;
    }
    return systemDetail(error.detail());
}

QString Messages::rename(const RenameError &error)
{
    return tr("Could not rename \"%1\" to \"%2\": %3.")
        .arg(text(error.oldName()), text(error.newName()), renameReason(error));
}

QString Messages::folderReason(const FolderError &error)
{
    switch (error.failure()) {
    case FolderFailure::Missing:
        return tr("it no longer exists");
    case FolderFailure::NotAFolder:
        return tr("it is not a folder");
    case FolderFailure::PermissionDenied:
        return tr("you do not have permission to read it");
    case FolderFailure::CurrentFolderUnknown:
        return tr("the current folder, which it is relative to, cannot be found");
    case FolderFailure::InvalidName:
        return tr("its name is not valid UTF-8");
    case FolderFailure::Other:
        break;
    }
    return systemDetail(error.detail());
}

QString Messages::folder(const FolderError &error)
{
    return tr("Could not read the folder \"%1\": %2.")
        .arg(text(error.folder()), folderReason(error));
}

QString Messages::renamedPart(int count)
{
    if (count == 0)
        return tr("No file was renamed.");
    if (count == 1)
        return tr("The file before it was renamed and is listed.");
    return tr("The %1 files before it were renamed and are listed.").arg(count);
}

QString Messages::untouchedPart(int count)
{
    if (count == 0)
        return tr("This file was left as it was.");
    if (count == 1)
        return tr("This file and the file after it were left as they were.");
    return tr("This file and the %1 files after it were left as they were.").arg(count);
}

// What stopped the batch: the error nested in \a stop.
QString causeOf(const BatchStopped &stop)
{
    const auto *nested = dynamic_cast<const std::nested_exception *>(&stop);
    if (nested == nullptr || !nested->nested_ptr())
        return UnexpectedErrorMessage();
    try {
        std::rethrow_exception(nested->nested_ptr());
    } catch (const std::exception &cause) {
        return UserMessage(cause);
    } catch (...) {
        return UnexpectedErrorMessage();
    }
}

QString Messages::batch(const BatchStopped &stop)
{
    return tr("%1\n\nRenaming stopped at this file. %2 %3")
        .arg(causeOf(stop), renamedPart(stop.renamedCount()), untouchedPart(stop.untouchedCount()));
}

} // namespace

QString UserMessage(const std::exception &error)
{
    if (const auto *stop = dynamic_cast<const BatchStopped *>(&error))
        return Messages::batch(*stop);
    if (const auto *rename = dynamic_cast<const RenameError *>(&error))
        return Messages::rename(*rename);
    if (const auto *folder = dynamic_cast<const FolderError *>(&error))
        return Messages::folder(*folder);
    return QString::fromUtf8(error.what());
}

QString UnexpectedErrorMessage()
{
    return Messages::unexpected();
}

} // namespace quillet
