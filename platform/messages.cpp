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
    static QString folder(const FolderError &error, bool seen);
    static QString batch(const RenamingResult &result);
    static QString undo(const RenamingResult &result, const std::string &folder);
    static QString undoAction(const std::string &folder);
    static QString progress(const RenamingProgress &progress, const QString &shownName);
    static QString stop() { return tr("Stop"); }
    static QString reading() { return tr("Reading…"); }
    static QString notAnswering() { return tr("The drive is not answering."); }

private:
    static QString systemReason(const SystemError &error);
    static QString refusalReason(Refusal refusal, const RenameError &error);
    static QString renameReason(const RenameError &error);
    static QString leftover(const RenameError &error);
    static QString folderReason(const FolderError &error, bool seen);
    static QString renamedPart(const RenamingResult &result);
    static QString leftPart(const RenamingResult &result);
    static QString restoredPart(const RenamingResult &result);
    static QString keptPart(const RenamingResult &result);
};

QString text(const std::string &bytes)
{
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

QString systemDetail(const std::string &detail)
{
    return detail.empty() ? Messages::tr("the system gave no reason") : text(detail);
}

// A failure of the system that has no words of its own here: Quillet's
// sentence, and the system's words after it.
QString Messages::systemReason(const SystemError &error)
{
    const QString detail = systemDetail(error.detail);
    switch (error.failure) {
    case SystemFailure::DeviceError:
        return tr("the drive did not read or write as asked (%1)").arg(detail);
    case SystemFailure::OtherDrive:
        return tr("the file system cannot rename it where it lies (%1)").arg(detail);
    default:
        return tr("the system refused it (%1)").arg(detail);
    }
}

QString Messages::refusalReason(Refusal refusal, const RenameError &error)
{
    switch (refusal) {
    case Refusal::EmptyName:
        return tr("the new name would be empty, as the name is made only of spaces");
    case Refusal::InvalidName:
        return tr("the new name is not valid here");
    case Refusal::HidingName:
        return tr("the new name would start with a dot, which hides the file");
    case Refusal::EndsInDot:
        return tr("Windows programs could neither open nor delete a file whose name ends in a dot");
    case Refusal::ReservedName:
        return tr("\"%1\" is a device name that Windows reserves")
            .arg(text(error.newName().substr(0, error.newName().find('.'))));
    case Refusal::Replaced:
        return tr("another file has taken the name \"%1\" since it was renamed; that file is "
                  "left alone")
            .arg(text(error.oldName()));
    case Refusal::RenamedEarlier:
        break;
    }
    return tr("an earlier renaming has renamed it already; opening the folder again or "
              "changing the pattern lists the new names");
}

QString Messages::renameReason(const RenameError &error)
{
    if (const Refusal *refusal = error.refusal())
        return refusalReason(*refusal, error);
    const SystemError &system = *error.systemError();
    switch (system.failure) {
    case SystemFailure::Exists:
        return tr("a file named \"%1\" already exists").arg(text(error.newName()));
    case SystemFailure::Missing:
        return tr("the file no longer exists");
    case SystemFailure::PermissionDenied:
        return tr("permission was denied");
    case SystemFailure::ReadOnly:
        return tr("the file system is read-only");
    case SystemFailure::NameTooLong:
        return tr("the new name is too long");
    case SystemFailure::PathTooLong:
        return tr("the full path of the new name, folders included, is too long");
    case SystemFailure::InvalidName:
        return tr("the new name is not valid here");
    case SystemFailure::InUse:
        return tr("the file is in use");
    case SystemFailure::NoSpace:
        return tr("there is no space left on the drive");
    default:
        return systemReason(system);
    }
}

// A rename of two steps whose first step could not be taken back says what
// it left: the user finds two names or an empty file where none was.
QString Messages::leftover(const RenameError &error)
{
    switch (error.leftover()) {
    case RenameLeftover::BothNames:
        return tr("The file now has both names, \"%1\" and \"%2\"; deleting either name "
                  "leaves it under the other.")
            .arg(text(error.oldName()), text(error.newName()));
    case RenameLeftover::EmptyFile:
        return tr("An empty file named \"%1\", made to claim the new name, could not be "
                  "removed again; it can be deleted.")
            .arg(text(error.newName()));
    case RenameLeftover::Nothing:
        break;
    }
    return {};
}

QString Messages::rename(const RenameError &error)
{
    const QString message = tr("Could not rename \"%1\" to \"%2\": %3.")
                                .arg(text(error.oldName()), text(error.newName()),
                                     renameReason(error));
    const QString left = leftover(error);
    return left.isEmpty() ? message : message + QLatin1Char(' ') + left;
}

// A missing folder that Quillet has seen "no longer exists"; one it has not,
// such as a folder named on the command line, may never have been.
QString Messages::folderReason(const FolderError &error, bool seen)
{
    if (const FolderRefusal *refusal = error.refusal())
        return *refusal == FolderRefusal::CurrentFolderUnknown
                   ? tr("the current folder, which it is relative to, cannot be found")
                   : tr("its name is not valid UTF-8");
    const SystemError &system = *error.systemError();
    switch (system.failure) {
    case SystemFailure::Missing:
        return seen ? tr("it no longer exists") : tr("it does not exist");
    case SystemFailure::NotAFolder:
        return tr("it is not a folder");
    case SystemFailure::PermissionDenied:
        return tr("you do not have permission to read it");
    default:
        return systemReason(system);
    }
}

QString Messages::folder(const FolderError &error, bool seen)
{
    return tr("Could not read the folder \"%1\": %2.")
        .arg(text(error.folder()), folderReason(error, seen));
}

// What is told of the files renamed: those whose names changed apart from
// those renamed onto themselves, as they held no space.
QString Messages::renamedPart(const RenamingResult &result)
{
    const int renamed = static_cast<int>(result.renamed.size());
    const int changed = result.changedCount();
    const int kept = renamed - changed;
    if (renamed == 0)
        return tr("No file was renamed.");
    if (kept == 0)
        return tr("%n file(s) renamed and listed.", nullptr, changed);
    if (changed == 0)
        return tr("%n file(s) held no spaces and kept their names; listed.", nullptr, kept);
    const QString parts[] = {tr("%n file(s) renamed", nullptr, changed),
                             tr("%n kept their names", nullptr, kept)};
    // Two are "both", not "all 2".
    if (renamed == 2)
        return tr("%1 and %2; both are listed.").arg(parts[0], parts[1]);
    return tr("%1 and %2; all %n are listed.", nullptr, renamed).arg(parts[0], parts[1]);
}

// Whether the rename that stopped a batch or an undo left its file with both
// names: the failure's own message tells of that file then.
bool leftBothNames(const RenamingResult &result)
{
    try {
        if (result.failure)
            std::rethrow_exception(result.failure);
    } catch (const RenameError &error) {
        return error.leftover() == RenameLeftover::BothNames;
    } catch (...) {
    }
    return false;
}

// A failed rename leaves that file and those after it; a stop on request
// comes between two files, so none is "this file".
QString Messages::leftPart(const RenamingResult &result)
{
    const int untouched = result.untouchedCount();
    if (result.stopRequested)
        return tr("%n file(s) left as they were.", nullptr, untouched);
    if (leftBothNames(result))
        return untouched == 1 ? QString()
                              : tr("The %n file(s) after it were left as they were.", nullptr,
                                   untouched - 1);
    if (untouched == 1)
        return tr("This file was left as it was.");
    return tr("This file and the %n file(s) after it were left as they were.", nullptr,
              untouched - 1);
}

// The error that stopped the batch or the undo.
QString causeText(const RenamingResult &result)
{
    try {
        std::rethrow_exception(result.failure);
    } catch (const std::exception &error) {
        return UserMessage(error);
    } catch (...) {
        return UnexpectedErrorMessage();
    }
}

QString Messages::batch(const RenamingResult &result)
{
    if (result.stopRequested)
        return tr("Renaming was stopped.\n\n%1 %2").arg(renamedPart(result), leftPart(result));
    if (!result.failure)
        return {};
    return tr("%1\n\nRenaming stopped at this file. %2 %3")
        .arg(causeText(result), renamedPart(result), leftPart(result))
        .trimmed();
}

// An undo names the files back last first: the ones it restored before a
// failure were renamed after the file it failed at.
QString Messages::restoredPart(const RenamingResult &result)
{
    const int restored = static_cast<int>(result.renamed.size());
    if (restored == 0)
        return tr("No file got its old name back.");
    if (result.stopRequested)
        return tr("%n file(s) got their old names back.", nullptr, restored);
    return tr("The %n file(s) renamed after it got their old names back.", nullptr, restored);
}

QString Messages::keptPart(const RenamingResult &result)
{
    const int untouched = result.untouchedCount();
    if (result.stopRequested)
        return tr("%n file(s) keep their new names.", nullptr, untouched);
    if (leftBothNames(result))
        return untouched == 1 ? QString()
                              : tr("The %n file(s) renamed before it keep their new names.",
                                   nullptr, untouched - 1);
    if (untouched == 1)
        return tr("This file keeps its new name.");
    return tr("This file and the %n file(s) renamed before it keep their new names.", nullptr,
              untouched - 1);
}

// An undo in a folder the window no longer shows says which: the file
// names alone would not tell the user where to look.
QString Messages::undo(const RenamingResult &result, const std::string &folder)
{
    if (result.stopRequested && folder.empty())
        return tr("Undoing the renaming was stopped.\n\n%1 %2")
            .arg(restoredPart(result), keptPart(result));
    if (result.stopRequested)
        return tr("Undoing the renaming in \"%1\" was stopped.\n\n%2 %3")
            .arg(text(folder), restoredPart(result), keptPart(result));
    if (!result.failure)
        return {};
    if (folder.empty())
        return tr("%1\n\nUndoing stopped at this file. %2 %3")
            .arg(causeText(result), restoredPart(result), keptPart(result))
            .trimmed();
    return tr("%1\n\nUndoing in \"%2\" stopped at this file. %3 %4")
        .arg(causeText(result), text(folder), restoredPart(result), keptPart(result))
        .trimmed();
}

// A "&" of the folder's name is shown as itself, not taken as the access key.
QString Messages::undoAction(const std::string &folder)
{
    if (folder.empty())
        return tr("&Undo renaming");
    return tr("&Undo renaming in \"%1\"").arg(text(folder).replace(u'&', QStringLiteral("&&")));
}

QString Messages::progress(const RenamingProgress &progress, const QString &shownName)
{
    const bool batch = progress.kind == RenamingProgress::Kind::Batch;
    QString text = batch ? tr("Renaming %1 of %2:\n%3") : tr("Undoing %1 of %2:\n%3");
    text = text.arg(progress.index + 1).arg(progress.total).arg(shownName);
    if (progress.stopping)
        text += QLatin1Char('\n') + tr("Stopping once this file is done.");
    if (progress.slow)
        text += QLatin1Char('\n') + tr("Waiting for this file: the file system is slow to answer.");
    return text;
}

} // namespace

QString UserMessage(const std::exception &error)
{
    if (const auto *rename = dynamic_cast<const RenameError *>(&error))
        return Messages::rename(*rename);
    if (const auto *folder = dynamic_cast<const FolderError *>(&error))
        return Messages::folder(*folder, true);
    return QString::fromUtf8(error.what());
}

QString UnseenFolderMessage(const FolderError &error)
{
    return Messages::folder(error, false);
}

QString UnexpectedErrorMessage()
{
    return Messages::unexpected();
}

QString BatchReport(const RenamingResult &result)
{
    return Messages::batch(result);
}

QString UndoReport(const RenamingResult &result, const std::string &folder)
{
    return Messages::undo(result, folder);
}

QString UndoActionText(const std::string &folder)
{
    return Messages::undoAction(folder);
}

QString ProgressText(const RenamingProgress &progress, const QString &shownName)
{
    return Messages::progress(progress, shownName);
}

QString StopButtonText()
{
    return Messages::stop();
}

QString ReadingNote()
{
    return Messages::reading();
}

QString NotAnsweringNote()
{
    return Messages::notAnswering();
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
