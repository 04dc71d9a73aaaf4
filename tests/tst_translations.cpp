#include "translations.h"

#include <QDialogButtonBox>
#include <QLibraryInfo>
#include <QPushButton>
#include <QTest>
#include <QTranslator>

using namespace quillet;

namespace {

// Whether Qt's own translation for \a locale is beside Quillet's or where
// the system's Qt keeps its translations.
bool qtHasTranslation(const QLocale &locale)
{
    QTranslator translator;
    return translator.load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                           QStringLiteral(QUILLET_TRANSLATIONS_DIR)) ||
           translator.load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                           QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

} // namespace

class TestTranslations : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void dialogButtons_speakQuilletsLanguage_data();
    void dialogButtons_speakQuilletsLanguage();
};

void TestTranslations::cleanup()
{
    for (QTranslator *translator : qApp->findChildren<QTranslator *>()) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
}

void TestTranslations::dialogButtons_speakQuilletsLanguage_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("cancel");
    QTest::newRow("English") << QStringLiteral("en_US") << QStringLiteral("Cancel");
    QTest::newRow("German") << QStringLiteral("de_DE") << QStringLiteral("Abbrechen");
}

// The error box's buttons are Qt's: in German they must be German too. The
// Windows folder brings Qt's translation beside Quillet's; on Linux the
// system's Qt has it when its translations are installed.
void TestTranslations::dialogButtons_speakQuilletsLanguage()
{
    QFETCH(QString, locale);
    QFETCH(QString, cancel);
    if (locale != QStringLiteral("en_US") && !qtHasTranslation(QLocale(locale)))
        QSKIP("Qt's own translation is not installed (Debian's qt6-translations-l10n)");

    InstallTranslations(QLocale(locale), {QStringLiteral(QUILLET_TRANSLATIONS_DIR)});
    const QDialogButtonBox buttons(QDialogButtonBox::Cancel);

    QCOMPARE(buttons.button(QDialogButtonBox::Cancel)->text(), cancel);
}

QTEST_MAIN(TestTranslations)
#include "tst_translations.moc"
