#include <QTest>

class Testnamefile : public QObject
{
    Q_OBJECT
};

QTEST_GUILESS_MAIN(Testnamefile)
#include "tst_namefile.moc"
