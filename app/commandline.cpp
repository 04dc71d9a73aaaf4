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

// Tells what is wrong with the line, and how it should look, and ends.
[[noreturn]] void refuse(const QCommandLineParser &parser, const QString &wrong)
{
    const QString usage = parser.helpText().section(u'\n', 0, 0);
    const QString message = QCoreApplication::applicationName() + QStringLiteral(": ") + wrong;
    std::fprintf(stderr, "%s\n%s\n", qPrintable(message), qPrintable(usage));
    std::exit(EXIT_FAILURE);
}

} // namespace

bool AnswersInTextOnly(int argc, char *argv[])
{
    // Only the options count here, which are plain ASCII on every system.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QCommandLineParser parser;
    describe(parser);
    return !parser.parse(arguments) || parser.positionalArguments().size() > 1 ||
           parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all")) ||
           parser.isSet(QStringLiteral("version"));
}

std::optional<std::string> ReadCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    describe(parser);
    if (!parser.parse(arguments))
        refuse(parser, parser.errorText());
    parser.process(arguments);
    const QStringList folders = parser.positionalArguments();
    if (folders.size() > 1)
        refuse(parser, TooManyFoldersMessage());
    if (folders.isEmpty())
        return std::nullopt;
    return ArgumentPath(folders.first());
}

} // namespace quillet
