#include <QTest>

class Testspacerule : public QObject
{
    Q_OBJECT
};

QTEST_GUILESS_MAIN(Testspacerule)
#include "tst_spacerule.moc"
