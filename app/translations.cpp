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

void InstallTranslations(const QLocale &locale, const QStringList &folders)
{
    // English is asked for last: the window is written in it, and its
    // translation only gives the counts of files their English plural forms.
    for (const QLocale &language : {locale, QLocale(QLocale::English)}) {
        for (const QString &folder : folders) {
            if (installTranslator(language, QStringLiteral("quillet"), folder)) {
                // Qt's own lies beside Quillet's where the program brings it
                // (Windows), and otherwise where Qt keeps its translations.
                if (!installTranslator(language, QStringLiteral("qtbase"), folder))
                    installTranslator(language, QStringLiteral("qtbase"),
                                      QLibraryInfo::path(QLibraryInfo::TranslationsPath));
                return;
            }
        }
    }
}

} // namespace quillet
