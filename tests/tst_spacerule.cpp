#include "spacerule.h"

#include "testutil.h"

#include <QTest>

using quillet::MakeNewName;

class TestSpaceRule : public QObject
{
    Q_OBJECT

private slots:
    void makeNewName_data();
    void makeNewName();
};

void TestSpaceRule::makeNewName_data()
{
    QTest::addColumn<std::string>("name");
    QTest::addColumn<std::string>("removed");
    QTest::addColumn<std::string>("underscored");

    using S = std::string;
    QTest::newRow("spaces/between words") << S("a b c.jpg") << S("abc.jpg") << S("a_b_c.jpg");
    QTest::newRow("spaces/runs at both ends") << S("  x  .jpg") << S("x.jpg") << S("__x__.jpg");
    QTest::newRow("spaces/before the extension")
        << S("photo_1 .JPG") << S("photo_1.JPG") << S("photo_1_.JPG");
    QTest::newRow("spaces/in the extension") << S("a.j pg") << S("a.jpg") << S("a.j_pg");
    QTest::newRow("spaces/only spaces") << S("   ") << S("") << S("___");
    QTest::newRow("none/plain name") << S("nospace.jpg") << S("nospace.jpg") << S("nospace.jpg");
    QTest::newRow("none/empty") << S("") << S("") << S("");
    QTest::newRow("other blanks/tab") << S("a\tb .jpg") << S("a\tb.jpg") << S("a\tb_.jpg");
    // "\xc2\xa0" is a no-break space; the string is split so that the escape ends there.
    QTest::newRow("other blanks/no-break space") << S("a\xc2\xa0 b.jpg")
                                                 << S("a\xc2\xa0"
                                                      "b.jpg")
                                                 << S("a\xc2\xa0_b.jpg");
    QTest::newRow("bytes/not UTF-8")
        << S("caf\xe9 x\xff.jpg") << S("caf\xe9x\xff.jpg") << S("caf\xe9_x\xff.jpg");
    QTest::newRow("bytes/NUL kept") << S("a\0 b", 4) << S("a\0b", 3) << S("a\0_b", 4);
    QTest::newRow("bytes/multibyte UTF-8") << S("été à.jpg") << S("étéà.jpg") << S("été_à.jpg");
}

void TestSpaceRule::makeNewName()
{
    QFETCH(std::string, name);
    QFETCH(std::string, removed);
    QFETCH(std::string, underscored);

    QCOMPARE(MakeNewName(name, false), removed);
    QCOMPARE(MakeNewName(name, true), underscored);
}

QTEST_GUILESS_MAIN(TestSpaceRule)
#include "tst_spacerule.moc"
