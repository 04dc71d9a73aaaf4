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
    static QString undo(const UndoStopped &stop);

private:
    static QString renameReason(const RenameError &error);
    static QString folderReason(const FolderError &error);
    static QString renamedPart(int count);
    static QString untouchedPart(int count);
    static QString stoppedBatch(const BatchStopped &stop);
    static QString restoredPart(int count);
    static QString keptPart(int count);
    static QString stoppedUndo(const UndoStopped &stop);
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

// The error nested in \a stop: what stopped the batch or the undo.
std::exception_ptr causeOf(const BatchStopped &stop)
{
    const auto *nested = dynamic_cast<const std::nested_exception *>(&stop);
    return nested != nullptr ? nested->nested_ptr() : nullptr;
}

bool stoppedOnRequest(const BatchStopped &stop)
{
    try {
        if (const std::exception_ptr cause = causeOf(stop))
            std::rethrow_exception(cause);
    } catch (const RenamingStopped &) {
        return true;
    } catch (...) {
    }
    return false;
}

QString causeText(const BatchStopped &stop)
{
    const std::exception_ptr cause = causeOf(stop);
    if (!cause)
        return UnexpectedErrorMessage();
    try {
        std::rethrow_exception(cause);
    } catch (const std::exception &error) {
        return UserMessage(error);
    } catch (...) {
        return UnexpectedErrorMessage();
    }
}

// A stop on request comes between two files: none is "this file", and the
// file it came before is left as it was with the others.
QString Messages::stoppedBatch(const BatchStopped &stop)
{
    const int renamed = stop.renamedCount();
    const int left = stop.untouchedCount() + 1;
    const QString renamedText = renamed == 0 ? tr("No file was renamed.")
                                : renamed == 1
                                    ? tr("1 file was renamed and is listed.")
                                    : tr("%1 files were renamed and are listed.").arg(renamed);
    const QString leftText = left == 1 ? tr("1 file was left as it was.")
                                       : tr("%1 files were left as they were.").arg(left);
    return tr("Renaming was stopped.\n\n%1 %2").arg(renamedText, leftText);
}

QString Messages::batch(const BatchStopped &stop)
{
    if (stoppedOnRequest(stop))
        return stoppedBatch(stop);
    return tr("%1\n\nRenaming stopped at this file. %2 %3")
        .arg(causeText(stop), renamedPart(stop.renamedCount()),
             untouchedPart(stop.untouchedCount()));
}

// An undo names the files back last first: the ones it restored before a
// failure were renamed after the file it failed at.
QString Messages::restoredPart(int count)
{
    if (count == 0)
        return tr("No file got its old name back.");
    if (count == 1)
        return tr("The file renamed after it got its old name back.");
    return tr("The %1 files renamed after it got their old names back.").arg(count);
}

QString Messages::keptPart(int count)
{
    if (count == 0)
        return tr("This file keeps its new name.");
    if (count == 1)
        return tr("This file and the file renamed before it keep their new names.");
    return tr("This file and the %1 files renamed before it keep their new names.").arg(count);
}

QString Messages::stoppedUndo(const UndoStopped &stop)
{
    const int restored = stop.renamedCount();
    const int kept = stop.untouchedCount() + 1;
    const QString restoredText = restored == 0 ? tr("No file got its old name back.")
                                 : restored == 1
                                     ? tr("1 file got its old name back.")
                                     : tr("%1 files got their old names back.").arg(restored);
    const QString keptText = kept == 1 ? tr("1 file keeps its new name.")
                                       : tr("%1 files keep their new names.").arg(kept);
    return tr("Undoing the renaming was stopped.\n\n%1 %2").arg(restoredText, keptText);
}

QString Messages::undo(const UndoStopped &stop)
{
    if (stoppedOnRequest(stop))
        return stoppedUndo(stop);
    return tr("%1\n\nUndoing stopped at this file. %2 %3")
        .arg(causeText(stop), restoredPart(stop.renamedCount()), keptPart(stop.untouchedCount()));
}

} // namespace

QString UserMessage(const std::exception &error)
{
    if (const auto *stop = dynamic_cast<const UndoStopped *>(&error))
        return Messages::undo(*stop);
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

CommandLineHelp CommandLineHelpTexts()
{
    return {Messages::tr("Removes the spaces from the names of the files in a folder."),
            Messages::tr("FOLDER"),
            Messages::tr("The folder to open; a file opens the folder that holds it.")};
}

QString TooManyFoldersMessage()
{
    return Messages::tr("Only one folder can be opened.");
}

} // namespace quillet
