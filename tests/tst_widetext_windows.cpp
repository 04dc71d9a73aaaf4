#include "widetext_windows.h"

#include <QTest>

#include <optional>
#include <string>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(std::wstring)

// Names go from Windows' UTF-16 to the program's bytes and back unit for unit.
class TestWideText : public QObject
{
    Q_OBJECT

private slots:
    void roundTrip_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<std::wstring>("wide");
        using W = std::wstring;
        QTest::newRow("ascii") << "a b.jpg"_ba << W(L"a b.jpg");
        QTest::newRow("two bytes") << "caf\xc3\xa9"_ba << W(L"caf\x00e9");
        QTest::newRow("three bytes") << "\xe2\x82\xac"_ba << W(L"\x20ac");
        QTest::newRow("astral pair") << "\xf0\x9f\x93\xb7"_ba << W(L"\xD83D\xDCF7");
        QTest::newRow("lone high") << "a\xed\xa0\x80z"_ba << W(L"a\xD800z");
        QTest::newRow("lone low") << "\xed\xbf\xbf"_ba << W(L"\xDFFF");
        QTest::newRow("low before high") << "\xed\xb0\x80\xed\xa0\x80"_ba << W(L"\xDC00\xD800");
    }

    void roundTrip()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(std::wstring, wide);

        QCOMPARE(quillet::FromWide(wide), bytes.toStdString());
        QVERIFY(quillet::ToWide(bytes.toStdString()) == wide);
    }

    void toWide_refusesWhatNoNameHolds_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("stray continuation") << "a\x80"_ba;
        QTest::newRow("cut short") << "\xe2\x82"_ba;
        QTest::newRow("overlong slash") << "\xc0\xaf"_ba;
        QTest::newRow("overlong three bytes") << "\xe0\x80\xaf"_ba;
        QTest::newRow("beyond U+10FFFF") << "\xf4\x90\x80\x80"_ba;
        QTest::newRow("latin-1") << "caf\xe9"_ba;
    }

    void toWide_refusesWhatNoNameHolds()
    {
        QFETCH(QByteArray, bytes);
        QVERIFY(!quillet::ToWide(bytes.toStdString()));
    }
};

QTEST_GUILESS_MAIN(TestWideText)
#include "tst_widetext_windows.moc"
