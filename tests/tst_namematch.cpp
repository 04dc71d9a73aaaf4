#include <QTest>

class Testnamematch : public QObject
{
    Q_OBJECT
};

QTEST_GUILESS_MAIN(Testnamematch)
#include "tst_namematch.moc"
