#include "commandline.h"

#include "nativepath.h"

#include <QCoreApplication>

#include <cstdio>
#include <windows.h>

namespace quillet {

QStringList ProgramArguments(int, char *[])
{
    // Qt reads them from the wide command line and leaves out its own.
    return QCoreApplication::arguments();
}

std::string ArgumentPath(const QString &argument)
{
    // Explorer quotes the folder it passes ("%1"). For the root of a drive
    // the backslash before the closing quote escapes it, and the argument
    // arrives as C:" rather than C:\. No Windows name holds a quote, so a
    // trailing one is always that quote.
    QString path = argument;
    if (path.endsWith(u'"'))
        path.chop(1);
    return PathBytes(path.toStdWString());
}

void UseCallersConsole()
{
    // Output the caller has redirected, to a file or a pipe, is kept.
    const HANDLE output = ::GetStdHandle(STD_OUTPUT_HANDLE);
    if ((output != nullptr && output != INVALID_HANDLE_VALUE) ||
        !::AttachConsole(ATTACH_PARENT_PROCESS))
        return;
    std::freopen("CONOUT$", "w", stdout);
    std::freopen("CONOUT$", "w", stderr);
}

} // namespace quillet
