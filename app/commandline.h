#pragma once

#include <QStringList>

#include <optional>
#include <string>

namespace quillet {

/// Whether \a argv asks for help or the version, or is wrong (an unknown
/// option, more than one folder), all of which Quillet answers in text
/// without a window, and so without the display that a window needs.
bool AnswersInTextOnly(int argc, char *argv[]);

/// Reads Quillet's command line, `quillet [FOLDER]`, `--help` or
/// `--version`, from \a arguments (see ProgramArguments). Help and the
/// version are printed, as QCommandLineParser::process does, and so is what
/// is wrong with the line, followed by the usage; the program then ends.
/// Otherwise returns the path of the folder named, if one is.
std::optional<std::string> ReadCommandLine(const QStringList &arguments);

// One version of each per system:

/// The arguments \a argv, as QApplication has left them, in a form that keeps
/// every path the system can name: on POSIX each byte is one character
/// (Latin-1), so that a name that is not UTF-8 comes through unchanged; on
/// Windows they are the system's own UTF-16 command line.
QStringList ProgramArguments(int argc, char *argv[]);

/// \a argument, one of ProgramArguments, as the path the file services take.
std::string ArgumentPath(const QString &argument);

/// On Windows, which starts Quillet.exe without a console, has what Quillet
/// prints go to the console of the program that started it, if it has one;
/// elsewhere nothing is needed.
void UseCallersConsole();

} // namespace quillet
