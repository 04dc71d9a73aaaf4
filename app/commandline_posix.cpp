#include "commandline.h"

namespace quillet {

QStringList ProgramArguments(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLatin1(argv[i]);
    return arguments;
}

std::string ArgumentPath(const QString &argument)
{
    return argument.toLatin1().toStdString();
}

void UseCallersConsole() {}

} // namespace quillet
