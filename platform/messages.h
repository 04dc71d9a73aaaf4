#pragma once

#include <QString>

#include <exception>

namespace quillet {

/// The words the user reads for \a error, in the user's language: a rename
/// that failed, a batch that stopped, a folder that could not be read. Any
/// other error is told by its own what(). Names and paths are quoted as the
/// file system has them, decoded as UTF-8 for display.
QString UserMessage(const std::exception &error);

/// The words the user reads for an error that says nothing of itself.
QString UnexpectedErrorMessage();

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
