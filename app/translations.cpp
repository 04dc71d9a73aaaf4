#include "translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace quillet {

namespace {

bool installTranslator(const QLocale &locale, const QString &name, const QString &folder)
{
    auto *translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(locale, name, QStringLiteral("_"), folder) ||
        !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return false;
    }
    return true;
}

} // namespace

QStringList TranslationFolders()
{
    const QString programFolder = QCoreApplication::applicationDirPath();
    return {programFolder + QStringLiteral("/translations"),
            programFolder + QStringLiteral("/../share/quillet/translations")};
}

bool InstallTranslations(const QLocale &locale, const QStringList &folders)
{
    for (const QString &folder : folders) {
        if (installTranslator(locale, QStringLiteral("quillet"), folder)) {
            // Qt's own lies beside Quillet's where the program brings it
            // (Windows), and otherwise where Qt keeps its translations.
            if (!installTranslator(locale, QStringLiteral("qtbase"), folder))
                installTranslator(locale, QStringLiteral("qtbase"),
                                  QLibraryInfo::path(QLibraryInfo::TranslationsPath));
            return true;
        }
    }
    return false;
}

} // namespace quillet
