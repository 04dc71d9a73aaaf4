#include <QTest>

class Testbatch : public QObject
{
    Q_OBJECT
};

QTEST_GUILESS_MAIN(Testbatch)
#include "tst_batch.moc"
