#include <QTest>

class Testform1 : public QObject
{
    Q_OBJECT
};

QTEST_GUILESS_MAIN(Testform1)
#include "tst_form1.moc"
