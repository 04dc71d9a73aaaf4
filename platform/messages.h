#pragma once

#include <QString>

#include <exception>
#include <string>

namespace quillet {

class FolderError;
struct RenamingResult;

/// The words the user reads for \a error, in the user's language: a rename
/// that failed, a folder that could not be read. Any other error is told by
/// its own what(). Names and paths are quoted as the file system has them,
/// decoded as UTF-8 for display.
QString UserMessage(const std::exception &error);

/// UserMessage for \a error about a folder that Quillet has neither listed,
/// opened nor been started in, such as one named on the command line: a
/// folder missing there does not exist, rather than no longer exists.
QString UnseenFolderMessage(const FolderError &error);

/// The words the user reads for an error that says nothing of itself.
QString UnexpectedErrorMessage();

/// What the user reads after a batch: why it stopped and how far it got, or
/// nothing when it renamed every file.
QString BatchReport(const RenamingResult &result);

/// What the user reads after an undo, as BatchReport after a batch. The
/// undo renames in the folder of the batch it undoes; when the window shows
/// another, \a folder names that one and the report says where it worked.
QString UndoReport(const RenamingResult &result, const std::string &folder = {});

/// The caption of the action that undoes the last batch; it names \a folder,
/// where the undo renames, when the window shows another.
QString UndoActionText(const std::string &folder = {});

/// What a running batch or undo is doing.
struct RenamingProgress
{
    enum class Kind { Batch, Undo };

    Kind kind = Kind::Batch;
    /// The file being renamed, counted from 0.
    int index = 0;
    int total = 0;
    /// Whether the file system has taken long over that file.
    bool slow = false;
    /// Whether the user has asked to stop once that file is done.
    bool stopping = false;
};

/// The words of the progress window for \a progress; the file name is
/// \a shownName, shortened to fit.
QString ProgressText(const RenamingProgress &progress, const QString &shownName);

/// The caption of the button that stops a batch or an undo.
QString StopButtonText();

/// What a list shows while it reads its folder.
QString ReadingNote();
/// What a list shows while its folder cannot be read, as the drive's
/// readings before are all held up.
QString NotAnsweringNote();

/// The words of `quillet --help` that Qt does not give: what Quillet does,
/// and the name of its one argument and what it is.
struct CommandLineHelp
{
    QString description;
    QString folderName;
    QString folderDescription;
};
CommandLineHelp CommandLineHelpTexts();

/// What a command line that names more than one folder is told.
QString TooManyFoldersMessage();

} // namespace quillet
