#include "commandline.h"

#include "messages.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>
#include <cstdlib>

namespace quillet {

namespace {

void describe(QCommandLineParser &parser)
{
    const CommandLineHelp help = CommandLineHelpTexts();
    parser.setApplicationDescription(help.description);
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(help.folderName, help.folderDescription,
                                 u'[' + help.folderName + u']');
}

} // namespace

bool AsksForTextOnly(int argc, char *argv[])
{
    // Only the options count here, which are plain ASCII on every system.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QCommandLineParser parser;
    describe(parser);
    parser.parse(arguments);
    return parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all")) ||
           parser.isSet(QStringLiteral("version"));
}

std::optional<std::string> ReadCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    describe(parser);
    parser.process(arguments);
    const QStringList folders = parser.positionalArguments();
    if (folders.size() > 1) {
        const QString message =
            QCoreApplication::applicationName() + QStringLiteral(": ") + TooManyFoldersMessage();
        std::fprintf(stderr, "%s\n", qPrintable(message));
        std::exit(EXIT_FAILURE);
    }
    if (folders.isEmpty())
        return std::nullopt;
    return ArgumentPath(folders.first());
}

} // namespace quillet
