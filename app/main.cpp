#include "commandline.h"
#include "form1.h"
#include "startfolder.h"
#include "translations.h"
#include "unfinishedrename.h"

#include <QApplication>
#include <QIcon>

#include <memory>

namespace {

// Help, the version and a wrong line are printed by a QCoreApplication: a
// QApplication would need a display to start, which a terminal over the
// network may lack.
std::unique_ptr<QCoreApplication> makeApplication(int &argc, char *argv[])
{
    if (quillet::AnswersInTextOnly(argc, argv)) {
        quillet::UseCallersConsole();
        return std::make_unique<QCoreApplication>(argc, argv);
    }
    return std::make_unique<QApplication>(argc, argv);
}

} // namespace

int main(int argc, char *argv[])
{
    const std::unique_ptr<QCoreApplication> app = makeApplication(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Quillet"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QUILLET_VERSION));
    quillet::InstallTranslations(QLocale::system(), quillet::TranslationFolders());
    // Help, the version or a wrong line end the program here.
    const quillet::Services services;
    if (const auto folder = quillet::ReadCommandLine(quillet::ProgramArguments(argc, argv)))
        quillet::SetStartFolder(*folder, services.findFolder);

    // Every drawn size, so that small icons are the hand-drawn ones, not scaled.
    QIcon icon;
    for (const int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/quillet-%1.png").arg(size));
    QApplication::setWindowIcon(icon);

    quillet::Form1 window(services);
    window.show();
    const int exitCode = QCoreApplication::exec();
    // A window closed during a rename of two steps has gone at once; the
    // process ends once that rename has taken its last step.
    quillet::FinishUnfinishedRenames();
    return exitCode;
}
