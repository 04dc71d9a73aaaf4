#include "form1.h"
#include "translations.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillet"));
    QApplication::setApplicationVersion(QStringLiteral(QUILLET_VERSION));
    // Every drawn size, so that small icons are the hand-drawn ones, not scaled.
    QIcon icon;
    for (const int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/quillet-%1.png").arg(size));
    QApplication::setWindowIcon(icon);
    quillet::InstallTranslations(QLocale::system(), quillet::TranslationFolders());

    quillet::Form1 window;
    window.show();
    return app.exec();
}
