#include "namematch.h"

#include "testutil.h"

#include <QTest>

#include <string>
#include <vector>

using namespace quillet;
using Names = std::vector<std::string>;

Q_DECLARE_METATYPE(Names)

class TestNameMatch : public QObject
{
    Q_OBJECT

private slots:
    void patternMatches_data();
    void patternMatches();
    void naturalLess_ordersEveryPair_data();
    void naturalLess_ordersEveryPair();
};

void TestNameMatch::patternMatches_data()
{
    QTest::addColumn<std::string>("pattern");
    QTest::addColumn<std::string>("name");
    QTest::addColumn<bool>("matches");

    const auto row = [](const char *tag, std::string pattern, std::string name, bool matches) {
        QTest::newRow(tag) << std::move(pattern) << std::move(name) << matches;
    };
    row("star/extension", "*.jpg", "IMG 1.jpg", true);
    row("star/empty run", "*.jpg", ".jpg", true);
    row("star/whole name only", "*.jpg", "a.jpg.bak", false);
    row("star/retried after a false start", "*ab", "aab", true);
    row("star/several, wrong end", "a*b*c", "a-c-b", false);
    row("question/one character", "?.jpg", "a.jpg", true);
    row("question/not zero characters", "?.jpg", ".jpg", false);
    row("question/not zero characters at the end", "a?", "a", false);
    row("case/upper pattern", "*.JPG", "a.jpg", true);
    row("case/lower pattern", "img*.jpg", "IMG 2.JPG", true);
    row("list/second", "*.jpg;*.png", "a.png", true);
    row("list/neither", "*.jpg;*.png", "a.gif", false);
    row("list/empty alternative ignored", "*.jpg;", "a.jpg", true);
    row("list/only empty alternatives", ";;", "a.jpg", false);
    row("space/inside a pattern", "a b*.jpg", "a b1.jpg", true);
    row("space/not a separator", "a b*.jpg", "b1.jpg", false);
    row("empty/matches nothing", "", "a.jpg", false);
    row("bytes/question is one UTF-8 character", "caf?.jpg", "caf\xc3\xa9.jpg", true);
    row("bytes/question is not two", "caf??.jpg", "caf\xc3\xa9.jpg", false);
    row("bytes/question is one stray byte", "caf? x.jpg", "caf\xe9 x.jpg", true);
    row("bytes/no case beyond ASCII", "\xc3\xa9*", "\xc3\x89.jpg", false);
}

void TestNameMatch::patternMatches()
{
    QFETCH(std::string, pattern);
    QFETCH(std::string, name);
    QFETCH(bool, matches);

    QCOMPARE(NamePattern(pattern).matches(name), matches);
}

void TestNameMatch::naturalLess_ordersEveryPair_data()
{
    QTest::addColumn<Names>("sorted");

    QTest::newRow("digits/by value") << Names{"IMG 1", "IMG 2", "IMG 10", "IMG 100"};
    QTest::newRow("digits/several runs") << Names{"a1b2", "a1b10", "a2b1", "a10b0"};
    QTest::newRow("digits/longer than any integer")
        << Names{"a99999999999999999999", "a100000000000000000000"};
    QTest::newRow("digits/after prefix, before letters") << Names{"x", "x1", "x9", "x10", "xa"};
    QTest::newRow("zeros/ignored by value") << Names{"a007", "a8", "a9", "a010"};
    QTest::newRow("zeros/tie broken by bytes") << Names{"a01", "a1", "a01b"};
    QTest::newRow("case/ignored") << Names{"apple", "Banana", "cherry"};
    QTest::newRow("case/tie broken by bytes") << Names{"IMG.JPG", "IMG.jpg", "img.JPG", "img.jpg"};
    QTest::newRow("punctuation/by byte") << Names{"IMG 2", "IMG2", "IMG_1"};
    QTest::newRow("bytes/after ASCII") << Names{"z", "\xc3\x89", "\xc3\xa9", "\xe9"};
}

// Every pair in the expected order must compare one way only, and no name
// before itself: this also catches an order that is not consistent enough
// for sorting.
void TestNameMatch::naturalLess_ordersEveryPair()
{
    QFETCH(Names, sorted);

    for (std::size_t i = 0; i < sorted.size(); ++i) {
        QVERIFY2(!NaturalLess(sorted[i], sorted[i]), sorted[i].c_str());
        for (std::size_t j = i + 1; j < sorted.size(); ++j) {
            const std::string pair = sorted[i] + " | " + sorted[j];
            QVERIFY2(NaturalLess(sorted[i], sorted[j]), pair.c_str());
            QVERIFY2(!NaturalLess(sorted[j], sorted[i]), pair.c_str());
        }
    }
}

QTEST_GUILESS_MAIN(TestNameMatch)
#include "tst_namematch.moc"
